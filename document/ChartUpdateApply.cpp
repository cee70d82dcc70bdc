// Laying a newer list out in a chart's place: the same layout and split as "Build from list", then
// each box given its person's look, those who joined their team's, and the pieces that stand for
// nobody put back where the new chart leaves room, or beside it.
#include "document/ChartUpdate.h"

#include "document/ChartBook.h"
#include "document/ChartSplit.h"
#include "document/WorkFileFormat.h"
#include "document/Undo.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace {

using NewPage = PlannedPage;

// The parts of a cell the user styles: everything but where it is, what it says and its lines.
void CopyLook(CellRecord& to, const CellRecord& from, bool picture) {
    if (picture || from.backColor != kNoColor) to.backColor = from.backColor;
    to.fontColor = from.fontColor;
    AssignField(to.fontName, FieldText(from.fontName));
    to.bold = from.bold;
    to.italic = from.italic;
    to.underline = from.underline;
    to.strikeout = from.strikeout;
    to.leading = from.leading;
    if (picture) AssignField(to.imageSpec, FieldText(from.imageSpec));
    AssignField(to.iconPath, FieldText(from.iconPath));
    to.alignment = from.alignment;
    to.lineThickness = from.lineThickness;
    to.lineColor = from.lineColor;
    to.numberFormatType = from.numberFormatType;
    to.numberFormatAllowed = from.numberFormatAllowed;
}

// What makes two looks the same, for the look most of a team shares (pictures are a person's own).
std::string LookKey(const CellRecord& c) {
    std::string key = std::to_string(c.backColor) + ',' + std::to_string(c.fontColor) + ',' +
                      std::string(FieldText(c.fontName)) + ',' + std::to_string(c.bold) + ',' +
                      std::to_string(c.italic) + ',' + std::to_string(c.underline) + ',' +
                      std::to_string(c.strikeout) + ',' + std::to_string(c.alignment) + ',' +
                      std::to_string(c.lineColor) + ',' + std::to_string(c.lineThickness) + ',' +
                      std::to_string(c.numberFormatType) + ',' + std::string(FieldText(c.iconPath));
    return key;
}

// The look most of `boxes` share: the own cell of the first box that has it, or null.
const CellRecord* MostShared(const std::vector<const CellRecord*>& looks) {
    std::map<std::string, std::pair<int, const CellRecord*>> counts;
    const CellRecord* best = nullptr;
    int most = 0;
    for (const CellRecord* look : looks) {
        auto& entry = counts[LookKey(*look)];
        if (!entry.second) entry.second = look;
        if (++entry.first > most) {
            most = entry.first;
            best = entry.second;
        }
    }
    return best;
}

struct Occupancy {
    std::vector<char> used = std::vector<char>(kGridSize * kGridSize, 0);
    bool Free(int column, int row, int columns, int rows) const {
        if (column < 0 || row < 0 || column + columns > kGridSize || row + rows > kGridSize) return false;
        for (int r = row; r < row + rows; ++r)
            for (int c = column; c < column + columns; ++c)
                if (used[size_t(r * kGridSize + c)]) return false;
        return true;
    }
    void Take(int column, int row, int columns, int rows) {
        for (int r = std::max(0, row); r < std::min(kGridSize, row + rows); ++r)
            for (int c = std::max(0, column); c < std::min(kGridSize, column + columns); ++c)
                used[size_t(r * kGridSize + c)] = 1;
    }
};

// Puts a piece's cells at (column, row) of a table written by WriteChart: the cells keep where they
// are in the new table, merged boxes are joined again, and lines drawn by hand scaled to its cells.
void PutPiece(Document& doc, const OldPiece& piece, int column, int row) {
    const int pitchX = doc.cellWidth + doc.separation, pitchY = doc.cellHeight + doc.separation;
    for (int dy = 0; dy < piece.rows; ++dy) {
        for (int dx = 0; dx < piece.columns; ++dx) {
            const CellRecord& from = piece.cells[size_t(dy * piece.columns + dx)];
            CellRecord& to = doc.cellGrid(column + dx, row + dy);
            const CellRecord at = to;
            to = from;
            to.left = at.left;
            to.top = at.top;
            to.right = at.right;
            to.bottom = at.bottom;
            to.column = at.column;
            to.row = at.row;
            to.cellWidth = at.cellWidth;
            to.cellHeight = at.cellHeight;
            to.tableColumns = at.tableColumns;
            to.tableRows = at.tableRows;
            to.separation = at.separation;
            to.paperColor = at.paperColor;
            to.selected = 0;
            to.marked = 0;
            auto x = [&](int32_t v) { return at.left + (v - from.left) * pitchX / piece.pitchX; };
            auto y = [&](int32_t v) { return at.top + (v - from.top) * pitchY / piece.pitchY; };
            to.vLineX1 = x(from.vLineX1);
            to.vLineX2 = x(from.vLineX2);
            to.vLineY1 = y(from.vLineY1);
            to.vLineY2 = y(from.vLineY2);
            to.hLineX1 = x(from.hLineX1);
            to.hLineX2 = x(from.hLineX2);
            to.hLineY1 = y(from.hLineY1);
            to.hLineY2 = y(from.hLineY2);
        }
        CellRecord& first = doc.cellGrid(column, row + dy);
        first.right = doc.cellGrid(column + piece.columns - 1, row + dy).right;
    }
    CellRecord& own = doc.cellGrid(column, row);
    own.bottom = doc.cellGrid(column, row + piece.rows - 1).bottom;
}

// The new chart's pages: one table when the list fits it, else the split's pages.
bool LayOutPages(const ListForChart& read, const BoxTextMeasure& measure, std::vector<NewPage>& pages,
                 BuildOutcome& outcome) {
    const std::vector<int>& managerOf = read.checked.managerOf;
    ChartLayout whole = LayOutChart(read.texts, managerOf, measure, read.options);
    outcome.chartColumns = whole.chartColumns;
    outcome.chartRows = whole.chartRows;
    if (whole.fits) {
        NewPage page;
        page.layout = std::move(whole);
        page.texts = read.texts;
        for (size_t i = 0; i < read.texts.size(); ++i)
            page.personOfText.push_back(int(i));
        page.reference.assign(read.texts.size(), 0);
        pages.push_back(std::move(page));
        return true;
    }
    ChartSplit split = SplitChart(read.texts, managerOf, measure, read.options);
    if (!split.fits) return false;
    const std::vector<Person>& people = read.checked.list.people;
    for (SplitPage& s : split.pages) {
        NewPage page;
        page.heading = s.heading;
        if (s.heading >= 0) {
            page.personOfText.push_back(s.heading);
            page.reference.push_back(1);
        }
        page.personOfText.insert(page.personOfText.end(), s.people.begin(), s.people.end());
        page.reference.resize(page.personOfText.size(), 0);
        const std::u16string& name = people[size_t(s.heading >= 0 ? s.heading : s.people[0])].name;
        page.name.assign(name.begin(), name.end());
        page.layout = std::move(s.layout);
        page.texts = std::move(s.texts);
        pages.push_back(std::move(page));
    }
    return true;
}

int Depth(const std::vector<int>& managerOf, int person) {
    int depth = 0;
    for (int m = managerOf[size_t(person)]; m >= 0 && depth <= int(managerOf.size());
         m = managerOf[size_t(m)])
        ++depth;
    return depth;
}

} // namespace

std::vector<const OldPiece*> PiecesOf(const OldChart& old) {
    std::vector<const OldPiece*> pieces;
    for (const OldPiece& piece : old.pieces)
        pieces.push_back(&piece);
    for (const OldBox& box : old.boxes)
        if (box.newPerson < 0 && (box.unsure || !box.tagged)) pieces.push_back(&box.shape);
    return pieces;
}

UpdateOutcome PlanChartUpdate(const OldChart& old, const ListForChart& read, const BoxTextMeasure& measure) {
    UpdateOutcome outcome;
    outcome.build.people = int(read.checked.list.people.size());
    std::vector<NewPage>& pages = outcome.pages;
    if (!LayOutPages(read, measure, pages, outcome.build)) {
        outcome.build.result = BuildResult::TooLarge;
        return outcome;
    }

    // The boxes that stay for nobody known without doubt keep their place like the other pieces.
    const std::vector<const OldPiece*> pieces = PiecesOf(old);
    outcome.pieces.resize(pieces.size());

    // Page names: a team whose page had a name keeps it, and so does the first page.
    std::unordered_map<std::u16string, int> newOfKey;
    for (const OldBox& box : old.boxes)
        if (box.tagged && box.tag.kind == TagKind::Person && box.newPerson >= 0)
            newOfKey[box.tag.key] = box.newPerson;
    for (size_t q = 0; q < old.pageNames.size(); ++q) {
        int person = -1;
        if (q == 0) {
            if (!old.pageNames[0].empty()) pages[0].name = old.pageNames[0];
            continue;
        }
        const int heading = old.headingBox[q];
        if (heading < 0) continue;
        if (auto found = newOfKey.find(old.boxes[size_t(heading)].tag.key); found != newOfKey.end())
            person = found->second;
        for (NewPage& page : pages)
            if (person >= 0 && page.heading == person) page.name = old.pageNames[q];
    }

    // Where each piece goes: in place where the new chart leaves its cells free, else beside it.
    // A page of a chart built from a list that stands for nobody (a legend, a cover) stays a page
    // of its own, after the chart's, with everything on it where it was.
    const size_t chartPages = pages.size();
    std::vector<int> keptPage(old.pageNames.size(), -1);
    for (size_t q = 0; q < old.pageNames.size(); ++q) {
        if (!old.tagged || old.pageTagged[q] || old.pageTable[q][0] == 0) continue;
        NewPage kept;
        kept.layout.fits = true;
        kept.layout.columns = old.pageTable[q][0];
        kept.layout.rows = old.pageTable[q][1];
        kept.layout.cellSize = old.pageTable[q][2];
        kept.name = old.pageNames[q];
        keptPage[q] = int(pages.size());
        pages.push_back(std::move(kept));
    }
    for (size_t i = 0; i < pieces.size(); ++i)
        if (const int k = keptPage[size_t(pieces[i]->page)]; k >= 0)
            pages[size_t(k)].pieces.push_back({int(i), pieces[i]->column, pieces[i]->row});
    for (size_t k = 0; k < chartPages; ++k) {
        Occupancy taken;
        const ChartLayout& layout = pages[k].layout;
        for (const ChartBox& b : layout.boxes)
            taken.Take(b.column, b.row, b.columns, b.rows);
        for (const ChartLine& l : layout.lines)
            taken.Take(l.column, l.row, l.vertical ? 1 : l.length, l.vertical ? l.length : 1);
        std::vector<size_t> mine;
        for (size_t i = 0; i < pieces.size(); ++i)
            if (keptPage[size_t(pieces[i]->page)] < 0 &&
                size_t(std::min<int>(pieces[i]->page, int(chartPages) - 1)) == k)
                mine.push_back(i);
        std::vector<size_t> aside;
        for (size_t i : mine) {
            const OldPiece& piece = *pieces[i];
            if (taken.Free(piece.column, piece.row, piece.columns, piece.rows)) {
                taken.Take(piece.column, piece.row, piece.columns, piece.rows);
                pages[k].pieces.push_back({int(i), piece.column, piece.row});
                outcome.pieces[i].column = piece.column;
                outcome.pieces[i].row = piece.row;
            } else {
                aside.push_back(i);
            }
        }
        int right = layout.columns, bottom = layout.rows;
        for (const PiecePlacement& p : pages[k].pieces) {
            right = std::max(right, p.column + pieces[size_t(p.piece)]->columns);
            bottom = std::max(bottom, p.row + pieces[size_t(p.piece)]->rows);
        }
        for (size_t i : aside) {
            const OldPiece& piece = *pieces[i];
            outcome.pieces[i].inPlace = false;
            bool done = false;
            // Beside the chart, a cell of gap from it, as near its old row as there is room; then below.
            for (int x = right + 1; !done && x + piece.columns <= kGridSize; ++x)
                for (int y = 0; !done && y + piece.rows <= kGridSize; ++y) {
                    const int row = (piece.row + y) % (kGridSize - piece.rows + 1);
                    if (taken.Free(x, row, piece.columns, piece.rows)) {
                        taken.Take(x - 1, row - 1, piece.columns + 2, piece.rows + 2);
                        pages[k].pieces.push_back({int(i), x, row});
                        outcome.pieces[i].column = x;
                        outcome.pieces[i].row = row;
                        done = true;
                    }
                }
            for (int y = bottom + 1; !done && y + piece.rows <= kGridSize; ++y)
                for (int x = 0; !done && x + piece.columns <= kGridSize; ++x)
                    if (taken.Free(x, y, piece.columns, piece.rows)) {
                        taken.Take(x - 1, y - 1, piece.columns + 2, piece.rows + 2);
                        pages[k].pieces.push_back({int(i), x, y});
                        outcome.pieces[i].column = x;
                        outcome.pieces[i].row = y;
                        done = true;
                    }
            outcome.pieces[i].kept = done;
        }
    }
    for (size_t i = 0; i < pieces.size(); ++i)
        outcome.pieces[i].piece = int(i);
    outcome.build.result = BuildResult::Built;
    return outcome;
}

namespace {

// Writes the pages of a planned update: the layout, the looks, the added lines, the pieces, the tags.
struct PageWriter {
    const OldChart& old;
    const std::vector<int>& boxOfPerson;
    const ListForChart& read;
    std::vector<const OldPiece*> pieces;
    // Looks of those who joined: the look most of their team shares, or else most of their level.
    std::vector<std::vector<const CellRecord*>> teamLooks, levelLooks;

    PageWriter(const OldChart& o, const std::vector<int>& b, const ListForChart& r)
        : old(o), boxOfPerson(b), read(r), pieces(PiecesOf(o)) {
        const std::vector<int>& managerOf = read.checked.managerOf;
        const size_t people = managerOf.size();
        teamLooks.resize(people);
        for (size_t p = 0; p < people; ++p) {
            if (boxOfPerson[p] < 0) continue;
            const CellRecord* look = &old.boxes[size_t(boxOfPerson[p])].shape.cells[0];
            if (managerOf[p] >= 0) teamLooks[size_t(managerOf[p])].push_back(look);
            const size_t depth = size_t(Depth(managerOf, int(p)));
            if (levelLooks.size() <= depth) levelLooks.resize(depth + 1);
            levelLooks[depth].push_back(look);
        }
    }

    void operator()(Document& doc, const PlannedPage& page) const {
        const std::vector<int>& managerOf = read.checked.managerOf;
        ChartLayout layout = page.layout;
        for (const PiecePlacement& p : page.pieces) {
            layout.columns =
                int16_t(std::max<int>(layout.columns, p.column + pieces[size_t(p.piece)]->columns));
            layout.rows = int16_t(std::max<int>(layout.rows, p.row + pieces[size_t(p.piece)]->rows));
        }
        WriteChart(doc, layout, page.texts);
        doc.tablePresent = true;
        for (const ChartBox& b : layout.boxes) {
            const int person = page.personOfText[size_t(b.person)];
            const int from = boxOfPerson[size_t(person)];
            const CellRecord* look = nullptr;
            int points = layout.points;
            if (from >= 0) {
                const OldBox& box = old.boxes[size_t(from)];
                look = &box.shape.cells[0];
                const int built = box.shape.page < int(old.buildPoints.size())
                                      ? old.buildPoints[size_t(box.shape.page)]
                                      : 0;
                // A size the user chose stays; the size the old layout gave makes way for the new one's.
                if (box.tagged && look->fontSize != built) points = look->fontSize;
                if (!box.tagged && look->fontSize != kDefaultFontSize) points = look->fontSize;
            } else {
                const int manager = managerOf[size_t(person)];
                if (manager >= 0) look = MostShared(teamLooks[size_t(manager)]);
                const size_t depth = size_t(Depth(managerOf, person));
                if (!look && depth < levelLooks.size()) look = MostShared(levelLooks[depth]);
            }
            if (!look) continue;
            const bool own = from >= 0;
            // Only a box's own cell is drawn; the cells it covers take what the old box's cells
            // held, so that a box that stays as it was stays byte for byte.
            CopyLook(doc.cellGrid(b.column, b.row), *look, own);
            if (own) {
                const OldPiece& shape = old.boxes[size_t(from)].shape;
                for (int r = 0; r < std::min(b.rows, shape.rows); ++r)
                    for (int c = 0; c < std::min(b.columns, shape.columns); ++c)
                        if (r > 0 || c > 0)
                            CopyLook(doc.cellGrid(b.column + c, b.row + r),
                                     shape.cells[size_t(r * shape.columns + c)], true);
            }
            doc.cellGrid(b.column, b.row).fontSize = int16_t(points);
            if (own && !page.reference[size_t(b.person)]) {
                const std::u16string& added = old.boxes[size_t(from)].added;
                if (!added.empty())
                    AssignField(doc.cellGrid(b.column, b.row).text, page.texts[size_t(b.person)] + added);
            }
        }
        for (const PiecePlacement& p : page.pieces)
            PutPiece(doc, *pieces[size_t(p.piece)], p.column, p.row);
        TagChartBoxes(doc, layout, read.checked.list, managerOf, page.personOfText, page.reference);
    }
};

} // namespace

void ApplyChartUpdate(Chart& chart, Document& shown, const OldChart& old, const std::vector<int>& boxOfPerson,
                      const ListForChart& read, UpdateOutcome& outcome) {
    const PageWriter writePage(old, boxOfPerson, read);
    std::vector<NewPage>& pages = outcome.pages;

    if (pages.size() == 1 && PageCount(chart) == 1) {
        // One table in the place of one: the chart from before is the snapshot one Undo restores.
        UndoHistory before;
        if (shown.tablePresent) {
            ResetUndoHistory(shown);
            PushUndo(shown);
            before = std::move(shown.undo);
        }
        writePage(shown, pages[0]);
        if (!before.undoStack.empty()) shown.undo = std::move(before);
        RenamePage(chart, 0, pages[0].name);
        shown.modified = true;
        ++shown.changeCount;
    } else {
        Chart built;
        built.pages.clear();
        auto scratch = std::make_unique<Document>();
        for (size_t k = 0; k < pages.size(); ++k) {
            writePage(*scratch, pages[k]);
            AppendParkedPage(built, pages[k].name, *scratch);
            *scratch = Document{};
        }
        const uint32_t before = ChartChangeCount(chart, shown);
        ShowFirstPage(built, shown);
        built.pagesChanged = true;
        chart = std::move(built);
        CountOnFrom(chart, before, shown);
        shown.modified = true;
        outcome.pagesReplaced = true;
    }
}

std::vector<uint8_t> EncodeUpdatedBook(const OldChart& old, const std::vector<int>& boxOfPerson,
                                       const ListForChart& read, const UpdateOutcome& plan) {
    const PageWriter writePage(old, boxOfPerson, read);
    auto scratch = std::make_unique<Document>();
    const size_t count = plan.pages.size();
    // Each page written, recorded and let go in turn, as a list is built into a book.
    return EncodeChartBook(count, [&](size_t i) {
        writePage(*scratch, plan.pages[i]);
        return BookEntry{BookEntryName(i, count, ToUtf8(plan.pages[i].name)), EncodeWorkFile(*scratch)};
    });
}

UpdateOutcome UpdateChartFromList(Chart& chart, Document& shown, const OldChart& old,
                                  const std::vector<int>& boxOfPerson, const ListForChart& read,
                                  const BoxTextMeasure& measure) {
    UpdateOutcome outcome = PlanChartUpdate(old, read, measure);
    if (outcome.build.result == BuildResult::Built)
        ApplyChartUpdate(chart, shown, old, boxOfPerson, read, outcome);
    return outcome;
}

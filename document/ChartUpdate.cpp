// The update of a chart from a newer list: reading the chart as it is, matching its boxes to the
// list's people, and laying the list out anew with everything the user gave the boxes.
#include "document/ChartUpdate.h"

#include "document/ChartBook.h"
#include "document/ChartSplit.h"
#include "document/WorkFileFormat.h"
#include "document/Undo.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>

namespace {

bool HasContent(const CellRecord& cell, bool keepLines) {
    return cell.isBox || !FieldText(cell.text).empty() || !FieldText(cell.imageSpec).empty() ||
           !FieldText(cell.iconPath).empty() || cell.backColor != kWhite ||
           (keepLines && (cell.vLineOn || cell.hLineOn));
}

// The extent of the merged box whose own cell is (column, row).
void BoxExtent(const Document& doc, int column, int row, int& columns, int& rows) {
    columns = 1;
    rows = 1;
    while (column + columns < doc.tableColumns && doc.cellGrid(column + columns, row).covered == 1)
        ++columns;
    while (row + rows < doc.tableRows && doc.cellGrid(column, row + rows).covered == 2)
        ++rows;
}

std::u16string FirstLine(std::u16string_view text, std::u16string* rest) {
    size_t cut = text.find_first_of(u"\r\n");
    if (cut == std::u16string_view::npos) cut = text.size();
    if (rest) rest->assign(text.substr(cut));
    return std::u16string(text.substr(0, cut));
}

bool WordEnd(std::u16string_view text, size_t at) {
    return at == text.size() || text[at] == u' ';
}

} // namespace

void ReadOldPage(OldChart& old, const Document& page, int index, const std::wstring& name) {
    if (int(old.pageNames.size()) <= index) {
        old.pageNames.resize(size_t(index) + 1);
        old.buildPoints.resize(size_t(index) + 1, 0);
        old.headingBox.resize(size_t(index) + 1, -1);
        old.pageTagged.resize(size_t(index) + 1, 0);
        old.pageTable.resize(size_t(index) + 1);
    }
    old.pageNames[size_t(index)] = name;
    if (!page.tablePresent) return;
    const int columns = std::min<int>(page.tableColumns, kGridSize);
    const int rows = std::min<int>(page.tableRows, kGridSize);
    // A first look for tags: a chart built from a list keeps only the lines drawn by hand, one drawn
    // by hand keeps none (its connectors join the boxes the new layout replaces).
    bool tagged = false;
    std::map<int, int> sizes;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            PersonTag tag;
            if (ReadPersonTag(page.cellGrid(c, r), tag)) {
                tagged = true;
                if (tag.kind == TagKind::Person) ++sizes[page.cellGrid(c, r).fontSize];
                if (tag.kind != TagKind::Connector) old.pageTagged[size_t(index)] = 1;
            }
        }
    old.tagged = old.tagged || tagged;
    old.pageTable[size_t(index)] = {int16_t(columns), int16_t(rows), page.cellWidth};
    int most = 0;
    for (auto [size, count] : sizes)
        if (count > most) {
            most = count;
            old.buildPoints[size_t(index)] = size;
        }
    const int pitchX = page.cellWidth + page.separation, pitchY = page.cellHeight + page.separation;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const CellRecord& cell = page.cellGrid(c, r);
            if (cell.covered != 0) continue;
            PersonTag tag;
            const bool hasTag = ReadPersonTag(cell, tag);
            if (hasTag && tag.kind == TagKind::Connector && !cell.isBox && FieldText(cell.text).empty())
                continue;
            int w = 1, h = 1;
            if (cell.isBox) BoxExtent(page, c, r, w, h);
            const bool person = hasTag && tag.kind != TagKind::Connector && cell.isBox;
            OldPiece piece;
            piece.page = index;
            piece.column = c;
            piece.row = r;
            piece.columns = w;
            piece.rows = h;
            piece.pitchX = std::max(1, pitchX);
            piece.pitchY = std::max(1, pitchY);
            piece.originX = cell.left;
            piece.originY = cell.top;
            const bool boxed = person || (!tagged && cell.isBox && !FieldText(cell.text).empty());
            if (!boxed && !HasContent(cell, tagged)) continue;
            for (int y = r; y < r + h; ++y)
                for (int x = c; x < c + w; ++x)
                    piece.cells.push_back(page.cellGrid(x, y));
            for (CellRecord& kept : piece.cells) {
                // The chart's own connectors are laid out anew; in a chart drawn by hand, all are.
                PersonTag lineTag;
                if (!tagged || (ReadPersonTag(kept, lineTag) && lineTag.kind == TagKind::Connector))
                    kept.vLineOn = kept.hLineOn = 0;
            }
            if (boxed) {
                OldBox box;
                box.tagged = person;
                box.tag = tag;
                box.shape = std::move(piece);
                box.head = FirstLine(FieldText(cell.text), &box.added);
                if (person) {
                    const size_t n = std::min<size_t>(size_t(tag.nameLength), box.head.size());
                    box.name = box.head.substr(0, n);
                    if (n + 1 < box.head.size())
                        box.title = box.head.substr(
                            n + 1, std::min<size_t>(size_t(tag.titleLength), box.head.size() - n - 1));
                    if (tag.kind == TagKind::Reference) old.headingBox[size_t(index)] = int(old.boxes.size());
                } else {
                    box.name = box.head;
                }
                old.boxes.push_back(std::move(box));
                continue;
            }
            old.pieces.push_back(std::move(piece));
        }
    }
}

OldChart ReadOldChart(Chart& chart, Document& shown) {
    OldChart old;
    const int back = chart.shown;
    for (int i = 0; i < PageCount(chart); ++i) {
        ShowPage(chart, shown, i);
        ReadOldPage(old, shown, i, chart.pages[size_t(i)].name);
    }
    ShowPage(chart, shown, back);
    return old;
}

bool ReadOldBook(OldChart& old, std::span<const uint8_t> bytes) {
    auto scratch = std::make_unique<Document>();
    int index = 0;
    const BookCheck check = ReadChartBook(bytes, [&](BookEntry& entry) {
        if (LoadWorkFile(*scratch, entry.bytes, WorkFileFormat::Current) != WorkFileCheck::Accepted)
            return false;
        scratch->tablePresent = true;
        ReadOldPage(old, *scratch, index++, FromUtf8(PageNameOfEntry(entry.name)));
        return true;
    });
    return check == BookCheck::Accepted;
}

std::vector<int> MatchPeople(OldChart& old, const CheckedList& checked) {
    const std::vector<Person>& people = checked.list.people;
    const bool listIds = !people.empty() && std::all_of(people.begin(), people.end(),
                                                        [](const Person& p) { return !p.id.empty(); });
    std::unordered_map<std::u16string, int> byId;
    std::unordered_map<std::u16string, std::vector<int>> byName;
    for (size_t i = 0; i < people.size(); ++i) {
        if (listIds) byId[people[i].id] = int(i);
        byName[FoldCase(people[i].name)].push_back(int(i));
    }
    std::vector<std::vector<int>> claims(people.size());
    for (size_t b = 0; b < old.boxes.size(); ++b) {
        OldBox& box = old.boxes[b];
        box.newPerson = -1;
        box.unsure = false;
        if (box.tagged && box.tag.kind == TagKind::Reference) continue;
        std::vector<int> candidates;
        if (box.tagged && box.tag.byId && listIds) {
            if (auto found = byId.find(box.tag.key); found != byId.end()) candidates.push_back(found->second);
        } else if (box.tagged) {
            if (auto found = byName.find(FoldCase(box.tag.byId ? box.name : box.tag.key));
                found != byName.end())
                candidates = found->second;
        } else {
            // A box drawn by hand: the longest name of the list its first line starts with.
            const std::u16string head = FoldCase(box.head);
            size_t longest = 0;
            for (size_t cut = head.size();; --cut) {
                if (WordEnd(head, cut) && cut > 0)
                    if (auto found = byName.find(head.substr(0, cut)); found != byName.end()) {
                        candidates = found->second;
                        longest = cut;
                        break;
                    }
                if (cut == 0) break;
            }
            box.name = box.head.substr(0, longest);
            if (longest > 0 && longest + 1 < box.head.size()) box.title = box.head.substr(longest + 1);
        }
        if (candidates.size() > 1) {
            std::vector<int> same;
            for (int p : candidates)
                if (people[size_t(p)].title == box.title) same.push_back(p);
            if (!same.empty()) candidates = same;
        }
        if (candidates.size() > 1 && box.tagged) {
            std::vector<int> same;
            for (int p : candidates) {
                const int m = checked.managerOf[size_t(p)];
                const std::u16string managerKey = m < 0          ? u""
                                                  : box.tag.byId ? people[size_t(m)].id
                                                                 : people[size_t(m)].name;
                if (managerKey == box.tag.manager) same.push_back(p);
            }
            if (!same.empty()) candidates = same;
        }
        if (candidates.size() == 1)
            claims[size_t(candidates[0])].push_back(int(b));
        else if (candidates.size() > 1)
            box.unsure = true;
    }
    // A person two boxes claim goes to neither: a look is never given to the wrong person.
    std::vector<int> boxOf(people.size(), -1);
    for (size_t p = 0; p < people.size(); ++p) {
        if (claims[p].size() == 1) {
            boxOf[p] = claims[p][0];
            old.boxes[size_t(claims[p][0])].newPerson = int(p);
        } else {
            for (int b : claims[p])
                old.boxes[size_t(b)].unsure = true;
        }
    }
    return boxOf;
}

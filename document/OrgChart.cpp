// Laying out an organisation chart on the grid and writing it into the table.
//
// Every subtree is laid out as a rectangle of cells (its block) with its top person's box at the
// top. A manager stands centred above a row of its reports' blocks (the tidy tree); a manager whose
// reports have no reports of their own can instead stack them in a column below, on both sides of
// a vertical line or on one side; and a manager whose row of reports is too wide for the table
// can hang them in several rows from one vertical line. Connectors run on cell edges through guide
// cells only, and reach the outlines of the boxes they join.
#include "document/OrgChart.h"

#include "document/Structure.h"
#include "document/Undo.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

namespace {

constexpr int kMaxLines = 6;          // box texts are given at most this many lines
constexpr int kLargestTable = 1122;   // pixels of the table picture
constexpr int kWidestTextArea = 1100; // a box text never needs more than a page's width

// How a manager arranges its reports.
enum class Style : uint8_t { Leaf, Row, StackBoth, StackOne, Hanging };

struct Arrangement {
    Style style = Style::Leaf;
    int tiers = 1; // rows of reports of the hanging style
};

struct Block {
    int width = 0, height = 0, port = 0; // port: column whose left edge the line from above meets
};

struct Grid {
    int cellSize = 0, columns = 0, rows = 0, points = 0;
};

struct Tree {
    std::vector<std::vector<int>> reports;
    std::vector<int> roots;
    std::vector<char> isRoot;
    std::vector<int> bottomUp; // every person after all of their reports
};

Tree MakeTree(const std::vector<int>& managerOf) {
    Tree tree;
    const int n = int(managerOf.size());
    tree.reports.resize(size_t(n));
    tree.isRoot.assign(size_t(n), 0);
    for (int i = 0; i < n; ++i) {
        tree.isRoot[size_t(i)] = managerOf[size_t(i)] < 0;
        if (managerOf[size_t(i)] < 0)
            tree.roots.push_back(i);
        else
            tree.reports[size_t(managerOf[size_t(i)])].push_back(i);
    }
    std::vector<int> order(tree.roots);
    for (size_t k = 0; k < order.size(); ++k)
        for (int r : tree.reports[size_t(order[k])])
            order.push_back(r);
    tree.bottomUp.assign(order.rbegin(), order.rend());
    return tree;
}

// Smallest text-area widths, in pixels, that give a person's text k lines (index k - 1).
using LineWidths = std::array<int, kMaxLines>;

LineWidths MeasureText(std::u16string_view text, int points, const BoxTextMeasure& measure) {
    LineWidths widths;
    int high = kWidestTextArea + 1; // widths below `high` are known to need more lines than k - 1
    for (int k = 1; k <= kMaxLines; ++k) {
        // Fewer lines need at least as much width: search below the width found for k - 1 lines.
        int lo = 1, hi = k == 1 ? kWidestTextArea + 1 : high;
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            if (measure.lineCount(text, mid, points) <= k)
                hi = mid;
            else
                lo = mid + 1;
        }
        widths[size_t(k - 1)] = lo > kWidestTextArea ? INT_MAX : lo;
        high = std::min(high, lo);
    }
    return widths;
}

struct BoxSize {
    int columns = 2, rows = 2;
};

// The box of a text on a grid: whole cells, an even count each way so that a connector can meet
// the middle of an edge, and room for the lines with a little air above and below.
BoxSize SizeBox(const LineWidths& widths, const Grid& grid, int lineHeight) {
    const int pitch = grid.cellSize + 1;
    // A text with a word too wide for any box gets a box wider than the table: this grid cannot
    // hold the chart.
    BoxSize best{grid.columns + 2, 2};
    bool bestSquat = false, found = false;
    for (int k = 1; k <= kMaxLines; ++k) {
        int w = widths[size_t(k - 1)];
        if (w == INT_MAX) continue;
        // The text area of a box of c cells is c * pitch - 2 pixels wide (one separation less,
        // and the outline); its height the same in rows.
        int columns = std::max(2, (w + 2 + pitch - 1) / pitch);
        columns += columns % 2;
        int rows = std::max(2, (k * lineHeight + 4 + pitch - 1) / pitch);
        rows += rows % 2;
        if (columns > grid.columns) continue;
        bool squat = rows <= columns; // boxes no taller than wide read best
        int area = columns * rows, bestArea = best.columns * best.rows;
        if (!found || (squat && !bestSquat) ||
            (squat == bestSquat && (area < bestArea || (area == bestArea && rows < best.rows)))) {
            best = {columns, rows};
            bestSquat = squat;
            found = true;
        }
    }
    return best;
}

// One attempt at a grid: box sizes and the arrangement of every manager.
struct Attempt {
    const Tree& tree;
    std::vector<BoxSize> box;
    std::vector<Block> block;
    std::vector<Arrangement> arrangement;
    ChartLayout* out = nullptr; // set while placing

    void Emit(int person, int x, int y) {
        out->boxes.push_back({person, x, y, box[size_t(person)].columns, box[size_t(person)].rows});
    }
    void Line(bool vertical, int x, int y, int length) {
        if (out && length > 0) out->lines.push_back({vertical, x, y, length});
    }

    // Lays out person v's reports in the given arrangement. Without `place` it only measures the
    // block; with it, it emits the boxes and lines with the block's top-left corner at (ox, oy).
    Block Arrange(int v, Arrangement a, bool place, int ox, int oy) {
        const std::vector<int>& kids = tree.reports[size_t(v)];
        const BoxSize own = box[size_t(v)];
        if (kids.empty() || a.style == Style::Leaf) {
            if (place) Emit(v, ox, oy);
            return {own.columns, own.rows, own.columns / 2};
        }
        switch (a.style) {
        case Style::Row:
            return ArrangeRow(v, kids, own, place, ox, oy);
        case Style::StackBoth:
        case Style::StackOne:
            return ArrangeStack(v, kids, own, a.style == Style::StackBoth, place, ox, oy);
        default:
            return ArrangeHanging(v, kids, own, a.tiers, place, ox, oy);
        }
    }

    // The tidy tree: reports side by side one cell apart, the manager centred above the first and
    // last report, two rows between them for the line down, the bar and the lines to each report.
    Block ArrangeRow(int v, const std::vector<int>& kids, BoxSize own, bool place, int ox, int oy) {
        const int n = int(kids.size());
        int firstPort = block[size_t(kids[0])].port;
        int x = 0, lastPort = 0, childHeight = 0;
        for (int i = 0; i < n; ++i) {
            const Block& b = block[size_t(kids[size_t(i)])];
            if (i == n - 1 && n > 1 && (firstPort + x + b.port) % 2 != 0) ++x; // centre on an edge
            lastPort = x + b.port;
            x += b.width + 1;
            childHeight = std::max(childHeight, b.height);
        }
        const int rowWidth = x - 1;
        const int centre = (firstPort + lastPort) / 2;
        const int boxX = centre - own.columns / 2;
        const int minX = std::min(0, boxX), maxX = std::max(rowWidth, boxX + own.columns);
        if (place) {
            int sx = ox - minX, kidsY = oy + own.rows + 2;
            Emit(v, ox + boxX - minX, oy);
            Line(true, sx + centre, oy + own.rows, 1);
            Line(false, sx + firstPort, oy + own.rows + 1, lastPort - firstPort);
            x = 0;
            for (int i = 0; i < n; ++i) {
                int kid = kids[size_t(i)];
                const Block& b = block[size_t(kid)];
                if (i == n - 1 && n > 1 && (firstPort + x + b.port) % 2 != 0) ++x;
                Line(true, sx + x + b.port, oy + own.rows + 1, 1);
                Arrange(kid, arrangement[size_t(kid)], true, sx + x, kidsY);
                x += b.width + 1;
            }
        }
        return {maxX - minX, own.rows + 2 + childHeight, centre - minX};
    }

    // Reports without reports stacked in a column below the manager: a vertical line from the
    // manager with each box joined to it by a short line at the middle of its side. Both sides
    // alternate, first left; one side keeps the line near the manager's left edge.
    Block ArrangeStack(int v, const std::vector<int>& kids, BoxSize own, bool bothSides, bool place, int ox,
                       int oy) {
        int leftWidth = 0, rightWidth = 0;
        for (size_t i = 0; i < kids.size(); ++i) {
            int w = box[size_t(kids[i])].columns;
            if (bothSides && i % 2 == 0)
                leftWidth = std::max(leftWidth, w);
            else
                rightWidth = std::max(rightWidth, w);
        }
        const int line = bothSides ? leftWidth + 1 : 1;
        const int boxX = bothSides ? line - own.columns / 2 : 0;
        const int minX = std::min(0, boxX), maxX = std::max(line + 1 + rightWidth, boxX + own.columns);
        const int sx = ox - minX;
        int y = own.rows + 1, lastJoin = own.rows;
        for (size_t i = 0; i < kids.size();) {
            int pairHeight = 0;
            for (int side = bothSides ? 0 : 1; side < 2 && i < kids.size(); ++side, ++i) {
                const int kid = kids[i];
                const BoxSize b = box[size_t(kid)];
                const int join = y + b.rows / 2;
                lastJoin = std::max(lastJoin, join);
                pairHeight = std::max(pairHeight, b.rows);
                if (!place) continue;
                if (side == 0) {
                    Emit(kid, sx + line - 1 - b.columns, oy + y);
                    Line(false, sx + line - 1, oy + join, 1);
                } else {
                    Emit(kid, sx + line + 1, oy + y);
                    Line(false, sx + line, oy + join, 1);
                }
            }
            y += pairHeight + 1;
        }
        if (place) {
            Emit(v, ox + boxX - minX, oy);
            Line(true, sx + line, oy + own.rows, lastJoin - own.rows);
        }
        return {maxX - minX, y - 1, boxX + own.columns / 2 - minX};
    }

    // Reports hung in several rows from one vertical line under the manager: each row split into a
    // left and a right half with the line passing between them, and a bar across each row.
    Block ArrangeHanging(int v, const std::vector<int>& kids, BoxSize own, int tiers, bool place, int ox,
                         int oy) {
        const int n = int(kids.size());
        const int perTier = (n + tiers - 1) / tiers;
        auto groupWidth = [&](int from, int to) {
            int w = -1;
            for (int i = from; i < to; ++i)
                w += block[size_t(kids[size_t(i)])].width + 1;
            return std::max(w, 0);
        };
        int line = 1, rightWidth = 0;
        for (int t0 = 0; t0 < n; t0 += perTier) {
            int t1 = std::min(n, t0 + perTier), split = t0 + (t1 - t0 + 1) / 2;
            line = std::max(line, groupWidth(t0, split) + 1);
            rightWidth = std::max(rightWidth, groupWidth(split, t1));
        }
        const int boxX = line - own.columns / 2;
        const int minX = std::min(0, boxX), maxX = std::max(line + 1 + rightWidth, boxX + own.columns);
        const int sx = ox - minX;
        int y = own.rows + 1, barRow = y, height = 0;
        for (int t0 = 0; t0 < n; t0 += perTier) {
            int t1 = std::min(n, t0 + perTier), split = t0 + (t1 - t0 + 1) / 2;
            int x = line - 1 - groupWidth(t0, split), tierHeight = 0, lo = line, hi = line;
            for (int i = t0; i < t1; ++i) {
                if (i == split) x = line + 1;
                const int kid = kids[size_t(i)];
                const Block& b = block[size_t(kid)];
                lo = std::min(lo, x + b.port);
                hi = std::max(hi, x + b.port);
                if (place) {
                    Line(true, sx + x + b.port, oy + y, 1);
                    Arrange(kid, arrangement[size_t(kid)], true, sx + x, oy + y + 1);
                }
                x += b.width + 1;
                tierHeight = std::max(tierHeight, b.height);
            }
            if (place) Line(false, sx + lo, oy + y, hi - lo);
            barRow = y;
            height = y + 1 + tierHeight;
            y = height + 1;
        }
        if (place) {
            Emit(v, ox + boxX - minX, oy);
            Line(true, sx + line, oy + own.rows, barRow - own.rows);
        }
        return {maxX - minX, height, line - minX};
    }

    // Picks each manager's arrangement, reports first: the row when its block is no wider than the
    // limit (the table's width for a top person), else the narrowest way that is.
    void Choose(int limit, int tableColumns) {
        for (int v : tree.bottomUp) {
            const std::vector<int>& kids = tree.reports[size_t(v)];
            const int cap = tree.isRoot[size_t(v)] ? tableColumns : limit;
            if (kids.empty()) {
                arrangement[size_t(v)] = {Style::Leaf, 1};
                block[size_t(v)] = Arrange(v, arrangement[size_t(v)], false, 0, 0);
                continue;
            }
            bool leavesOnly =
                std::all_of(kids.begin(), kids.end(), [&](int k) { return tree.reports[size_t(k)].empty(); });
            Arrangement candidates[16];
            int count = 0;
            candidates[count++] = {Style::Row, 1};
            if (leavesOnly && kids.size() >= 2) {
                candidates[count++] = {Style::StackBoth, 1};
                candidates[count++] = {Style::StackOne, 1};
            }
            for (int t = 2; t <= int(kids.size()) && count < 16; ++t)
                if ((int(kids.size()) + t - 1) / t <
                    (int(kids.size()) + t - 2) / (t - 1)) // new tier counts only
                    candidates[count++] = {Style::Hanging, t};
            Block best{};
            Arrangement bestWay{};
            for (int i = 0; i < count; ++i) {
                Block b = Arrange(v, candidates[i], false, 0, 0);
                bool better = i == 0 || (b.width <= cap && best.width > cap) ||
                              (best.width > cap &&
                               (b.width < best.width || (b.width == best.width && b.height < best.height)));
                if (better) {
                    best = b;
                    bestWay = candidates[i];
                }
                if (best.width <= cap) break;
            }
            arrangement[size_t(v)] = bestWay;
            block[size_t(v)] = best;
        }
    }
};

// Several top people: their trees side by side two cells apart, in as many rows as the table's
// width needs. Returns the chart's size; with a layout, places it at (ox, oy).
Block PlaceForest(Attempt& attempt, int tableColumns, ChartLayout* layout, int ox, int oy) {
    int width = 0, height = 0, x = 0, shelfHeight = 0, shelfTop = 0;
    for (int root : attempt.tree.roots) {
        const Block& b = attempt.block[size_t(root)];
        if (x > 0 && x + b.width > tableColumns) {
            shelfTop += shelfHeight + 2;
            x = 0;
            shelfHeight = 0;
        }
        if (layout) {
            attempt.out = layout;
            attempt.Arrange(root, attempt.arrangement[size_t(root)], true, ox + x, oy + shelfTop);
        }
        width = std::max(width, x + b.width);
        x += b.width + 2;
        shelfHeight = std::max(shelfHeight, b.height);
        height = shelfTop + shelfHeight;
    }
    return {width, height, 0};
}

std::vector<Grid> GridsToTry() {
    std::vector<Grid> grids;
    // The presets, largest cells first, landscape before portrait.
    for (int id : {3304, 3307, 3303, 3306, 3309, 3310, 3302, 3305}) {
        const NewPreset* p = FindNewPreset(id);
        grids.push_back({p->cellSize, p->columns, p->rows, 10});
    }
    // Then smaller cells over the whole table picture, and smaller text.
    for (int points : {10, 9, 8, 7}) {
        for (int cellSize : {14, 12, 10, 8}) {
            int cells = std::min(kGridSize, (kLargestTable - 3) / (cellSize + 1));
            grids.push_back({cellSize, cells, cells, points});
        }
    }
    return grids;
}

} // namespace

std::u16string BoxText(const Person& person) {
    std::u16string text = person.name;
    if (!person.title.empty()) text += u" " + person.title;
    if (text.size() > size_t(kTextCapacity - 1)) text.resize(size_t(kTextCapacity - 1));
    return text;
}

ChartLayout LayOutChart(const std::vector<std::u16string>& texts, const std::vector<int>& managerOf,
                        const BoxTextMeasure& measure) {
    const Tree tree = MakeTree(managerOf);
    const size_t n = texts.size();
    ChartLayout result;
    int64_t bestArea = INT64_MAX;
    std::vector<LineWidths> widths;
    int measuredPoints = 0;
    const std::vector<Grid> grids = GridsToTry();
    for (size_t g = 0; g < grids.size(); ++g) {
        const Grid& grid = grids[g];
        if (grid.points != measuredPoints) {
            widths.resize(n);
            for (size_t i = 0; i < n; ++i)
                widths[i] = MeasureText(texts[i], grid.points, measure);
            measuredPoints = grid.points;
        }
        const int lineHeight = measure.lineHeight(grid.points);
        Attempt attempt{tree, std::vector<BoxSize>(n), std::vector<Block>(n), std::vector<Arrangement>(n)};
        int64_t boxArea = 0;
        for (size_t i = 0; i < n; ++i) {
            attempt.box[i] = SizeBox(widths[i], grid, lineHeight);
            boxArea += int64_t(attempt.box[i].columns + 1) * (attempt.box[i].rows + 1);
        }
        const bool last = g + 1 == grids.size();
        // The boxes alone with a cell of space each would not go in: no need to lay them out.
        if (!last && boxArea > int64_t(grid.columns) * grid.rows) continue;
        // Reports of one manager share one box size, so rows and columns of them line up.
        for (int v = 0; v < int(n); ++v) {
            const std::vector<int>& kids = tree.reports[size_t(v)];
            BoxSize common{0, 0};
            for (int k : kids) {
                common.columns = std::max(common.columns, attempt.box[size_t(k)].columns);
                common.rows = std::max(common.rows, attempt.box[size_t(k)].rows);
            }
            for (int k : kids)
                attempt.box[size_t(k)] = common;
        }
        // The widest limit on a subtree that lets the chart fit, tried from the table's width down.
        const int usableRows = grid.rows;
        for (int limit = grid.columns; limit >= 2; limit = limit * 4 / 5) {
            attempt.Choose(limit, grid.columns);
            Block chart = PlaceForest(attempt, grid.columns, nullptr, 0, 0);
            // A chart too large is reported by its most compact form on the smallest cells.
            int64_t area = int64_t(chart.width) * chart.height;
            bool fits = chart.width <= grid.columns && chart.height <= usableRows;
            if (fits || (last && area < bestArea)) {
                bestArea = area;
                result.chartColumns = chart.width;
                result.chartRows = chart.height;
            }
            if (!fits) continue;
            result.fits = true;
            result.cellSize = int16_t(grid.cellSize);
            result.columns = int16_t(grid.columns);
            result.rows = int16_t(grid.rows);
            result.points = int16_t(grid.points);
            // Centred across the table, one row below the top when there is room.
            int ox = (grid.columns - chart.width) / 2, oy = chart.height < usableRows ? 1 : 0;
            PlaceForest(attempt, grid.columns, &result, ox, oy);
            return result;
        }
    }
    return result;
}

void WriteChart(Document& doc, const ChartLayout& layout, const std::vector<std::u16string>& texts) {
    const NewPreset shape{0, layout.cellSize, layout.columns, layout.rows};
    SetPresetTableValues(doc, shape);
    doc.tablePresent = true;
    BuildNewTable(doc, doc.tableColumns, doc.tableRows, kNewTableOrigin, kNewTableOrigin, kGuideGridColor);
    const int pitch = doc.cellWidth + doc.separation;
    for (const ChartBox& b : layout.boxes) {
        // The box as merging makes it: each row joined across, then the rows joined down.
        for (int r = b.row; r < b.row + b.rows; ++r) {
            for (int c = b.column; c < b.column + b.columns; ++c) {
                CellRecord& cell = doc.cellGrid(c, r);
                cell.isBox = 1;
                cell.covered = c > b.column ? 1 : r > b.row ? 2 : 0;
            }
            doc.cellGrid(b.column, r).right = doc.cellGrid(b.column + b.columns - 1, r).right;
        }
        CellRecord& anchor = doc.cellGrid(b.column, b.row);
        anchor.bottom = doc.cellGrid(b.column, b.row + b.rows - 1).bottom;
        AssignField(anchor.text, texts[size_t(b.person)]);
        anchor.fontSize = layout.points;
        anchor.alignment = kAlignCenter;
    }
    for (const ChartLine& l : layout.lines) {
        // From the separation before the first cell to the one after the last, so that lines meet
        // each other and the outlines of the boxes.
        CellRecord& cell = doc.cellGrid(l.column, l.row);
        if (l.vertical) {
            cell.vLineX1 = cell.vLineX2 = cell.left - 1;
            cell.vLineY1 = cell.top - 1;
            cell.vLineY2 = cell.top + l.length * pitch;
            cell.vLineOn = 1;
        } else {
            cell.hLineY1 = cell.hLineY2 = cell.top - 1;
            cell.hLineX1 = cell.left - 1;
            cell.hLineX2 = cell.left + l.length * pitch;
            cell.hLineOn = 1;
        }
    }
}

BuildOutcome BuildChartFromList(Document& doc, std::string_view bytes, const AnsiDecoder& ansi,
                                const BoxTextMeasure& measure, const ListColumns& columns) {
    BuildOutcome outcome;
    CheckedList checked = ReadCheckedList(DecodeListText(bytes, ansi), columns);
    const PeopleList& list = checked.list;
    const std::vector<int>& managerOf = checked.managerOf;
    outcome.people = int(list.people.size());
    if (list.people.empty()) return outcome;
    outcome.undecided = checked.columns.undecided;
    if (!outcome.undecided.empty()) {
        outcome.result = BuildResult::Undecided;
        return outcome;
    }
    outcome.faults = checked.faults;
    if (!outcome.faults.empty()) {
        outcome.result = BuildResult::FaultyList;
        return outcome;
    }
    std::vector<std::u16string> texts;
    texts.reserve(list.people.size());
    for (const Person& p : list.people)
        texts.push_back(BoxText(p));
    ChartLayout layout = LayOutChart(texts, managerOf, measure);
    outcome.chartColumns = layout.chartColumns;
    outcome.chartRows = layout.chartRows;
    if (!layout.fits) {
        outcome.result = BuildResult::TooLarge;
        return outcome;
    }
    // The table from before is the first undo snapshot; a new table empties the history.
    UndoHistory before;
    if (doc.tablePresent) {
        ResetUndoHistory(doc);
        PushUndo(doc);
        before = std::move(doc.undo);
    }
    WriteChart(doc, layout, texts);
    if (!before.undoStack.empty()) doc.undo = std::move(before);
    // The chart exists nowhere else yet.
    doc.modified = true;
    ++doc.changeCount;
    outcome.result = BuildResult::Built;
    return outcome;
}

// The conventions organisation charts are read by, checked on a written table: its boxes as the
// drawing sees them (anchors and the spans of their merges, their texts broken by the drawing's own
// rule with the box font) and its connectors as pixels. Shared by the tests and the benchmarks.
#pragma once

#include "document/Document.h"
#include "document/OrgLayout.h"
#include "document/Spans.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <numeric>
#include <set>
#include <string>
#include <vector>

namespace conventions {

struct Box {
    int column = 0, row = 0, columns = 1, rows = 1;
    std::u16string text;
    int points = 0;
    int breakWidth = 0, textHeight = 0; // pixels the drawing breaks lines at and has for them
};

// The chart boxes of the table as the drawing sees them.
inline std::vector<Box> BoxesOf(const Document& doc) {
    auto spans = std::make_unique<Spans>();
    CountSpans(doc, doc.tableColumns, doc.tableRows, *spans);
    std::vector<Box> boxes;
    for (int r = 0; r < doc.tableRows; ++r)
        for (int c = 0; c < doc.tableColumns; ++c) {
            const CellRecord& cell = doc.cellGrid(c, r);
            if (!cell.isBox || cell.covered) continue;
            Box b{c,
                  r,
                  spans->SpanColumns(c, r) + 1,
                  spans->SpanRows(c, r) + 1,
                  std::u16string(FieldText(cell.text)),
                  cell.fontSize};
            // The drawing's text area: the box's span less its outline.
            const int pitch = doc.cellWidth + doc.separation;
            b.breakWidth = b.columns * pitch - doc.separation - doc.lineThickness;
            b.textHeight = b.rows * pitch - doc.separation - 2 * doc.lineThickness;
            boxes.push_back(std::move(b));
        }
    return boxes;
}

// A connector as pixels on the table picture, by the drawing's rule: the cell's place plus one
// separation per cell before it; the end point is left out.
struct Segment {
    int x1, y1, x2, y2;
};

inline std::vector<Segment> SegmentsOf(const Document& doc) {
    std::vector<Segment> segments;
    for (int r = 0; r < doc.tableRows; ++r)
        for (int c = 0; c < doc.tableColumns; ++c) {
            const CellRecord& cell = doc.cellGrid(c, r);
            int dx = c * doc.separation + 2, dy = r * doc.separation + 2;
            if (cell.vLineOn)
                segments.push_back(
                    {cell.vLineX1 + dx, cell.vLineY1 + dy, cell.vLineX2 + dx, cell.vLineY2 + dy - 1});
            if (cell.hLineOn)
                segments.push_back(
                    {cell.hLineX1 + dx, cell.hLineY1 + dy, cell.hLineX2 + dx - 1, cell.hLineY2 + dy});
        }
    return segments;
}

struct Pixels {
    int left, top, right, bottom; // the outline, inclusive
};

inline Pixels OutlineOf(const Document& doc, const Box& b) {
    const int pitch = doc.cellWidth + doc.separation;
    int left = b.column * pitch + 4, top = b.row * pitch + 4;
    return {left, top, left + b.columns * pitch - 2, top + b.rows * pitch - 2};
}

// Where a segment meets a box: 1 its top edge from above, 2 a side, 3 its bottom edge from below;
// 0 not at all.
inline int Touch(const Segment& s, const Pixels& p) {
    if (s.x1 == s.x2 && s.x1 > p.left && s.x1 < p.right)
        return s.y2 == p.top - 1 ? 1 : s.y1 == p.bottom + 1 ? 3 : 0;
    if (s.y1 == s.y2 && s.y1 > p.top && s.y1 < p.bottom && (s.x2 == p.left - 1 || s.x1 == p.right + 1))
        return 2;
    return 0;
}

inline bool Enters(const Segment& s, const Pixels& p) {
    return std::max(s.x1, p.left) <= std::min(s.x2, p.right) &&
           std::max(s.y1, p.top) <= std::min(s.y2, p.bottom);
}

inline bool Meet(const Segment& a, const Segment& b) {
    return std::max(a.x1, b.x1) <= std::min(a.x2, b.x2) && std::max(a.y1, b.y1) <= std::min(a.y2, b.y2);
}

inline int Find(std::vector<int>& parent, int i) {
    while (parent[size_t(i)] != i)
        i = parent[size_t(i)] = parent[size_t(parent[size_t(i)])];
    return i;
}

// One written table and who stands in it: texts[i], managerOf[i] (-1 at the top of the table) and
// nameLength[i] (0: no name) of its people, whose boxes the layout placed (none: each person's
// text is their own).
struct Page {
    const Document* doc = nullptr;
    const ChartLayout* layout = nullptr;
    std::vector<std::u16string> texts;
    std::vector<int> managerOf, nameLength;
};

// Counts of boxes (rule 1, 7) or managers (2, 3, 4), top people (5) and connectors or reports (6)
// breaking each rule, by rule number; `why` gets a word on the first few.
using Broken = std::array<int, 8>;

inline Broken Check(const Page& page, const BoxTextMeasure& measure,
                    std::vector<std::string>* why = nullptr) {
    Broken broken{};
    auto fault = [&](int rule, const std::string& what) {
        ++broken[size_t(rule)];
        if (why && why->size() < 20) why->push_back("rule " + std::to_string(rule) + ": " + what);
    };
    const Document& doc = *page.doc;
    const int n = int(page.texts.size());
    std::map<std::pair<int, int>, Box> written;
    for (Box& b : BoxesOf(doc))
        written[{b.column, b.row}] = std::move(b);
    std::vector<Box> box(static_cast<size_t>(n));
    std::vector<char> seen(static_cast<size_t>(n), 0);
    if (page.layout) {
        for (const ChartBox& placed : page.layout->boxes) {
            auto it = written.find({placed.column, placed.row});
            if (it == written.end() || it->second.text != page.texts[size_t(placed.person)]) {
                fault(6, "a box not written as placed");
                return broken;
            }
            box[size_t(placed.person)] = it->second;
            seen[size_t(placed.person)] = 1;
        }
    } else { // people told apart by their texts
        std::map<std::u16string, int> byText;
        for (int i = 0; i < n; ++i)
            byText[page.texts[size_t(i)]] = i;
        for (const auto& [at, b] : written) {
            auto it = byText.find(b.text);
            if (it == byText.end()) continue;
            box[size_t(it->second)] = b;
            seen[size_t(it->second)] = 1;
        }
    }
    if (std::count(seen.begin(), seen.end(), 1) != n || int(written.size()) != n) {
        fault(6, "people without a box of their own");
        return broken;
    }
    std::vector<std::vector<int>> reports(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        if (page.managerOf[size_t(i)] >= 0) reports[size_t(page.managerOf[size_t(i)])].push_back(i);

    // 1: the name alone on the first line as the drawing breaks it; 7: no box much taller than its
    // text, the text inside it.
    for (int i = 0; i < n; ++i) {
        const Box& b = box[size_t(i)];
        const std::u16string_view text = b.text;
        const size_t name = size_t(page.nameLength[size_t(i)]);
        const int lines = measure.lineCount(text, b.breakWidth, b.points);
        const int lineHeight = measure.lineHeight(b.points);
        if (name > 0) {
            const size_t next = text.find(u' ', std::min(text.size(), name + 1));
            const std::u16string_view withWord = text.substr(0, next);
            if (measure.lineCount(text.substr(0, name), b.breakWidth, b.points) != 1 ||
                (withWord.size() > name && measure.lineCount(withWord, b.breakWidth, b.points) == 1))
                fault(1, "the first line is not the name alone");
        }
        // The drawing breaks lines at spaces only: a page mark parts from its number at one.
        for (char16_t arrow : {u'\u25BA', u'\u25C4'}) {
            const size_t at = text.rfind(arrow);
            if (at != std::u16string_view::npos && at + 1 < text.size() && text[at + 1] == u' ')
                fault(7, "a page mark that can part from its number");
        }
        if (lines >= kUnfitLines || lines * lineHeight > b.textHeight)
            fault(7, "the text does not fit its box");
        else if (b.textHeight / lineHeight >= lines + 2)
            fault(7, "a box much taller than its text");
    }

    // 6: connectors never through a box, each group of meeting ones joining one manager and some
    // of their people only, every report joined, levels reading downwards.
    std::vector<Pixels> outline;
    for (const Box& b : box)
        outline.push_back(OutlineOf(doc, b));
    const std::vector<Segment> segments = SegmentsOf(doc);
    const int m = int(segments.size());
    std::vector<int> parent(static_cast<size_t>(m));
    std::iota(parent.begin(), parent.end(), 0);
    for (int s = 0; s < m; ++s)
        for (int t = s + 1; t < m; ++t)
            if (Meet(segments[size_t(s)], segments[size_t(t)]))
                parent[size_t(Find(parent, s))] = Find(parent, t);
    std::map<int, std::set<int>> touchedBy;
    std::vector<int> joinedAt(static_cast<size_t>(n),
                              0);                       // how the report is joined: 1 from above, 2 at a side
    std::vector<int> trunk(static_cast<size_t>(n), -1); // pixel column of the line leaving a manager's bottom
    for (int s = 0; s < m; ++s)
        for (int i = 0; i < n; ++i) {
            const Segment& seg = segments[size_t(s)];
            if (Enters(seg, outline[size_t(i)])) fault(6, "a connector through a box");
            const int touch = Touch(seg, outline[size_t(i)]);
            if (touch == 0) continue;
            touchedBy[Find(parent, s)].insert(i);
            if (touch == 3) trunk[size_t(i)] = seg.x1;
            if (touch < 3) joinedAt[size_t(i)] = touch;
        }
    std::vector<int> joined(static_cast<size_t>(n), 0);
    for (const auto& [group, touched] : touchedBy) {
        int manager = -1;
        for (int i : touched)
            if (std::all_of(touched.begin(), touched.end(),
                            [&](int j) { return j == i || page.managerOf[size_t(j)] == i; }))
                manager = i;
        if (manager < 0) fault(6, "connectors join people of different teams");
        for (int i : touched)
            if (i != manager && manager >= 0) joined[size_t(i)] = 1;
    }
    for (int i = 0; i < n; ++i) {
        const int boss = page.managerOf[size_t(i)];
        if (joined[size_t(i)] != (boss >= 0 ? 1 : 0))
            fault(6, "a report not joined to its manager: " +
                         std::string(page.texts[size_t(i)].begin(), page.texts[size_t(i)].end()));
        if (boss >= 0 && box[size_t(i)].row < box[size_t(boss)].row + box[size_t(boss)].rows + 1)
            fault(6, "a report not below its manager");
    }

    // 5: the top people at the top of the table.
    int topRow = INT32_MAX;
    for (const Box& b : box)
        topRow = std::min(topRow, b.row);
    for (int i = 0; i < n; ++i)
        if (page.managerOf[size_t(i)] < 0 && (box[size_t(i)].row > 1 || box[size_t(i)].row != topRow))
            fault(5, "a top person below the top");

    // Everyone below a person, for the rows of teams.
    std::vector<int> lowest(static_cast<size_t>(n)); // the bottom row of each one's subtree
    std::vector<int> order;
    for (int i = 0; i < n; ++i)
        if (page.managerOf[size_t(i)] < 0) order.push_back(i);
    for (size_t k = 0; k < order.size(); ++k)
        for (int r : reports[size_t(order[k])])
            order.push_back(r);
    for (auto v = order.rbegin(); v != order.rend(); ++v) {
        lowest[size_t(*v)] = box[size_t(*v)].row + box[size_t(*v)].rows;
        for (int r : reports[size_t(*v)])
            lowest[size_t(*v)] = std::max(lowest[size_t(*v)], lowest[size_t(r)]);
    }

    for (int v = 0; v < n; ++v) {
        const std::vector<int>& own = reports[size_t(v)];
        if (own.empty()) continue;
        const Pixels& boss = outline[size_t(v)];
        const int line = trunk[size_t(v)];
        auto port = [&](int i) { // the line from above that meets a report
            for (const Segment& seg : segments)
                if (Touch(seg, outline[size_t(i)]) == 1) return seg;
            return Segment{-1, -1, -1, -1};
        };
        // 2: the manager's line leaves from the middle of the box (half a cell off for odd widths).
        if (line < 0 || std::abs(2 * line - (boss.left + boss.right)) > doc.cellWidth + doc.separation + 1)
            fault(2, "a manager's line not from the middle");
        std::vector<int> teams, leaves;
        for (int r : own)
            (reports[size_t(r)].empty() ? leaves : teams).push_back(r);
        // Rows of those joined from above, by their top row.
        std::map<int, std::vector<int>> rows;
        for (int r : own)
            if (joinedAt[size_t(r)] == 1) rows[box[size_t(r)].row].push_back(r);
        for (auto& [row, members] : rows) {
            std::sort(members.begin(), members.end(),
                      [&](int a, int b) { return box[size_t(a)].column < box[size_t(b)].column; });
            const Segment drop = port(members.front());
            if (drop.x1 == line && drop.y1 == boss.bottom + 1) continue; // straight below
            // The bar the row hangs from: the manager centred over it in one row; in several, the
            // line passing between the row's halves.
            int from = INT32_MAX, to = -1;
            for (const Segment& seg : segments)
                if (seg.y1 == seg.y2 && seg.y1 == drop.y1 && seg.x1 <= drop.x1 && seg.x2 >= drop.x1)
                    from = std::min(from, seg.x1), to = std::max(to, seg.x2);
            if (to < 0)
                fault(2, "a report hung from no bar");
            else if (rows.size() == 1 && 2 * line != from + to)
                fault(2, "a manager not centred over their row");
            else if (rows.size() > 1 && !(from < line && to > line))
                fault(2, "a row not on both sides of its manager's line");
        }
        // 3: those who lead teams in rows from above, top-aligned, in list order, each row beneath
        // everything of the row before.
        std::vector<int> read;
        int previousBottom = -1;
        for (const auto& [row, members] : rows) {
            if (row < previousBottom) fault(3, "a row of teams beside a team that has not ended");
            for (int r : members)
                if (!reports[size_t(r)].empty()) {
                    read.push_back(r);
                    previousBottom = std::max(previousBottom, lowest[size_t(r)]);
                }
        }
        for (int r : teams)
            if (joinedAt[size_t(r)] != 1) fault(3, "a team listed beside a line");
        if (read != teams && read.size() == teams.size()) fault(3, "teams out of their order");
        // 4: those who lead nobody together, in one row or one or two columns, in list order, never
        // below the row of teams.
        if (leaves.empty()) continue;
        const int how = joinedAt[size_t(leaves[0])];
        if (!std::all_of(leaves.begin(), leaves.end(), [&](int r) { return joinedAt[size_t(r)] == how; }))
            fault(4, "people who lead nobody split");
        std::vector<int> byPlace(leaves);
        std::sort(byPlace.begin(), byPlace.end(), [&](int a, int b) {
            return std::pair(box[size_t(a)].row, box[size_t(a)].column) <
                   std::pair(box[size_t(b)].row, box[size_t(b)].column);
        });
        if (byPlace != leaves) fault(4, "people who lead nobody out of their order");
        const int firstRow = rows.empty() ? INT32_MAX : rows.begin()->first;
        const int secondRow = rows.size() < 2 ? INT32_MAX : std::next(rows.begin())->first;
        if (how == 1) {
            if (!std::all_of(leaves.begin(), leaves.end(),
                             [&](int r) { return box[size_t(r)].row == firstRow; }))
                fault(4, "people who lead nobody not in one row");
            const std::vector<int>& first = rows.begin()->second;
            std::vector<int> at;
            for (size_t k = 0; k < first.size(); ++k)
                if (reports[size_t(first[k])].empty()) at.push_back(int(k));
            if (!at.empty() && at.back() - at.front() + 1 != int(at.size()))
                fault(4, "people who lead nobody among teams");
        } else {
            std::set<int> columns;
            for (int r : leaves) // the edge each is joined at
                for (const Segment& seg : segments)
                    if (Touch(seg, outline[size_t(r)]) == 2)
                        columns.insert(seg.x2 == outline[size_t(r)].left - 1 ? outline[size_t(r)].left
                                                                             : -outline[size_t(r)].right);
            if (columns.size() > 2) fault(4, "people who lead nobody in more than two columns");
            for (int r : leaves)
                if (box[size_t(r)].row >= secondRow)
                    fault(4, "people who lead nobody below the row of teams");
        }
    }
    return broken;
}

} // namespace conventions

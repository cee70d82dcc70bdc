// The chart built from a list: boxes and connectors written into the table as hand editing makes
// them, checked through the cells of the document.
#include "SampleLists.h"

#include "document/Edit.h"
#include "document/OrgChart.h"
#include "document/Spans.h"
#include "document/Structure.h"
#include "document/Undo.h"
#include "render/BoxTextFit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <numeric>

namespace {

// A deterministic stand-in for the box font: blanks a third, other characters three fifths of
// the size in points.
int Advance(char16_t c, int points) {
    return c == u' ' ? points / 3 : points * 3 / 5;
}

BoxTextMeasure TestMeasure() {
    return MakeBoxTextMeasure(
        [](std::u16string_view text, int points) {
            std::vector<int> extents;
            int x = 0;
            for (char16_t c : text)
                extents.push_back(x += Advance(c, points));
            return extents;
        },
        [](int points) { return points * 3 / 2 + 1; });
}

std::u16string Latin1(std::string_view bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

struct Box {
    int column, row, columns, rows;
    std::u16string text;
};

// The chart boxes of the table as the drawing sees them: anchors and the spans of their merges.
std::vector<Box> BoxesOf(const Document& doc) {
    auto spans = std::make_unique<Spans>();
    CountSpans(doc, doc.tableColumns, doc.tableRows, *spans);
    std::vector<Box> boxes;
    for (int r = 0; r < doc.tableRows; ++r)
        for (int c = 0; c < doc.tableColumns; ++c) {
            const CellRecord& cell = doc.cellGrid(c, r);
            if (cell.isBox && !cell.covered)
                boxes.push_back({c, r, spans->SpanColumns(c, r) + 1, spans->SpanRows(c, r) + 1,
                                 std::u16string(FieldText(cell.text))});
        }
    return boxes;
}

// A connector as pixels on the table picture, by the drawing's rule: the cell's place plus one
// separation per cell before it; the end point is left out.
struct Segment {
    int x1, y1, x2, y2;
};

std::vector<Segment> SegmentsOf(const Document& doc) {
    std::vector<Segment> segments;
    for (int r = 0; r < doc.tableRows; ++r)
        for (int c = 0; c < doc.tableColumns; ++c) {
            const CellRecord& cell = doc.cellGrid(c, r);
            EXPECT_FALSE((cell.vLineOn || cell.hLineOn) && (cell.isBox || cell.covered));
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

Pixels OutlineOf(const Document& doc, const Box& b) {
    const int pitch = doc.cellWidth + doc.separation;
    int left = b.column * pitch + 4, top = b.row * pitch + 4;
    return {left, top, left + b.columns * pitch - 2, top + b.rows * pitch - 2};
}

bool Touches(const Segment& s, const Pixels& p) {
    // Touching: the segment reaches the pixel next to the outline, without entering the box.
    if (s.x1 == s.x2) return s.x1 > p.left && s.x1 < p.right && (s.y2 == p.top - 1 || s.y1 == p.bottom + 1);
    return s.y1 > p.top && s.y1 < p.bottom && (s.x2 == p.left - 1 || s.x1 == p.right + 1);
}

bool Enters(const Segment& s, const Pixels& p) {
    return std::max(s.x1, p.left) <= std::min(s.x2, p.right) &&
           std::max(s.y1, p.top) <= std::min(s.y2, p.bottom);
}

bool Meet(const Segment& a, const Segment& b) {
    return std::max(a.x1, b.x1) <= std::min(a.x2, b.x2) && std::max(a.y1, b.y1) <= std::min(a.y2, b.y2);
}

int Find(std::vector<int>& parent, int i) {
    while (parent[size_t(i)] != i)
        i = parent[size_t(i)] = parent[size_t(parent[size_t(i)])];
    return i;
}

// Checks the chart in the table against the list: every person once with their text in a box
// inside the table, boxes apart, texts fitting their boxes, no connector through a box, each
// report joined to its manager by connectors touching both. Returns the boxes by person.
std::vector<Box> CheckChart(const Document& doc, const PeopleList& list) {
    std::vector<int> managerOf;
    EXPECT_TRUE(CheckPeopleList(list, managerOf).empty());
    std::vector<Box> boxes = BoxesOf(doc);
    EXPECT_EQ(boxes.size(), list.people.size());
    std::map<std::u16string, int> byText;
    for (size_t i = 0; i < boxes.size(); ++i)
        byText[boxes[i].text] = int(i);
    std::vector<Box> ofPerson;
    BoxTextMeasure measure = TestMeasure();
    const int pitch = doc.cellWidth + 1;
    for (const Person& p : list.people) {
        auto it = byText.find(BoxText(p));
        EXPECT_NE(it, byText.end()) << "missing box";
        if (it == byText.end()) return {};
        const Box& b = boxes[size_t(it->second)];
        ofPerson.push_back(b);
        EXPECT_LE(b.column + b.columns, doc.tableColumns);
        EXPECT_LE(b.row + b.rows, doc.tableRows);
        int points = doc.cellGrid(b.column, b.row).fontSize;
        int lines = measure.lineCount(b.text, b.columns * pitch - 2, points);
        EXPECT_LE(lines * measure.lineHeight(points), b.rows * pitch - 2) << "text does not fit";
    }
    // Boxes keep apart: no two outlines share or touch a pixel row and column.
    std::vector<Pixels> outlines;
    for (const Box& b : ofPerson)
        outlines.push_back(OutlineOf(doc, b));
    std::vector<Segment> segments = SegmentsOf(doc);
    const int n = int(outlines.size()), m = int(segments.size());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            Pixels a = outlines[size_t(i)], b = outlines[size_t(j)];
            EXPECT_FALSE(a.left <= b.right + 1 && b.left <= a.right + 1 && a.top <= b.bottom + 1 &&
                         b.top <= a.bottom + 1)
                << "boxes touch";
        }
    // Joined: union of touching boxes and meeting segments; a report's box must be touched by a
    // segment, and each tree is one group, apart from the others.
    std::vector<int> parent(size_t(n + m));
    std::iota(parent.begin(), parent.end(), 0);
    auto join = [&](int a, int b) { parent[size_t(Find(parent, a))] = Find(parent, b); };
    std::vector<int> touched(size_t(n), 0);
    for (int s = 0; s < m; ++s) {
        for (int t = s + 1; t < m; ++t)
            if (Meet(segments[size_t(s)], segments[size_t(t)])) join(n + s, n + t);
        for (int i = 0; i < n; ++i) {
            EXPECT_FALSE(Enters(segments[size_t(s)], outlines[size_t(i)])) << "connector through a box";
            if (Touches(segments[size_t(s)], outlines[size_t(i)])) {
                join(n + s, i);
                ++touched[size_t(i)];
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        if (managerOf[size_t(i)] >= 0) {
            EXPECT_GE(touched[size_t(i)], 1) << "report not joined";
            EXPECT_EQ(Find(parent, i), Find(parent, managerOf[size_t(i)])) << "report apart from manager";
        } else {
            for (int j = 0; j < i; ++j) {
                if (managerOf[size_t(j)] >= 0) continue;
                EXPECT_NE(Find(parent, i), Find(parent, j)) << "trees joined";
            }
        }
    }
    return ofPerson;
}

BuildOutcome Build(Document& doc, const std::string& bytes) {
    return BuildChartFromList(doc, bytes, Latin1, TestMeasure());
}

PeopleList Read(const std::string& bytes) {
    return ReadPeopleList(DecodeListText(bytes, Latin1));
}

} // namespace

TEST(OrgChart, SmallTreeIsTidyOnTheLargestCells) {
    const std::string list =
        "Name,Title,Manager\nAna,Director,\nBo,Sales,Ana\nCy,Support,Ana\nDi,Finance,Ana\n"
        "Ed,Clerk,Bo\nFay,Clerk,Bo\n";
    auto doc = std::make_unique<Document>();
    ASSERT_EQ(Build(*doc, list).result, BuildResult::Built);
    EXPECT_EQ(doc->cellWidth, 64); // the largest landscape preset holds it
    EXPECT_EQ(doc->tableColumns, 17);
    std::vector<Box> boxes = CheckChart(*doc, Read(list));
    ASSERT_EQ(boxes.size(), 6u);
    // Centred: the middle of a manager's box over the middle between its first and last report.
    auto middle2 = [](const Box& b) { return 2 * b.column + b.columns; };
    EXPECT_EQ(middle2(boxes[0]), (middle2(boxes[1]) + middle2(boxes[3])) / 2);
    EXPECT_EQ(middle2(boxes[1]), (middle2(boxes[4]) + middle2(boxes[5])) / 2);
    EXPECT_EQ(boxes[1].row, boxes[3].row);
    EXPECT_LE(boxes[0].row, 1); // near the top
    const CellRecord& anchor = doc->cellGrid(boxes[0].column, boxes[0].row);
    EXPECT_EQ(anchor.alignment, kAlignCenter);
    EXPECT_EQ(anchor.fontSize, 10);
}

TEST(OrgChart, HundredPeopleFitOneTableWithStackedReports) {
    for (bool bom : {false, true}) {
        const std::string list = HundredPeopleList(';', bom);
        auto doc = std::make_unique<Document>();
        BuildOutcome outcome = Build(*doc, list);
        ASSERT_EQ(outcome.result, BuildResult::Built);
        PeopleList people = Read(list);
        ASSERT_EQ(people.people.size(), 99u + 1u);
        std::vector<Box> boxes = CheckChart(*doc, people);
        ASSERT_EQ(boxes.size(), 100u);
        // Reports without reports stand in columns: one below the other under the same manager.
        std::vector<int> managerOf;
        CheckPeopleList(people, managerOf);
        int stacked = 0;
        for (size_t i = 0; i < boxes.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                stacked += managerOf[i] == managerOf[j] && boxes[i].column == boxes[j].column &&
                           boxes[i].row != boxes[j].row;
        EXPECT_GT(stacked, 10);
    }
}

TEST(OrgChart, ForestsStandSideBySideAndWideRowsAreStacked) {
    std::string list = "Name,Title,Manager\nAna,Boss,\nZoe,Boss,\n";
    for (int i = 0; i < 30; ++i)
        list += "P" + std::to_string(i) + ",Clerk," + (i % 2 ? "Ana" : "Zoe") + "\n";
    auto doc = std::make_unique<Document>();
    ASSERT_EQ(Build(*doc, list).result, BuildResult::Built);
    std::vector<Box> boxes = CheckChart(*doc, Read(list));
    ASSERT_EQ(boxes.size(), 32u);
    EXPECT_EQ(boxes[0].row, boxes[1].row);
}

TEST(OrgChart, RefusalsChangeNothingAndUndoTakesTheChartBack) {
    auto doc = std::make_unique<Document>();
    ApplyNewPreset(*doc, *FindNewPreset(3309));
    doc->cellGrid(3, 3).isBox = 1;
    PushUndo(*doc); // an edit of the old table
    const std::vector<CellRecord> before(doc->cellGrid.slots);

    BuildOutcome faulty = Build(*doc, "Name,Title,Manager\nAna,Boss,Nobody\n");
    EXPECT_EQ(faulty.result, BuildResult::FaultyList);
    ASSERT_EQ(faulty.faults.size(), 1u);
    EXPECT_EQ(faulty.faults[0].line, 2);
    EXPECT_EQ(Build(*doc, "Name,Title\n\n").result, BuildResult::EmptyList);
    BuildOutcome tooLarge = Build(*doc, LargeList(3000));
    EXPECT_EQ(tooLarge.result, BuildResult::TooLarge);
    EXPECT_EQ(tooLarge.people, 3000);
    EXPECT_GT(long(tooLarge.chartColumns) * tooLarge.chartRows, 101L * 101L);
    EXPECT_EQ(doc->tableColumns, 44);
    EXPECT_EQ(std::memcmp(before.data(), doc->cellGrid.slots.data(), before.size() * sizeof(CellRecord)), 0);

    ASSERT_EQ(Build(*doc, "Name\nAna\n").result, BuildResult::Built);
    EXPECT_EQ(doc->cellWidth, 64);
    UndoCommand(*doc);
    EXPECT_EQ(doc->cellWidth, 24);
    EXPECT_EQ(doc->tableColumns, 44);
    EXPECT_EQ(std::memcmp(before.data(), doc->cellGrid.slots.data(), before.size() * sizeof(CellRecord)), 0);
    ASSERT_TRUE(PopRedo(*doc));
    EXPECT_EQ(doc->cellWidth, 64);
    EXPECT_EQ(BoxesOf(*doc).size(), 1u);
}

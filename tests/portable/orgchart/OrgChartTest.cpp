// The chart built from a list: boxes and connectors written into the table as hand editing makes
// them, checked through the cells of the document.
#include "SampleLists.h"

#include "document/Edit.h"
#include "document/OrgBoxes.h"
#include "document/OrgChart.h"
#include "document/Spans.h"
#include "document/Structure.h"
#include "document/Undo.h"
#include "render/BoxTextFit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <numeric>
#include <set>
#include <tuple>

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

// Checks the chart in the table against the people (texts[i] the box text of person i, managerOf[i]
// the manager or -1): every person once with their text in a box inside the table, boxes apart,
// boxes of one level equally tall, texts fitting their boxes, no connector through a box, and
// connectors that join each report to its manager and nothing else: every group of meeting
// connectors touches one manager and some of its reports only. A manager whose reports stand in
// one row below a bar is centred over the first and last, the reports in list order. Returns the
// boxes by person.
std::vector<Box> CheckChart(const Document& doc, const std::vector<std::u16string>& texts,
                            const std::vector<int>& managerOf) {
    std::vector<Box> boxes = BoxesOf(doc);
    EXPECT_EQ(boxes.size(), texts.size());
    std::map<std::u16string, int> byText;
    for (size_t i = 0; i < boxes.size(); ++i)
        byText[boxes[i].text] = int(i);
    std::vector<Box> ofPerson;
    BoxTextMeasure measure = TestMeasure();
    const int pitch = doc.cellWidth + 1;
    for (const std::u16string& text : texts) {
        auto it = byText.find(text);
        EXPECT_NE(it, byText.end()) << "missing box";
        if (it == byText.end()) return {};
        const Box& b = boxes[size_t(it->second)];
        ofPerson.push_back(b);
        EXPECT_LE(b.column + b.columns, doc.tableColumns);
        EXPECT_LE(b.row + b.rows, doc.tableRows);
        int points = doc.cellGrid(b.column, b.row).fontSize;
        int lines = measure.lineCount(b.text, b.columns * pitch - kBoxTextMargin, points);
        EXPECT_LE(lines * measure.lineHeight(points), b.rows * pitch - 2) << "text does not fit";
    }
    const int n = int(ofPerson.size());
    std::vector<int> depth(size_t(n), 0);
    for (int i = 0; i < n; ++i)
        for (int m = managerOf[size_t(i)]; m >= 0; m = managerOf[size_t(m)])
            ++depth[size_t(i)];
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j)
            if (depth[size_t(i)] == depth[size_t(j)]) {
                EXPECT_EQ(ofPerson[size_t(i)].rows, ofPerson[size_t(j)].rows);
            }
    // Boxes keep apart: no two outlines share or touch a pixel row and column.
    std::vector<Pixels> outlines;
    for (const Box& b : ofPerson)
        outlines.push_back(OutlineOf(doc, b));
    std::vector<Segment> segments = SegmentsOf(doc);
    const int m = int(segments.size());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            Pixels a = outlines[size_t(i)], b = outlines[size_t(j)];
            EXPECT_FALSE(a.left <= b.right + 1 && b.left <= a.right + 1 && a.top <= b.bottom + 1 &&
                         b.top <= a.bottom + 1)
                << "boxes touch";
        }
    // Groups of meeting connectors, and the boxes each group touches.
    std::vector<int> parent(static_cast<size_t>(m));
    std::iota(parent.begin(), parent.end(), 0);
    for (int s = 0; s < m; ++s)
        for (int t = s + 1; t < m; ++t)
            if (Meet(segments[size_t(s)], segments[size_t(t)]))
                parent[size_t(Find(parent, s))] = Find(parent, t);
    std::map<int, std::set<int>> touchedBy;
    for (int s = 0; s < m; ++s)
        for (int i = 0; i < n; ++i) {
            EXPECT_FALSE(Enters(segments[size_t(s)], outlines[size_t(i)])) << "connector through a box";
            if (Touches(segments[size_t(s)], outlines[size_t(i)])) touchedBy[Find(parent, s)].insert(i);
        }
    std::vector<int> joined(size_t(n), 0);
    for (const auto& [group, touched] : touchedBy) {
        int manager = -1;
        for (int i : touched)
            if (std::all_of(touched.begin(), touched.end(),
                            [&](int j) { return j == i || managerOf[size_t(j)] == i; }))
                manager = i;
        EXPECT_GE(manager, 0) << "connectors join people of different teams";
        for (int i : touched)
            if (i != manager && manager >= 0) joined[size_t(i)] = 1;
    }
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(joined[size_t(i)], managerOf[size_t(i)] >= 0 ? 1 : 0) << "report not joined to its manager";
    // A manager's people read in list order whatever the shape: each report lower than the one
    // before it or to its right.
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            if (managerOf[size_t(i)] >= 0 && managerOf[size_t(j)] == managerOf[size_t(i)]) {
                const Box &a = ofPerson[size_t(i)], &b = ofPerson[size_t(j)];
                EXPECT_TRUE(b.row > a.row || b.column > a.column) << "reports out of their order";
                break;
            }
    // Rows below a bar: the manager's connector midway between those of the first and last report
    // (at the middle of an even box, half a cell beside it on an odd one), reports in list order.
    auto middle2 = [](const Box& b) { return 2 * b.column + b.columns - b.columns % 2; };
    for (int v = 0; v < n; ++v) {
        std::vector<int> reports;
        for (int i = 0; i < n; ++i)
            if (managerOf[size_t(i)] == v) reports.push_back(i);
        const Box& boss = ofPerson[size_t(v)];
        if (reports.size() < 2 || !std::all_of(reports.begin(), reports.end(), [&](int r) {
                return ofPerson[size_t(r)].row == boss.row + boss.rows + 2;
            }))
            continue;
        EXPECT_EQ(2 * middle2(boss),
                  middle2(ofPerson[size_t(reports.front())]) + middle2(ofPerson[size_t(reports.back())]));
        for (size_t k = 1; k < reports.size(); ++k)
            EXPECT_LT(ofPerson[size_t(reports[k - 1])].column, ofPerson[size_t(reports[k])].column);
    }
    return ofPerson;
}

std::vector<Box> CheckChart(const Document& doc, const PeopleList& list) {
    std::vector<int> managerOf;
    EXPECT_TRUE(CheckPeopleList(list, managerOf).empty());
    std::vector<std::u16string> texts;
    for (const Person& p : list.people)
        texts.push_back(BoxText(p));
    return CheckChart(doc, texts, managerOf);
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

namespace {

struct People {
    std::vector<std::u16string> texts;
    std::vector<int> managerOf;
    LayoutOptions options;
};

People Grown(int count, unsigned seed) {
    PeopleList list = Read(GrownOrganisation(count, seed));
    People p;
    EXPECT_TRUE(CheckPeopleList(list, p.managerOf).empty());
    for (const Person& person : list.people) {
        p.texts.push_back(BoxText(person));
        p.options.nameLength.push_back(int(person.name.size()));
    }
    return p;
}

} // namespace

TEST(OrgChart, GrownOrganisationsBuildTidyOnOneTable) {
    for (int count : {12, 45, 90, 115, 150})
        for (unsigned seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(std::to_string(count) + " people, seed " + std::to_string(seed));
            const std::string list = GrownOrganisation(count, seed);
            auto doc = std::make_unique<Document>();
            ASSERT_EQ(Build(*doc, list).result, BuildResult::Built);
            EXPECT_GE(doc->cellWidth, 8);
            EXPECT_GE(doc->cellGrid(BoxesOf(*doc)[0].column, BoxesOf(*doc)[0].row).fontSize, 7);
            CheckChart(*doc, Read(list));
        }
}

TEST(OrgChart, SeveralTopPeopleStandApartAndEachTeamAloneIsLaidOutAsItsOwnChart) {
    // The grown organisation without its top person: the people below it lead teams of their own.
    People whole = Grown(80, 7);
    People forest;
    for (size_t i = 1; i < whole.texts.size(); ++i) {
        forest.texts.push_back(whole.texts[i]);
        forest.managerOf.push_back(std::max(-1, whole.managerOf[i] - 1));
        forest.options.nameLength.push_back(whole.options.nameLength[i]);
    }
    ChartLayout layout = LayOutChart(forest.texts, forest.managerOf, TestMeasure(), forest.options);
    ASSERT_TRUE(layout.fits);
    auto doc = std::make_unique<Document>();
    WriteChart(*doc, layout, forest.texts);
    CheckChart(*doc, forest.texts, forest.managerOf);

    // One team taken out of the whole organisation is laid out as the list of that team alone.
    for (int top = 1; top < 4; ++top) {
        std::vector<int> team{top}, local(whole.texts.size(), -1);
        local[size_t(top)] = 0; // people in the team so far; renumbered below
        for (size_t i = size_t(top) + 1; i < whole.texts.size(); ++i)
            if (whole.managerOf[i] >= 0 && local[size_t(whole.managerOf[i])] >= 0) {
                local[i] = 0;
                team.push_back(int(i));
            }
        if (team.size() < 3) continue;
        People alone;
        for (size_t k = 0; k < team.size(); ++k) {
            local[size_t(team[k])] = int(k);
            int m = whole.managerOf[size_t(team[k])];
            alone.texts.push_back(whole.texts[size_t(team[k])]);
            alone.managerOf.push_back(k == 0 ? -1 : local[size_t(m)]);
            alone.options.nameLength.push_back(whole.options.nameLength[size_t(team[k])]);
        }
        ChartLayout part = LayOutTeam(whole.texts, whole.managerOf, team, TestMeasure(), whole.options);
        ChartLayout own = LayOutChart(alone.texts, alone.managerOf, TestMeasure(), alone.options);
        ASSERT_TRUE(part.fits);
        EXPECT_EQ(part.cellSize, own.cellSize);
        EXPECT_EQ(part.points, own.points);
        ASSERT_EQ(part.boxes.size(), own.boxes.size());
        for (size_t b = 0; b < part.boxes.size(); ++b) {
            EXPECT_EQ(part.boxes[b].person, team[size_t(own.boxes[b].person)]);
            EXPECT_EQ(part.boxes[b].column, own.boxes[b].column);
            EXPECT_EQ(part.boxes[b].row, own.boxes[b].row);
        }
        EXPECT_EQ(part.lines.size(), own.lines.size());
    }
}

TEST(OrgChart, TooManyPeopleAreRefusedWithoutMeasuringAnyText) {
    People many = Grown(kMostPeopleOnATable + 1, 3);
    int measured = 0;
    BoxTextMeasure counting = TestMeasure();
    BoxTextMeasure inner = counting;
    counting.lineCount = [&](std::u16string_view text, int width, int points) {
        ++measured;
        return inner.lineCount(text, width, points);
    };
    counting.lineHeight = [&](int points) {
        ++measured;
        return inner.lineHeight(points);
    };
    ChartLayout layout = LayOutChart(many.texts, many.managerOf, counting, many.options);
    EXPECT_FALSE(layout.fits);
    EXPECT_EQ(measured, 0);
    EXPECT_GT(long(layout.chartColumns) * layout.chartRows, 101L * 101L);
    EXPECT_TRUE(layout.boxes.empty());
}

TEST(OrgChart, BoxesAreTheNarrowestTheirTextGoesInOfEvenOrAnyWidth) {
    People people = Grown(60, 5);
    const BoxTextMeasure measure = TestMeasure();
    std::vector<int> depth;
    for (size_t i = 0; i < people.texts.size(); ++i)
        depth.push_back(people.managerOf[i] < 0 ? 0 : depth[size_t(people.managerOf[i])] + 1);
    for (int points : {7, 10}) {
        std::vector<TextNeeds> needs;
        for (size_t i = 0; i < people.texts.size(); ++i)
            needs.push_back(MeasureText(people.texts[i], people.options.nameLength[i], points, measure));
        for (int cellSize : {8, 10, 14})
            for (bool even : {true, false}) {
                SCOPED_TRACE(std::to_string(points) + "pt, " + std::to_string(cellSize) + "px, even " +
                             std::to_string(even));
                std::vector<int> boxW, boxH;
                ASSERT_TRUE(SizeBoxes(depth, needs, cellSize, measure.lineHeight(points), {1, 1, 0, even},
                                      101, boxW, boxH));
                const int pitch = cellSize + 1, step = even ? 2 : 1;
                for (size_t i = 0; i < boxW.size(); ++i) {
                    const int lines = (boxH[i] * pitch - 4) / measure.lineHeight(points);
                    // The text in its lines, and its name on one line of them, never broken.
                    auto fits = [&](int columns) {
                        const int width = columns * pitch - kBoxTextMargin;
                        const std::u16string_view name = std::u16string_view(people.texts[i])
                                                             .substr(0, size_t(people.options.nameLength[i]));
                        return measure.lineCount(people.texts[i], width, points) <= lines &&
                               measure.lineCount(name, width, points) == 1;
                    };
                    EXPECT_TRUE(fits(boxW[i]));
                    EXPECT_TRUE(boxW[i] - step < 2 || !fits(boxW[i] - step))
                        << "a narrower box holds the text";
                    if (even) {
                        EXPECT_EQ(boxW[i] % 2, 0);
                    }
                }
            }
    }
}

TEST(OrgChart, LayoutsThatShareWhatEarlierOnesFoundAreThoseMadeAfresh) {
    // The teams of several organisations one after the other, as the pages of a split ask for them.
    LayoutCache cache;
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const People org = Grown(40 + 50 * int(seed), seed);
        LayoutOptions sharing = org.options;
        sharing.cache = &cache;
        std::vector<std::vector<int>> teams(1);
        for (size_t i = 0; i < org.texts.size(); ++i) {
            teams[0].push_back(int(i));
            if (org.managerOf[i] == 0) teams.push_back({int(i)});
            for (size_t t = 1; t < teams.size(); ++t)
                if (std::find(teams[t].begin(), teams[t].end(), org.managerOf[i]) != teams[t].end())
                    teams[t].push_back(int(i));
        }
        for (const std::vector<int>& team : teams) {
            const ChartLayout shared = LayOutTeam(org.texts, org.managerOf, team, TestMeasure(), sharing);
            const ChartLayout fresh = LayOutTeam(org.texts, org.managerOf, team, TestMeasure(), org.options);
            ASSERT_EQ(shared.fits, fresh.fits);
            EXPECT_EQ(shared.cellSize, fresh.cellSize);
            EXPECT_EQ(shared.points, fresh.points);
            ASSERT_EQ(shared.boxes.size(), fresh.boxes.size());
            for (size_t b = 0; b < shared.boxes.size(); ++b) {
                const ChartBox &x = shared.boxes[b], &y = fresh.boxes[b];
                EXPECT_EQ(std::tie(x.person, x.column, x.row, x.columns, x.rows),
                          std::tie(y.person, y.column, y.row, y.columns, y.rows));
            }
            ASSERT_EQ(shared.lines.size(), fresh.lines.size());
            for (size_t l = 0; l < shared.lines.size(); ++l) {
                const ChartLine &x = shared.lines[l], &y = fresh.lines[l];
                EXPECT_EQ(std::tie(x.vertical, x.column, x.row, x.length),
                          std::tie(y.vertical, y.column, y.row, y.length));
            }
        }
    }
    EXPECT_FALSE(cache.needs.empty());
}

// The chart built from a list: boxes and connectors written into the table as hand editing makes
// them, checked through the cells of the document.
#include "ChartConventions.h"
#include "SampleLists.h"

#include "document/Edit.h"
#include "document/OrgBoxes.h"
#include "document/ChartSplit.h"
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
#include <random>
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

using conventions::Box;
using conventions::BoxesOf;

// Checks the chart in the table against the people (texts[i] the box text of person i, managerOf[i]
// the manager or -1, nameLength[i] the length of the name it starts with): every person once in a
// box of their own, and every convention of organisation charts kept (see ChartConventions.h).
// Returns the boxes by person.
std::vector<Box> CheckChart(const Document& doc, const std::vector<std::u16string>& texts,
                            const std::vector<int>& managerOf, std::vector<int> nameLength = {}) {
    if (nameLength.empty()) nameLength.assign(texts.size(), 0);
    std::vector<std::string> why;
    const conventions::Broken broken =
        conventions::Check({&doc, nullptr, texts, managerOf, nameLength}, TestMeasure(), &why);
    for (int rule = 1; rule <= 7; ++rule)
        EXPECT_EQ(broken[size_t(rule)], 0) << "rule " << rule << (why.empty() ? "" : ", first: " + why[0]);
    std::map<std::u16string, Box> byText;
    for (const Box& b : BoxesOf(doc))
        byText[b.text] = b;
    EXPECT_EQ(byText.size(), texts.size());
    std::vector<Box> ofPerson;
    for (const std::u16string& text : texts) {
        auto it = byText.find(text);
        EXPECT_NE(it, byText.end()) << "missing box";
        if (it == byText.end()) return {};
        ofPerson.push_back(it->second);
    }
    return ofPerson;
}

std::vector<Box> CheckChart(const Document& doc, const PeopleList& list) {
    std::vector<int> managerOf, nameLength;
    EXPECT_TRUE(CheckPeopleList(list, managerOf).empty());
    std::vector<std::u16string> texts;
    for (const Person& p : list.people) {
        texts.push_back(BoxText(p));
        nameLength.push_back(int(p.name.size()));
    }
    return CheckChart(doc, texts, managerOf, nameLength);
}

BuildOutcome Build(Document& doc, const std::string& bytes) {
    return BuildChartFromList(doc, bytes, Latin1, TestMeasure());
}

PeopleList Read(const std::string& bytes) {
    return ReadPeopleList(DecodeListText(bytes, Latin1));
}

} // namespace

TEST(OrgChart, SmallTreeIsTidyOnAPresetWithBoxesTheSizeOfTheirText) {
    const std::string list =
        "Name,Title,Manager\nAna,Director,\nBo,Sales,Ana\nCy,Support,Ana\nDi,Finance,Ana\n"
        "Ed,Clerk,Bo\nFay,Clerk,Bo\n";
    auto doc = std::make_unique<Document>();
    ASSERT_EQ(Build(*doc, list).result, BuildResult::Built);
    // The largest preset's cells would make every box much taller than its two lines.
    EXPECT_LT(doc->cellWidth, 64);
    std::vector<Box> boxes = CheckChart(*doc, Read(list));
    ASSERT_EQ(boxes.size(), 6u);
    EXPECT_LE(boxes[0].row, 1); // at the top
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
    const int built = doc->cellWidth;
    EXPECT_EQ(BoxesOf(*doc).size(), 1u);
    UndoCommand(*doc);
    EXPECT_EQ(doc->cellWidth, 24);
    EXPECT_EQ(doc->tableColumns, 44);
    EXPECT_EQ(std::memcmp(before.data(), doc->cellGrid.slots.data(), before.size() * sizeof(CellRecord)), 0);
    ASSERT_TRUE(PopRedo(*doc));
    EXPECT_EQ(doc->cellWidth, built);
    EXPECT_EQ(BoxesOf(*doc).size(), 1u);
}

namespace {

struct People {
    std::vector<std::u16string> texts;
    std::vector<int> managerOf;
    LayoutOptions options;
};

People Grown(int count, unsigned seed, bool longTitles = false) {
    PeopleList list = Read(GrownOrganisation(count, seed, longTitles));
    People p;
    EXPECT_TRUE(CheckPeopleList(list, p.managerOf).empty());
    for (const Person& person : list.people) {
        p.texts.push_back(BoxText(person));
        p.options.nameLength.push_back(int(person.name.size()));
    }
    return p;
}

} // namespace

// Organisations of random sizes grown as real ones grow, with everyday titles short and long,
// built as a user builds them: on one table, or into pages where they do not fit one. Every page
// keeps every convention, and a book's pages share one cell and text size.
TEST(OrgChart, EveryBuiltChartKeepsTheConventionsOnEveryPage) {
    std::mt19937 random(34);
    for (int trial = 0; trial < 14; ++trial) {
        const int count = trial == 0 ? 5 : 6 + int(random() % (trial < 10 ? 150u : 400u));
        const unsigned seed = random() % 1000u;
        const bool longTitles = random() % 2 == 0;
        SCOPED_TRACE(std::to_string(count) + " people, seed " + std::to_string(seed) +
                     (longTitles ? ", long titles" : ""));
        const std::string bytes = GrownOrganisation(count, seed, longTitles);
        auto doc = std::make_unique<Document>();
        const BuildResult result = Build(*doc, bytes).result;
        ASSERT_NE(result, BuildResult::FaultyList);
        if (result == BuildResult::Built) {
            CheckChart(*doc, Read(bytes));
            continue;
        }
        const People org = Grown(count, seed, longTitles);
        const ChartSplit split = SplitChart(org.texts, org.managerOf, TestMeasure(), org.options);
        ASSERT_TRUE(split.fits);
        std::vector<int> local(org.texts.size(), -1);
        for (const SplitPage& page : split.pages) {
            EXPECT_EQ(page.layout.cellSize, split.pages[0].layout.cellSize) << "one book, one scale";
            EXPECT_EQ(page.layout.points, split.pages[0].layout.points) << "one book, one scale";
            // The page's people by their place in its texts: the heading copy first, if any.
            conventions::Page checked{doc.get(), &page.layout, page.texts, {}, {}};
            std::vector<int> people(page.people);
            if (page.heading >= 0) people.insert(people.begin(), page.heading);
            for (size_t i = 0; i < people.size(); ++i)
                local[size_t(people[i])] = int(i);
            for (size_t i = 0; i < people.size(); ++i) {
                const int manager = i == 0 && page.heading >= 0 ? -1 : org.managerOf[size_t(people[i])];
                checked.managerOf.push_back(manager >= 0 ? local[size_t(manager)] : -1);
                checked.nameLength.push_back(org.options.nameLength[size_t(people[i])]);
            }
            for (int person : people)
                local[size_t(person)] = -1;
            *doc = Document{};
            WriteChart(*doc, page.layout, page.texts);
            std::vector<std::string> why;
            const conventions::Broken broken = conventions::Check(checked, TestMeasure(), &why);
            for (int rule = 1; rule <= 7; ++rule)
                EXPECT_EQ(broken[size_t(rule)], 0)
                    << "rule " << rule << (why.empty() ? "" : ", first: " + why[0]);
        }
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
                // Cells wider than the room between a name and the word after it cannot keep it
                // alone; the smallest always can.
                if (!SizeBoxes(depth, needs, cellSize, measure.lineHeight(points), {1, 1, even}, 101, boxW,
                               boxH)) {
                    EXPECT_GT(cellSize, 8);
                    continue;
                }
                const int pitch = cellSize + 1;
                for (size_t i = 0; i < boxW.size(); ++i) {
                    const int lines = (boxH[i] * pitch - 4) / measure.lineHeight(points);
                    // The text in its lines, its name alone on the first as the drawing breaks it.
                    const std::u16string_view text = people.texts[i];
                    const size_t name = size_t(people.options.nameLength[i]);
                    auto fits = [&](int columns) {
                        const int drawn = columns * pitch - kBoxBreakMargin;
                        return measure.lineCount(text, columns * pitch - kBoxTextMargin, points) <= lines &&
                               measure.lineCount(text.substr(0, name), columns * pitch - kBoxTextMargin,
                                                 points) == 1 &&
                               measure.lineCount(text.substr(0, text.find(u' ', name + 1)), drawn, points) !=
                                   1;
                    };
                    EXPECT_TRUE(fits(boxW[i]));
                    EXPECT_TRUE(boxW[i] - 1 < 2 || !fits(boxW[i] - 1) || (even && boxW[i] % 2 == 0))
                        << "a narrower box holds the text";
                    EXPECT_TRUE(!even || boxW[i] % 2 == 0 || !fits(boxW[i] + 1)) << "an even box would do";
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

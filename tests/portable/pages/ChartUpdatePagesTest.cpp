// A chart of pages updated from a list: from its own list it is the same book again, its renamed
// pages and a page of the user's own included, and the book written page by page is the chart of
// pages the update leaves.
#include "document/ChartSplit.h"
#include "document/ChartUpdate.h"
#include "document/Structure.h"
#include "render/BoxTextFit.h"
#include "tests/portable/orgchart/SampleLists.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

BoxTextMeasure Measure() {
    return MakeBoxTextMeasure(
        [](std::u16string_view text, int points) {
            std::vector<int> extents;
            int x = 0;
            for (char16_t c : text)
                extents.push_back(x += c == u' ' ? points / 3 : points * 3 / 5);
            return extents;
        },
        [](int points) { return points * 3 / 2 + 1; });
}

std::u16string Latin1(std::string_view bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

} // namespace

TEST(ChartUpdate, ABookFromItsOwnListIsTheSameBookAndBothWaysOfWritingItAgree) {
    const std::string list = GrownOrganisation(400, 3);
    Chart chart;
    auto shown = std::make_unique<Document>();
    ASSERT_EQ(BuildResult::Built, BuildChartPagesFromList(chart, *shown, list, Latin1, Measure()).result);
    ASSERT_GT(PageCount(chart), 2);
    RenamePage(chart, 2, L"Plant floor");
    // A page of the user's own, standing for nobody, stays a page of its own after the chart's.
    ShowPage(chart, *shown, PageCount(chart) - 1);
    AddPage(chart, *shown, L"Legend");
    ApplyNewPreset(*shown, *FindNewPreset(3302));
    AssignField(shown->cellGrid(3, 2).text, u"Blue: sales");
    const int pages = PageCount(chart);
    const std::vector<uint8_t> before = EncodeChartAsBook(chart, *shown);

    for (const std::string& next :
         {list, std::string(list).replace(list.find("Engineer"), 8, "Chief engineer")}) {
        ListForChart read;
        BuildOutcome refused;
        ASSERT_TRUE(ReadListForChart(next, Latin1, {}, read, refused));
        OldChart old = ReadOldChart(chart, *shown);
        const std::vector<int> boxOf = MatchPeople(old, read.checked);
        UpdateOutcome plan = PlanChartUpdate(old, read, Measure());
        ASSERT_EQ(BuildResult::Built, plan.build.result);
        const std::vector<uint8_t> book = EncodeUpdatedBook(old, boxOf, read, plan);
        if (next == list) {
            EXPECT_EQ(before, book);
            continue;
        }
        EXPECT_NE(before, book);
        ApplyChartUpdate(chart, *shown, old, boxOf, read, plan);
        EXPECT_EQ(L"Plant floor", chart.pages[2].name);
        ASSERT_EQ(pages, PageCount(chart));
        ShowPage(chart, *shown, pages - 1);
        EXPECT_EQ(L"Legend", chart.pages[size_t(pages - 1)].name);
        EXPECT_EQ(u"Blue: sales", FieldText(shown->cellGrid(3, 2).text));
        EXPECT_EQ(book, EncodeChartAsBook(chart, *shown));
    }
}

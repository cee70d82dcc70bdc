// The split of large organisations into pages, checked against the organisation itself: every
// person has one box of their own, every page fits, each team's page is headed by its manager's
// copy, and the page marks point both ways between the manager's box and the team's page.
#include "document/ChartSplit.h"

#include "document/Chart.h"
#include "render/BoxTextFit.h"
#include "tests/portable/orgchart/SampleLists.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>

namespace {

BoxTextMeasure TestMeasure() {
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

// A random organisation: a few tops, managers with up to `fanOut` reports, deep and shallow teams.
void RandomOrganisation(std::mt19937& random, int people, int fanOut, std::vector<std::u16string>& texts,
                        std::vector<int>& managerOf) {
    texts.clear();
    managerOf.clear();
    for (int i = 0; i < people; ++i) {
        texts.push_back(u"Person " + std::u16string(1, char16_t(u'A' + i % 26)) + u" " +
                        std::u16string(size_t(random() % 12), u'x') + u"\nTitle");
        int manager = -1;
        if (i >= 2) {
            // Mostly recent people become managers, so that teams nest deeply.
            for (int tries = 0; tries < 8 && manager < 0; ++tries) {
                const int candidate = int(random() % uint32_t(i));
                int reports = 0;
                for (int m : managerOf)
                    reports += m == candidate;
                if (reports < fanOut) manager = candidate;
            }
            if (manager < 0) manager = i - 1;
        }
        managerOf.push_back(manager);
    }
}

// The page number a mark (" ► 12" or " ◄ 3") at the end of a box text names, from 0; -1 without one.
int Mark(const std::u16string& text, char16_t arrow) {
    const size_t at = text.rfind(std::u16string(u" ") + arrow + u"\u00A0");
    if (at == std::u16string::npos) return -1;
    return std::stoi(std::string(text.begin() + long(at) + 3, text.end())) - 1;
}

} // namespace

TEST(ChartSplit, EveryPersonOnceAndMarksPointToTheRightPages) {
    std::mt19937 random(31);
    const BoxTextMeasure measure = TestMeasure();
    for (auto [people, fanOut] : {std::pair{700, 6}, std::pair{400, 12}, std::pair{900, 3}}) {
        SCOPED_TRACE(people);
        std::vector<std::u16string> texts;
        std::vector<int> managerOf;
        RandomOrganisation(random, people, fanOut, texts, managerOf);
        const ChartSplit split = SplitChart(texts, managerOf, measure);
        ASSERT_TRUE(split.fits);
        ASSERT_GT(split.pages.size(), 1u);

        std::vector<int> ownPage(size_t(people), -1), teamPage(size_t(people), -1);
        for (size_t p = 0; p < split.pages.size(); ++p) {
            const SplitPage& page = split.pages[p];
            EXPECT_TRUE(page.layout.fits);
            ASSERT_EQ(page.layout.boxes.size(), page.texts.size());
            ASSERT_EQ(page.texts.size(), page.people.size() + (page.heading >= 0 ? 1 : 0));
            EXPECT_EQ(page.heading < 0, p == 0);
            if (page.heading >= 0) {
                EXPECT_EQ(teamPage[size_t(page.heading)], -1) << "a team on two pages";
                teamPage[size_t(page.heading)] = int(p);
            }
            for (int person : page.people) {
                EXPECT_EQ(ownPage[size_t(person)], -1) << "two boxes of one person";
                ownPage[size_t(person)] = int(p);
                // Everyone's manager is on the page: their own box or the heading copy.
                const int manager = managerOf[size_t(person)];
                const bool managerHere =
                    manager == page.heading ||
                    std::find(page.people.begin(), page.people.end(), manager) != page.people.end();
                EXPECT_TRUE(manager < 0 ? p == 0 : managerHere);
            }
        }
        for (int person = 0; person < people; ++person)
            ASSERT_GE(ownPage[size_t(person)], 0) << "missing";

        for (size_t p = 0; p < split.pages.size(); ++p) {
            const SplitPage& page = split.pages[p];
            size_t text = 0;
            if (page.heading >= 0) {
                // The copy points back to the page of the manager's own box, which comes earlier.
                EXPECT_EQ(Mark(page.texts[0], u'\u25C4'), ownPage[size_t(page.heading)]);
                EXPECT_LT(ownPage[size_t(page.heading)], int(p));
                EXPECT_EQ(page.texts[0].substr(0, texts[size_t(page.heading)].size()),
                          texts[size_t(page.heading)]);
                text = 1;
            }
            for (int person : page.people) {
                const std::u16string& own = page.texts[text++];
                EXPECT_EQ(own.substr(0, texts[size_t(person)].size()), texts[size_t(person)]);
                EXPECT_EQ(Mark(own, u'\u25BA'), teamPage[size_t(person)]);
            }
        }
    }
}

// Boxes as long as a box's text may be: the page marks after them are written whole, in what a
// cell's text field keeps.
TEST(ChartSplit, MarksAfterTheLongestTextsStayWhole) {
    std::mt19937 random(5);
    std::vector<std::u16string> texts;
    std::vector<int> managerOf;
    RandomOrganisation(random, 100, 6, texts, managerOf);
    std::u16string words;
    while (words.size() < size_t(kTextCapacity))
        words += u" word";
    for (size_t i = 0; i < texts.size(); ++i)
        if (std::count(managerOf.begin(), managerOf.end(), int(i)) > 0)
            texts[i] = (texts[i] + words).substr(0, size_t(kTextCapacity - 1));
    const ChartSplit split = SplitChart(texts, managerOf, TestMeasure());
    ASSERT_TRUE(split.fits);
    size_t marks = 0;
    for (size_t p = 0; p < split.pages.size(); ++p) {
        auto doc = std::make_unique<Document>();
        WriteChart(*doc, split.pages[p].layout, split.pages[p].texts);
        for (const ChartBox& box : split.pages[p].layout.boxes) {
            const std::u16string& written = split.pages[p].texts[size_t(box.person)];
            const std::u16string kept(FieldText(doc->cellGrid(box.column, box.row).text));
            if (Mark(written, u'\u25BA') < 0 && Mark(written, u'\u25C4') < 0) continue;
            ++marks;
            EXPECT_EQ(Mark(kept, u'\u25BA'), Mark(written, u'\u25BA'));
            EXPECT_EQ(Mark(kept, u'\u25C4'), Mark(written, u'\u25C4'));
            EXPECT_EQ(kept.size(), size_t(kTextCapacity - 1));
        }
    }
    EXPECT_GT(marks, 0u);
}

// A team that does not fit early on (a long chain) says nothing of a later team of another shape:
// a flat team of 60 fits a table of its own and is laid out to find so, its people on one page.
TEST(ChartSplit, AnEarlyFailureRefusesNoOtherTeamUntried) {
    std::vector<std::u16string> texts = {u"Top"};
    std::vector<int> managerOf = {-1};
    auto add = [&](int manager) {
        texts.push_back(u"Person " + std::u16string(1, char16_t(u'A' + texts.size() % 26)));
        managerOf.push_back(manager);
        return int(texts.size()) - 1;
    };
    const int flat = add(0);
    for (int i = 0; i < 60; ++i)
        add(flat);
    for (int i = 0, above = 0; i < 120; ++i)
        above = add(above);
    const ChartSplit split = SplitChart(texts, managerOf, TestMeasure());
    ASSERT_TRUE(split.fits);
    std::set<size_t> flatPages;
    for (size_t p = 0; p < split.pages.size(); ++p)
        for (int person : split.pages[p].people)
            if (person == flat || managerOf[size_t(person)] == flat) flatPages.insert(p);
    EXPECT_EQ(flatPages.size(), 1u);
}

TEST(ChartSplit, ABookBuiltStraightFromAListIsTheChartOfPagesRecorded) {
    const std::string list = GrownOrganisation(400, 3);
    auto latin1 = [](std::string_view bytes) { return std::u16string(bytes.begin(), bytes.end()); };
    Chart chart;
    auto shown = std::make_unique<Document>();
    ASSERT_EQ(BuildChartPagesFromList(chart, *shown, list, latin1, TestMeasure()).result, BuildResult::Built);
    ASSERT_GT(PageCount(chart), 1);
    std::vector<uint8_t> book;
    ASSERT_EQ(BuildChartBookFromList(book, list, latin1, TestMeasure()).result, BuildResult::Built);
    EXPECT_EQ(book, EncodeChartAsBook(chart, *shown));
}

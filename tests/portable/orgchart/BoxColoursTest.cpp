// Box colours: every palette entry keeps the contrast accessibility guidelines ask for, computed
// here from the WCAG definition of relative luminance; a chart built coloured by department or by
// level fills each person's box with the colour of their group and names each colour in a legend.
#include "document/BoxColours.h"

#include "SerifMeasure.h"
#include "document/OrgChart.h"
#include "document/PersonTag.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {

double RelativeLuminance(uint32_t rgb) {
    double sum = 0;
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    for (int k = 0; k < 3; ++k) {
        const double s = double((rgb >> (16 - 8 * k)) & 0xFF) / 255.0;
        sum += weights[k] * (s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4));
    }
    return sum;
}

std::u16string Latin1(std::string_view bytes) {
    return std::u16string(bytes.begin(), bytes.end());
}

int32_t AsCell(uint32_t rgb) {
    return int32_t(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

} // namespace

TEST(BoxColours, EveryFillIsLightDistinctAndKeepsItsTextAtFourAndAHalfToOne) {
    std::set<uint32_t> fills;
    for (const BoxColour& c : BoxPalette()) {
        const double fill = RelativeLuminance(c.fill), text = RelativeLuminance(c.text);
        EXPECT_GE((fill + 0.05) / (text + 0.05), 4.5) << std::hex << c.fill;
        EXPECT_NEAR(ContrastRatio(c.fill, c.text), (fill + 0.05) / (text + 0.05), 1e-9);
        // Light enough that black text and a grey print stay readable too.
        EXPECT_GE((fill + 0.05) / 0.05, 4.5 * 3) << std::hex << c.fill;
        EXPECT_TRUE(fills.insert(c.fill).second) << std::hex << c.fill;
    }
    EXPECT_GE(fills.size(), 8u);
}

TEST(BoxColours, BoxesTakeTheirGroupsColourAndTheLegendNamesEachGroup) {
    const std::string list = "Name,Title,Reports to,Department\r\n"
                             "Ana Ruiz,Director,,Board\r\n"
                             "Bo Lind,Head of Sales,Ana Ruiz,Sales\r\n"
                             "Cy Moss,Head of Works,Ana Ruiz,Works\r\n"
                             "Di Paz,Seller,Bo Lind,Sales\r\n"
                             "Ed Kim,Seller,Bo Lind,Sales\r\n"
                             "Fa Oda,Builder,Cy Moss,Works\r\n"
                             "Gu Roy,Clerk,Cy Moss,Office\r\n"
                             "Ha Sol,Clerk,Gu Roy,\r\n";
    for (ColourBy by : {ColourBy::Department, ColourBy::Level}) {
        ListColumns columns;
        columns.colourBy = by;
        Document doc;
        ASSERT_EQ(BuildChartFromList(doc, list, Latin1, SerifMeasure(), columns).result, BuildResult::Built);
        // The groups as the list gives them: departments in order of first appearance, or levels.
        const CheckedList checked = ReadCheckedList(Latin1(list));
        std::map<std::u16string, std::u16string> groupOf;
        std::vector<std::u16string> order;
        for (size_t i = 0; i < checked.list.people.size(); ++i) {
            std::u16string group;
            if (by == ColourBy::Department) {
                group = checked.table.rows[checked.columns.firstPerson + i].fields[3];
            } else {
                int level = 1;
                for (int m = checked.managerOf[i]; m >= 0; m = checked.managerOf[size_t(m)])
                    ++level;
                group = u"Level " + std::u16string(1, char16_t(u'0' + level));
            }
            groupOf[checked.list.people[i].name] = group;
            if (!group.empty() && std::find(order.begin(), order.end(), group) == order.end())
                order.push_back(group);
        }
        std::sort(order.begin(), order.end(), [&](auto& a, auto& b) { return a.size() < b.size() || a < b; });
        if (by == ColourBy::Department) order = {u"Board", u"Sales", u"Works", u"Office"};
        auto fillOf = [&](const std::u16string& group) {
            const size_t at = size_t(std::find(order.begin(), order.end(), group) - order.begin());
            return AsCell(BoxPalette()[at % BoxPalette().size()].fill);
        };
        int people = 0;
        std::map<std::u16string, int32_t> legend;
        for (int r = 0; r < doc.tableRows; ++r)
            for (int c = 0; c < doc.tableColumns; ++c) {
                const CellRecord& cell = doc.cellGrid(c, r);
                if (cell.isBox == 0 || cell.covered != 0 || FieldText(cell.text).empty()) continue;
                PersonTag tag;
                if (!ReadPersonTag(cell, tag)) {
                    legend[std::u16string(FieldText(cell.text))] = cell.backColor;
                    continue;
                }
                ++people;
                const std::u16string& group = groupOf.at(tag.key);
                EXPECT_EQ(cell.backColor, group.empty() ? kWhite : fillOf(group)) << int(by);
            }
        EXPECT_EQ(people, int(checked.list.people.size()));
        ASSERT_EQ(legend.size(), order.size()) << int(by);
        for (const std::u16string& group : order)
            EXPECT_EQ(legend.at(group), fillOf(group));
    }
}

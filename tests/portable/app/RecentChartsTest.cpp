// The recent charts list against a plain model (latest first, each chart once whatever its case,
// eight at most), its menu texts and the kept form of its paths.
#include "app/state/RecentCharts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <random>

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

} // namespace

TEST(RecentCharts, RandomReadsRecordsAndRemovalsMatchAPlainList) {
    const std::vector<std::wstring> charts = {L"C:\\Charts\\Board.qdrx",
                                              L"C:\\charts\\board.QDRX",
                                              L"D:\\a.qdrx",
                                              L"\\\\server\\share\\Sales & Marketing.qdrx",
                                              L"C:\\b.qdrx",
                                              L"C:\\c.qdrx",
                                              L"C:\\d.qdrx",
                                              L"C:\\e.qdrx",
                                              L"C:\\f.qdrx",
                                              L"C:\\g.qdrx",
                                              L"C:\\h.qdrx",
                                              L"C:\\i.qdrx"};
    std::vector<std::wstring> list, model;
    std::mt19937 random(8);
    for (int step = 0; step < 3000; ++step) {
        const std::wstring& path = charts[random() % charts.size()];
        auto same = [&](const std::wstring& kept) { return Lower(kept) == Lower(path); };
        model.erase(std::remove_if(model.begin(), model.end(), same), model.end());
        if (random() % 4 == 0) {
            list = WithoutRecentChart(list, path);
        } else {
            list = WithRecentChart(list, path);
            model.insert(model.begin(), path);
            if (model.size() > 8) model.pop_back();
        }
        ASSERT_EQ(model, list) << "step " << step;
    }
}

TEST(RecentCharts, ItemsAreNumberedAndShowTheNameWithItsAmpersands) {
    EXPECT_EQ(L"&1 Board.qdrx", RecentChartItemText(0, L"C:\\Charts\\Board.qdrx"));
    EXPECT_EQ(L"&8 Sales && Marketing.qdrx", RecentChartItemText(7, L"\\\\srv\\x\\Sales & Marketing.qdrx"));
    EXPECT_EQ(L"&2 a.qdrx", RecentChartItemText(1, L"a.qdrx"));
    EXPECT_EQ(L"C:\\Charts", FolderOf(L"C:\\Charts\\Board.qdrx"));
    EXPECT_EQ(L"", FolderOf(L"Board.qdrx"));
}

TEST(RecentCharts, KeptPathsAreAsciiAndReadBackWhole) {
    std::mt19937 random(3);
    for (int round = 0; round < 500; ++round) {
        std::wstring path;
        for (int n = int(random() % 40); n > 0; --n) {
            switch (random() % 4) {
            case 0:
                path += static_cast<wchar_t>(0x20 + random() % 0x5F); // printable ASCII, "%" included
                break;
            case 1:
                path += L"%u00";
                break;
            case 2:
                path += static_cast<wchar_t>(0x80 + random() % 0x780); // accented, Greek, Cyrillic
                break;
            default:
                path += static_cast<wchar_t>(0x3000 + random() % 0x6000); // CJK
            }
        }
        const std::wstring kept = EscapedPath(path);
        EXPECT_TRUE(std::all_of(kept.begin(), kept.end(), [](wchar_t c) { return c >= 0x20 && c < 0x7F; }));
        EXPECT_EQ(path, UnescapedPath(kept));
    }
    EXPECT_EQ(L"%u12", UnescapedPath(L"%u12")); // cut short: taken as it stands
    EXPECT_EQ(L"%uZZZZ", UnescapedPath(L"%uZZZZ"));
}

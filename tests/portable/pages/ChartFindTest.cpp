// Find over the pages of a chart against a plain model: boxes with texts written in random case
// and accents, each search compared with the boxes whose plain text holds the plain word, in
// reading order over the pages, whichever page is shown.
#include "document/ChartFind.h"

#include "document/Chart.h"
#include "document/Structure.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int kHorizontal24 = 3309;

// Each plain letter with forms a list may write it in.
const std::vector<std::u16string> kForms = {u"aAáÁàÄâã", u"eEéÉèËê", u"iIíÍï", u"oOóÓöÖõ", u"uUúÚüÜ", u"nNñÑ",
                                            u"cCçÇ",     u"sSšŠ",    u"lLłŁ",  u"rRřŘ",    u"zZžŽ"};

struct ModelBox {
    int page, column, row;
    std::u16string plain;
};

TEST(ChartFind, FindsEveryBoxHoldingTheTextInReadingOrderBothWays) {
    std::mt19937 random(38);
    for (int round = 0; round < 40; ++round) {
        Chart chart;
        chart.pages.clear();
        Document shown;
        std::vector<ModelBox> model;
        const int pages = 1 + int(random() % 4);
        for (int page = 0; page < pages; ++page) {
            Document doc;
            ApplyNewPreset(doc, *FindNewPreset(kHorizontal24));
            for (int row = 0; row < doc.tableRows; ++row)
                for (int column = 0; column < doc.tableColumns; ++column) {
                    if (random() % 6 != 0) continue;
                    std::u16string plain, written;
                    for (int k = 0, n = 1 + int(random() % 5); k < n; ++k) {
                        if (k > 0 && random() % 3 == 0) {
                            plain += u' ';
                            written += random() % 2 ? u"\r\n" : u"  ";
                        }
                        const std::u16string& forms = kForms[random() % kForms.size()];
                        plain += forms[0];
                        written += forms[random() % forms.size()];
                    }
                    CellRecord& cell = doc.cellGrid(column, row);
                    AssignField(cell.text, written);
                    // A text under a merge is no box of its own.
                    if (random() % 10 == 0)
                        cell.covered = 1;
                    else
                        model.push_back({page, column, row, plain});
                }
            AppendParkedPage(chart, L"p", doc);
        }
        ShowFirstPage(chart, shown);
        ShowPage(chart, shown, int(random() % pages));

        for (int search = 0; search < 10; ++search) {
            const ModelBox& source = model[random() % model.size()];
            const size_t at = random() % source.plain.size();
            std::u16string plain = source.plain.substr(at, 1 + random() % 3);
            if (plain.front() == u' ' || plain.back() == u' ') continue;
            std::u16string what;
            for (char16_t c : plain) {
                const auto form = std::find_if(kForms.begin(), kForms.end(),
                                               [&](const std::u16string& f) { return f[0] == c; });
                what += c == u' ' ? c : (*form)[random() % form->size()];
            }
            std::vector<ModelBox> expected;
            for (const ModelBox& box : model)
                if (box.plain.find(plain) != std::u16string::npos) expected.push_back(box);
            ASSERT_FALSE(expected.empty());
            for (bool backwards : {false, true}) {
                ChartPlace place{0, -1, -1};
                if (backwards) place.page = pages - 1;
                // Once round all of them, and the first found again.
                for (size_t step = 0; step <= expected.size(); ++step) {
                    ASSERT_TRUE(FindInChart(chart, shown, what, place, backwards, place));
                    const size_t i = step % expected.size();
                    const ModelBox& want = expected[backwards ? expected.size() - 1 - i : i];
                    EXPECT_EQ(place.page, want.page);
                    EXPECT_EQ(place.column, want.column);
                    EXPECT_EQ(place.row, want.row);
                }
            }
        }
        ChartPlace none;
        EXPECT_FALSE(FindInChart(chart, shown, u"qqq", {0, -1, -1}, false, none));
    }
}

} // namespace

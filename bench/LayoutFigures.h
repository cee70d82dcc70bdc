// The chart layout's figures on organisations grown as real ones grow, for a given box font: for
// each size, the table and the cell and text size the chart takes, the ratio of its rectangle to
// the cells its boxes and their gaps need at least (a cell beside and below each box) and the time
// of the layout; then, over ten organisations of each size, how many fit one table; last, the charts
// built as a user builds them (one table, or pages where it does not fit), their pages, people per
// page, cells and text, and how many times each convention of organisation charts is broken.
#pragma once

#include "document/ChartSplit.h"
#include "document/OrgChart.h"
#include "tests/portable/orgchart/ChartConventions.h"
#include "tests/portable/orgchart/SampleLists.h"

#include <chrono>
#include <cstdio>
#include <functional>

namespace layout_figures {

struct Prepared {
    std::vector<std::u16string> texts;
    std::vector<int> managerOf;
    LayoutOptions options;
};

inline Prepared Prepare(int people, unsigned seed, bool longTitles = false) {
    auto latin1 = [](std::string_view bytes) { return std::u16string(bytes.begin(), bytes.end()); };
    PeopleList list = ReadPeopleList(DecodeListText(GrownOrganisation(people, seed, longTitles), latin1));
    Prepared p;
    CheckPeopleList(list, p.managerOf);
    for (const Person& person : list.people) {
        p.texts.push_back(BoxText(person));
        p.options.nameLength.push_back(int(person.name.size()));
    }
    return p;
}

// `fresh` makes a measure that knows no text yet, so that every layout measures all its texts.
inline void Print(const std::function<BoxTextMeasure()>& fresh) {
    std::printf("people  table    cell  text  chart      area ratio  time\n");
    for (int people : {50, 100, 150, 200, 300, 1500}) {
        Prepared p = Prepare(people, 1);
        BoxTextMeasure measure = fresh();
        auto start = std::chrono::steady_clock::now();
        ChartLayout layout = LayOutChart(p.texts, p.managerOf, measure, p.options);
        double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        long boxCells = 0;
        for (const ChartBox& b : layout.boxes)
            boxCells += long(b.columns + 1) * (b.rows + 1);
        if (layout.fits)
            std::printf("%6d  %3dx%-3d  %2dpx  %2dpt  %3dx%-3d    %.2f      %7.2f ms\n", people,
                        layout.columns, layout.rows, layout.cellSize, layout.points, layout.chartColumns,
                        layout.chartRows, double(layout.chartColumns) * layout.chartRows / double(boxCells),
                        ms);
        else
            std::printf("%6d  refused: would need %dx%d cells at %dpx, %dpt   %7.2f ms\n", people,
                        layout.chartColumns, layout.chartRows, layout.cellSize, layout.points, ms);
    }
    std::printf("\norganisations that fit one table, of ten seeds each; their largest area ratio\n");
    for (int people = 50; people <= 250; people += people < 150 ? 50 : 10) {
        int fit = 0;
        double worst = 0;
        for (unsigned seed = 1; seed <= 10; ++seed) {
            Prepared p = Prepare(people, seed);
            ChartLayout layout = LayOutChart(p.texts, p.managerOf, fresh(), p.options);
            long boxCells = 0;
            for (const ChartBox& b : layout.boxes)
                boxCells += long(b.columns + 1) * (b.rows + 1);
            if (layout.fits)
                worst = std::max(worst, double(layout.chartColumns) * layout.chartRows / double(boxCells));
            fit += layout.fits;
        }
        std::printf("%6d people: %2d of 10", people, fit);
        if (fit > 0) std::printf(", area ratio at most %.2f", worst);
        std::printf("\n");
    }
}

// The pages a chart is built into: one table when it fits, else the split's pages, each with the
// texts, managers (the heading copy leads the page's top people) and name lengths of its boxes.
struct BuiltPage {
    ChartLayout layout;
    conventions::Page people;
};

inline std::vector<BuiltPage> BuildPages(const Prepared& p, const BoxTextMeasure& measure) {
    std::vector<BuiltPage> pages;
    ChartLayout whole = LayOutChart(p.texts, p.managerOf, measure, p.options);
    if (whole.fits) {
        pages.push_back({std::move(whole), {nullptr, nullptr, p.texts, p.managerOf, p.options.nameLength}});
        return pages;
    }
    ChartSplit split = SplitChart(p.texts, p.managerOf, measure, p.options);
    std::vector<int> local(p.texts.size(), -1);
    for (SplitPage& page : split.pages) {
        BuiltPage built{std::move(page.layout), {nullptr, nullptr, page.texts, {}, {}}};
        std::vector<int> people(page.people);
        if (page.heading >= 0) people.insert(people.begin(), page.heading);
        for (size_t i = 0; i < people.size(); ++i)
            local[size_t(people[i])] = int(i);
        for (size_t i = 0; i < people.size(); ++i) {
            const int manager = i == 0 && page.heading >= 0 ? -1 : p.managerOf[size_t(people[i])];
            built.people.managerOf.push_back(manager >= 0 ? local[size_t(manager)] : -1);
            built.people.nameLength.push_back(p.options.nameLength[size_t(people[i])]);
        }
        for (int person : people)
            local[size_t(person)] = -1;
        pages.push_back(std::move(built));
    }
    if (!split.fits) pages.clear();
    return pages;
}

// For each size, ten organisations with short titles and ten with long ones built and every page
// checked: pages, people per page, the cell and text sizes the pages take, and how many boxes,
// managers or connectors break each convention (1 to 7), with the longest build.
// `breaking` makes the measure the checks read the drawn texts with: the drawing's own breaking.
inline void PrintConventions(const std::function<BoxTextMeasure()>& fresh,
                             const std::function<BoxTextMeasure()>& breaking) {
    std::printf(
        "people titles  pages  per page  cells px  text pt   broken 1 2 3 4 5 6 7   one scale  longest\n");
    for (int people : {25, 60, 100, 150, 200, 1516})
        for (bool longTitles : {false, true}) {
            int pages = 0, refused = 0, smallCell = 99, largeCell = 0, smallText = 99, largeText = 0,
                mixed = 0;
            conventions::Broken broken{};
            double longest = 0;
            for (unsigned seed = 1; seed <= 10; ++seed) {
                const Prepared p = Prepare(people, seed, longTitles);
                const BoxTextMeasure measure = fresh(), drawn = breaking();
                auto start = std::chrono::steady_clock::now();
                const std::vector<BuiltPage> built = BuildPages(p, measure);
                longest = std::max(longest, std::chrono::duration<double, std::milli>(
                                                std::chrono::steady_clock::now() - start)
                                                .count());
                if (built.empty()) {
                    ++refused;
                    continue;
                }
                pages += int(built.size());
                auto doc = std::make_unique<Document>();
                for (const BuiltPage& page : built) {
                    smallCell = std::min<int>(smallCell, page.layout.cellSize);
                    largeCell = std::max<int>(largeCell, page.layout.cellSize);
                    smallText = std::min<int>(smallText, page.layout.points);
                    largeText = std::max<int>(largeText, page.layout.points);
                    mixed += page.layout.cellSize != built[0].layout.cellSize ||
                             page.layout.points != built[0].layout.points;
                    *doc = Document{};
                    WriteChart(*doc, page.layout, page.people.texts);
                    conventions::Page checked = page.people;
                    checked.doc = doc.get();
                    checked.layout = &page.layout;
                    const conventions::Broken found = conventions::Check(checked, drawn);
                    for (size_t rule = 1; rule < found.size(); ++rule)
                        broken[rule] += found[rule];
                }
            }
            const int built = 10 - refused;
            std::printf(
                "%6d %-6s %6.1f  %8.1f  %3d..%-3d  %2d..%-2d      %2d %d %d %d %d %d %d  %s  %7.0f ms",
                people, longTitles ? "long" : "short", built ? double(pages) / built : 0.0,
                pages ? double(people) * built / pages : 0.0, smallCell, largeCell, smallText, largeText,
                broken[1], broken[2], broken[3], broken[4], broken[5], broken[6], broken[7],
                mixed ? "pages differ" : "every book ", longest);
            if (refused) std::printf("  (%d refused)", refused);
            std::printf("\n");
        }
}

} // namespace layout_figures

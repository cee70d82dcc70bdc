// The chart layout's figures on organisations grown as real ones grow, for a given box font: for
// each size, the table and the cell and text size the chart takes, the ratio of its rectangle to
// the cells its boxes and their gaps need at least (a cell beside and below each box) and the time
// of the layout; then, over ten organisations of each size, how many fit one table.
#pragma once

#include "document/OrgChart.h"
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

inline Prepared Prepare(int people, unsigned seed) {
    auto latin1 = [](std::string_view bytes) { return std::u16string(bytes.begin(), bytes.end()); };
    PeopleList list = ReadPeopleList(DecodeListText(GrownOrganisation(people, seed), latin1));
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

} // namespace layout_figures

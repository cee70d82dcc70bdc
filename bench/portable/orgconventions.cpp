// Charts built from grown organisations checked against the conventions of organisation charts,
// with a stand-in for the box font (see bench/LayoutFigures.h); the Windows benchmark orgchart_gdi
// prints the same with the real one.
#include "bench/LayoutFigures.h"
#include "tests/portable/orgchart/SerifMeasure.h"

int main() {
    layout_figures::PrintConventions(SerifMeasure, SerifMeasure);
    return 0;
}

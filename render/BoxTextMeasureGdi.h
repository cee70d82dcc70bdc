// The chart builder's measure of box texts on GDI: the font a box of the built chart draws with,
// measured on a screen-compatible DC.
#pragma once

#include "document/OrgChart.h"

#include <cstdint>

// A measure of the box font (the face of a fresh box, centred, at the size asked) in the given
// character set, at the screen's resolution: its lines hold the text as drawn, glyphs placed where
// the font puts them.
BoxTextMeasure MakeGdiBoxTextMeasure(int16_t characterSet);

// The same font's lines broken as the table's drawing breaks them, by the reported advances alone.
BoxTextMeasure MakeGdiBreakingMeasure(int16_t characterSet);

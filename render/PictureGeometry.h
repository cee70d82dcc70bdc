// Sizes and places of pictures: the keep-proportions rule of the picture loader and the offsets of
// the cut exports. No Windows API, so it is tested natively.
#pragma once

#include <cstdint>

// Shrinks width x height to the image's proportions without ever enlarging the image: the side
// on which the image is relatively larger fits the box, and an image smaller than the box keeps
// its own size.
void KeepProportions(double imageWidth, double imageHeight, int& width, int& height);

// Offset passed to DrawTable for a cut export and the pixels added to drawnRight / drawnBottom, so
// that the outline of the top-left box begins in the first row and column of the export. A
// thickness outside 1..5 takes the nearest row (clamped is then true).
struct ExportGeometry {
    int offset = 0;
    int extra = 0;
    bool clamped = false;
};
ExportGeometry ExportGeometryFor(int32_t lineThickness);

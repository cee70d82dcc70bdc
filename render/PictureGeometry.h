// Where cell pictures and cut exports go: the inside of a box by line thickness, the
// keep-proportions rule of the picture loader, the two fields of a cell's image text and the
// export offsets. No Windows API, so it is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A picture's place on the table picture.
struct PictureBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The inside of the box L, T, R, B that a thick outline leaves free. Only thicknesses 1 to 5 have
// a place for a picture; other thicknesses (from a work file) show none.
std::optional<PictureBox> CellPictureBox(int32_t lineThickness, int left, int top, int right, int bottom);

// Shrinks width x height to the image's proportions without ever enlarging the image: the side
// on which the image is relatively larger fits the box, and an image smaller than the box keeps
// its own size.
void KeepProportions(double imageWidth, double imageHeight, int& width, int& height);

// The image text of a cell: "path|former colour". The colour is the leading number of the second
// field (0 when there is none), so the text typed by older versions still reads.
struct ImageSpec {
    std::string path;
    int32_t fill = 0;
};
ImageSpec SplitImageSpec(std::string_view spec);

// Offset passed to DrawTable for a cut export and the pixels added to drawnRight / drawnBottom, so
// that the outline of the top-left box begins in the first row and column of the export. A
// thickness outside 1..5 takes the nearest row (clamped is then true).
struct ExportGeometry {
    int offset = 0;
    int extra = 0;
    bool clamped = false;
};
ExportGeometry ExportGeometryFor(int32_t lineThickness);

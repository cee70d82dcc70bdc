// Places and sizes of cell pictures and cut exports.
#include "render/PictureGeometry.h"

#include <cmath>
#include <limits>

namespace {

// Per thickness 1..5: how much of the box the outline takes and where the inside begins.
struct InsideRow {
    int shrink;
    int inset;
};
constexpr InsideRow kInside[5] = {{2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}};

constexpr ExportGeometry kExport[5] = {
    {-2, 0, false}, {-1, 0, false}, {-1, 1, false}, {0, 1, false}, {0, 2, false}};

} // namespace

std::optional<PictureBox> CellPictureBox(int32_t lineThickness, int left, int top, int right, int bottom) {
    if (lineThickness < 1 || lineThickness > 5) return std::nullopt;
    const InsideRow& row = kInside[lineThickness - 1];
    return PictureBox{left + row.inset, top + row.inset, right - left - row.shrink,
                      bottom - top - row.shrink};
}

void KeepProportions(double imageWidth, double imageHeight, int& width, int& height) {
    if (imageWidth <= 0 || imageHeight <= 0 || width <= 0 || height <= 0) return;
    double widthRatio = imageWidth / width;
    double heightRatio = imageHeight / height;
    // The side on which the image is relatively larger decides. When even that side fits, the
    // whole image fits and is drawn at its own size rather than stretched to the box.
    if (widthRatio > heightRatio ? width < imageWidth : height < imageHeight) {
        if (widthRatio > heightRatio)
            height = static_cast<int>(std::lround(imageHeight / widthRatio));
        else
            width = static_cast<int>(std::lround(imageWidth / heightRatio));
    } else {
        width = static_cast<int>(std::lround(imageWidth));
        height = static_cast<int>(std::lround(imageHeight));
    }
}

ImageSpec SplitImageSpec(std::string_view spec) {
    ImageSpec result;
    size_t bar = spec.find('|');
    result.path = std::string(spec.substr(0, bar));
    if (bar == std::string_view::npos) return result;
    std::string_view colour = spec.substr(bar + 1);
    colour = colour.substr(0, colour.find('|'));

    size_t i = 0;
    while (i < colour.size() && (colour[i] == ' ' || colour[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < colour.size() && (colour[i] == '-' || colour[i] == '+')) negative = colour[i++] == '-';
    int64_t value = 0;
    for (; i < colour.size() && colour[i] >= '0' && colour[i] <= '9'; ++i) {
        value = value * 10 + (colour[i] - '0');
        if (value > std::numeric_limits<uint32_t>::max()) break; // a colour never gets here
    }
    if (negative) value = -value;
    // Colours are 32-bit values; a larger number keeps its low 32 bits as a stored LONG would.
    result.fill = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
    return result;
}

ExportGeometry ExportGeometryFor(int32_t lineThickness) {
    if (lineThickness < 1) return {kExport[0].offset, kExport[0].extra, true};
    if (lineThickness > 5) return {kExport[4].offset, kExport[4].extra, true};
    return kExport[lineThickness - 1];
}

// Places and sizes of cell pictures and cut exports.
#include "render/PictureGeometry.h"

#include <cmath>

namespace {

constexpr ExportGeometry kExport[5] = {
    {-2, 0, false}, {-1, 0, false}, {-1, 1, false}, {0, 1, false}, {0, 2, false}};

} // namespace

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

ExportGeometry ExportGeometryFor(int32_t lineThickness) {
    if (lineThickness < 1) return {kExport[0].offset, kExport[0].extra, true};
    if (lineThickness > 5) return {kExport[4].offset, kExport[4].extra, true};
    return kExport[lineThickness - 1];
}

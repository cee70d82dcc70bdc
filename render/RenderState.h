// The renderer's program-wide state: the four off-screen pictures and the values DrawTable leaves
// for the text layout and the exports.
#pragma once

#include "render/GdiObjects.h"
#include "render/PictureCache.h"

#include <cstdint>

constexpr int kTablePictureSize = 1122;
constexpr int kRulerThickness = 21;

struct RenderState {
    Picture tablePicture;  // 1122 x 1122, the only target of DrawTable
    Picture viewPicture;   // the table picture shifted by the view offset, shown in the canvas
    Picture rulerPicture;  // 21 x 1122, the whole vertical ruler
    Picture rulerView;     // the vertical ruler shifted by the view offset

    int16_t spanWidth = 0;
    int16_t spanHeight = 0;
    int16_t drawnRight = 0;
    int16_t drawnBottom = 0;
    int32_t exportMode = 0;

    PictureCache pictureCache; // decoded cell pictures, reused while their files stay the same
};

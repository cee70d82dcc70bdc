// The renderer's program-wide state: the off-screen pictures, the values DrawTable leaves for the
// text layout and the exports, and the shared fonts.
#pragma once

#include "render/DrawnTable.h"
#include "render/FontCache.h"
#include "render/GdiObjects.h"
#include "render/PictureCache.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int kTablePictureSize = 1122;
constexpr int kRulerThickness = 21;

// A cell picture's file and the area it was drawn into, in the drawing's coordinates.
struct DrawnPictureFile {
    RECT area{};
    std::wstring path;
};

struct RenderState {
    Picture tablePicture;           // 1122 x 1122, the only target of DrawTable
    Picture viewPicture;            // the table picture shifted by the view offset, shown in the canvas
    Picture rulerPicture;           // 21 x 1122, the whole vertical ruler
    Picture rulerView;              // the vertical ruler shifted by the view offset
    Picture horizontalRulerPicture; // 1122 x 21, what the horizontal ruler shows

    int16_t spanWidth = 0;  // drawn width of the cell being drawn
    int16_t spanHeight = 0; // drawn height of the cell being drawn
    int16_t drawnRight = 0;
    int16_t drawnBottom = 0;
    int32_t exportMode = 0;
    // While a picture for documents is drawn (clipboard, vector export, print): the chart as it is
    // recorded, without the marks and the selection of the editing.
    bool documentPicture = false;
    // Line thickness of the table being drawn: a cell's text is laid out inside its outline.
    int32_t lineThickness = 1;

    DrawnTable drawn; // what tablePicture shows
    // viewPicture holds the table picture copied at these offsets at 100 %, so a change to the
    // table picture is copied into it alone.
    bool viewComposed = false;
    int32_t composedOffsetX = 0;
    int32_t composedOffsetY = 0;
    // At other zooms viewPicture holds the table drawn at composedZoom and the composed offsets,
    // with the extent of every cell as drawn there (in the table's own coordinates, by CellIndex),
    // so a change to cells is drawn again there alone.
    bool viewZoomComposed = false;
    int composedZoom = 0;
    std::vector<RECT> viewExtents;
    // A scroll put the pictures on screen straight from the table and ruler pictures: the view
    // pictures are composed again before anything reads them.
    bool viewBehind = false;
    bool rulerViewBehind = false;
    // What rulerPicture was drawn for: style, rows, cell height, separation, paper; valid when set.
    bool verticalRulerDrawn = false;
    int32_t verticalRulerKey[5] = {};
    FontCache fonts;
    PictureCache pictureCache;           // decoded cell pictures, reused while their files stay the same
    WNDPROC previousRulerProc = nullptr; // the ruler controls' own window procedure

    // The canvas shows the table at this zoom (percent of the table's own pixels); the rulers
    // follow it. Their thickness and labels follow the screen's DPI.
    int zoomPercent = 100;
    int screenDpi = 96;
    // While set, each cell picture drawn from a file is listed here: the PDF export embeds JPEG
    // files themselves rather than the pixels drawn from them.
    std::vector<DrawnPictureFile>* drawnPictureFiles = nullptr;
};

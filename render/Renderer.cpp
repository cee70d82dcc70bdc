// The table renderer and the small routines of the redraw sequence.
#include "render/Renderer.h"

#include "render/AnsiText.h"
#include "render/Dpi.h"

#include "document/Spans.h"
#include "render/NumberFormat.h"
#include "render/Pictures.h"
#include "render/TextLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <memory>
#include <string_view>

namespace {

// GDI takes coordinates of about 27 bits; values from a damaged file are kept inside that.
constexpr int64_t kCoordinateLimit = 1 << 26;

int Coordinate(int64_t value) {
    return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

COLORREF Colour(int32_t value) {
    return static_cast<COLORREF>(value) & 0xFFFFFF;
}

// The pen, brush, font and text colour set on the target, so that each cell changes only what
// differs from the cell before. Fills use the DC brush, whose colour is set without any object;
// a metafile records no DC brush colour, so a recording gets a solid brush per colour instead.
struct TargetState {
    HDC dc;
    HGDIOBJ pen = nullptr;
    HGDIOBJ brush = nullptr;
    COLORREF fillColour = CLR_INVALID;
    HFONT font = nullptr;
    COLORREF textColour = CLR_INVALID;
    bool recording = GetObjectType(dc) == OBJ_ENHMETADC;
    std::map<COLORREF, BrushHandle> solidBrushes; // deselected before they are deleted

    void UsePen(HPEN wanted) {
        if (pen != wanted) pen = SelectObject(dc, wanted) ? wanted : pen;
    }
    void UseBrush(HGDIOBJ wanted) {
        if (brush != wanted) brush = SelectObject(dc, wanted) ? wanted : brush;
    }
    void UseFill(COLORREF colour) {
        if (recording) {
            BrushHandle& solid = solidBrushes[colour];
            if (!solid) solid.Reset(CreateSolidBrush(colour));
            UseBrush(solid.Get());
            fillColour = colour;
            return;
        }
        UseBrush(GetStockObject(DC_BRUSH));
        if (fillColour != colour) {
            SetDCBrushColor(dc, colour);
            fillColour = colour;
        }
    }
    void UseHollow() { UseBrush(GetStockObject(NULL_BRUSH)); }
    void UseFont(HFONT wanted) {
        if (font != wanted) {
            SelectObject(dc, wanted);
            font = wanted;
        }
    }
    void UseTextColour(COLORREF colour) {
        if (textColour != colour) {
            SetTextColor(dc, colour);
            textColour = colour;
        }
    }
};

// Everything one DrawTable call shares between its cells.
struct TableDrawing {
    RenderState& render;
    const Document& doc;
    TargetState state;
    int16_t characterSet;
    int logPixelsY;
    int thickness;
    int separation;
    int offsetX;
    int offsetY;
    PenHandle blackPen;
    PenHandle gridPen;
    BrushHandle hatch;         // made when the first placeholder needs it
    RECT visible;              // the target's drawable area
    bool visibleIsBox = false; // the drawable area is that one rectangle
    bool textUnscaled = false; // texts land unscaled on a picture of textBits bits per pixel
    int textBits = 0;
    double unitsPerPixel = 1; // units of the target in one of its pixels (not 1 when zoomed)
    bool draw = true;
    RECT extent{}; // of the cell being drawn
    RECT extentBounds{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    std::vector<CellLayout>* layouts = nullptr;
    size_t cellIndex = 0;

    // Wide outlines and connectors are centred on their path and reach beyond it; a rectangle of
    // the one-pixel pen stays inside [left, right) x [top, bottom).
    int PenReach() const { return thickness <= 1 ? 0 : thickness / 2 + 1; }
    void Touch(int64_t left, int64_t top, int64_t right, int64_t bottom, int reach) {
        GrowExtentWithin(extent, extentBounds, Coordinate(left - reach), Coordinate(top - reach),
                         Coordinate(right + reach), Coordinate(bottom + reach));
    }
};

struct CellBox {
    int left, top, right, bottom;
};

// Outlines are solid with square corners. A pen wider than one pixel from CreatePen has round
// joins, which leave the outer corner pixels unpainted, so wider pens are geometric with mitred
// joins. Their ends are flat: a connector drawn with the same pen ends where its points say, as
// the one-pixel line does. One pixel stays the cosmetic pen, whose pixels are exact.
PenHandle OutlinePen(int thickness, COLORREF colour) {
    if (thickness <= 1) return PenHandle(CreatePen(PS_SOLID, thickness, colour));
    LOGBRUSH brush{BS_SOLID, colour, 0};
    return PenHandle(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_JOIN_MITER | PS_ENDCAP_FLAT,
                                  static_cast<DWORD>(thickness), &brush, 0, nullptr));
}

void DrawBox(TableDrawing& d, const CellBox& box) {
    d.Touch(box.left, box.top, box.right, box.bottom, d.PenReach());
    if (d.draw) DrawRectangle(d.state.dc, box.left, box.top, box.right, box.bottom);
}

// Connectors run in the coordinates of the cell records; the end point gets the separations
// swallowed by a merge, the start point does not.
void DrawConnectors(TableDrawing& d, const CellRecord& cell, int column, int row, int spanColumns,
                    int spanRows) {
    if (cell.vLineOn != 1 && cell.hLineOn != 1) return;
    d.state.UsePen(d.blackPen.Get());
    const int64_t baseX = int64_t(column) * d.separation + d.offsetX;
    const int64_t baseY = int64_t(row) * d.separation + d.offsetY;
    const int64_t extendX = int64_t(spanColumns) * d.separation;
    const int64_t extendY = int64_t(spanRows) * d.separation;
    auto line = [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        const int fromX = Coordinate(baseX + x1), fromY = Coordinate(baseY + y1);
        const int toX = Coordinate(baseX + x2 + extendX), toY = Coordinate(baseY + y2 + extendY);
        // A line covers both its end points' columns and rows (the last point is left out).
        d.Touch(std::min(fromX, toX), std::min(fromY, toY), int64_t(std::max(fromX, toX)) + 1,
                int64_t(std::max(fromY, toY)) + 1, d.thickness / 2 + 1);
        if (!d.draw) return;
        MoveToEx(d.state.dc, fromX, fromY, nullptr);
        LineTo(d.state.dc, toX, toY);
    };
    if (cell.vLineOn == 1) line(cell.vLineX1, cell.vLineY1, cell.vLineX2, cell.vLineY2);
    if (cell.hLineOn == 1) line(cell.hLineX1, cell.hLineY1, cell.hLineX2, cell.hLineY2);
}

// Where a cell's picture goes inside its outline, by line thickness; thicker lines leave no room.
bool PictureArea(int thickness, const CellBox& box, RECT& area) {
    static const int kShrink[] = {2, 3, 4, 5, 6};
    static const int kInset[] = {1, 1, 2, 2, 3};
    if (thickness < 1 || thickness > 5) return false;
    int w = box.right - box.left, h = box.bottom - box.top;
    area.left = box.left + kInset[thickness - 1];
    area.top = box.top + kInset[thickness - 1];
    area.right = area.left + w - kShrink[thickness - 1];
    area.bottom = area.top + h - kShrink[thickness - 1];
    return true;
}

void DrawPicturePart(TableDrawing& d, const CellRecord& cell, const CellBox& box) {
    // Pictures and placeholders stay inside the outline, whose extent is already taken.
    if (!d.draw) return;
    std::string_view spec = FieldText(cell.imageSpec);
    size_t bar = spec.find('|');
    std::wstring path = AnsiToWide(spec.substr(0, bar));
    if (!path.empty() && FileExists(path)) {
        RECT area;
        if (!PictureArea(d.thickness, box, area)) return;
        std::string_view fillText = bar == std::string_view::npos ? std::string_view() : spec.substr(bar + 1);
        // The cell's former colour; a damaged record cannot push it outside 32 bits.
        double fill = std::clamp(LeadingNumber(std::u16string(fillText.begin(), fillText.end())),
                                 double(INT32_MIN), double(INT32_MAX));
        if (d.render.drawnPictureFiles) d.render.drawnPictureFiles->push_back(DrawnPictureFile{area, path});
        DrawPictureFile(d.render.pictureCache, d.state.dc, path, area.left, area.top, area.right - area.left,
                        area.bottom - area.top, static_cast<COLORREF>(static_cast<int64_t>(fill)));
        return;
    }
    // The placeholder: a cross-hatched box. The table picture draws transparently, so the gaps
    // between the hatch lines show what lies beneath (the paper, or the export background).
    if (!d.hatch) d.hatch.Reset(CreateHatchBrush(HS_DIAGCROSS, kSilver));
    d.state.UsePen(d.gridPen.Get());
    d.state.UseBrush(d.hatch.Get());
    DrawBox(d, box);
}

void DrawIconPart(TableDrawing& d, const CellRecord& cell, const CellBox& box, int w, int h) {
    std::string_view iconPath = FieldText(cell.iconPath);
    if (iconPath.empty()) return;
    const int x = box.left + d.thickness, y = box.top + d.thickness;
    d.Touch(x, y, int64_t(x) + std::max(w, 0), int64_t(y) + std::max(h, 0), d.PenReach());
    if (!d.draw) return;
    std::wstring path = AnsiToWide(iconPath);
    if (FileExists(path)) {
        if (w <= 0 || h <= 0) return; // a zero size would load the icon at its own size
        HICON icon = static_cast<HICON>(LoadImageW(nullptr, path.c_str(), IMAGE_ICON, w, h, LR_LOADFROMFILE));
        if (!icon) return;
        DrawIconEx(d.state.dc, x, y, icon, w, h, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
        return;
    }
    d.state.UsePen(d.blackPen.Get());
    d.state.UseFill(kSilver);
    DrawRectangle(d.state.dc, x, y, x + w - 1, y + h - 1);
}

void DrawCellTextPart(TableDrawing& d, const CellRecord& cell, const CellBox& box) {
    if (cell.alignment < 131 || cell.alignment > 136) return;
    std::u16string_view text = FieldText(cell.text);
    std::u16string formatted;
    if (cell.numberFormatAllowed == 1) {
        std::string number = FormatCellNumber(LeadingNumber(text), cell.numberFormatType);
        std::string_view trimmed = TrimSpaces(number);
        formatted.assign(trimmed.begin(), trimmed.end());
        text = formatted;
    }
    if (text.empty()) return; // nothing to see: no font is needed
    const uint32_t deletions = d.render.fonts.deletions;
    CachedFontEntry& font =
        CachedFontWithMetrics(d.render.fonts, CellFontKey(cell, d.characterSet, d.logPixelsY), d.state.dc);
    if (d.render.fonts.deletions != deletions) d.state.font = nullptr; // the font we had set is gone
    d.state.UseFont(font.font.Get());
    d.state.UseTextColour(Colour(cell.fontColor));
    if (font.lineHeight == 0) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(d.state.dc, &metrics);
        font.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    }
    ReadGlyphOverhangs(d.state.dc, font.overhangs);
    TextArea area;
    area.width = d.render.spanWidth - d.thickness;
    area.breakWidth = area.width;
    area.height = d.render.spanHeight - d.thickness;
    area.lineHeight = font.lineHeight;
    area.visibleTop = d.visible.top;
    area.visibleBottom = d.visible.bottom;
    if (d.visibleIsBox) {
        // Bounds in the target's logical units are rounded: a pixel more on each side keeps every
        // line that reaches the drawable area.
        area.clipIsBox = true;
        area.clipBox = RECT{d.visible.left - 2, d.visible.top - 2, d.visible.right + 2, d.visible.bottom + 2};
    }
    area.draw = d.draw;
    area.overhangs = &font.overhangs;
    GlyphDrift& drift = font.drift[d.unitsPerPixel == 1 ? 0 : 1];
    TextAdvances* advances = d.draw && d.textUnscaled ? &font.advances : nullptr;
    ReadGlyphPlacement(d.state.dc, d.unitsPerPixel, drift, advances);
    if (drift.usable) area.drift = &drift;
    area.unitsPerPixel = d.unitsPerPixel;
    if (advances && advances->usable && advances->bitsPixel == d.textBits) area.advances = advances;
    area.extent = &d.extent;
    area.extentBounds = d.extentBounds;
    if (d.layouts) {
        CellLayout& kept = (*d.layouts)[d.cellIndex];
        const FontKey key = CellFontKey(cell, d.characterSet, d.logPixelsY);
        if (!(kept.font == key)) {
            kept.font = key;
            kept.lines.valid = false;
        }
        area.kept = &kept.lines;
    }
    LayOutText(d.state.dc, text, cell.alignment, box.left + d.thickness, box.top + d.thickness, area);
}

void DrawBoxCell(TableDrawing& d, const CellRecord& cell, const CellBox& box) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    d.render.spanWidth = static_cast<int16_t>(w);
    d.render.spanHeight = static_cast<int16_t>(h);
    d.state.UsePen(d.blackPen.Get());
    if (cell.backColor == kNoColor) {
        d.state.UseHollow();
    } else {
        d.state.UseFill(Colour(cell.backColor));
    }
    DrawBox(d, box);
    if (cell.backColor == kNoColor) DrawPicturePart(d, cell, box);
    DrawCellTextPart(d, cell, box);
    DrawIconPart(d, cell, box, w, h);
}

void DrawFilledBox(TableDrawing& d, const CellBox& box, COLORREF fill) {
    d.state.UsePen(d.gridPen.Get());
    d.state.UseFill(fill);
    DrawBox(d, box);
}

// The marks and the selection are the editing's, not the chart's: a picture for documents leaves
// them out.
bool ShowsMark(const TableDrawing& d, const CellRecord& cell) {
    return cell.marked != 0 && !d.render.documentPicture;
}

bool ShowsSelection(const TableDrawing& d, const CellRecord& cell) {
    return cell.selected != 0 && !d.render.documentPicture;
}

void DrawCell(TableDrawing& d, const CellRecord& cell, int a, int b, int hc, int vc, const CellBox& box) {
    if (cell.cancelled != 0 || cell.covered != 0) return;
    if (ShowsMark(d, cell)) {
        DrawFilledBox(d, box, kYellow);
        DrawConnectors(d, cell, a, b, hc, vc);
    } else if (cell.isBox == 1 && ShowsSelection(d, cell)) {
        DrawFilledBox(d, box, kDarkBlue);
    } else if (cell.isBox == 1) {
        DrawBoxCell(d, cell, box);
    } else {
        d.render.spanWidth = static_cast<int16_t>(box.right - box.left);
        d.render.spanHeight = static_cast<int16_t>(box.bottom - box.top);
        if (d.render.exportMode == 0) DrawFilledBox(d, box, RGB(255, 255, 255));
        DrawConnectors(d, cell, a, b, hc, vc);
    }
}

} // namespace

int CellStyleBits(const CellRecord& cell) {
    return (cell.bold == 1 ? 1 : 0) + (cell.italic == 1 ? 2 : 0) + (cell.underline == 1 ? 4 : 0) +
           (cell.strikeout == 1 ? 8 : 0) + (cell.leading == 1 ? 16 : 0);
}

FontKey CellFontKey(const CellRecord& cell, int16_t characterSet, int logPixelsY) {
    const int style = CellStyleBits(cell);
    const int32_t pixels =
        static_cast<int32_t>(std::lround(cell.fontSize * static_cast<double>(logPixelsY) / 72.0));
    const int32_t height = (style & 16) ? pixels : -pixels;
    const bool turned = cell.alignment == 135 || cell.alignment == 136;
    char face[kFontFaceCapacity] = {};
    std::string_view name = FieldText(cell.fontName);
    std::copy_n(name.begin(), std::min<size_t>(name.size(), kFontFaceCapacity - 1), face);
    return MakeFontKey(face, height, (style & 1) ? 700 : 400, style & 2, style & 4, style & 8,
                       static_cast<uint8_t>(characterSet), turned ? -900 : 0);
}

// The box of cell (a, b) with its span, where DrawTable draws it.
CellBox BoxOf(const TableDrawing& d, const CellRecord& cell, int a, int b, int hc, int vc) {
    const int64_t s = d.separation;
    return CellBox{Coordinate(a * s + cell.left + d.offsetX), Coordinate(b * s + cell.top + d.offsetY),
                   Coordinate(a * s + cell.right + d.offsetX + hc * s),
                   Coordinate(b * s + cell.bottom + d.offsetY + vc * s)};
}

// Shrunk, a connector running between two cells and the edge of a cell drawn after it fall on the
// same pixel, and that cell's white box hides the connector. So the connectors are drawn once
// more on top, each kept out of the boxes, marks and selections drawn after it, which cover it at
// full size too.
void DrawConnectorsOnTop(TableDrawing& d, const Spans& spans, int columns, int rows, const TablePass* pass) {
    HDC dc = d.state.dc;
    // What may be drawn: the target's own clip, or without one its drawable area (in device units).
    RegionHandle saved(CreateRectRgn(0, 0, 0, 0));
    RegionHandle later(CreateRectRgn(0, 0, 0, 0));
    RegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    if (!saved || !later || !clip) return;
    const bool clipped = GetClipRgn(dc, saved.Get()) == 1;
    if (!clipped) {
        RECT all{};
        GetClipBox(dc, &all);
        LPtoDP(dc, reinterpret_cast<POINT*>(&all), 2);
        SetRectRgn(saved.Get(), all.left, all.top, all.right, all.bottom);
    }
    for (int b = rows - 1; b >= 0; --b)
        for (int a = columns - 1; a >= 0; --a) {
            const CellRecord& cell = d.doc.cellGrid(a, b);
            if (cell.cancelled != 0 || cell.covered != 0) continue;
            const int hc = spans.SpanColumns(a, b), vc = spans.SpanRows(a, b);
            const bool drawn = !pass || !pass->only || (*pass->only)[CellIndex(a, b)] != 0;
            const bool connectors = ShowsMark(d, cell) || cell.isBox != 1;
            if (drawn && connectors && (cell.vLineOn == 1 || cell.hLineOn == 1)) {
                CombineRgn(clip.Get(), saved.Get(), later.Get(), RGN_DIFF);
                SelectClipRgn(dc, clip.Get());
                DrawConnectors(d, cell, a, b, hc, vc);
            }
            if (ShowsMark(d, cell) || cell.isBox == 1) {
                const CellBox box = BoxOf(d, cell, a, b, hc, vc);
                const int reach = d.PenReach();
                POINT corners[2]{{box.left - reach, box.top - reach},
                                 {box.right + reach, box.bottom + reach}};
                LPtoDP(dc, corners, 2);
                RegionHandle covered(CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y));
                if (covered) CombineRgn(later.Get(), later.Get(), covered.Get(), RGN_OR);
            }
        }
    SelectClipRgn(dc, clipped ? saved.Get() : nullptr);
}

bool FileExists(const std::wstring& path) {
    if (path.empty()) return false;
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void DrawTable(RenderState& render, const Document& doc, int16_t characterSet, HDC target, int columns,
               int rows, int offsetX, int offsetY, COLORREF gridPen, const TablePass* pass) {
    columns = std::clamp(columns, 0, kGridSize);
    rows = std::clamp(rows, 0, kGridSize);
    auto spans = std::make_unique<Spans>();
    CountSpans(doc, columns, rows, *spans);

    const int thickness = static_cast<int>(std::clamp<int32_t>(doc.lineThickness, 0, 1000));
    TableDrawing d{render,
                   doc,
                   TargetState{target},
                   characterSet,
                   kTableDpi, // the table's pixels are the same on every screen; the zoom scales them
                   thickness,
                   doc.separation,
                   offsetX,
                   offsetY,
                   OutlinePen(thickness, RGB(0, 0, 0)),
                   OutlinePen(thickness, gridPen & 0xFFFFFF),
                   BrushHandle(),
                   RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
    const int clip = GetClipBox(target, &d.visible);
    if (clip == ERROR) d.visible = RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    // On pictures the bounds decide; printers and recordings are asked line by line.
    d.visibleIsBox = clip == SIMPLEREGION && GetObjectType(target) == OBJ_MEMDC;
    d.textUnscaled = DrawsTextUnscaled(target, d.textBits);
    XFORM transform{};
    if (GetGraphicsMode(target) == GM_ADVANCED && GetWorldTransform(target, &transform)) {
        const double scale = std::min(std::fabs(transform.eM11), std::fabs(transform.eM22));
        if (scale > 0) d.unitsPerPixel = 1 / scale;
    }
    if (pass) {
        d.draw = pass->draw;
        d.layouts = pass->layouts;
        d.extentBounds = pass->bounds;
    }
    render.lineThickness = thickness;

    // What the target held before is put back at the end, so no object of ours stays selected.
    HGDIOBJ previousPen = GetCurrentObject(target, OBJ_PEN);
    HGDIOBJ previousBrush = GetCurrentObject(target, OBJ_BRUSH);
    HGDIOBJ previousFont = GetCurrentObject(target, OBJ_FONT);
    const int previousMode = SetBkMode(target, TRANSPARENT);
    const COLORREF previousTextColour = GetTextColor(target);
    SetTextJustification(target, 0, 0);

    for (int b = 0; b < rows; ++b) {
        for (int a = 0; a < columns; ++a) {
            const CellRecord& cell = doc.cellGrid(a, b);
            const int hc = spans->SpanColumns(a, b), vc = spans->SpanRows(a, b);
            const CellBox box = BoxOf(d, cell, a, b, hc, vc);
            render.drawnRight = static_cast<int16_t>(box.right);
            render.drawnBottom = static_cast<int16_t>(box.bottom);

            const size_t index = CellIndex(a, b);
            if (pass && pass->only && (*pass->only)[index] == 0) continue;
            d.cellIndex = index;
            d.extent = RECT{};
            DrawCell(d, cell, a, b, hc, vc, box);
            if (pass && pass->extents) (*pass->extents)[index] = d.extent;
        }
    }
    // Drawn smaller than its own pixels, the table gets its connectors once more on top.
    if (d.draw && d.unitsPerPixel > 1) DrawConnectorsOnTop(d, *spans, columns, rows, pass);

    SelectObject(target, previousPen);
    SelectObject(target, previousBrush);
    SelectObject(target, previousFont);
    SetBkMode(target, previousMode);
    SetTextColor(target, previousTextColour);
}

void ClearToPaper(Picture& picture, const Document& doc) {
    FillSolid(picture.Dc(), RECT{0, 0, picture.Width(), picture.Height()}, Colour(doc.paperColor));
}

void ClearToBackground(Picture& picture, COLORREF favouriteBackground) {
    FillSolid(picture.Dc(), RECT{0, 0, picture.Width(), picture.Height()}, favouriteBackground & 0xFFFFFF);
}

void DrawPageGuides(HDC target) {
    PenHandle black(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    PenHandle dotted(CreatePen(PS_DOT, 1, kRed));
    ScopedSelect hollow(target, GetStockObject(NULL_BRUSH));
    ScopedSelect pen(target, black.Get());
    DrawRectangle(target, 1, 1, 1119, 1122);
    // The dots leave the paper showing between them.
    const int previousMode = SetBkMode(target, TRANSPARENT);
    SelectObject(target, dotted.Get());
    MoveToEx(target, kPageGuide, 0, nullptr);
    LineTo(target, kPageGuide, 1122);
    MoveToEx(target, 0, kPageGuide, nullptr);
    LineTo(target, 1122, kPageGuide);
    SelectObject(target, black.Get());
    SetBkMode(target, previousMode);
}

void CopyCanvasToView(RenderState& render, int x, int y) {
    BitBlt(render.viewPicture.Dc(), x, y, render.tablePicture.Width(), render.tablePicture.Height(),
           render.tablePicture.Dc(), 0, 0, SRCCOPY);
}

void CopyRulerToView(RenderState& render, int x, int y) {
    BitBlt(render.rulerView.Dc(), x, y, render.rulerPicture.Width(), render.rulerPicture.Height(),
           render.rulerPicture.Dc(), 0, 0, SRCCOPY);
}

void DrawNewTableGrid(HDC target, const Document& doc, int columns, int rows, int originX, int originY,
                      COLORREF gridColor, COLORREF fill) {
    columns = std::clamp(columns, 0, kGridSize);
    rows = std::clamp(rows, 0, kGridSize);
    const int thickness = static_cast<int>(std::clamp<int32_t>(doc.lineThickness, 0, 1000));
    PenHandle pen = OutlinePen(thickness, gridColor & 0xFFFFFF);
    ScopedSelect selectPen(target, pen.Get());
    ScopedSelect selectBrush(target, GetStockObject(DC_BRUSH));
    const COLORREF previousFill = SetDCBrushColor(target, fill & 0xFFFFFF);
    const int64_t w = doc.cellWidth, h = doc.cellHeight, s = doc.separation;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            DrawRectangle(
                target, Coordinate(c * (w + s) + 2 * originX), Coordinate(r * (h + s) + 2 * originY),
                Coordinate((c + 1) * w + c * s + 2 * originX), Coordinate((r + 1) * h + r * s + 2 * originY));
    SetDCBrushColor(target, previousFill);
}

void CreatePictures(RenderState& render) {
    ForgetDrawnTable(render);
    render.viewComposed = false;
    render.viewZoomComposed = false;
    render.verticalRulerDrawn = false;
    render.tablePicture = Picture(kTablePictureSize, kTablePictureSize);
    render.viewPicture = Picture(kTablePictureSize, kTablePictureSize);
    render.rulerPicture = Picture(kRulerThickness, kTablePictureSize);
    render.rulerView = Picture(kRulerThickness, kTablePictureSize);
    render.horizontalRulerPicture = Picture(kTablePictureSize, kRulerThickness);
    for (Picture* p : {&render.tablePicture, &render.viewPicture, &render.rulerPicture, &render.rulerView,
                       &render.horizontalRulerPicture})
        if (*p) FillSolid(p->Dc(), RECT{0, 0, p->Width(), p->Height()}, RGB(255, 255, 255));
}

// SVG from the records of an enhanced metafile. The records are read in order with the state a
// GDI device keeps (selected pen, brush and font, colours, text alignment, current position,
// clip), and each drawing record becomes the SVG element that covers the same pixels: outlines
// run through pixel centres, one-pixel lines leave out their last pixel as GDI does, texts get
// the advance widths GDI recorded for each character and their baseline from the font's ascent.
#include "render/MetafileSvg.h"

#include "render/GdiObjects.h"
#include "render/MetafilePixels.h"
#include "render/PictureFiles.h"
#include "render/Pictures.h"
#include "render/SvgText.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace gp = Gdiplus::DllExports;

namespace {

struct PenInfo {
    bool none = false;
    int width = 1;
    COLORREF colour = 0;
    DWORD style = PS_SOLID;
};

struct BrushInfo {
    bool none = false;
    UINT style = BS_SOLID;
    COLORREF colour = RGB(255, 255, 255);
    ULONG hatch = 0;
};

struct FontInfo {
    LOGFONTW logFont{};
    int ascent = 0;
    int descent = 0;
    int height = 0;
    double emSize = 0;
    GenericFamily generic = GenericFamily::SansSerif;
};

struct ObjectInfo {
    enum class Kind { None, Pen, Brush, Font } kind = Kind::None;
    PenInfo pen;
    BrushInfo brush;
    size_t font = 0;
};

struct DeviceState {
    PenInfo pen;
    BrushInfo brush;
    size_t font = 0; // fonts[0] is the system font every DC starts with
    COLORREF textColour = 0;
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT position{0, 0};
    bool clipped = false;
    RECT clip{};
};

class StreamOwner {
  public:
    ~StreamOwner() {
        if (stream) stream->Release();
    }
    IStream* stream = nullptr;
};

std::string ArgbToPng(const std::vector<uint32_t>& argb, int width, int height) {
    std::optional<CLSID> encoder = FindEncoderByMime(L"image/png");
    if (!encoder || width <= 0 || height <= 0) return {};
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (gp::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                      reinterpret_cast<BYTE*>(const_cast<uint32_t*>(argb.data())),
                                      &bitmap) != Gdiplus::Ok)
        return {};
    StreamOwner owner;
    std::string png;
    if (CreateStreamOnHGlobal(nullptr, TRUE, &owner.stream) == S_OK &&
        gp::GdipSaveImageToStream(bitmap, owner.stream, &*encoder, nullptr) == Gdiplus::Ok) {
        HGLOBAL memory = nullptr;
        STATSTG stat{};
        if (GetHGlobalFromStream(owner.stream, &memory) == S_OK &&
            owner.stream->Stat(&stat, STATFLAG_NONAME) == S_OK) {
            if (const char* bytes = static_cast<const char*>(GlobalLock(memory))) {
                png.assign(bytes, static_cast<size_t>(stat.cbSize.QuadPart));
                GlobalUnlock(memory);
            }
        }
    }
    gp::GdipDisposeImage(bitmap);
    return png;
}

// The pixels with the parts a mask raster operation leaves unchanged transparent.
std::string PixelsToPng(const Pixels& pixels, DWORD rop, const Pixels* mask) {
    return ArgbToPng(MaskedArgb(pixels, rop, mask), pixels.width, pixels.height);
}

class SvgWriter {
  public:
    SvgWriter(int width, int height) : screen_(nullptr), measure_(screen_.Get()) {
        out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
               "version=\"1.1\" width=\"" +
               std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
               std::to_string(width) + " " + std::to_string(height) + "\" shape-rendering=\"crispEdges\">\n";
        LOGFONTW system{};
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
        fonts_.push_back(MeasureFont(system));
    }

    void Record(const ENHMETARECORD* record, size_t size);

    std::string Finish() {
        FlushMask();
        if (groupOpen_) out_ += "</g>\n";
        out_ += "</svg>\n";
        return std::move(out_);
    }

  private:
    FontInfo MeasureFont(const LOGFONTW& logFont) {
        FontInfo info;
        info.logFont = logFont;
        LOGFONTW upright = logFont;
        upright.lfEscapement = upright.lfOrientation = 0;
        FontHandle font(CreateFontIndirectW(&upright));
        TEXTMETRICW metrics{};
        if (font && measure_.Get()) {
            ScopedSelect select(measure_.Get(), font.Get());
            GetTextMetricsW(measure_.Get(), &metrics);
        }
        info.ascent = metrics.tmAscent;
        info.descent = metrics.tmDescent;
        info.height = metrics.tmHeight;
        info.emSize = logFont.lfHeight < 0 ? -logFont.lfHeight : metrics.tmHeight - metrics.tmInternalLeading;
        // TMPF_FIXED_PITCH set means a variable pitch font.
        info.generic =
            GenericFamilyOf(metrics.tmPitchAndFamily, !(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH));
        return info;
    }

    void StoreObject(DWORD index, ObjectInfo object) {
        if (index >= 0x10000) return; // more handles than any recording of ours uses
        if (objects_.size() <= index) objects_.resize(index + 1);
        objects_[index] = std::move(object);
    }

    void SelectStock(DWORD stock) {
        switch (stock) {
        case WHITE_BRUSH:
            state_.brush = BrushInfo{false, BS_SOLID, RGB(255, 255, 255)};
            break;
        case LTGRAY_BRUSH:
            state_.brush = BrushInfo{false, BS_SOLID, RGB(192, 192, 192)};
            break;
        case GRAY_BRUSH:
            state_.brush = BrushInfo{false, BS_SOLID, RGB(128, 128, 128)};
            break;
        case DKGRAY_BRUSH:
            state_.brush = BrushInfo{false, BS_SOLID, RGB(64, 64, 64)};
            break;
        case BLACK_BRUSH:
            state_.brush = BrushInfo{false, BS_SOLID, 0};
            break;
        case NULL_BRUSH:
            state_.brush = BrushInfo{true};
            break;
        case WHITE_PEN:
            state_.pen = PenInfo{false, 1, RGB(255, 255, 255)};
            break;
        case BLACK_PEN:
            state_.pen = PenInfo{false, 1, 0};
            break;
        case NULL_PEN:
            state_.pen = PenInfo{true};
            break;
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case ANSI_VAR_FONT:
        case SYSTEM_FONT:
        case DEVICE_DEFAULT_FONT:
        case SYSTEM_FIXED_FONT:
        case DEFAULT_GUI_FONT: {
            LOGFONTW logFont{};
            GetObjectW(GetStockObject(static_cast<int>(stock)), sizeof logFont, &logFont);
            fonts_.push_back(MeasureFont(logFont));
            state_.font = fonts_.size() - 1;
            break;
        }
        default:
            break;
        }
    }

    void Select(DWORD index) {
        if (index & 0x80000000) {
            SelectStock(index & 0x7FFFFFFF);
            return;
        }
        if (index >= objects_.size()) return;
        const ObjectInfo& object = objects_[index];
        if (object.kind == ObjectInfo::Kind::Pen) state_.pen = object.pen;
        if (object.kind == ObjectInfo::Kind::Brush) state_.brush = object.brush;
        if (object.kind == ObjectInfo::Kind::Font) state_.font = object.font;
    }

    void SetClip(const DeviceState& next) {
        const bool same = next.clipped == current_.clipped &&
                          (!next.clipped || std::memcmp(&next.clip, &current_.clip, sizeof(RECT)) == 0);
        if (same) return;
        if (groupOpen_) out_ += "</g>\n";
        groupOpen_ = false;
        current_ = next;
        if (!next.clipped) return;
        const std::string id = "c" + std::to_string(++clipCount_);
        out_ += "<clipPath id=\"" + id + "\"><rect x=\"" + std::to_string(next.clip.left) + "\" y=\"" +
                std::to_string(next.clip.top) + "\" width=\"" +
                std::to_string(std::max<LONG>(0, next.clip.right - next.clip.left)) + "\" height=\"" +
                std::to_string(std::max<LONG>(0, next.clip.bottom - next.clip.top)) + "\"/></clipPath>\n";
        out_ += "<g clip-path=\"url(#" + id + ")\">\n";
        groupOpen_ = true;
    }

    // The fill of the current brush as an attribute value; a hatch becomes a pattern of the exact
    // pixels GDI sets, transparent between its lines unless the background mode is opaque.
    std::string BrushFill() {
        const BrushInfo& brush = state_.brush;
        if (brush.none) return "none";
        if (brush.style != BS_HATCHED) return SvgColour(brush.colour);
        const bool opaque = state_.bkMode == OPAQUE;
        const std::string key = std::to_string(brush.hatch) + "/" + std::to_string(brush.colour) + "/" +
                                (opaque ? std::to_string(state_.bkColour) : "-");
        auto known = patterns_.find(key);
        if (known != patterns_.end()) return "url(#" + known->second + ")";
        const std::string id = "h" + std::to_string(patterns_.size() + 1);
        patterns_[key] = id;
        std::string pattern = "<defs><pattern id=\"" + id +
                              "\" patternUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\" width=\"8\" height=\"8\">";
        if (opaque) pattern += "<rect width=\"8\" height=\"8\" fill=\"" + SvgColour(state_.bkColour) + "\"/>";
        pattern += "<path fill=\"" + SvgColour(brush.colour) + "\" d=\"";
        for (POINT p : HatchPixels(screen_.Get(), brush.hatch))
            pattern += "M" + std::to_string(p.x) + " " + std::to_string(p.y) + "h1v1h-1z";
        pattern += "\"/></pattern></defs>\n";
        out_ += pattern;
        return "url(#" + id + ")";
    }

    std::string Dashes() const {
        switch (state_.pen.style & PS_STYLE_MASK) {
        case PS_DASH:
            return " stroke-dasharray=\"18 6\"";
        case PS_DOT:
            return " stroke-dasharray=\"3 3\"";
        case PS_DASHDOT:
            return " stroke-dasharray=\"9 6 3 6\"";
        case PS_DASHDOTDOT:
            return " stroke-dasharray=\"9 3 3 3 3 3\"";
        default:
            return "";
        }
    }

    std::string Stroke() const {
        return " stroke=\"" + SvgColour(state_.pen.colour) + "\" stroke-width=\"" +
               std::to_string(state_.pen.width) + "\"" + Dashes();
    }

    bool PenVisible() const { return !state_.pen.none && (state_.pen.style & PS_STYLE_MASK) != PS_NULL; }

    void FillRectangle(double x, double y, double w, double h, const std::string& fill) {
        if (w <= 0 || h <= 0) return;
        out_ += "<rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" width=\"" + SvgNumber(w) +
                "\" height=\"" + SvgNumber(h) + "\" fill=\"" + fill + "\"/>\n";
    }

    // The record holds the box inclusive of its right and bottom edges, as metafiles store it.
    void DrawRectangle(RECTL box) {
        if (box.left > box.right) std::swap(box.left, box.right);
        if (box.top > box.bottom) std::swap(box.top, box.bottom);
        ++box.right;
        ++box.bottom;
        // GDI fills the rectangle short of its right and bottom edges; the pen runs through the
        // centres of the outermost pixels, a frame pen inside them.
        if (!state_.brush.none)
            FillRectangle(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1, BrushFill());
        if (!PenVisible()) return;
        double inset = 0.5;
        if ((state_.pen.style & PS_STYLE_MASK) == PS_INSIDEFRAME && state_.pen.width > 1)
            inset += (state_.pen.width - 1) / 2;
        double w = box.right - box.left - 2 * inset, h = box.bottom - box.top - 2 * inset;
        if (w < 0 || h < 0) return;
        out_ += "<rect x=\"" + SvgNumber(box.left + inset) + "\" y=\"" + SvgNumber(box.top + inset) +
                "\" width=\"" + SvgNumber(w) + "\" height=\"" + SvgNumber(h) + "\" fill=\"none\"" + Stroke() +
                "/>\n";
    }

    void DrawLine(POINT from, POINT to) {
        if (!PenVisible()) return;
        double x1 = from.x + 0.5, y1 = from.y + 0.5, x2 = to.x + 0.5, y2 = to.y + 0.5;
        std::string cap;
        if (state_.pen.width <= 1) {
            // A thin line ends short of its last pixel: the stroke runs from the first pixel's
            // outer edge to the last pixel's inner edge.
            if (from.y == to.y && from.x != to.x) {
                const double step = to.x > from.x ? 0.5 : -0.5;
                x1 -= step;
                x2 -= step;
            } else if (from.x == to.x && from.y != to.y) {
                const double step = to.y > from.y ? 0.5 : -0.5;
                y1 -= step;
                y2 -= step;
            }
        } else {
            const DWORD endCap = state_.pen.style & PS_ENDCAP_MASK;
            cap = endCap == PS_ENDCAP_FLAT     ? ""
                  : endCap == PS_ENDCAP_SQUARE ? " stroke-linecap=\"square\""
                                               : " stroke-linecap=\"round\"";
        }
        out_ += "<path d=\"M" + SvgNumber(x1) + " " + SvgNumber(y1) + "L" + SvgNumber(x2) + " " +
                SvgNumber(y2) + "\" fill=\"none\"" + Stroke() + cap + "/>\n";
    }

    void DrawText(const EMREXTTEXTOUTW& record, size_t size);
    void DrawImage(int x, int y, int w, int h, const Pixels& pixels, DWORD rop, const Pixels* mask);
    void Blit(RECT destination, DWORD rop, Pixels pixels);
    void FlushMask();

    WindowDC screen_;
    MemoryDC measure_;
    std::string out_;
    std::vector<ObjectInfo> objects_;
    std::vector<FontInfo> fonts_;
    DeviceState state_;
    DeviceState current_; // the clip of the open group
    std::vector<DeviceState> saved_;
    std::map<std::string, std::string> patterns_;
    bool groupOpen_ = false;
    int clipCount_ = 0;
    // An AND mask waits for the picture drawn over it at the same place (an icon's two halves).
    bool maskPending_ = false;
    RECT maskPlace_{};
    Pixels mask_;
};

void SvgWriter::DrawImage(int x, int y, int w, int h, const Pixels& pixels, DWORD rop, const Pixels* mask) {
    std::string png = PixelsToPng(pixels, rop, mask);
    if (png.empty()) return;
    out_ += "<image x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
            std::to_string(w) + "\" height=\"" + std::to_string(h) +
            "\" preserveAspectRatio=\"none\" style=\"image-rendering:pixelated\" "
            "xlink:href=\"data:image/png;base64," +
            Base64(png) + "\"/>\n";
}

void SvgWriter::FlushMask() {
    if (!maskPending_) return;
    maskPending_ = false;
    DrawImage(maskPlace_.left, maskPlace_.top, maskPlace_.right - maskPlace_.left,
              maskPlace_.bottom - maskPlace_.top, mask_, SRCAND, nullptr);
}

void SvgWriter::Blit(RECT destination, DWORD rop, Pixels pixels) {
    const int w = destination.right - destination.left, h = destination.bottom - destination.top;
    if (rop == SRCAND) {
        FlushMask();
        maskPending_ = true;
        maskPlace_ = destination;
        mask_ = std::move(pixels);
        return;
    }
    const bool pairs = maskPending_ && (rop == SRCINVERT || rop == SRCPAINT) &&
                       std::memcmp(&maskPlace_, &destination, sizeof(RECT)) == 0 &&
                       mask_.values.size() == pixels.values.size();
    if (pairs) {
        maskPending_ = false;
        DrawImage(destination.left, destination.top, w, h, pixels, rop, &mask_);
        return;
    }
    FlushMask();
    DrawImage(destination.left, destination.top, w, h, pixels, rop, nullptr);
}

void SvgWriter::DrawText(const EMREXTTEXTOUTW& record, size_t size) {
    const EMRTEXT& text = record.emrtext;
    if (text.fOptions & ETO_OPAQUE) {
        const RECTL& r = text.rcl;
        FillRectangle(r.left, r.top, r.right - r.left, r.bottom - r.top, SvgColour(state_.bkColour));
    }
    const size_t count = text.nChars;
    if (count == 0 || count > size || text.offString > size || (size - text.offString) / 2 < count) return;
    const auto* base = reinterpret_cast<const uint8_t*>(&record);
    std::u16string chars(count, u'\0');
    std::memcpy(chars.data(), base + text.offString, count * 2);

    const FontInfo& font = fonts_[state_.font];
    // Advances as GDI laid them out when it recorded the text; measured again only if missing.
    std::vector<int> advances(count, 0);
    const size_t step = (text.fOptions & ETO_PDY) ? 2 : 1;
    if (text.offDx != 0 && text.offDx <= size && (size - text.offDx) / (4 * step) >= count) {
        for (size_t i = 0; i < count; ++i)
            std::memcpy(&advances[i], base + text.offDx + i * step * 4, 4);
    } else {
        LOGFONTW upright = font.logFont;
        upright.lfEscapement = upright.lfOrientation = 0;
        FontHandle measuring(CreateFontIndirectW(&upright));
        ScopedSelect select(measure_.Get(), measuring.Get());
        std::vector<int> ends(count, 0);
        int fit = 0;
        SIZE extent{};
        GetTextExtentExPointW(measure_.Get(), reinterpret_cast<LPCWSTR>(chars.data()),
                              static_cast<int>(count), INT_MAX, &fit, ends.data(), &extent);
        for (size_t i = 0; i < count; ++i)
            advances[i] = ends[i] - (i ? ends[i - 1] : 0);
    }
    long total = 0;
    for (int a : advances)
        total += a;

    const int x = text.ptlReference.x, y = text.ptlReference.y;
    const UINT horizontal = state_.textAlign & (TA_LEFT | TA_RIGHT | TA_CENTER);
    const UINT vertical = state_.textAlign & (TA_TOP | TA_BOTTOM | TA_BASELINE);
    double start = horizontal == TA_CENTER ? x - total / 2.0 : horizontal == TA_RIGHT ? x - total : x;
    double baseline = vertical == TA_BASELINE ? y
                      : vertical == TA_BOTTOM ? y - font.descent
                                              : y + font.ascent;

    const LOGFONTW& lf = font.logFont;
    std::string turn;
    if (lf.lfEscapement % 3600 != 0)
        turn = " transform=\"rotate(" + SvgNumber(-lf.lfEscapement / 10.0) + " " + std::to_string(x) + " " +
               std::to_string(y) + ")\"";
    if (state_.bkMode == OPAQUE && !(text.fOptions & ETO_OPAQUE))
        out_ += "<rect x=\"" + SvgNumber(start) + "\" y=\"" + SvgNumber(baseline - font.ascent) +
                "\" width=\"" + std::to_string(total) + "\" height=\"" + std::to_string(font.height) +
                "\" fill=\"" + SvgColour(state_.bkColour) + "\"" + turn + "/>\n";

    // Every character at the place GDI gave it; characters XML cannot carry are left out with
    // their places, and a surrogate pair is one character.
    std::string positions, body;
    double at = start;
    for (size_t i = 0; i < count; ++i) {
        size_t length = 1;
        if (chars[i] >= 0xD800 && chars[i] <= 0xDBFF && i + 1 < count && chars[i + 1] >= 0xDC00 &&
            chars[i + 1] <= 0xDFFF)
            length = 2;
        std::string escaped = SvgEscape(std::u16string_view(chars).substr(i, length));
        if (!escaped.empty()) {
            positions += (positions.empty() ? "" : " ") + SvgNumber(at);
            body += escaped;
        }
        for (size_t k = 0; k < length; ++k)
            at += advances[i + k];
        i += length - 1;
    }
    if (body.empty()) return;
    std::u16string face16(reinterpret_cast<const char16_t*>(lf.lfFaceName),
                          wcsnlen(lf.lfFaceName, LF_FACESIZE));
    std::string decoration;
    if (lf.lfUnderline) decoration += "underline";
    if (lf.lfStrikeOut) decoration += decoration.empty() ? "line-through" : " line-through";
    out_ += "<text x=\"" + positions + "\" y=\"" + SvgNumber(baseline) + "\" font-family=\"" +
            SvgFontFamily(face16, font.generic) + "\" font-size=\"" + SvgNumber(font.emSize) + "\"";
    if (lf.lfWeight != FW_NORMAL && lf.lfWeight != 0)
        out_ += " font-weight=\"" + std::to_string(lf.lfWeight) + "\"";
    if (lf.lfItalic) out_ += " font-style=\"italic\"";
    if (!decoration.empty()) out_ += " text-decoration=\"" + decoration + "\"";
    out_ += " fill=\"" + SvgColour(state_.textColour) + "\" xml:space=\"preserve\"" + turn + ">" + body +
            "</text>\n";
}

// Bits of a picture record, checked against the record's size.
bool RecordBits(const ENHMETARECORD* record, size_t size, DWORD offBmi, DWORD cbBmi, DWORD offBits,
                DWORD cbBits, const BITMAPINFO*& info, const void*& bits) {
    if (cbBmi < sizeof(BITMAPINFOHEADER) || offBmi > size || cbBmi > size - offBmi || offBits > size ||
        cbBits > size - offBits)
        return false;
    const auto* base = reinterpret_cast<const uint8_t*>(record);
    info = reinterpret_cast<const BITMAPINFO*>(base + offBmi);
    bits = base + offBits;
    return true;
}

void SvgWriter::Record(const ENHMETARECORD* record, size_t size) {
    auto as = [&](auto* type) -> const std::remove_pointer_t<decltype(type)>* {
        return size >= sizeof(*type) ? reinterpret_cast<decltype(type)>(record) : nullptr;
    };
    // Drawing records take the clip in force.
    auto drawing = [&] { SetClip(state_); };
    switch (record->iType) {
    case EMR_SETBKMODE:
        if (auto* r = as((const EMRSETBKMODE*)nullptr)) state_.bkMode = static_cast<int>(r->iMode);
        break;
    case EMR_SETBKCOLOR:
        if (auto* r = as((const EMRSETBKCOLOR*)nullptr)) state_.bkColour = r->crColor;
        break;
    case EMR_SETTEXTCOLOR:
        if (auto* r = as((const EMRSETTEXTCOLOR*)nullptr)) state_.textColour = r->crColor;
        break;
    case EMR_SETTEXTALIGN:
        if (auto* r = as((const EMRSETTEXTALIGN*)nullptr)) state_.textAlign = r->iMode;
        break;
    case EMR_CREATEPEN:
        if (auto* r = as((const EMRCREATEPEN*)nullptr)) {
            ObjectInfo object;
            object.kind = ObjectInfo::Kind::Pen;
            object.pen = PenInfo{(r->lopn.lopnStyle & PS_STYLE_MASK) == PS_NULL,
                                 std::max<int>(1, r->lopn.lopnWidth.x), r->lopn.lopnColor, r->lopn.lopnStyle};
            StoreObject(r->ihPen, object);
        }
        break;
    case EMR_EXTCREATEPEN:
        if (auto* r = as((const EMREXTCREATEPEN*)nullptr)) {
            ObjectInfo object;
            object.kind = ObjectInfo::Kind::Pen;
            object.pen = PenInfo{(r->elp.elpPenStyle & PS_STYLE_MASK) == PS_NULL,
                                 std::max<int>(1, static_cast<int>(r->elp.elpWidth)), r->elp.elpColor,
                                 r->elp.elpPenStyle};
            StoreObject(r->ihPen, object);
        }
        break;
    case EMR_CREATEBRUSHINDIRECT:
        if (auto* r = as((const EMRCREATEBRUSHINDIRECT*)nullptr)) {
            ObjectInfo object;
            object.kind = ObjectInfo::Kind::Brush;
            object.brush = BrushInfo{r->lb.lbStyle == BS_NULL, r->lb.lbStyle, r->lb.lbColor,
                                     static_cast<ULONG>(r->lb.lbHatch)};
            StoreObject(r->ihBrush, object);
        }
        break;
    case EMR_EXTCREATEFONTINDIRECTW:
        if (size >= offsetof(EMREXTCREATEFONTINDIRECTW, elfw) + sizeof(LOGFONTW)) {
            auto* r = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
            fonts_.push_back(MeasureFont(r->elfw.elfLogFont));
            ObjectInfo object;
            object.kind = ObjectInfo::Kind::Font;
            object.font = fonts_.size() - 1;
            StoreObject(r->ihFont, object);
        }
        break;
    case EMR_SELECTOBJECT:
        if (auto* r = as((const EMRSELECTOBJECT*)nullptr)) Select(r->ihObject);
        break;
    case EMR_DELETEOBJECT:
        if (auto* r = as((const EMRDELETEOBJECT*)nullptr))
            if (r->ihObject < objects_.size()) objects_[r->ihObject] = ObjectInfo{};
        break;
    case EMR_SAVEDC:
        saved_.push_back(state_);
        break;
    case EMR_RESTOREDC:
        if (auto* r = as((const EMRRESTOREDC*)nullptr)) {
            // Negative: relative to the last save; positive: the n-th save from the first.
            long at = r->iRelative < 0 ? static_cast<long>(saved_.size()) + r->iRelative : r->iRelative - 1;
            if (at >= 0 && at < static_cast<long>(saved_.size())) {
                state_ = saved_[static_cast<size_t>(at)];
                saved_.resize(static_cast<size_t>(at));
            }
        }
        break;
    case EMR_INTERSECTCLIPRECT:
        if (auto* r = as((const EMRINTERSECTCLIPRECT*)nullptr)) {
            RECT next{r->rclClip.left, r->rclClip.top, r->rclClip.right, r->rclClip.bottom};
            if (state_.clipped) IntersectRect(&next, &next, &state_.clip);
            state_.clip = next;
            state_.clipped = true;
        }
        break;
    case EMR_EXTSELECTCLIPRGN:
        if (auto* r = as((const EMREXTSELECTCLIPRGN*)nullptr))
            if (r->iMode == RGN_COPY && r->cbRgnData == 0) state_.clipped = false;
        break;
    case EMR_MOVETOEX:
        if (auto* r = as((const EMRMOVETOEX*)nullptr)) state_.position = POINT{r->ptl.x, r->ptl.y};
        break;
    case EMR_LINETO:
        if (auto* r = as((const EMRLINETO*)nullptr)) {
            drawing();
            FlushMask();
            POINT to{r->ptl.x, r->ptl.y};
            DrawLine(state_.position, to);
            state_.position = to;
        }
        break;
    case EMR_RECTANGLE:
        if (auto* r = as((const EMRRECTANGLE*)nullptr)) {
            drawing();
            FlushMask();
            DrawRectangle(r->rclBox);
        }
        break;
    case EMR_EXTTEXTOUTW:
        if (auto* r = as((const EMREXTTEXTOUTW*)nullptr)) {
            drawing();
            FlushMask();
            DrawText(*r, size);
        }
        break;
    case EMR_STRETCHDIBITS:
        if (auto* r = as((const EMRSTRETCHDIBITS*)nullptr)) {
            drawing();
            const BITMAPINFO* info = nullptr;
            const void* bits = nullptr;
            if (!RecordBits(record, size, r->offBmiSrc, r->cbBmiSrc, r->offBitsSrc, r->cbBitsSrc, info, bits))
                break;
            Pixels pixels =
                DibPixels(info, bits, r->xSrc, r->ySrc, r->cxSrc, r->cySrc, true, r->cxSrc, r->cySrc);
            Blit(RECT{r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest}, r->dwRop,
                 std::move(pixels));
        }
        break;
    case EMR_BITBLT:
    case EMR_STRETCHBLT:
        if (auto* r = as((const EMRBITBLT*)nullptr)) {
            drawing();
            RECT place{r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest};
            int sourceWidth = r->cxDest, sourceHeight = r->cyDest;
            if (record->iType == EMR_STRETCHBLT && size >= sizeof(EMRSTRETCHBLT)) {
                auto* s = reinterpret_cast<const EMRSTRETCHBLT*>(record);
                sourceWidth = s->cxSrc;
                sourceHeight = s->cySrc;
            }
            const BITMAPINFO* info = nullptr;
            const void* bits = nullptr;
            if (r->cbBmiSrc == 0) { // no source: a pattern or a constant colour
                FlushMask();
                const std::string fill = r->dwRop == BLACKNESS   ? SvgColour(0)
                                         : r->dwRop == WHITENESS ? SvgColour(0xFFFFFF)
                                                                 : BrushFill();
                FillRectangle(place.left, place.top, r->cxDest, r->cyDest, fill);
                break;
            }
            if (!RecordBits(record, size, r->offBmiSrc, r->cbBmiSrc, r->offBitsSrc, r->cbBitsSrc, info, bits))
                break;
            Pixels pixels = DibPixels(info, bits, r->xSrc, r->ySrc, sourceWidth, sourceHeight,
                                      record->iType == EMR_STRETCHBLT, sourceWidth, sourceHeight);
            Blit(place, r->dwRop, std::move(pixels));
        }
        break;
    default:
        break; // records the table renderer never makes change nothing that is drawn
    }
}

} // namespace

std::string OpaquePng(const std::vector<uint32_t>& pixels, int width, int height) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) return {};
    std::vector<uint32_t> argb(pixels.size());
    for (size_t i = 0; i < argb.size(); ++i)
        argb[i] = 0xFF000000u | (pixels[i] & 0xFFFFFF);
    return ArgbToPng(argb, width, height);
}

std::string MetafileToSvg(HENHMETAFILE metafile, int width, int height) {
    if (!metafile || width <= 0 || height <= 0) return {};
    const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    if (size < sizeof(ENHMETAHEADER)) return {};
    std::vector<uint8_t> bytes(size);
    if (GetEnhMetaFileBits(metafile, size, bytes.data()) != size) return {};
    SvgWriter writer(width, height);
    size_t at = 0;
    while (at + sizeof(EMR) <= bytes.size()) {
        EMR header;
        std::memcpy(&header, bytes.data() + at, sizeof header);
        if (header.nSize < sizeof(EMR) || header.nSize % 4 != 0 || header.nSize > bytes.size() - at) break;
        // Records are copied so that every structure is read at its own alignment.
        std::vector<uint32_t> record(header.nSize / 4);
        std::memcpy(record.data(), bytes.data() + at, header.nSize);
        writer.Record(reinterpret_cast<const ENHMETARECORD*>(record.data()), header.nSize);
        if (header.iType == EMR_EOF) break;
        at += header.nSize;
    }
    return writer.Finish();
}

// PDF page content from the records of an enhanced metafile. The records are read in order with
// the state a GDI device keeps (selected pen, brush and font, colours, text alignment, current
// position, clip), as the SVG export reads them, and each drawing record becomes the PDF drawing
// that covers the same pixels: outlines run through pixel centres, one-pixel lines leave out their
// last pixel as GDI does, texts keep the advance widths GDI recorded for each character.
#include "render/MetafilePdf.h"

#include "document/WorkFile.h"
#include "render/GdiObjects.h"
#include "render/JpegInfo.h"
#include "render/MetafilePixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace {

// JPEG files larger than this are embedded as the pixels drawn from them.
constexpr uint64_t kLargestJpeg = 64ull << 20;

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

std::string Rgb(COLORREF colour) {
    return PdfNumber(GetRValue(colour) / 255.0) + " " + PdfNumber(GetGValue(colour) / 255.0) + " " +
           PdfNumber(GetBValue(colour) / 255.0);
}

std::string Numbers(std::initializer_list<double> values) {
    std::string out;
    for (double v : values)
        out += PdfNumber(v) + " ";
    return out;
}

// Faces tried, in order, for a font whose own data GDI cannot give (a raster or vector font):
// the common faces of the same measures that have TrueType outlines.
constexpr const wchar_t* kFallbackFaces[] = {L"Arial", L"Liberation Sans", L"Tahoma", L"DejaVu Sans"};

// The PostScript-like name of a face: its letters and digits, with the style.
std::string BaseName(const LOGFONTW& logFont, bool bold, bool italic) {
    std::string name;
    for (const wchar_t* c = logFont.lfFaceName; *c && c < logFont.lfFaceName + LF_FACESIZE; ++c)
        if ((*c >= L'A' && *c <= L'Z') || (*c >= L'a' && *c <= L'z') || (*c >= L'0' && *c <= L'9'))
            name += static_cast<char>(*c);
    if (name.empty()) name = "Font";
    if (bold || italic) name += std::string("-") + (bold ? "Bold" : "") + (italic ? "Italic" : "");
    return name;
}

// The page number a reference mark at the end of a box text names (" ► 12" or " ◄ 3"), counted
// from 0; -1 without one.
int MarkedPage(const std::u16string& text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    size_t digits = end;
    while (digits > 0 && text[digits - 1] >= u'0' && text[digits - 1] <= u'9')
        --digits;
    if (digits == end || end - digits > 6) return -1;
    size_t mark = digits;
    while (mark > 0 && (text[mark - 1] == u' ' || text[mark - 1] == u'\u00A0'))
        --mark;
    if (mark == 0 || (text[mark - 1] != u'\u25BA' && text[mark - 1] != u'\u25C4')) return -1;
    int page = 0;
    for (size_t i = digits; i < end; ++i)
        page = page * 10 + (text[i] - u'0');
    return page - 1;
}

class PdfPageWriter {
  public:
    PdfPageWriter(PdfBook& book, POINT brushOrigin)
        : book_(book), screen_(nullptr), measure_(screen_.Get()), brushOrigin_(brushOrigin) {
        LOGFONTW system{};
        GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system);
        fonts_.push_back(MeasureFont(system));
    }

    void Record(const ENHMETARECORD* record, size_t size);

    std::string Finish() {
        FlushMask();
        if (clipOpen_) out_ += "Q\n";
        clipOpen_ = false;
        return std::move(out_);
    }

    std::vector<PdfLink> links;
    const std::vector<DrawnPictureFile>* pictureFiles = nullptr;

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

    // Drawing records take the clip in force: a clip is a saved graphics state of its own.
    void SetClip() {
        const DeviceState& next = state_;
        const bool same = next.clipped == current_.clipped &&
                          (!next.clipped || std::memcmp(&next.clip, &current_.clip, sizeof(RECT)) == 0);
        if (same) return;
        FlushMask();
        if (clipOpen_) out_ += "Q\n";
        clipOpen_ = false;
        current_ = next;
        if (!next.clipped) return;
        out_ += "q " +
                Numbers({double(next.clip.left), double(next.clip.top),
                         double(std::max<LONG>(0, next.clip.right - next.clip.left)),
                         double(std::max<LONG>(0, next.clip.bottom - next.clip.top))}) +
                "re W n\n";
        clipOpen_ = true;
    }

    // Fills the rectangle with the current brush. A hatch becomes an image of the exact pixels GDI
    // sets from the brush origin, transparent between its lines unless the background mode is
    // opaque, so it shows pixel for pixel at the chart's own size.
    void FillWithBrush(int x, int y, int w, int h) {
        const BrushInfo& brush = state_.brush;
        if (w <= 0 || h <= 0 || brush.none) return;
        if (brush.style != BS_HATCHED) {
            FillRectangle(x, y, w, h, Rgb(brush.colour) + " rg ");
            return;
        }
        auto known = hatches_.find(brush.hatch);
        if (known == hatches_.end())
            known = hatches_.emplace(brush.hatch, HatchPixels(screen_.Get(), brush.hatch)).first;
        bool set[8][8] = {};
        for (POINT p : known->second)
            set[p.y & 7][p.x & 7] = true;
        auto argb = [](COLORREF c) {
            return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        };
        const uint32_t ink = argb(brush.colour), clear = state_.bkMode == OPAQUE ? argb(state_.bkColour) : 0;
        std::vector<uint32_t> pixels(size_t(w) * size_t(h));
        for (int row = 0; row < h; ++row)
            for (int column = 0; column < w; ++column)
                pixels[size_t(row) * size_t(w) + size_t(column)] =
                    set[((y + row - brushOrigin_.y) % 8 + 8) % 8][((x + column - brushOrigin_.x) % 8 + 8) % 8]
                        ? ink
                        : clear;
        PlaceImage(book_.Image(w, h, pixels), x, y, w, h);
    }

    std::string Stroke() const {
        const PenInfo& pen = state_.pen;
        std::string out = Rgb(pen.colour) + " RG " + std::to_string(pen.width) + " w ";
        switch (pen.style & PS_STYLE_MASK) {
        case PS_DASH:
            return out + "[18 6] 0 d ";
        case PS_DOT:
            return out + "[3 3] 0 d ";
        case PS_DASHDOT:
            return out + "[9 6 3 6] 0 d ";
        case PS_DASHDOTDOT:
            return out + "[9 3 3 3 3 3] 0 d ";
        default:
            return out + "[] 0 d ";
        }
    }

    bool PenVisible() const { return !state_.pen.none && (state_.pen.style & PS_STYLE_MASK) != PS_NULL; }

    void FillRectangle(double x, double y, double w, double h, const std::string& fill) {
        if (w <= 0 || h <= 0) return;
        out_ += fill + Numbers({x, y, w, h}) + "re f\n";
    }

    // The record holds the box inclusive of its right and bottom edges, as metafiles store it.
    void DrawRectangle(RECTL box) {
        if (box.left > box.right) std::swap(box.left, box.right);
        if (box.top > box.bottom) std::swap(box.top, box.bottom);
        ++box.right;
        ++box.bottom;
        boxes_.push_back(RECT{box.left, box.top, box.right, box.bottom});
        // GDI fills the rectangle short of its right and bottom edges; the pen runs through the
        // centres of the outermost pixels, a frame pen inside them.
        FillWithBrush(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1);
        if (!PenVisible()) return;
        double inset = 0.5;
        if ((state_.pen.style & PS_STYLE_MASK) == PS_INSIDEFRAME && state_.pen.width > 1)
            inset += (state_.pen.width - 1) / 2;
        const double w = box.right - box.left - 2 * inset, h = box.bottom - box.top - 2 * inset;
        if (w < 0 || h < 0) return;
        out_ += Stroke() + "0 J 0 j " + Numbers({box.left + inset, box.top + inset, w, h}) + "re S\n";
    }

    void DrawLine(POINT from, POINT to) {
        if (!PenVisible()) return;
        double x1 = from.x + 0.5, y1 = from.y + 0.5, x2 = to.x + 0.5, y2 = to.y + 0.5;
        int cap = 0;
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
            cap = endCap == PS_ENDCAP_FLAT ? 0 : endCap == PS_ENDCAP_SQUARE ? 2 : 1;
        }
        out_ +=
            Stroke() + std::to_string(cap) + " J " + Numbers({x1, y1}) + "m " + Numbers({x2, y2}) + "l S\n";
    }

    // The book's font for a GDI font, added with its tables the first time; -1 when neither the
    // font nor any fallback face has TrueType outlines.
    int PdfFontOf(const FontInfo& font) {
        const LOGFONTW& lf = font.logFont;
        const bool bold = lf.lfWeight >= FW_SEMIBOLD, italic = lf.lfItalic != 0;
        std::wstring face(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
        std::string key(face.begin(), face.end());
        key +=
            std::string("|") + (bold ? "b" : "") + (italic ? "i" : "") + "|" + std::to_string(lf.lfCharSet);
        if (int known = book_.FindFont(key); known >= 0 && glyphFonts_.count(known)) return known;
        LOGFONTW upright = lf;
        upright.lfEscapement = upright.lfOrientation = 0;
        upright.lfUnderline = upright.lfStrikeOut = FALSE;
        upright.lfHeight = -64;
        upright.lfWidth = 0;
        for (size_t attempt = 0; attempt <= std::size(kFallbackFaces); ++attempt) {
            if (attempt > 0) {
                wcsncpy(upright.lfFaceName, kFallbackFaces[attempt - 1], LF_FACESIZE - 1);
                upright.lfCharSet = DEFAULT_CHARSET;
                upright.lfOutPrecision = OUT_TT_ONLY_PRECIS;
            }
            FontHandle handle(CreateFontIndirectW(&upright));
            if (!handle) continue;
            // A font an earlier page added is found again by the same attempt; only its outlines'
            // presence is asked for, not its tables.
            int index = book_.FindFont(key);
            FontTables tables;
            {
                ScopedSelect select(measure_.Get(), handle.Get());
                if (index < 0)
                    tables = GdiFontTables(measure_.Get());
                else if (GetFontData(measure_.Get(), 0x66796C67 /* glyf */, 0, nullptr, 0) == GDI_ERROR)
                    continue;
            }
            if (index < 0 && tables.empty()) continue;
            if (index < 0) index = book_.AddFont(key, BaseName(upright, bold, italic), std::move(tables));
            glyphFonts_[index] = std::move(handle);
            return index;
        }
        return -1;
    }

    void DrawText(const EMREXTTEXTOUTW& record, size_t size);
    void DrawImage(int x, int y, int w, int h, const Pixels& pixels, DWORD rop, const Pixels* mask);
    void PlaceImage(const std::string& name, int x, int y, int w, int h);
    void Blit(RECT destination, DWORD rop, Pixels pixels);
    void FlushMask();

    PdfBook& book_;
    WindowDC screen_;
    MemoryDC measure_;
    std::string out_;
    std::vector<ObjectInfo> objects_;
    std::vector<FontInfo> fonts_;
    std::map<int, FontHandle> glyphFonts_; // the GDI font each book font's glyphs are looked up in
    DeviceState state_;
    DeviceState current_; // the clip in force in the content
    std::vector<DeviceState> saved_;
    std::map<ULONG, std::vector<POINT>> hatches_; // the pixels of each hatch's tile
    POINT brushOrigin_{0, 0};
    std::vector<RECT> boxes_; // the rectangles drawn so far: the boxes a reference can link
    bool clipOpen_ = false;
    // An AND mask waits for the picture drawn over it at the same place (an icon's two halves).
    bool maskPending_ = false;
    RECT maskPlace_{};
    Pixels mask_;
};

void PdfPageWriter::DrawImage(int x, int y, int w, int h, const Pixels& pixels, DWORD rop,
                              const Pixels* mask) {
    if (w == 0 || h == 0) return;
    if (rop == SRCCOPY && !mask && pictureFiles) {
        // The last drawing listed is the one recorded: its pictures stand where the metafile's do.
        for (auto drawn = pictureFiles->rbegin(); drawn != pictureFiles->rend(); ++drawn) {
            const RECT& a = drawn->area;
            if (a.left != x || a.top != y || a.right - a.left != w || a.bottom - a.top != h) continue;
            std::vector<uint8_t> bytes;
            JpegInfo info;
            if (ReadWholeFile(drawn->path, kLargestJpeg, bytes).Done() &&
                ReadJpegInfo(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                             info)) {
                PlaceImage(book_.Jpeg(std::string(bytes.begin(), bytes.end()), info), x, y, w, h);
                return;
            }
            break;
        }
    }
    PlaceImage(book_.Image(pixels.width, pixels.height, MaskedArgb(pixels, rop, mask)), x, y, w, h);
}

void PdfPageWriter::PlaceImage(const std::string& name, int x, int y, int w, int h) {
    if (name.empty()) return;
    // The image keeps a hundredth of a pixel inside its place on every side: readers that round an
    // image's edges outwards would otherwise stretch it over one more pixel and blend its rows.
    const double insetX = w > 0 ? 0.01 : -0.01, insetY = h > 0 ? 0.01 : -0.01;
    out_ += "q " + Numbers({w - 2 * insetX, 0, 0, -(h - 2 * insetY), x + insetX, y + h - insetY}) + "cm " +
            name + " Do Q\n";
}

void PdfPageWriter::FlushMask() {
    if (!maskPending_) return;
    maskPending_ = false;
    DrawImage(maskPlace_.left, maskPlace_.top, maskPlace_.right - maskPlace_.left,
              maskPlace_.bottom - maskPlace_.top, mask_, SRCAND, nullptr);
}

void PdfPageWriter::Blit(RECT destination, DWORD rop, Pixels pixels) {
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

void PdfPageWriter::DrawText(const EMREXTTEXTOUTW& record, size_t size) {
    const EMRTEXT& text = record.emrtext;
    if (text.fOptions & ETO_OPAQUE) {
        const RECTL& r = text.rcl;
        FillRectangle(r.left, r.top, r.right - r.left, r.bottom - r.top, Rgb(state_.bkColour) + " rg ");
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
    const double start = horizontal == TA_CENTER ? x - total / 2.0 : horizontal == TA_RIGHT ? x - total : x;
    const double baseline = vertical == TA_BASELINE ? y
                            : vertical == TA_BOTTOM ? y - font.descent
                                                    : y + font.ascent;

    const LOGFONTW& lf = font.logFont;
    std::string turn;
    if (lf.lfEscapement % 3600 != 0) {
        const double angle = -lf.lfEscapement / 10.0 * 3.14159265358979323846 / 180.0;
        const double c = std::cos(angle), s = std::sin(angle);
        turn = "1 0 0 1 " + Numbers({double(x), double(y)}) + "cm " + Numbers({c, s, -s, c, 0, 0}) +
               "cm 1 0 0 1 " + Numbers({double(-x), double(-y)}) + "cm\n";
    }
    out_ += "q ";
    // A clipped text shows only what falls inside its rectangle, as GDI drew it.
    if (text.fOptions & ETO_CLIPPED) {
        const RECTL& r = text.rcl;
        out_ += Numbers({double(r.left), double(r.top), double(std::max<LONG>(0, r.right - r.left)),
                         double(std::max<LONG>(0, r.bottom - r.top))}) +
                "re W n ";
    }
    out_ += turn;
    if (state_.bkMode == OPAQUE && !(text.fOptions & ETO_OPAQUE))
        FillRectangle(start, baseline - font.ascent, double(total), double(font.height),
                      Rgb(state_.bkColour) + " rg ");

    const int pdfFont = PdfFontOf(font);
    if (pdfFont >= 0 && font.emSize > 0) {
        PdfFont& embedded = book_.Font(pdfFont);
        // Glyphs of the characters in the font the tables came from; a surrogate pair is one
        // character, shown with glyph 0 where the font has none.
        std::vector<WORD> glyphs(count, 0);
        {
            ScopedSelect select(measure_.Get(), glyphFonts_[pdfFont].Get());
            GetGlyphIndicesW(measure_.Get(), reinterpret_cast<LPCWSTR>(chars.data()), static_cast<int>(count),
                             glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        }
        std::string shown = "[";
        double pending = 0; // thousandths of the size still to move before the next glyph
        for (size_t i = 0; i < count; ++i) {
            char32_t character = chars[i];
            size_t length = 1;
            if (chars[i] >= 0xD800 && chars[i] <= 0xDBFF && i + 1 < count && chars[i + 1] >= 0xDC00 &&
                chars[i + 1] <= 0xDFFF) {
                character = 0x10000 + ((char32_t(chars[i]) - 0xD800) << 10) + (chars[i + 1] - 0xDC00);
                length = 2;
            }
            double advance = 0;
            for (size_t k = 0; k < length; ++k)
                advance += advances[i + k];
            const bool visible = character >= 0x20 && !(character >= 0xD800 && character <= 0xDFFF);
            if (visible) {
                const WORD glyph = length == 1 && glyphs[i] != 0xFFFF ? glyphs[i] : 0;
                const uint16_t cid = embedded.Cid(character, glyph);
                if (std::fabs(pending) > 0.0005) shown += PdfNumber(-pending) + " ";
                char hex[8];
                std::snprintf(hex, sizeof hex, "<%04X>", cid);
                shown += hex;
                pending = advance * 1000.0 / font.emSize - embedded.Advance(cid);
            } else {
                pending += advance * 1000.0 / font.emSize;
            }
            i += length - 1;
        }
        shown += "]";
        // A bold or italic face the system made up from the regular one is made up here the same
        // way: outlines widened by a stroke, letters slanted.
        const TrueTypeMetrics& metrics = embedded.Metrics();
        const bool madeBold = lf.lfWeight >= FW_SEMIBOLD && metrics.weightClass < 600;
        const bool madeItalic = lf.lfItalic && !metrics.italic;
        out_ += "BT " + book_.FontName(pdfFont) + " " + PdfNumber(font.emSize) + " Tf " +
                Rgb(state_.textColour) + " rg ";
        if (madeBold)
            out_ += "2 Tr " + Rgb(state_.textColour) + " RG " + PdfNumber(font.emSize / 30.0) + " w ";
        out_ += Numbers({1, 0, madeItalic ? 0.2 : 0.0, -1, start, baseline}) + "Tm " + shown + " TJ ET\n";
    }
    // Underline and strike-out as GDI places them: below the baseline and at a third of the ascent.
    if (lf.lfUnderline || lf.lfStrikeOut) {
        const double thickness = std::max(1.0, std::round(font.emSize / 14.0));
        if (lf.lfUnderline)
            FillRectangle(start, baseline + std::max(1.0, font.descent / 2.0 - thickness / 2), double(total),
                          thickness, Rgb(state_.textColour) + " rg ");
        if (lf.lfStrikeOut)
            FillRectangle(start, baseline - std::round(font.ascent / 3.0), double(total), thickness,
                          Rgb(state_.textColour) + " rg ");
    }
    out_ += "Q\n";

    // A reference mark links its box (the smallest drawn rectangle holding the text) to its page.
    if (const int page = MarkedPage(chars); page >= 0 && turn.empty()) {
        RECT area{LONG(std::floor(start)), LONG(baseline) - font.ascent, LONG(std::ceil(start + total)),
                  LONG(baseline) + font.descent};
        const POINT inside{LONG(start) + 1, LONG(baseline) - font.ascent / 2};
        long smallest = LONG_MAX;
        for (const RECT& box : boxes_) {
            const long surface = long(box.right - box.left) * long(box.bottom - box.top);
            if (PtInRect(&box, inside) && surface < smallest) {
                smallest = surface;
                area = box;
            }
        }
        links.push_back(
            PdfLink{double(area.left), double(area.top), double(area.right), double(area.bottom), page});
    }
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

void PdfPageWriter::Record(const ENHMETARECORD* record, size_t size) {
    auto as = [&](auto* type) -> const std::remove_pointer_t<decltype(type)>* {
        return size >= sizeof(*type) ? reinterpret_cast<decltype(type)>(record) : nullptr;
    };
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
    case EMR_SETBRUSHORGEX:
        if (auto* r = as((const EMRSETBRUSHORGEX*)nullptr))
            brushOrigin_ = POINT{r->ptlOrigin.x, r->ptlOrigin.y};
        break;
    case EMR_MOVETOEX:
        if (auto* r = as((const EMRMOVETOEX*)nullptr)) state_.position = POINT{r->ptl.x, r->ptl.y};
        break;
    case EMR_LINETO:
        if (auto* r = as((const EMRLINETO*)nullptr)) {
            SetClip();
            FlushMask();
            POINT to{r->ptl.x, r->ptl.y};
            DrawLine(state_.position, to);
            state_.position = to;
        }
        break;
    case EMR_RECTANGLE:
        if (auto* r = as((const EMRRECTANGLE*)nullptr)) {
            SetClip();
            FlushMask();
            DrawRectangle(r->rclBox);
        }
        break;
    case EMR_EXTTEXTOUTW:
        if (auto* r = as((const EMREXTTEXTOUTW*)nullptr)) {
            SetClip();
            FlushMask();
            DrawText(*r, size);
        }
        break;
    case EMR_STRETCHDIBITS:
        if (auto* r = as((const EMRSTRETCHDIBITS*)nullptr)) {
            SetClip();
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
            SetClip();
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
                if (r->dwRop == BLACKNESS || r->dwRop == WHITENESS)
                    FillRectangle(place.left, place.top, r->cxDest, r->cyDest,
                                  r->dwRop == BLACKNESS ? "0 0 0 rg " : "1 1 1 rg ");
                else
                    FillWithBrush(place.left, place.top, r->cxDest, r->cyDest);
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

FontTables GdiFontTables(HDC dc) {
    FontTables tables;
    for (const char* tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf", "cvt ", "fpgm", "prep", "OS/2"}) {
        const DWORD name = DWORD(uint8_t(tag[0])) | (DWORD(uint8_t(tag[1])) << 8) |
                           (DWORD(uint8_t(tag[2])) << 16) | (DWORD(uint8_t(tag[3])) << 24);
        const DWORD size = GetFontData(dc, name, 0, nullptr, 0);
        if (size == GDI_ERROR || size == 0) continue;
        std::string bytes(size, '\0');
        if (GetFontData(dc, name, 0, bytes.data(), size) != size) continue;
        tables[tag] = std::move(bytes);
    }
    if (!tables.count("glyf") || !tables.count("loca") || !tables.count("head")) tables.clear();
    return tables;
}

bool AddMetafilePage(PdfBook& book, HENHMETAFILE metafile, const PdfSheet& sheet, int chartPage,
                     const std::u16string& title, POINT corner,
                     const std::vector<DrawnPictureFile>* pictureFiles) {
    if (!metafile || sheet.width <= 0 || sheet.height <= 0) return false;
    const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    if (size < sizeof(ENHMETAHEADER)) return false;
    std::vector<uint8_t> bytes(size);
    if (GetEnhMetaFileBits(metafile, size, bytes.data()) != size) return false;
    PdfPageWriter writer(book, POINT{-corner.x, -corner.y});
    writer.pictureFiles = pictureFiles;
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
    const std::string content = writer.Finish();
    book.AddPage(content, sheet, writer.links, chartPage, title);
    return true;
}

// Cell text layout on GDI: measuring with the selected font, placing lines, justification and
// turned text.
#include "render/TextLayout.h"

#include "render/LineBreaking.h"
#include "render/Pictures.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace {

const wchar_t* Wide(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

int Length(std::u16string_view text) {
    return static_cast<int>(text.size());
}

int FloorHalf(int value) {
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

// Widths of pieces that were measured whole while breaking, so a line that fitted is not
// measured a second time.
struct KnownWidths {
    struct Entry {
        const char16_t* data = nullptr;
        size_t size = 0;
        int width = 0;
    };
    Entry entries[8];
    int next = 0;

    void Add(std::u16string_view s, int width) {
        entries[next] = {s.data(), s.size(), width};
        next = (next + 1) % 8;
    }
    bool Find(std::u16string_view s, int& width) const {
        for (const Entry& e : entries)
            if (e.data == s.data() && e.size == s.size() && e.data) {
                width = e.width;
                return true;
            }
        return false;
    }
};

int TextWidth(HDC dc, std::u16string_view text, const KnownWidths& known) {
    if (text.empty()) return 0;
    int width = 0;
    if (known.Find(text, width)) return width;
    SIZE size{};
    GetTextExtentPoint32W(dc, Wide(text), Length(text), &size);
    return size.cx;
}

int FitCount(HDC dc, std::u16string_view text, int width, KnownWidths& known) {
    if (width < 0) return 0;
    int fit = 0;
    SIZE size{};
    if (!GetTextExtentExPointW(dc, Wide(text), Length(text), width, &fit, nullptr, &size)) return 0;
    if (fit >= Length(text)) known.Add(text, size.cx);
    return fit;
}

int LineHeight(HDC dc) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

void DrawLine(HDC dc, int x, int y, std::u16string_view line) {
    if (!line.empty()) TextOutW(dc, x, y, Wide(line), Length(line));
}

// Glyphs may reach outside the cell of their line (italics, overhangs, accents): the extent of a
// text is padded by this much.
int GlyphMargin(int lineHeight) {
    return lineHeight / 2 + 2;
}

// How far right of its reported width a drawn text can end, in the target's units. The font
// places its glyphs by the advances of the rendering it uses at its size, which may be wider than
// the reported ones: by the font's own excess per character where that is known (and a pixel for
// the rounding of the origin), and otherwise by half a pixel per character.
int DriftOf(std::u16string_view text, const GlyphDrift* drift, double unitsPerPixel) {
    int excess = 0;
    size_t unknown = 0;
    for (char16_t c : text) {
        if (drift && c <= 255) {
            excess += drift->excess[c];
        } else {
            ++unknown;
        }
    }
    const double pixel = std::max(unitsPerPixel, 1.0);
    const int guessed = static_cast<int>(static_cast<double>(unknown + 1) * pixel / 2);
    return (drift ? static_cast<int>(std::ceil((excess + 1) * unitsPerPixel)) : 0) + guessed;
}

// How far a line's ink can reach beyond [origin, origin + width): with advances that never go
// backwards, no glyph reaches further than the largest overhang of its characters, plus the drift.
void InkMargins(std::u16string_view line, const GlyphOverhangs* overhangs, int generous, const TextArea& area,
                LaidOutLines::Line& out) {
    const int drift = DriftOf(line, area.drift, area.unitsPerPixel);
    out.inkLeft = static_cast<int16_t>(generous);
    out.inkRight = static_cast<int16_t>(generous + drift);
    if (!overhangs || !overhangs->usable) return;
    int left = 0, right = 0;
    for (char16_t c : line) {
        if (c > 255) return;
        left = std::max<int>(left, overhangs->left[c]);
        right = std::max<int>(right, overhangs->right[c]);
    }
    // Bearings are whole pixels of a glyph placed at a fraction: two more take the rounding and
    // the smoothed edges, and a synthesised bold or italic adds its overhang.
    out.inkLeft = static_cast<int16_t>(left + 2 + overhangs->synthesised);
    out.inkRight = static_cast<int16_t>(right + 2 + overhangs->synthesised + drift);
}

// Lines up to this length are drawn together: one call per line costs more than passing the
// advances of a few glyphs, which longer lines spare by being drawn alone.
constexpr size_t kBatchedLineLength = 12;
// Fonts taller than this have few lines in a cell, and the check of their advances would be large.
constexpr int kBatchedLineHeight = 40;

// Short lines of one text sent to the target in one call: every glyph moves the next one by its
// advance, and the last glyph of a line moves it to where the next line starts.
class LineBatch {
  public:
    explicit LineBatch(HDC dc) : dc_(dc) {}
    ~LineBatch() { Flush(); }
    LineBatch(const LineBatch&) = delete;
    LineBatch& operator=(const LineBatch&) = delete;

    static bool Takes(std::u16string_view line, const TextAdvances& advances) {
        if (line.size() > kBatchedLineLength) return false;
        for (char16_t c : line)
            if (c > 255 || advances.width[c] < 0) return false;
        return true;
    }
    void Add(int x, int y, std::u16string_view line, const TextAdvances& advances) {
        if (line.empty()) return;
        if (chars_.empty()) {
            originX_ = x;
            originY_ = y;
        } else {
            moves_[moves_.size() - 2] = x - lastX_;
            moves_[moves_.size() - 1] = lastY_ - y; // vertical moves count upwards
        }
        int pen = x;
        for (char16_t c : line) {
            chars_.push_back(static_cast<wchar_t>(c));
            moves_.push_back(advances.width[c]);
            moves_.push_back(0);
            lastX_ = pen;
            pen += advances.width[c];
        }
        lastY_ = y;
    }
    void Flush() {
        if (chars_.empty()) return;
        ExtTextOutW(dc_, originX_, originY_, ETO_PDY, nullptr, chars_.data(), static_cast<UINT>(chars_.size()),
                    moves_.data());
        chars_.clear();
        moves_.clear();
    }

  private:
    HDC dc_;
    std::vector<wchar_t> chars_;
    std::vector<INT> moves_; // across and down, per glyph
    int originX_ = 0, originY_ = 0;
    int lastX_ = 0, lastY_ = 0; // where the last glyph added is drawn
};

bool Meets(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Every piece the breaking rule measures is a part of the text, and advances add up: one
// measure of the whole text gives each piece's width as the difference of two running widths,
// instead of a measure of every piece (which for a long text in a narrow cell is most of the
// time of a whole redraw).
struct RunningWidths {
    std::u16string_view text;
    std::vector<int> ends; // ends[i]: width of text[0..i]

    bool Measure(HDC dc) {
        if (text.empty()) return false;
        ends.assign(text.size(), 0);
        int fit = 0;
        SIZE size{};
        if (!GetTextExtentExPointW(dc, Wide(text), Length(text), INT_MAX, &fit, ends.data(), &size) ||
            fit != Length(text))
            return false;
        // Advances that went backwards could not be searched.
        return std::is_sorted(ends.begin(), ends.end());
    }
    bool Holds(std::u16string_view piece) const {
        return piece.data() >= text.data() && piece.data() + piece.size() <= text.data() + text.size();
    }
    int Before(size_t from) const { return from == 0 ? 0 : ends[from - 1]; }
    int Width(std::u16string_view piece) const {
        if (piece.empty()) return 0;
        const size_t from = static_cast<size_t>(piece.data() - text.data());
        return ends[from + piece.size() - 1] - Before(from);
    }
    int Fit(std::u16string_view piece, int width) const {
        if (width < 0 || piece.empty()) return 0;
        const size_t from = static_cast<size_t>(piece.data() - text.data());
        const auto first = ends.begin() + static_cast<std::ptrdiff_t>(from);
        const auto last = first + static_cast<std::ptrdiff_t>(piece.size());
        return static_cast<int>(std::upper_bound(first, last, Before(from) + width) - first);
    }
};

void BreakAndMeasure(HDC dc, std::u16string_view text, const TextArea& area, int generous, LaidOutLines& out) {
    const int breakWidth = area.breakWidth;
    TextLines lines;
    KnownWidths known;
    RunningWidths running{text, {}};
    const bool summed = running.Measure(dc);
    int used = BreakTextLines(
        text, breakWidth,
        [&](std::u16string_view s, int width) {
            return summed && running.Holds(s) ? running.Fit(s, width) : FitCount(dc, s, width, known);
        },
        lines);
    out.text.assign(text.begin(), text.end());
    out.breakWidth = breakWidth;
    out.lines.assign(static_cast<size_t>(used), {});
    out.widest = 0;
    for (int i = 0; i < used; ++i) {
        LaidOutLines::Line& line = out.lines[static_cast<size_t>(i)];
        if (!lines[i].empty()) {
            line.start = static_cast<uint16_t>(lines[i].data() - text.data());
            line.length = static_cast<uint16_t>(lines[i].size());
        }
        line.width =
            summed && running.Holds(lines[i]) ? running.Width(lines[i]) : TextWidth(dc, lines[i], known);
        InkMargins(lines[i], area.overhangs, generous, area, line);
        out.widest = std::max(out.widest, line.width);
    }
    out.valid = true;
}

void LayOutLines(HDC dc, std::u16string_view text, int alignment, int x, int y, const TextArea& area) {
    LaidOutLines local;
    LaidOutLines& laid = area.kept ? *area.kept : local;
    const int fullHeight = area.lineHeight > 0 ? area.lineHeight : LineHeight(dc);
    const int margin = GlyphMargin(fullHeight);
    if (!laid.valid || laid.breakWidth != area.breakWidth || laid.text != text)
        BreakAndMeasure(dc, text, area, margin, laid);
    const std::u16string_view kept = laid.text;
    const int used = static_cast<int>(laid.lines.size());
    if (used == 0) return;
    const int lineHeight = used == 1 ? 0 : fullHeight;
    // A line is seen where its ink can be: glyphs reach above and below the line's own rows.
    auto visible = [&](const RECT& ink) { return ink.top < area.visibleBottom && ink.bottom > area.visibleTop; };

    // Justification stretches lines to the widest of all 100, seen or not.
    const int widest = laid.widest;
    const TextAdvances* advances = area.advances && area.advances->usable ? area.advances : nullptr;
    LineBatch batch(dc);
    for (int i = 0; i < used; ++i) {
        const LaidOutLines::Line& laidLine = laid.lines[static_cast<size_t>(i)];
        const int lineY = y + i * lineHeight;
        const std::u16string_view line = kept.substr(laidLine.start, laidLine.length);
        if (line.empty()) continue;
        const int w = laidLine.width;
        int lineX = x;
        int drawnWidth = w;
        bool stretched = false;
        switch (alignment) {
        case 132:
            lineX = x + area.width - w - 3;
            break;
        case 133:
            lineX = x + FloorHalf(area.width - w);
            break;
        case 134:
            // Lines from 80 % of the widest up are stretched to the widest line (not to the cell).
            stretched = w < widest && w * 5 >= widest * 4;
            if (stretched) drawnWidth = widest;
            break;
        }
        // Across, the ink is known to the pixel; down, a margin takes glyphs reaching out of the line.
        const RECT ink{lineX - laidLine.inkLeft, lineY - margin, lineX + drawnWidth + laidLine.inkRight,
                       lineY + fullHeight + margin};
        if (area.extent)
            GrowExtentWithin(*area.extent, area.extentBounds, ink.left, ink.top, ink.right, ink.bottom);
        if (!area.draw || !visible(ink)) continue;
        if (area.clipIsBox ? !Meets(ink, area.clipBox) : !RectVisible(dc, &ink)) continue;
        // Without a space to widen, a stretched line is drawn as it is.
        const int spaces = stretched ? static_cast<int>(std::count(line.begin(), line.end(), u' ')) : 0;
        if (advances && spaces == 0 && LineBatch::Takes(line, *advances)) {
            batch.Add(lineX, lineY, line, *advances);
            continue;
        }
        batch.Flush();
        if (spaces != 0) {
            SetTextJustification(dc, widest - w, spaces);
            DrawLine(dc, lineX, lineY, line);
            SetTextJustification(dc, 0, 0);
        } else {
            DrawLine(dc, lineX, lineY, line);
        }
    }
}

// The turned font hangs its glyphs to the left of the reference point and runs downwards, so the
// point lies half the text's height right of the cell's middle.
void LayOutTurned(HDC dc, std::u16string_view text, int alignment, int x, int y, const TextArea& area) {
    if (text.empty()) return;
    SIZE size{};
    GetTextExtentPoint32W(dc, Wide(text), Length(text), &size);
    int px = x + FloorHalf(area.width + size.cy);
    int py = alignment == 135 ? y : y + FloorHalf(area.height - size.cx);
    if (area.extent) {
        const int margin = GlyphMargin(size.cy);
        GrowExtentWithin(*area.extent, area.extentBounds, px - size.cy - margin, py - margin, px + margin,
                         py + size.cx + margin + DriftOf(text, area.drift, area.unitsPerPixel));
    }
    if (area.draw) TextOutW(dc, px, py, Wide(text), Length(text));
}

} // namespace

void ReadGlyphOverhangs(HDC dc, GlyphOverhangs& overhangs) {
    if (overhangs.known) return;
    overhangs.known = true;
    ABC widths[256];
    overhangs.usable = GetCharABCWidthsW(dc, 0, 255, widths) != 0;
    if (!overhangs.usable) return;
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    overhangs.synthesised = static_cast<uint8_t>(std::clamp<LONG>(metrics.tmOverhang, 0, 255));
    for (int c = 0; c < 256; ++c) {
        overhangs.left[c] = static_cast<uint8_t>(std::clamp(-widths[c].abcA, 0, 255));
        overhangs.right[c] = static_cast<uint8_t>(std::clamp(-widths[c].abcC, 0, 255));
    }
}

bool DrawsTextUnscaled(HDC dc, int& bitsPixel) {
    bitsPixel = 0;
    if (GetObjectType(dc) != OBJ_MEMDC || GetMapMode(dc) != MM_TEXT) return false;
    if (GetGraphicsMode(dc) == GM_ADVANCED) {
        XFORM transform{};
        if (!GetWorldTransform(dc, &transform) || transform.eM11 != 1 || transform.eM12 != 0 ||
            transform.eM21 != 0 || transform.eM22 != 1)
            return false;
    }
    BITMAP bitmap{};
    if (!GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap)) return false;
    bitsPixel = bitmap.bmBitsPixel;
    return true;
}

namespace {

// The characters whose placement is read: the printable ones of 0 to 255.
bool Checked(char16_t c) {
    return c >= 32 && (c < 127 || c > 160) && c <= 255;
}

// The advance of every checked character in each of the font's renderings (in pixels, -1 where
// a rendering cannot tell); the first is the one the font reports.
struct GlyphIncrements {
    static constexpr UINT kFormats[] = {GGO_METRICS, GGO_BITMAP, GGO_GRAY2_BITMAP, GGO_GRAY4_BITMAP,
                                        GGO_GRAY8_BITMAP};
    int16_t advance[5][256];

    explicit GlyphIncrements(HDC dc) {
        static const MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        for (size_t f = 0; f < 5; ++f) {
            std::fill(std::begin(advance[f]), std::end(advance[f]), int16_t(-1));
            for (char16_t c = 0; c < 256; ++c) {
                GLYPHMETRICS glyph{};
                if (!Checked(c)) continue;
                if (GetGlyphOutlineW(dc, c, kFormats[f], &glyph, 0, nullptr, &kIdentity) == GDI_ERROR) break;
                // Turned fonts advance downwards: the length of the advance counts.
                const int along = std::max(std::abs(int(glyph.gmCellIncX)), std::abs(int(glyph.gmCellIncY)));
                advance[f][c] = static_cast<int16_t>(std::min(along, int(INT16_MAX)));
            }
        }
    }
    bool Complete(size_t format) const {
        for (char16_t c = 0; c < 256; ++c)
            if (Checked(c) && advance[format][c] < 0) return false;
        return true;
    }
};

void ReadDrift(const GlyphIncrements& increments, double unitsPerPixel, GlyphDrift& drift) {
    drift.known = true;
    drift.unitsPerPixel = unitsPerPixel;
    drift.usable = increments.Complete(0);
    std::fill(std::begin(drift.excess), std::end(drift.excess), uint8_t(0));
    if (!drift.usable) return;
    for (char16_t c = 0; c < 256; ++c) {
        if (!Checked(c)) continue;
        int widest = increments.advance[0][c];
        for (size_t f = 1; f < 5; ++f)
            widest = std::max<int>(widest, increments.advance[f][c]);
        drift.excess[c] = static_cast<uint8_t>(std::min(widest - increments.advance[0][c], 255));
    }
}

void ReadTextAdvances(HDC dc, const GlyphIncrements& increments, TextAdvances& advances) {
    advances.known = true;
    advances.usable = false;
    std::fill(std::begin(advances.width), std::end(advances.width), int16_t(-1));
    TEXTMETRICW metrics{};
    // Underlines and strike-outs run along each call's whole text, so those fonts draw line by line.
    if (!DrawsTextUnscaled(dc, advances.bitsPixel) || !GetTextMetricsW(dc, &metrics) || metrics.tmUnderlined ||
        metrics.tmStruckOut)
        return;
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    if (lineHeight <= 0 || lineHeight > kBatchedLineHeight) return;

    // The characters checked, each followed by a narrow glyph, so a wrong advance moves a glyph.
    std::vector<std::u16string> rows;
    int count = 0;
    for (char16_t c = 0; c < 256; ++c) {
        if (!Checked(c)) continue;
        if (count++ % 6 == 0) rows.emplace_back();
        rows.back() += c;
        rows.back() += u'l';
    }
    const int margin = lineHeight * 2;
    int width = 0;
    for (const std::u16string& row : rows) {
        SIZE size{};
        GetTextExtentPoint32W(dc, Wide(row), Length(row), &size);
        width = std::max<int>(width, size.cx);
    }
    width += 2 * margin;
    const int height = static_cast<int>(rows.size()) * lineHeight + 2 * margin;

    MemoryDC scratch(dc);
    BitmapHandle bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!scratch.Get() || !bitmap) return;
    ScopedSelect selectBitmap(scratch.Get(), bitmap.Get());
    ScopedSelect selectFont(scratch.Get(), GetCurrentObject(dc, OBJ_FONT));
    SetBkMode(scratch.Get(), TRANSPARENT);
    SetTextColor(scratch.Get(), RGB(0, 0, 0));
    auto draw = [&](const TextAdvances* batched) {
        FillSolid(scratch.Get(), RECT{0, 0, width, height}, RGB(255, 255, 255));
        LineBatch batch(scratch.Get());
        for (size_t r = 0; r < rows.size(); ++r) {
            const int y = margin + static_cast<int>(r) * lineHeight;
            if (batched) {
                batch.Add(margin, y, rows[r], *batched);
            } else {
                DrawLine(scratch.Get(), margin, y, rows[r]);
            }
        }
        batch.Flush();
        return ReadPixels(scratch.Get(), width, height);
    };
    const std::vector<uint32_t> lineByLine = draw(nullptr);
    if (lineByLine.empty()) return;

    // The font places glyphs by the advances of one of its renderings: the one that draws the same
    // pixels is taken.
    TextAdvances candidate = advances;
    for (size_t f = 0; f < 5; ++f) {
        if (!increments.Complete(f)) continue;
        std::copy(std::begin(increments.advance[f]), std::end(increments.advance[f]), candidate.width);
        if (draw(&candidate) == lineByLine) {
            std::copy(std::begin(candidate.width), std::end(candidate.width), advances.width);
            advances.usable = true;
            return;
        }
    }
}

} // namespace

void ReadGlyphPlacement(HDC dc, double unitsPerPixel, GlyphDrift& drift, TextAdvances* advances) {
    const bool driftWanted = !drift.known || drift.unitsPerPixel != unitsPerPixel;
    const bool advancesWanted = advances && !advances->known;
    if (!driftWanted && !advancesWanted) return;
    const GlyphIncrements increments(dc);
    if (driftWanted) ReadDrift(increments, unitsPerPixel, drift);
    if (advancesWanted) ReadTextAdvances(dc, increments, *advances);
}

void GrowExtent(RECT& extent, int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    if (extent.right <= extent.left || extent.bottom <= extent.top) {
        extent = RECT{left, top, right, bottom};
        return;
    }
    extent.left = std::min<LONG>(extent.left, left);
    extent.top = std::min<LONG>(extent.top, top);
    extent.right = std::max<LONG>(extent.right, right);
    extent.bottom = std::max<LONG>(extent.bottom, bottom);
}

void GrowExtentWithin(RECT& extent, const RECT& bounds, int left, int top, int right, int bottom) {
    GrowExtent(extent, std::max<int>(left, bounds.left), std::max<int>(top, bounds.top),
               std::min<int>(right, bounds.right), std::min<int>(bottom, bounds.bottom));
}

void LayOutText(HDC dc, std::u16string_view text, int alignment, int x, int y, const TextArea& area) {
    if (alignment >= 131 && alignment <= 134) {
        LayOutLines(dc, text, alignment, x, y, area);
    } else if (alignment == 135 || alignment == 136) {
        LayOutTurned(dc, text, alignment, x, y, area);
    }
}

void DrawCellText(RenderState& render, HDC target, std::u16string_view text, int alignment, int x, int y,
                  HFONT font, COLORREF colour) {
    SelectObject(target, font);
    SetTextColor(target, colour);
    SetBkMode(target, TRANSPARENT);
    TextArea area;
    area.width = render.spanWidth - render.lineThickness;
    area.breakWidth = area.width;
    area.height = render.spanHeight - render.lineThickness;
    LayOutText(target, text, alignment, x, y, area);
}

void DrawSampleTextOn(HDC dc, int clientWidth, std::u16string_view text, int alignment, int x, int y,
                      HFONT font, COLORREF colour) {
    if (alignment < 131 || alignment > 134) return;
    SelectObject(dc, font);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    TextArea area;
    area.width = clientWidth;
    area.breakWidth = clientWidth - 5;
    LayOutText(dc, text, alignment, x, y, area);
}

void DrawSampleText(HWND dialog, int controlId, std::u16string_view text, int alignment, int x, int y,
                    HFONT font, COLORREF colour) {
    HWND control = GetDlgItem(dialog, controlId);
    if (!control) return;
    RECT client{};
    GetClientRect(control, &client);
    WindowDC dc(control);
    if (!dc.Get()) return;
    HGDIOBJ previousFont = GetCurrentObject(dc.Get(), OBJ_FONT);
    DrawSampleTextOn(dc.Get(), client.right, text, alignment, x, y, font, colour);
    SelectObject(dc.Get(), previousFont); // the control's DC goes back to the system as it came
}

// Cell text layout on GDI: measuring with the selected font, placing lines, justification and
// turned text.
#include "render/TextLayout.h"

#include "render/LineBreaking.h"

#include <algorithm>

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

void LayOutLines(HDC dc, std::u16string_view text, int alignment, int x, int y, const TextArea& area) {
    TextLines lines;
    KnownWidths known;
    int used = BreakTextLines(
        text, area.breakWidth,
        [dc, &known](std::u16string_view s, int width) { return FitCount(dc, s, width, known); }, lines);
    if (used == 0) return;
    const int lineHeight = used == 1 ? 0 : area.lineHeight > 0 ? area.lineHeight : LineHeight(dc);
    auto visible = [&](int lineY) {
        return used == 1 || (lineY < area.visibleBottom && lineY + lineHeight > area.visibleTop);
    };

    // Justification stretches lines to the widest of all 100, seen or not.
    int widest = 0;
    int widths[kTextLineCount] = {};
    if (alignment == 134) {
        for (int i = 0; i < used; ++i) {
            widths[i] = TextWidth(dc, lines[i], known);
            widest = std::max(widest, widths[i]);
        }
    }
    for (int i = 0; i < used; ++i) {
        const int lineY = y + i * lineHeight;
        std::u16string_view line = lines[i];
        if (line.empty() || !visible(lineY)) continue;
        switch (alignment) {
        case 131:
            DrawLine(dc, x, lineY, line);
            break;
        case 132:
            DrawLine(dc, x + area.width - TextWidth(dc, line, known) - 3, lineY, line);
            break;
        case 133:
            DrawLine(dc, x + FloorHalf(area.width - TextWidth(dc, line, known)), lineY, line);
            break;
        case 134: {
            // Lines from 80 % of the widest up are stretched to the widest line (not to the cell).
            int w = widths[i];
            if (w < widest && w * 5 >= widest * 4) {
                int spaces = static_cast<int>(std::count(line.begin(), line.end(), u' '));
                SetTextJustification(dc, widest - w, spaces);
                DrawLine(dc, x, lineY, line);
                if (spaces != 0) SetTextJustification(dc, 0, 0);
            } else {
                DrawLine(dc, x, lineY, line);
            }
            break;
        }
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
    TextOutW(dc, px, py, Wide(text), Length(text));
}

} // namespace

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

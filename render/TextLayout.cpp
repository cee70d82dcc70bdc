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

int TextWidth(HDC dc, std::u16string_view text) {
    if (text.empty()) return 0;
    SIZE size{};
    GetTextExtentPoint32W(dc, Wide(text), Length(text), &size);
    return size.cx;
}

int FitCount(HDC dc, std::u16string_view text, int width) {
    if (width < 0) return 0;
    int fit = 0;
    SIZE size{};
    if (!GetTextExtentExPointW(dc, Wide(text), Length(text), width, &fit, nullptr, &size)) return 0;
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
    int used = BreakTextLines(
        text, area.breakWidth, [dc](std::u16string_view s, int width) { return FitCount(dc, s, width); },
        lines);
    if (used == 0) return;
    int lineHeight = used > 1 ? LineHeight(dc) : 0;

    int widths[kTextLineCount] = {};
    int widest = 0;
    if (alignment != 131) {
        for (int i = 0; i < used; ++i) {
            widths[i] = TextWidth(dc, lines[i]);
            widest = std::max(widest, widths[i]);
        }
    }
    for (int i = 0; i < used; ++i) {
        int lineY = y + i * lineHeight;
        std::u16string_view line = lines[i];
        if (line.empty()) continue;
        switch (alignment) {
        case 131:
            DrawLine(dc, x, lineY, line);
            break;
        case 132:
            DrawLine(dc, x + area.width - widths[i] - 3, lineY, line);
            break;
        case 133:
            DrawLine(dc, x + FloorHalf(area.width - widths[i]), lineY, line);
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

// Picture controls that paint a kept picture (a static control subclassed to paint from a Picture
// owned through a window property and released with the window), control fonts, the focus memo.
#include "interaction/DialogParts.h"

#include "render/Dpi.h"
#include "ui/DialogTemplate.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr wchar_t kPictureProperty[] = L"Cuadrix.Picture";
constexpr wchar_t kPreviousProcProperty[] = L"Cuadrix.PictureProc";

Picture* PictureOf(HWND control) {
    return static_cast<Picture*>(GetPropW(control, kPictureProperty));
}

void PaintPicture(HWND control) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(control, &ps);
    if (Picture* picture = PictureOf(control))
        BitBlt(dc, 0, 0, picture->Width(), picture->Height(), picture->Dc(), 0, 0, SRCCOPY);
    EndPaint(control, &ps);
}

LRESULT CALLBACK PictureControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(control, kPreviousProcProperty));
    switch (message) {
    case WM_PAINT:
        PaintPicture(control);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the picture covers the whole client area
    case WM_SIZE: {
        // A control laid out again for the screen gets a white picture of its new size; its
        // dialog draws on it afterwards.
        Picture* picture = PictureOf(control);
        int width = std::max(1, static_cast<int>(LOWORD(lParam)));
        int height = std::max(1, static_cast<int>(HIWORD(lParam)));
        if (picture && (picture->Width() != width || picture->Height() != height)) {
            *picture = Picture(width, height);
            FillSolid(picture->Dc(), RECT{0, 0, width, height}, RGB(255, 255, 255));
        }
        break;
    }
    case WM_NCDESTROY: {
        delete PictureOf(control);
        RemovePropW(control, kPictureProperty);
        RemovePropW(control, kPreviousProcProperty);
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        return CallWindowProcW(previous, control, message, wParam, lParam);
    }
    }
    return CallWindowProcW(previous, control, message, wParam, lParam);
}

// Width of a push button's caption in its font; 0 for other controls.
int PushButtonTextWidth(HWND control, const wchar_t* className) {
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (lstrcmpiW(className, L"Button") != 0 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)) return 0;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    WindowDC dc(control);
    ScopedSelect font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.Get(), text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right;
}

} // namespace

HWND CreatePictureControl(HWND parent, int id, int x, int y, int width, int height, bool reportsClicks) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_LEFT | (reportsClicks ? SS_NOTIFY : 0);
    HWND control = CreateChild(parent, L"STATIC", L"", style, x, y, width, height, id);
    if (!control) return nullptr;
    RECT client{};
    GetClientRect(control, &client);
    auto* picture = new Picture(client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
    FillSolid(picture->Dc(), RECT{0, 0, picture->Width(), picture->Height()}, RGB(255, 255, 255));
    SetPropW(control, kPictureProperty, picture);
    SetPropW(control, kPreviousProcProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC)));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PictureControlProc));
    return control;
}

HDC PictureDc(HWND control) {
    Picture* picture = control ? PictureOf(control) : nullptr;
    return picture ? picture->Dc() : nullptr;
}

SIZE PictureSize(HWND control) {
    Picture* picture = control ? PictureOf(control) : nullptr;
    return picture ? SIZE{picture->Width(), picture->Height()} : SIZE{0, 0};
}

void FillPicture(HWND control, COLORREF colour) {
    Picture* picture = control ? PictureOf(control) : nullptr;
    if (!picture) return;
    FillSolid(picture->Dc(), RECT{0, 0, picture->Width(), picture->Height()}, colour);
    ShowPicture(control);
}

void ShowPicture(HWND control) {
    if (!control) return;
    InvalidateRect(control, nullptr, FALSE);
    UpdateWindow(control);
}

FontHandle CreateControlFont(const wchar_t* face, int points, bool bold) {
    WindowDC screen(nullptr);
    int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    int height = -static_cast<int>(std::lround(points * static_cast<double>(dpi) / 72.0));
    return FontHandle(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, face));
}

void SetControlFont(HWND dialog, std::initializer_list<int> controlIds, const FontHandle& font) {
    for (int id : controlIds)
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
}

double FitDialogToScreen(HWND dialog, int width, int height, int splitY) {
    constexpr int kColumnTop = 8;
    const int dpi = WindowDpi(dialog);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), false,
                           static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)), dpi);
    const RECT work = WorkAreaOf(dialog);
    const int roomWidth = (work.right - work.left) - (frame.right - frame.left);
    const int roomHeight = (work.bottom - work.top) - (frame.bottom - frame.top);
    const bool twoColumns = splitY > 0 && ScaleForDpi(height, dpi) > roomHeight;
    const int columnShift = splitY - kColumnTop;
    const int laidWidth = twoColumns ? 2 * width : width;
    const int laidHeight = twoColumns ? std::max(splitY, height - columnShift) : height;
    // Last resort on a very small screen: a smaller scale rather than controls out of reach.
    const double scale =
        std::min({static_cast<double>(dpi) / kBaseDpi, static_cast<double>(roomWidth) / laidWidth,
                  static_cast<double>(roomHeight) / laidHeight});
    auto scaled = [scale](LONG v) { return static_cast<int>(std::lround(v * scale)); };
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        // A drop-down list's window is as tall as the list it drops.
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        RECT dropped{};
        if (lstrcmpiW(className, L"ComboBox") == 0 &&
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)) &&
            dropped.bottom > dropped.top)
            r.bottom = r.top + (dropped.bottom - dropped.top);
        if (twoColumns && r.top >= splitY) OffsetRect(&r, width, -columnShift);
        int x = scaled(r.left), w = scaled(r.right - r.left);
        // Fonts do not grow in step with the scale: a button's caption that outgrew it widens the
        // button about its centre.
        const int needed = PushButtonTextWidth(child, className) + 2 * ScaleForDpi(4, dpi);
        if (needed > w) {
            x = std::max(0, x - (needed - w) / 2);
            w = needed;
        }
        if (scale == 1.0 && !twoColumns && w == r.right - r.left) continue; // already in place
        SetWindowPos(child, nullptr, x, scaled(r.top), w, scaled(r.bottom - r.top),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetClientSize(dialog, scaled(laidWidth), scaled(laidHeight));
    CenterInWorkArea(dialog);
    return scale;
}

void KeepFocusAcrossActivation(HWND dialog, WPARAM activateParam, HWND& savedFocus) {
    if (LOWORD(activateParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) savedFocus = focus;
    } else if (savedFocus) {
        if (IsWindow(savedFocus) && IsChild(dialog, savedFocus)) SetFocus(savedFocus);
        savedFocus = nullptr;
    }
}

std::u16string WindowTextU16(HWND window) {
    int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(window, text.data(), n + 1);
    return std::u16string(text.begin(), text.begin() + n);
}

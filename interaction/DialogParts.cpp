// Picture controls that paint a kept picture (a static control subclassed to paint from a Picture
// owned through a window property and released with the window), control fonts, the focus memo.
#include "interaction/DialogParts.h"

#include "ui/DialogTemplate.h"

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

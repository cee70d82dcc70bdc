// In-memory dialog templates and window placement helpers.
#include "ui/DialogTemplate.h"

std::vector<WORD> BuildDialogTemplate(DWORD style, DWORD exStyle, short width, short height,
                                      const std::wstring& title, WORD pointSize, const std::wstring& face) {
    std::vector<WORD> t;
    auto dword = [&](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto text = [&](const std::wstring& s) {
        for (wchar_t c : s)
            t.push_back(static_cast<WORD>(c));
        t.push_back(0);
    };
    dword(style);
    dword(exStyle);
    t.push_back(0); // no controls in the template
    t.push_back(0); // x
    t.push_back(0); // y
    t.push_back(static_cast<WORD>(width));
    t.push_back(static_cast<WORD>(height));
    t.push_back(0); // no menu
    t.push_back(0); // default dialog class
    text(title);
    if (style & DS_SETFONT) {
        t.push_back(pointSize);
        text(face);
    }
    return t;
}

void SetClientSize(HWND window, int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CenterInWorkArea(HWND window) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT r{};
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = work.left + ((work.right - work.left) - w) / 2;
    int y = work.top + ((work.bottom - work.top) - h) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, int x, int y,
                 int width, int height, int id, DWORD exStyle) {
    return CreateWindowExW(exStyle, className, text.c_str(), style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

void PlaceDialogControl(HWND dialog, const wchar_t* kind, const std::wstring& text, DWORD style, RECT units,
                        int id, DWORD exStyle) {
    MapDialogRect(dialog, &units);
    HWND control = CreateChild(dialog, kind, text, WS_CHILD | WS_VISIBLE | style, units.left, units.top,
                               units.right - units.left, units.bottom - units.top, id, exStyle);
    SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

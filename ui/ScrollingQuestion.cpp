// The yes-or-no question with a text that scrolls when the screen is too small for it.
#include "ui/ScrollingQuestion.h"

#include "render/Dpi.h"
#include "render/GdiObjects.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr DWORD kStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct QuestionRun {
    const std::wstring& text;
    const std::wstring& yes;
    const std::wstring& no;
    FontHandle font;
};

// The font of message boxes, at the dialog's DPI, so that the question reads as one.
FontHandle MessageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    WindowDC screen(nullptr);
    font.lfHeight = MulDiv(font.lfHeight, dpi, GetDeviceCaps(screen.Get(), LOGPIXELSY));
    return FontHandle(CreateFontIndirectW(&font));
}

// The text's size in the font: as wide as its widest line, or broken into lines of `width`.
SIZE TextSize(HDC dc, const std::wstring& text, int width = 0) {
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (width > 0 ? DT_WORDBREAK | DT_EDITCONTROL : 0));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void LayOut(HWND dialog, QuestionRun& run) {
    const int dpi = WindowDpi(dialog);
    run.font = MessageFont(dpi);
    // Line breaks at the end would only add an empty line to scroll to.
    const std::wstring shown = run.text.substr(0, run.text.find_last_not_of(L"\r\n") + 1);
    HWND text = CreateChild(dialog, L"EDIT", shown, WS_CHILD | ES_MULTILINE | ES_READONLY | WS_TABSTOP, 0, 0,
                            0, 0, kScrollingQuestionTextId);
    HWND yes = CreateChild(dialog, L"BUTTON", run.yes, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                           0, 0, 0, 0, IDYES);
    HWND no = CreateChild(dialog, L"BUTTON", run.no, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, IDNO);
    for (HWND control : {text, yes, no})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(run.font.Get()), FALSE);

    WindowDC dc(dialog);
    ScopedSelect font(dc.Get(), run.font.Get());
    const int margin = ScaleForDpi(11, dpi), gap = ScaleForDpi(8, dpi);
    const int buttonHeight = ScaleForDpi(23, dpi);
    const int buttonWidth = std::max<int>({ScaleForDpi(75, dpi), TextSize(dc.Get(), run.yes).cx + 2 * gap,
                                           TextSize(dc.Get(), run.no).cx + 2 * gap});
    const DWORD margins = static_cast<DWORD>(SendMessageW(text, EM_GETMARGINS, 0, 0));
    const int inside = LOWORD(margins) + HIWORD(margins) + ScaleForDpi(4, dpi);
    const int scrollBar = SystemMetricForDpi(SM_CXVSCROLL, dpi);

    RECT frame{0, 0, 0, 0};
    AdjustWindowRectForDpi(frame, kStyle, false, 0, dpi);
    const RECT work = WorkAreaOf(GetParent(dialog) ? GetParent(dialog) : dialog);
    const int roomAcross = (work.right - work.left) - (frame.right - frame.left) - 2 * margin;
    const int roomDown = (work.bottom - work.top) - (frame.bottom - frame.top) - 3 * margin - buttonHeight;

    // As wide as its widest line where the screen allows, broken into lines otherwise; as tall as
    // its lines where the screen allows, scrolling otherwise.
    SIZE needed = TextSize(dc.Get(), shown);
    const int widest = roomAcross - inside - scrollBar;
    if (needed.cx > widest) needed = TextSize(dc.Get(), shown, widest);
    const int lineHeight = std::max<int>(TextSize(dc.Get(), L"X").cy, 1);
    const bool scrolls = needed.cy + lineHeight / 2 > roomDown;
    const int textWidth = needed.cx + inside + (scrolls ? scrollBar : 0);
    const int textHeight = scrolls ? std::max(roomDown, lineHeight) : needed.cy + lineHeight / 2;
    if (scrolls) SetWindowLongPtrW(text, GWL_STYLE, GetWindowLongPtrW(text, GWL_STYLE) | WS_VSCROLL);

    const int width = std::max(textWidth, 2 * buttonWidth + gap) + 2 * margin;
    const int height = 3 * margin + textHeight + buttonHeight;
    SetWindowPos(text, nullptr, margin, margin, width - 2 * margin, textHeight,
                 SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    const int buttonsLeft = (width - 2 * buttonWidth - gap) / 2, buttonsTop = 2 * margin + textHeight;
    MoveWindow(yes, buttonsLeft, buttonsTop, buttonWidth, buttonHeight, FALSE);
    MoveWindow(no, buttonsLeft + buttonWidth + gap, buttonsTop, buttonWidth, buttonHeight, FALSE);

    // Centred in the work area, and never beyond it.
    const int outerWidth = width + (frame.right - frame.left),
              outerHeight = height + (frame.bottom - frame.top);
    const int x = std::max<int>(work.left, work.left + ((work.right - work.left) - outerWidth) / 2);
    const int y = std::max<int>(work.top, work.top + ((work.bottom - work.top) - outerHeight) / 2);
    SetWindowPos(dialog, nullptr, x, y, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    SetFocus(yes);
}

INT_PTR CALLBACK QuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        LayOut(dialog, *reinterpret_cast<QuestionRun*>(lParam));
        return FALSE; // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDYES || LOWORD(wParam) == IDNO || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam) == IDYES ? IDYES : IDNO);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

int AskYesNoScrolling(HWND owner, const std::wstring& text, const std::wstring& caption,
                      const std::wstring& yes, const std::wstring& no) {
    if (std::optional<int> answer = AnswerFromSeam(owner, text, caption, MB_YESNO)) return *answer;
    QuestionRun run{text, yes, no, {}};
    std::vector<WORD> dialogTemplate = BuildDialogTemplate(kStyle, 0, 100, 60, caption);
    const INT_PTR chosen = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                                   reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                                   owner, QuestionProc, reinterpret_cast<LPARAM>(&run));
    return chosen == IDYES ? IDYES : IDNO;
}

// The text-properties dialog: built in code in pixels, run modally, editing the working style
// while the sample shows it; Accept commits everything to the buffer at once.
#include "interaction/TextProperties.h"

#include "interaction/Workspace.h"
#include "ui/DialogTemplate.h"
#include "interaction/ColourDialog.h"
#include "interaction/DialogParts.h"

#include <set>

namespace {

constexpr int kSizeListUpperBound = 70;
constexpr int kSmallestSize = 6;
constexpr int kAlignmentTop = 412; // the first alignment option; the lower half of the dialog

// What lives only while the dialog runs. The number-format and alignment choices are kept here
// and reach the buffer with Accept, so Cancel leaves every accepted value as it was.
struct TextDialogRun {
    Workspace& app;
    FontHandle controlFont;
    FontHandle colourLabelFont;
    FontHandle dotsFont;
    HWND savedFocus = nullptr;
    int16_t formatType = 0;
    int32_t formatAllowed = 0;
    std::array<int32_t, kAlignmentOptionCount> alignment{};
};

TextDialogRun* RunOf(HWND dialog) {
    return reinterpret_cast<TextDialogRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

bool IsClick(int code) {
    return code == 0 || code == 1;
}

int FormatOptionId(int formatType) {
    return kFirstFormatOptionId + formatType - 1;
}

void AddLabel(HWND dialog, int id, const std::wstring& text, int x, int y, int w, int h) {
    CreateChild(dialog, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER, x, y, w, h, id);
}

void AddCheckBox(HWND dialog, int id, const std::wstring& text, int x, int y, int w, int h, DWORD extra = 0) {
    CreateChild(dialog, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | extra, x, y,
                w, h, id);
}

void AddOption(HWND dialog, int id, const std::wstring& text, int x, int y, int w, int h, bool first) {
    DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0);
    CreateChild(dialog, L"BUTTON", text, style, x, y, w, h, id);
}

void AddButton(HWND dialog, int id, const std::wstring& text, int x, int y, int w, int h,
               bool isDefault = false) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    CreateChild(dialog, L"BUTTON", text, style, x, y, w, h, id);
}

void CreateFontListControl(TextDialogRun& run, HWND dialog) {
    HWND list = CreateChild(dialog, L"COMBOBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                CBS_SORT | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                            8, 24, 304, 24, kFontListId, WS_EX_CLIENTEDGE);
    // Room around each name drawn in its own face.
    LRESULT itemHeight = SendMessageW(list, CB_GETITEMHEIGHT, 0, 0);
    if (itemHeight != CB_ERR) {
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight + 4);
        SendMessageW(list, CB_SETITEMHEIGHT, 0, itemHeight + 4);
    }
    FillFontList(list);
    std::wstring name = AnsiToWide(run.app.textProps.currentStyle.fontName);
    SendMessageW(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
}

void CreateControls(TextDialogRun& run, HWND dialog) {
    const Workspace& app = run.app;
    auto text = [&](int item) { return Tr(app, MessageTable::TextProperties, item); };
    AddLabel(dialog, kFontListLabelId, text(3), 8, 8, 312, 16);
    CreateFontListControl(run, dialog);
    AddLabel(dialog, kSizeLabelId, text(4), 314, 7, 120, 13);
    CreateChild(dialog, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                314, 24, 120, 24, kSizeListId);
    AddCheckBox(dialog, kBoldId, text(5), 13, 72, 126, 24, WS_GROUP);
    AddCheckBox(dialog, kItalicId, text(6), 13, 96, 126, 24);
    AddCheckBox(dialog, kUnderlineId, text(7), 13, 120, 126, 24);
    AddCheckBox(dialog, kStrikeoutId, text(8), 13, 144, 126, 24);
    AddCheckBox(dialog, kLeadingId, L"Leading", 13, 168, 126, 24);
    CreateChild(dialog, L"BUTTON", text(9), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 8, 56, 136, 144,
                kStylesGroupId);
    CreatePictureControl(dialog, kSampleId, 152, 64, 280, 136, false);
    AddLabel(dialog, kBackColourLabelId, text(10), 0, 216, 152, 24);
    AddButton(dialog, kBackColourButtonId, L"...", 151, 208, 56, 32);
    CreatePictureControl(dialog, kBackSwatchId, 216, 208, 32, 32, true);
    AddButton(dialog, kFontColourButtonId, L"...", 151, 249, 56, 32);
    AddLabel(dialog, kFontColourLabelId, text(11), 0, 257, 152, 24);
    CreatePictureControl(dialog, kFontSwatchId, 216, 249, 32, 32, true);
    AddButton(dialog, kTextCancelId, Tr(app, MessageTable::FileNameDialog, 4), 256, 208, 102, 32);
    AddButton(dialog, kTextAcceptId, Tr(app, MessageTable::FileNameDialog, 3), 256, 250, 102, 32, true);
    CreateChild(dialog, L"EDIT", L"",
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL |
                    ES_WANTRETURN,
                5, 290, 320, 120, kTextBoxId);
    for (int k = 0; k < kAlignmentOptionCount; ++k) {
        int width = k < 4 ? 210 : 310;
        AddOption(dialog, kAlignmentOptionIds[k], text(12 + k), 5, kAlignmentTop + 20 * k, width, 18, k == 0);
    }
    CreateChild(dialog, L"STATIC", L"Linea1", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_ETCHEDFRAME, 5, 532, 410,
                160, kFormatFrameId);
    AddCheckBox(dialog, kNumberWithFormatId, Tr(app, MessageTable::NumberFormatCaption), 5, 702, 310, 18,
                WS_GROUP);
    for (int k = 1; k <= kNumberFormatCount; ++k) {
        std::u16string name(MessageText(app.shell.languageIndex, MessageTable::NumberFormatNames, k));
        std::u16string caption = NumberFormatOptionCaption(name, k);
        AddOption(dialog, FormatOptionId(k), std::wstring(caption.begin(), caption.end()), 10,
                  542 + 20 * (k - 1), k == 1 ? 310 : 400, 18, k == 1);
    }

    run.controlFont = CreateControlFont(L"MS Sans Serif", 10, true);
    run.colourLabelFont = CreateControlFont(L"MS Sans Serif", 12, true);
    run.dotsFont = CreateControlFont(L"MS Sans Serif", 18, true);
    SetControlFont(dialog,
                   {kFontListLabelId, kSizeLabelId, kBoldId, kItalicId, kUnderlineId, kStrikeoutId,
                    kLeadingId, kStylesGroupId, kTextBoxId, kTextCancelId, kTextAcceptId,
                    kNumberWithFormatId},
                   run.controlFont);
    for (int id : kAlignmentOptionIds)
        SetControlFont(dialog, {id}, run.controlFont);
    for (int k = 1; k <= kNumberFormatCount; ++k)
        SetControlFont(dialog, {FormatOptionId(k)}, run.controlFont);
    SetControlFont(dialog, {kBackColourLabelId, kFontColourLabelId}, run.colourLabelFont);
    SetControlFont(dialog, {kBackColourButtonId, kFontColourButtonId}, run.dotsFont);
    // The size list has no font of its own: the system's dialog font, not the bitmap system font.
    SendDlgItemMessageW(dialog, kSizeListId, WM_SETFONT,
                        reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    FillSizeList(dialog, kSizeListId, kSizeListUpperBound);
    SendMessageW(dialog, DM_SETDEFID, kTextAcceptId, 0);
}

// -2 (a cell showing its picture) and other negative values have no colour to show: white.
COLORREF ShownColour(int32_t colour) {
    return colour < 0 ? RGB(255, 255, 255) : static_cast<COLORREF>(colour);
}

void DrawSample(TextDialogRun& run, HWND dialog, int32_t backColor, int32_t fontColor) {
    HWND sample = GetDlgItem(dialog, kSampleId);
    HDC dc = PictureDc(sample);
    if (!dc) return;
    SIZE size = PictureSize(sample);
    FillSolid(dc, RECT{0, 0, size.cx, size.cy}, ShownColour(backColor));
    const TextStyle& style = run.app.textProps.workingStyle;
    FontHandle font = CreateStyleFont(style.fontName, style.fontSize, WorkingStyleBits(run.app.textProps));
    {
        ScopedSelect select(dc, font.Get());
        SetTextColor(dc, ShownColour(fontColor));
        SetBkMode(dc, TRANSPARENT);
        std::wstring text = Tr(run.app, MessageTable::TextProperties, 1);
        TextOutW(dc, kSampleTextX, kSampleTextY, text.c_str(), static_cast<int>(text.size()));
    }
    ShowPicture(sample);
}

void RedrawSample(TextDialogRun& run, HWND dialog) {
    const TextStyle& style = run.app.textProps.workingStyle;
    DrawSample(run, dialog, style.backColor, style.fontColor);
}

void EnableFormatOptions(HWND dialog, bool enable) {
    for (int k = 1; k <= kNumberFormatCount; ++k)
        EnableWindow(GetDlgItem(dialog, FormatOptionId(k)), enable);
}

void CheckFormatOption(HWND dialog, int formatType) {
    for (int k = 1; k <= kNumberFormatCount; ++k)
        CheckDlgButton(dialog, FormatOptionId(k), k == formatType ? BST_CHECKED : BST_UNCHECKED);
}

void OnCreated(TextDialogRun& run, HWND dialog) {
    TextPropertiesBuffer& buffer = run.app.textProps;
    buffer.dialogAccepted = 0;
    run.formatType = buffer.editNumberFormatType;
    run.formatAllowed = buffer.editNumberFormatAllowed;
    run.alignment = buffer.alignmentChoice;

    SetDlgItemTextW(dialog, kTextBoxId, Wide(buffer.editText).c_str());
    CheckFormatOption(dialog, run.formatType);
    CheckDlgButton(dialog, kNumberWithFormatId, run.formatAllowed != 0 ? BST_CHECKED : BST_UNCHECKED);
    EnableFormatOptions(dialog, run.formatAllowed != 0);
    int option = AlignmentCode(buffer) - (kAlignLeft - 1);
    for (int k = 0; k < kAlignmentOptionCount; ++k)
        CheckDlgButton(dialog, kAlignmentOptionIds[k], k == option - 1 ? BST_CHECKED : BST_UNCHECKED);
    FillPicture(GetDlgItem(dialog, kBackSwatchId), ShownColour(buffer.currentStyle.backColor));
    FillPicture(GetDlgItem(dialog, kFontSwatchId), ShownColour(buffer.currentStyle.fontColor));
    const TextStyle& style = buffer.currentStyle;
    const std::pair<int, int32_t> boxes[] = {{kBoldId, style.bold},
                                             {kItalicId, style.italic},
                                             {kUnderlineId, style.underline},
                                             {kStrikeoutId, style.strikeout},
                                             {kLeadingId, style.leading}};
    for (auto [id, flag] : boxes)
        CheckDlgButton(dialog, id, flag == 1 ? BST_CHECKED : BST_UNCHECKED);
    int sizeIndex = style.fontSize >= kSmallestSize && style.fontSize <= kSizeListUpperBound
                        ? style.fontSize - kSmallestSize
                        : -1;
    SendDlgItemMessageW(dialog, kSizeListId, CB_SETCURSEL, static_cast<WPARAM>(sizeIndex), 0);
    DrawSample(run, dialog, style.backColor, style.fontColor);
}

std::wstring SelectedText(HWND combo) {
    LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void TakeCapturedColour(TextDialogRun& run, HWND dialog, int swatchId, int32_t& colour) {
    int32_t captured = run.app.canvas.capturedColor;
    if (captured < 0) return;
    colour = captured;
    FillPicture(GetDlgItem(dialog, swatchId), ShownColour(colour));
    RedrawSample(run, dialog);
}

void ChooseSwatchColour(TextDialogRun& run, HWND dialog, int swatchId, int32_t& colour) {
    int chosen = ChooseColour(dialog, run.app);
    if (chosen < 0) return;
    colour = chosen;
    FillPicture(GetDlgItem(dialog, swatchId), ShownColour(colour));
    RedrawSample(run, dialog);
}

void Accept(TextDialogRun& run, HWND dialog) {
    TextPropertiesBuffer& buffer = run.app.textProps;
    std::u16string text = AcceptedCellText(WindowTextU16(GetDlgItem(dialog, kTextBoxId)));
    // Not a plain number while "Number with format" is ticked: stay open and let the user correct.
    if (run.formatAllowed == 1 && !NormaliseNumberText(text)) return;
    buffer.currentStyle = buffer.workingStyle;
    buffer.editText = std::move(text);
    buffer.editNumberFormatType = run.formatType;
    buffer.editNumberFormatAllowed = run.formatAllowed;
    buffer.alignmentChoice = run.alignment;
    buffer.dialogAccepted = 1;
    EndDialog(dialog, 1);
}

void Cancel(TextDialogRun& run, HWND dialog) {
    run.app.textProps.dialogAccepted = 0;
    EndDialog(dialog, 0);
}

int32_t Ticked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
}

void OnCommand(TextDialogRun& run, HWND dialog, int id, int code) {
    TextStyle& working = run.app.textProps.workingStyle;
    if (id >= kFirstFormatOptionId && id < kFirstFormatOptionId + kNumberFormatCount) {
        if (IsClick(code)) run.formatType = static_cast<int16_t>(id - kFirstFormatOptionId + 1);
        return;
    }
    for (int k = 0; k < kAlignmentOptionCount; ++k) {
        if (id == kAlignmentOptionIds[k]) {
            if (IsClick(code))
                for (int j = 0; j < kAlignmentOptionCount; ++j)
                    run.alignment[j] = j == k ? 1 : 0;
            return;
        }
    }
    switch (id) {
    case kNumberWithFormatId:
        if (!IsClick(code)) return;
        run.formatAllowed = Ticked(dialog, id);
        EnableFormatOptions(dialog, run.formatAllowed != 0);
        return;
    case kBackSwatchId:
        if (IsClick(code)) TakeCapturedColour(run, dialog, kBackSwatchId, working.backColor);
        return;
    case kFontSwatchId:
        if (IsClick(code)) TakeCapturedColour(run, dialog, kFontSwatchId, working.fontColor);
        return;
    case kFontListId:
        if (code == CBN_SELCHANGE || code == CBN_SELENDOK) {
            working.fontName = WideToAnsi(SelectedText(GetDlgItem(dialog, kFontListId)));
            if (code == CBN_SELENDOK) RedrawSample(run, dialog);
        }
        return;
    case kSizeListId:
        if (code == CBN_SELENDOK) {
            working.fontSize =
                static_cast<int16_t>(_wtoi(SelectedText(GetDlgItem(dialog, kSizeListId)).c_str()));
            RedrawSample(run, dialog);
        }
        return;
    case kBoldId:
    case kItalicId:
    case kUnderlineId:
    case kStrikeoutId:
    case kLeadingId: {
        if (!IsClick(code)) return;
        int32_t& flag = id == kBoldId        ? working.bold
                        : id == kItalicId    ? working.italic
                        : id == kUnderlineId ? working.underline
                        : id == kStrikeoutId ? working.strikeout
                                             : working.leading;
        flag = Ticked(dialog, id);
        RedrawSample(run, dialog);
        return;
    }
    case kBackColourButtonId:
        if (IsClick(code)) ChooseSwatchColour(run, dialog, kBackSwatchId, working.backColor);
        return;
    case kFontColourButtonId:
        if (IsClick(code)) ChooseSwatchColour(run, dialog, kFontSwatchId, working.fontColor);
        return;
    case kTextCancelId:
    case IDCANCEL: // Escape, and Escape in the text box
        if (IsClick(code)) Cancel(run, dialog);
        return;
    case kTextAcceptId:
        if (IsClick(code)) Accept(run, dialog);
        return;
    }
}

INT_PTR CALLBACK TextPropertiesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* run = reinterpret_cast<TextDialogRun*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetClientSize(dialog, kTextDialogWidth, kTextDialogHeight);
        CenterInWorkArea(dialog);
        CreateControls(*run, dialog);
        // The alignments and the number formats make the second column where the dialog is too
        // tall for the screen. The sample and the swatches are drawn at their laid-out size.
        FitDialogToScreen(dialog, kTextDialogWidth, kTextDialogHeight, kAlignmentTop);
        OnCreated(*run, dialog);
        // The text is what is edited most: typing goes there first, with the whole text selected
        // (typing into the closed font list would pick fonts by their first letters instead).
        HWND textBox = GetDlgItem(dialog, kTextBoxId);
        SetFocus(textBox);
        SendMessageW(textBox, EM_SETSEL, 0, -1);
        return FALSE;
    }
    TextDialogRun* run = RunOf(dialog);
    if (!run) return FALSE;
    switch (message) {
    case WM_COMMAND:
        OnCommand(*run, dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        if (wParam != kFontListId) return FALSE;
        DrawFontItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        KeepFocusAcrossActivation(dialog, wParam, run->savedFocus);
        return FALSE;
    }
    return FALSE;
}

// Families named "@..." are the vertical forms of East Asian fonts, drawn turned on their side:
// Windows' own font pickers leave them out, and so does this list.
int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
    if (font->lfFaceName[0] != L'@')
        reinterpret_cast<std::set<std::wstring>*>(names)->insert(font->lfFaceName);
    return 1;
}

int CALLBACK TakeFirstCharset(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM charset) {
    *reinterpret_cast<BYTE*>(charset) = font->lfCharSet;
    return 0; // the first font reported is enough
}

int ScreenLogPixelsY() {
    WindowDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

} // namespace

void EditTextProperties(Workspace& app) {
    TextDialogRun run{app};
    std::vector<WORD> tmpl = BuildDialogTemplate(kTextDialogStyle, kTextDialogExStyle, 100, 100,
                                                 Tr(app, MessageTable::TextProperties, 2));
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                            app.shell.mainWindow, TextPropertiesProc, reinterpret_cast<LPARAM>(&run));
    // The control fonts go with run, now that the controls are gone.
}

void FillFontList(HWND comboBox) {
    SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
    // One enumeration over every character set reports a family once per set; each is listed once.
    std::set<std::wstring> names;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    WindowDC screen(nullptr);
    EnumFontFamiliesExW(screen.Get(), &all, AddFamily, reinterpret_cast<LPARAM>(&names), 0);
    for (const std::wstring& name : names)
        SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void DrawFontItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    if (!(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    bool plain = !selected || (item.itemState & ODS_COMBOBOXEDIT) != 0;
    COLORREF back = GetSysColor(plain ? COLOR_WINDOW : COLOR_HIGHLIGHT);
    COLORREF fore = GetSysColor(plain ? COLOR_WINDOWTEXT : COLOR_HIGHLIGHTTEXT);
    FillSolid(item.hDC, item.rcItem, back);

    LRESULT length = SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0);
    std::wstring text;
    if (length != CB_ERR && length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
    }
    FontHandle font;
    if (!text.empty()) font = CreateListFont(text, 12, 0, false, false);
    {
        ScopedSelect select(item.hDC, font.Get());
        SetTextColor(item.hDC, fore);
        SetBkMode(item.hDC, TRANSPARENT);
        RECT area = item.rcItem;
        DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (selected) DrawFocusRect(item.hDC, &item.rcItem);
}

FontHandle CreateListFont(const std::wstring& face, int points, int weight, bool italic, bool underline) {
    LOGFONTW family{};
    family.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(family.lfFaceName, face.c_str(), LF_FACESIZE);
    BYTE charset = ANSI_CHARSET; // when the family reports no font
    {
        WindowDC screen(nullptr);
        EnumFontFamiliesExW(screen.Get(), &family, TakeFirstCharset, reinterpret_cast<LPARAM>(&charset), 0);
    }
    int height = -(points * ScreenLogPixelsY() / 72);
    return FontHandle(CreateFontW(height, 0, 0, 0, weight, italic, underline, FALSE, charset, OUT_TT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face.c_str()));
}

void FillSizeList(HWND dialog, int controlId, int upperBound) {
    HWND box = GetDlgItem(dialog, controlId);
    SendMessageW(box, CB_SETEXTENDEDUI, TRUE, 0);
    for (int size = kSmallestSize; size <= upperBound; ++size) {
        std::wstring text = (size < 10 ? L"0" : L"") + std::to_wstring(size);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

FontHandle CreateStyleFont(const std::string& fontName, int points, int styleBits) {
    int height = FontHeightForPoints(points, ScreenLogPixelsY(), styleBits);
    return FontHandle(CreateFontW(height, 0, 0, 0, (styleBits & kStyleBold) ? FW_BOLD : FW_NORMAL,
                                  (styleBits & kStyleItalic) != 0, (styleBits & kStyleUnderline) != 0,
                                  (styleBits & kStyleStrikeout) != 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  AnsiToWide(fontName).c_str()));
}

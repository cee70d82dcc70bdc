// The comparison dialog: counts above, a list of the changes below, sorted by the column whose
// header is clicked (by kind at first), and the buttons that decide.
#include "app/commands/ComparisonDialog.h"

#include "app/state/App.h"
#include "app/commands/ComparisonTexts.h"
#include "interaction/DialogParts.h"
#include "ui/DialogTemplate.h"
#include "ui/FileDialogs.h"
#include "ui/MessageBox.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr DWORD kComparisonDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
// Laid out in 96-DPI pixels; FitDialogToScreen scales it to the screen.
constexpr int kWidth = 760, kHeight = 460;
constexpr int kListColumns = 4;
constexpr int kColumnWidths[kListColumns] = {160, 200, 180, 180};

struct ComparisonRun {
    App& app;
    const Comparison& comparison;
    std::array<std::u16string, kChangeKinds> kindNames;
    int sortColumn = 0;
    FontHandle font;
};

ComparisonRun* RunOf(HWND dialog) {
    return reinterpret_cast<ComparisonRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

std::wstring Wide16(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::u16string CellText(const ComparisonRun& run, const Change& change, int column) {
    switch (column) {
    case 0:
        return run.kindNames[size_t(change.kind)];
    case 1:
        return change.person;
    case 2:
        return change.from;
    default:
        return change.to;
    }
}

// Lines in the order of the column clicked, then by kind and by person; equal lines keep their order.
void SortLines(ComparisonRun& run, HWND list) {
    std::vector<size_t> order(run.comparison.changes.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto& changes = run.comparison.changes;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const Change &x = changes[a], &y = changes[b];
        if (run.sortColumn > 0) {
            const std::u16string tx = CellText(run, x, run.sortColumn), ty = CellText(run, y, run.sortColumn);
            if (tx != ty) return tx < ty;
        }
        if (x.kind != y.kind) return x.kind < y.kind;
        return x.person < y.person;
    });
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t row = 0; row < order.size(); ++row) {
        const Change& change = changes[order[row]];
        for (int c = 0; c < kListColumns; ++c) {
            std::wstring text = Wide16(CellText(run, change, c));
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = int(row);
            item.iSubItem = c;
            item.pszText = text.data();
            SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, row,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void OnInitDialog(ComparisonRun& run, HWND dialog) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&run));
    SetClientSize(dialog, kWidth, kHeight);
    CenterInWorkArea(dialog);
    CreateChild(dialog, L"STATIC", ComparisonSummary(run.app.shell, run.comparison),
                WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 10, 10, 740, 52, kComparisonSummaryId);
    HWND list =
        CreateChild(dialog, WC_LISTVIEWW, L"",
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 10,
                    68, 740, 340, kComparisonListId, WS_EX_CLIENTEDGE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int c = 0; c < kListColumns; ++c) {
        std::wstring title = Tr(run.app, MessageTable::ListUpdate, 6 + c);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = kColumnWidths[c];
        column.pszText = title.data();
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    SortLines(run, list);
    CreateChild(dialog, L"BUTTON", Tr(run.app, MessageTable::ListUpdate, 12),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10, 422, 200, 28, kComparisonSaveId);
    CreateChild(dialog, L"BUTTON", Tr(run.app, MessageTable::ListUpdate, 10),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 530, 422, 105, 28, IDOK);
    CreateChild(dialog, L"BUTTON", Tr(run.app, MessageTable::ListUpdate, 11),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 645, 422, 105, 28, IDCANCEL);
    run.font = CreateControlFont(L"MS Sans Serif", 8, false);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(run.font.Get()), FALSE);
    // The list's columns grow with the dialog's scale, as its controls do.
    const double scale = FitDialogToScreen(dialog, kWidth, kHeight, 0);
    for (int c = 0; c < kListColumns; ++c)
        SendMessageW(list, LVM_SETCOLUMNWIDTH, WPARAM(c), LPARAM(kColumnWidths[c] * scale + 0.5));
    SetFocus(GetDlgItem(dialog, IDOK));
}

void SaveComparison(ComparisonRun& run, HWND dialog) {
    const std::wstring path = ComparisonFileDialog(run.app.shell, dialog);
    if (path.empty()) return;
    if (!WriteComparisonFile(run.app.shell, run.comparison, path))
        ShowMessageBox(dialog, Tr(run.app, MessageTable::ListUpdate, 28) + L"\r\n" + path,
                       Tr(run.app, MessageTable::Caption), MB_OK);
}

INT_PTR CALLBACK ComparisonDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        OnInitDialog(*reinterpret_cast<ComparisonRun*>(lParam), dialog);
        return FALSE; // the focus is set
    }
    ComparisonRun* run = RunOf(dialog);
    if (!run) return FALSE;
    if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kComparisonListId && header->code == LVN_COLUMNCLICK) {
            run->sortColumn = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
            SortLines(*run, header->hwndFrom);
            return TRUE;
        }
        return FALSE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case kComparisonSaveId:
        SaveComparison(*run, dialog);
        break;
    case IDOK:
        EndDialog(dialog, IDOK);
        break;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool ShowComparisonDialog(App& app, HWND owner, const Comparison& comparison) {
    ComparisonRun run{app, comparison, ChangeKindNames(app.shell), 0, {}};
    std::vector<WORD> tmpl =
        BuildDialogTemplate(kComparisonDialogStyle, 0, 100, 100, Tr(app, MessageTable::ListUpdate, 2));
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                   owner, ComparisonDialogProc, reinterpret_cast<LPARAM>(&run)) == IDOK;
}

// The column-choice dialog: a grid of the list's first rows and one drop-down per role.
#include "app/commands/ColumnDialog.h"

#include "app/commands/ChartDetails.h"
#include "app/state/App.h"
#include "app/commands/ListTexts.h"
#include "document/BoxColours.h"
#include "interaction/DialogParts.h"
#include "ui/DialogTemplate.h"

#include <commctrl.h>

namespace {

constexpr DWORD kColumnDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
// Laid out in 96-DPI pixels; FitDialogToScreen scales it to the screen.
constexpr int kWidth = 720, kHeight = 430 + kDetailRowHeight;
constexpr int kGridRows = 8;
constexpr size_t kSummaryFaults = 4;

struct ColumnRun {
    App& app;
    CheckedList& checked;
    FontHandle font;
    ListColumns* options = nullptr;
};

ColumnRun* RunOf(HWND dialog) {
    return reinterpret_cast<ColumnRun*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

std::wstring WideText(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// "3: Job Title": the column's number and its header, or its first value in a list without one.
std::wstring ColumnLabel(const CheckedList& checked, size_t column) {
    const ListTable& table = checked.table;
    const int from =
        checked.columns.headerRow >= 0 ? checked.columns.headerRow : int(checked.columns.firstPerson);
    std::wstring label = std::to_wstring(column + 1);
    if (from >= 0 && size_t(from) < table.rows.size() && column < table.rows[size_t(from)].fields.size()) {
        const std::u16string& text = table.rows[size_t(from)].fields[column];
        if (!text.empty()) label += L": " + WideText(text);
    }
    return label;
}

void FillGrid(const CheckedList& checked, HWND grid) {
    SendMessageW(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (size_t c = 0; c < checked.columns.columns; ++c) {
        std::wstring title = ColumnLabel(checked, c);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 110;
        column.pszText = title.data();
        SendMessageW(grid, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    const std::vector<ListRow>& rows = checked.table.rows;
    for (size_t r = checked.columns.firstPerson, shown = 0; r < rows.size() && shown < kGridRows;
         ++r, ++shown) {
        for (size_t c = 0; c < rows[r].fields.size() && c < checked.columns.columns; ++c) {
            std::wstring text = WideText(rows[r].fields[c]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = int(shown);
            item.iSubItem = int(c);
            item.pszText = text.data();
            SendMessageW(grid, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, shown,
                         reinterpret_cast<LPARAM>(&item));
        }
    }
}

// The columns the drop-downs show, every role decided.
ListColumns ChosenColumns(HWND dialog) {
    ListColumns chosen;
    for (int r = 0; r < kListRoles; ++r) {
        LRESULT selected = SendDlgItemMessageW(dialog, kColumnRoleComboId + r, CB_GETCURSEL, 0, 0);
        chosen.at[size_t(r)] = selected <= 0 ? kNoColumn : int(selected) - 1;
    }
    return chosen;
}

void ShowSummary(ColumnRun& run, HWND dialog) {
    SetDlgItemTextW(dialog, kColumnSummaryId, ColumnChoiceSummary(run.app, run.checked).c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), run.checked.columns.undecided.empty());
}

// "Colour boxes by" and the department column, under the headcount's box.
void AddColourChoice(ColumnRun& run, HWND dialog) {
    const ListColumns& options = *run.options;
    const struct { int text, y, id; } rows[] = {{2, 346, kColumnColourById}, {7, 370, kColumnDepartmentId}};
    for (const auto& row : rows) {
        CreateChild(dialog, L"STATIC", Tr(run.app, MessageTable::ChartLooks, row.text),
                    WS_CHILD | WS_VISIBLE | SS_LEFT, 420, row.y + 4, 130, 20, row.id + 10);
        CreateChild(dialog, L"COMBOBOX", L"",
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 555, row.y, 155, 220,
                    row.id);
    }
    for (int item = 3; item <= 5; ++item)
        SendDlgItemMessageW(dialog, kColumnColourById, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(Tr(run.app, MessageTable::ChartLooks, item).c_str()));
    SendDlgItemMessageW(dialog, kColumnColourById, CB_SETCURSEL, WPARAM(options.colourBy), 0);
    SendDlgItemMessageW(dialog, kColumnDepartmentId, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(Tr(run.app, MessageTable::ChartFromList, 22).c_str()));
    for (size_t c = 0; c < run.checked.columns.columns; ++c)
        SendDlgItemMessageW(dialog, kColumnDepartmentId, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(ColumnLabel(run.checked, c).c_str()));
    const int department =
        options.departmentColumn >= 0 ? options.departmentColumn : FindDepartmentColumn(run.checked);
    SendDlgItemMessageW(dialog, kColumnDepartmentId, CB_SETCURSEL, WPARAM(department + 1), 0);
}

void TakeOptions(ColumnRun& run, HWND dialog) {
    ListColumns& options = *run.options;
    options.headcount = IsDlgButtonChecked(dialog, kColumnHeadcountId) == BST_CHECKED;
    const LRESULT by = SendDlgItemMessageW(dialog, kColumnColourById, CB_GETCURSEL, 0, 0);
    options.colourBy = by == 1 ? ColourBy::Level : by == 2 ? ColourBy::Department : ColourBy::Nothing;
    const LRESULT department = SendDlgItemMessageW(dialog, kColumnDepartmentId, CB_GETCURSEL, 0, 0);
    options.departmentColumn = department <= 0 ? kNoColumn : int(department) - 1;
}

void OnInitDialog(ColumnRun& run, HWND dialog) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&run));
    SetClientSize(dialog, kWidth, kHeight);
    CenterInWorkArea(dialog);
    HWND grid =
        CreateChild(dialog, WC_LISTVIEWW, L"",
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOSORTHEADER | LVS_SINGLESEL, 10,
                    10, 700, 200, kColumnGridId, WS_EX_CLIENTEDGE);
    FillGrid(run.checked, grid);
    for (int r = 0; r < kListRoles; ++r) {
        const int x = r < 3 ? 10 : 370, y = 224 + (r % 3) * 34;
        CreateChild(dialog, L"STATIC", ListRoleName(run.app.shell, ListRole(r)),
                    WS_CHILD | WS_VISIBLE | SS_LEFT, x, y + 4, 120, 20, kColumnRoleLabelId + r);
        HWND combo = CreateChild(dialog, L"COMBOBOX", L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, x + 125,
                                 y, 215, 220, kColumnRoleComboId + r);
        SendMessageW(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Tr(run.app, MessageTable::ChartFromList, 22).c_str()));
        for (size_t c = 0; c < run.checked.columns.columns; ++c)
            SendMessageW(combo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(ColumnLabel(run.checked, c).c_str()));
        SendMessageW(combo, CB_SETCURSEL, WPARAM(run.checked.columns.at[size_t(r)] + 1), 0);
    }
    // Room for the heading, four faulty lines and how many more, in the widest language.
    CreateChild(dialog, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 10, 326,
                run.options ? 400 : 500, 100, kColumnSummaryId);
    CreateChild(dialog, L"BUTTON", Tr(run.app, MessageTable::ChartFromList, 25),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 520, 396, 90, 26, IDOK);
    CreateChild(dialog, L"BUTTON", Tr(run.app, MessageTable::ChartFromList, 26),
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 620, 396, 90, 26, IDCANCEL);
    AddDetailControls(run.app, dialog, run.checked, 430);
    if (run.options) {
        // The build options, beside the summary; after the buttons in the tab order, so that the
        // roles stay next to OK.
        CreateChild(dialog, L"BUTTON", Tr(run.app, MessageTable::ChartLooks, 1),
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 420, 322, 290, 20,
                    kColumnHeadcountId);
        CheckDlgButton(dialog, kColumnHeadcountId, run.options->headcount ? BST_CHECKED : BST_UNCHECKED);
        AddColourChoice(run, dialog);
    }
    run.font = CreateControlFont(L"MS Sans Serif", 8, false);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(run.font.Get()), FALSE);
    FitDialogToScreen(dialog, kWidth, kHeight, 0);
    ShowSummary(run, dialog);
    SetFocus(GetDlgItem(dialog, IDOK));
}

INT_PTR CALLBACK ColumnDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        OnInitDialog(*reinterpret_cast<ColumnRun*>(lParam), dialog);
        return FALSE; // the focus is set
    }
    ColumnRun* run = RunOf(dialog);
    if (!run || message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (id >= kColumnRoleComboId && id < kColumnRoleComboId + kListRoles && HIWORD(wParam) == CBN_SELCHANGE) {
        ChooseColumns(run->checked, ChosenColumns(dialog));
        ShowSummary(*run, dialog);
    } else if (OnDetailCommand(run->app, dialog, id)) {
    } else if (id == IDOK && run->checked.columns.undecided.empty()) {
        TakeDetailControls(run->app, dialog);
        if (run->options) TakeOptions(*run, dialog);
        EndDialog(dialog, IDOK);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    }
    return TRUE;
}

} // namespace

std::wstring ColumnChoiceSummary(const App& app, const CheckedList& checked) {
    BuildOutcome outcome;
    outcome.people = int(checked.list.people.size());
    outcome.undecided = checked.columns.undecided;
    outcome.faults = checked.faults;
    if (outcome.people == 0) return BuildRefusalText(app.shell, outcome);
    if (!outcome.undecided.empty() || !outcome.faults.empty()) {
        outcome.result = outcome.undecided.empty() ? BuildResult::FaultyList : BuildResult::Undecided;
        return BuildRefusalText(app.shell, outcome, kSummaryFaults);
    }
    std::wstring text = Tr(app, MessageTable::ChartFromList, 23);
    const std::wstring values[] = {std::to_wstring(outcome.people), std::to_wstring(checked.tops.count),
                                   std::to_wstring(ChartLevels(checked.managerOf))};
    for (int n = 0; n < 3; ++n) {
        std::wstring mark = L"%" + std::to_wstring(n + 1);
        if (size_t at = text.find(mark); at != std::wstring::npos) text.replace(at, mark.size(), values[n]);
    }
    if (checked.list.formerRows > 0) {
        std::wstring former = Tr(app, MessageTable::ChartFromList, 40);
        if (size_t at = former.find(L"%1"); at != std::wstring::npos)
            former.replace(at, 2, std::to_wstring(checked.list.formerRows));
        text += L"\r\n" + former;
    }
    if (!checked.tops.outsideManager.empty()) {
        std::wstring outside = Tr(app, MessageTable::ChartFromList, 24);
        if (size_t at = outside.find(L"%1"); at != std::wstring::npos)
            outside.replace(at, 2, WideText(checked.tops.outsideManager));
        text += L"\r\n" + outside;
    }
    return text;
}

bool ChooseListColumns(App& app, HWND owner, CheckedList& checked, ListColumns* options) {
    ColumnRun run{app, checked, {}, options};
    std::vector<WORD> tmpl =
        BuildDialogTemplate(kColumnDialogStyle, 0, 100, 100, Tr(app, MessageTable::ChartFromList, 21));
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                   owner, ColumnDialogProc, reinterpret_cast<LPARAM>(&run)) == IDOK;
}

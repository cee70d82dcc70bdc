// The build options a chart from a list takes from the program's state, and the photo folder.
#include "app/commands/ChartDetails.h"

#include "app/commands/ColumnMemory.h"
#include "app/state/App.h"
#include "app/state/Settings.h"
#include "document/ColumnFinder.h"
#include "document/OrgChart.h"
#include "render/AnsiText.h"
#include "ui/DialogTemplate.h"
#include "ui/MessageBox.h"
#include "ui/Messages.h"

#include <windows.h>

#include <gdiplus.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

void AddChartDetails(const App& app, ListColumns& columns) {
    columns.vacancyLabel = MessageText(app.shell.languageIndex, MessageTable::ChartDetails, 1);
}

namespace {

constexpr wchar_t kDetailSection[] = L"ChartDetails";

std::wstring Text(const App& app, int item) {
    return Wide(MessageText(app.shell.languageIndex, MessageTable::ChartDetails, item));
}

// Kept as "assistants|folder": 1 or 0, then the folder (empty for none).
ChartDetailChoice KeptChoice(const std::wstring& key) {
    ChartDetailChoice choice;
    if (key.empty()) return choice;
    wchar_t value[MAX_PATH + 8] = L"";
    GetPrivateProfileStringW(kDetailSection, key.c_str(), L"", value, MAX_PATH + 8, SettingsPath().c_str());
    const std::wstring kept = value;
    const size_t bar = kept.find(L'|');
    if (bar == std::wstring::npos) return choice;
    choice.assistants = kept.substr(0, bar) == L"1";
    choice.photoFolder = kept.substr(bar + 1);
    return choice;
}

void KeepChoice(const std::wstring& key, const ChartDetailChoice& choice) {
    if (key.empty()) return;
    const std::wstring value = std::wstring(choice.assistants ? L"1" : L"0") + L"|" + choice.photoFolder;
    WritePrivateProfileStringW(kDetailSection, key.c_str(), value.c_str(), SettingsPath().c_str());
}

} // namespace

void AddChosenDetails(const App& app, const std::wstring& key, ListColumns& columns) {
    AddChartDetails(app, columns);
    KeepChoice(key, app.chartDetails);
    columns.assistantsBeside = app.chartDetails.assistants;
    AddPhotoFolder(columns, app.chartDetails.photoFolder);
}

void AddDetailControls(App& app, HWND dialog, const CheckedList& checked, int top) {
    std::wstring key;
    if (checked.columns.headerRow >= 0)
        key = ColumnMemoryKey(checked.table.rows[size_t(checked.columns.headerRow)]);
    app.chartDetails = KeptChoice(key);
    HWND box =
        CreateChild(dialog, L"BUTTON", Text(app, 6), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 10,
                    top + 4, 250, 20, kDetailAssistantsId);
    SendMessageW(box, BM_SETCHECK, app.chartDetails.assistants ? BST_CHECKED : BST_UNCHECKED, 0);
    CreateChild(dialog, L"STATIC", Text(app, 5), WS_CHILD | WS_VISIBLE | SS_LEFT, 270, top + 7, 110, 20,
                kDetailFolderLabelId);
    CreateChild(dialog, L"EDIT", app.chartDetails.photoFolder,
                WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 380, top + 4, 230, 22, kDetailFolderId,
                WS_EX_CLIENTEDGE);
    CreateChild(dialog, L"BUTTON", Text(app, 7), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 620,
                top + 2, 90, 26, kDetailBrowseId);
}

bool OnDetailCommand(App& app, HWND dialog, int id) {
    if (id != kDetailBrowseId) return false;
    const std::wstring title = Text(app, 5);
    BROWSEINFOW browse{};
    browse.hwndOwner = dialog;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse)) {
        wchar_t path[MAX_PATH] = L"";
        if (SHGetPathFromIDListW(chosen, path)) SetDlgItemTextW(dialog, kDetailFolderId, path);
        CoTaskMemFree(chosen);
    }
    return true;
}

void TakeDetailControls(App& app, HWND dialog) {
    app.chartDetails.assistants = IsDlgButtonChecked(dialog, kDetailAssistantsId) == BST_CHECKED;
    wchar_t folder[MAX_PATH] = L"";
    GetDlgItemTextW(dialog, kDetailFolderId, folder, MAX_PATH);
    app.chartDetails.photoFolder = folder;
}

void ShowPhotoReport(App& app, const ListColumns& columns, const BuildOutcome& outcome) {
    const std::vector<std::wstring> lines = PhotoReport(app, columns, outcome);
    if (lines.empty()) return;
    // The count and the first of those without one; /build lists them all.
    constexpr size_t kShown = 20;
    std::wstring text;
    for (size_t i = 0; i < lines.size() && i < kShown; ++i)
        text += (i ? L"\r\n" : L"") + lines[i];
    if (lines.size() > kShown) text += L"\r\n…";
    ShowMessageBox(app.shell.mainWindow, text, Tr(app, MessageTable::Caption), MB_OK);
}

std::vector<PhotoFile> ListPhotoFolder(const std::wstring& folder) {
    std::vector<PhotoFile> files;
    const std::wstring base =
        folder.empty() || folder.back() == L'\\' || folder.back() == L'/' ? folder : folder + L"\\";
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((base + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::u16string name(found.cFileName, found.cFileName + wcslen(found.cFileName));
        if (!IsPhotoFileName(name)) continue;
        const std::wstring path = base + found.cFileName;
        // A photo the loader cannot open would be drawn as an empty placeholder: told instead.
        auto picture = std::make_unique<Gdiplus::Bitmap>(path.c_str());
        const bool readable = picture->GetLastStatus() == Gdiplus::Ok && picture->GetWidth() > 0;
        files.push_back({name, WideToAnsi(path), readable});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    // Listing order differs between file systems: matches must not.
    std::sort(files.begin(), files.end(),
              [](const PhotoFile& a, const PhotoFile& b) { return a.name < b.name; });
    return files;
}

void AddPhotoFolder(ListColumns& columns, const std::wstring& folder) {
    if (folder.empty()) return;
    columns.photoFolder.assign(folder.begin(), folder.end());
    columns.photoFiles = ListPhotoFolder(folder);
}

std::vector<std::wstring> PhotoReport(const App& app, const ListColumns& columns,
                                      const BuildOutcome& outcome) {
    std::vector<std::wstring> lines;
    if (columns.photoFolder.empty()) return lines;
    auto text = [&](int item) {
        return Wide(MessageText(app.shell.languageIndex, MessageTable::ChartDetails, item));
    };
    std::wstring count = text(2);
    count.replace(count.find(L"%1"), 2, std::to_wstring(outcome.photosFound));
    const size_t people =
        size_t(outcome.photosFound) + outcome.withoutPhoto.size() + outcome.unreadablePhoto.size();
    count.replace(count.find(L"%2"), 2, std::to_wstring(people));
    lines.push_back(count);
    for (const std::u16string& name : outcome.withoutPhoto)
        lines.push_back(text(3) + L" " + Wide(name));
    for (const std::u16string& name : outcome.unreadablePhoto)
        lines.push_back(text(4) + L" " + Wide(name));
    return lines;
}

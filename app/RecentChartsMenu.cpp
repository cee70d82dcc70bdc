// The recent charts: kept in the settings file, shown in the Operations menu, opened from there.
#include "app/RecentChartsMenu.h"

#include "app/App.h"
#include "app/ChartFile.h"
#include "app/CommandIds.h"
#include "app/Commands.h"
#include "app/Menu.h"
#include "app/RecentCharts.h"
#include "app/Settings.h"
#include "app/WorkFileMessages.h"
#include "document/WorkFile.h"
#include "render/Renderer.h"
#include "ui/MessageBox.h"

namespace {

constexpr wchar_t kRecentSection[] = L"Recent charts";

std::wstring KeyOf(int index) {
    return L"Chart" + std::to_wstring(index + 1);
}

} // namespace

void LoadRecentCharts(ShellState& shell, const std::wstring& iniPath) {
    std::vector<std::wstring> list;
    for (int i = 0; i < kRecentChartCount; ++i) {
        wchar_t kept[2048] = L"";
        GetPrivateProfileStringW(kRecentSection, KeyOf(i).c_str(), L"", kept, 2048, iniPath.c_str());
        const std::wstring path = UnescapedPath(kept);
        // Appended in order, so a list edited by hand still holds each chart once.
        if (!path.empty() && WithoutRecentChart(list, path).size() == list.size()) list.push_back(path);
    }
    shell.recentCharts = list;
}

void SaveRecentCharts(const ShellState& shell, const std::wstring& iniPath) {
    WritePrivateProfileStringW(kRecentSection, nullptr, nullptr, iniPath.c_str());
    for (size_t i = 0; i < shell.recentCharts.size(); ++i)
        WritePrivateProfileStringW(kRecentSection, KeyOf(int(i)).c_str(),
                                   EscapedPath(shell.recentCharts[i]).c_str(), iniPath.c_str());
}

void FillRecentChartsPopup(const App& app, HMENU popup) {
    const std::vector<std::wstring>& list = app.shell.recentCharts;
    if (list.empty()) {
        AppendMenuW(popup, MF_STRING | MF_GRAYED, kCmdFirstRecentChart,
                    Tr(app, MessageTable::RecentCharts, 2).c_str());
        return;
    }
    for (size_t i = 0; i < list.size() && i < size_t(kRecentChartCount); ++i)
        AppendMenuW(popup, MF_STRING, UINT_PTR(kCmdFirstRecentChart + int(i)),
                    RecentChartItemText(int(i), list[i]).c_str());
}

void NoteRecentChart(App& app, const std::wstring& path) {
    std::vector<std::wstring> list = WithRecentChart(app.shell.recentCharts, path);
    if (list == app.shell.recentCharts) return;
    app.shell.recentCharts = list;
    SaveRecentCharts(app.shell, SettingsPath());
    if (app.shell.menuBar) {
        BuildMenuBar(app);
        ApplyMenuStates(app);
    }
}

void OpenRecentChart(App& app, int index) {
    if (index < 0 || size_t(index) >= app.shell.recentCharts.size()) return;
    const std::wstring path = app.shell.recentCharts[size_t(index)];
    if (!SettleUnsavedChanges(app)) return;
    if (!FileExists(path)) {
        app.shell.recentCharts = WithoutRecentChart(app.shell.recentCharts, path);
        SaveRecentCharts(app.shell, SettingsPath());
        BuildMenuBar(app);
        ApplyMenuStates(app);
        ShowMessageBox(app.shell.mainWindow, Tr(app, MessageTable::RecentCharts, 3) + L"\r\n" + path,
                       Tr(app, MessageTable::Caption), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    app.shell.workFilePath = path;
    if (ReadWorkFile(app.doc, path, app.shell.languageIndex, app.shell.mainWindow) != 1) return;
    ShowTableSequence(app);
    ChartMatchesFile(app, path);
}

std::wstring RecentChartPath(const App& app, int commandId) {
    const int index = commandId - kCmdFirstRecentChart;
    if (index < 0 || size_t(index) >= app.shell.recentCharts.size()) return {};
    return app.shell.recentCharts[size_t(index)];
}

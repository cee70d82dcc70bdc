// The recent charts kept in the settings file.
#include "app/state/RecentChartsKept.h"

#include "app/state/App.h"
#include "app/state/CommandIds.h"
#include "app/state/RecentCharts.h"
#include "app/state/Settings.h"

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

bool NoteRecentChart(App& app, const std::wstring& path) {
    std::vector<std::wstring> list = WithRecentChart(app.shell.recentCharts, path);
    if (list == app.shell.recentCharts) return false;
    app.shell.recentCharts = list;
    SaveRecentCharts(app.shell, SettingsPath());
    return true;
}

void ForgetRecentChart(App& app, const std::wstring& path) {
    app.shell.recentCharts = WithoutRecentChart(app.shell.recentCharts, path);
    SaveRecentCharts(app.shell, SettingsPath());
}

std::wstring RecentChartPath(const App& app, int commandId) {
    const int index = commandId - kCmdFirstRecentChart;
    if (index < 0 || size_t(index) >= app.shell.recentCharts.size()) return {};
    return app.shell.recentCharts[size_t(index)];
}

// The list of recent charts: the last eight work files read or recorded, the latest first, and
// how the Operations menu names them. No file access here.
#pragma once

#include <string>
#include <vector>

constexpr int kRecentChartCount = 8;

// The list once the chart at path was read or recorded: that path first, held once (paths are
// compared without regard to case, as Windows compares them), the oldest beyond eight dropped.
std::vector<std::wstring> WithRecentChart(const std::vector<std::wstring>& list, const std::wstring& path);

// The list without path (a chart that no longer exists).
std::vector<std::wstring> WithoutRecentChart(const std::vector<std::wstring>& list, const std::wstring& path);

// The item of the chart at `index` (0-based): its number as the access key and the file's name,
// with any "&" of the name doubled so that it shows.
std::wstring RecentChartItemText(int index, const std::wstring& path);

// The folder of a path, without the separator after it; empty for a bare name.
std::wstring FolderOf(const std::wstring& path);

// A path as the settings file keeps it: the settings file is written in the system code page, so
// every character outside printable ASCII, and "%" itself, is written as "%u" and four hex digits.
std::wstring EscapedPath(const std::wstring& path);
// The path back from its kept form; a malformed escape is taken as it stands.
std::wstring UnescapedPath(const std::wstring& kept);

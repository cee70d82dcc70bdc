// The texts of "Update from list…" in the current language, shared by its comparison dialog, the
// command and the command line's update.
#pragma once

#include "document/ChartComparison.h"
#include "ui/Shell.h"

#include <array>
#include <string>

// The comparison's texts in the current language: the kinds of change, the CSV file's header.
std::array<std::u16string, kChangeKinds> ChangeKindNames(const ShellState& shell);
std::array<std::u16string, 6> ComparisonHeader(const ShellState& shell);
// The summary above the comparison: the counts, then the boxes left unsure and pieces moved.
std::wstring ComparisonSummary(const ShellState& shell, const Comparison& comparison);
// Writes the comparison as a CSV file, fields parted as the user's spreadsheet expects.
bool WriteComparisonFile(const ShellState& shell, const Comparison& comparison, const std::wstring& path);

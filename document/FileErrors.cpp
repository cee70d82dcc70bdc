// Numbered file errors and the "Err: " message the work-file writer shows for them.
#include "document/FileErrors.h"

#include <utility>

namespace {

constexpr std::pair<int, std::string_view> kErrorTexts[] = {
    {0, "No Error"},
    {5, "Illegal function call"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript/Pointer out of range"},
    {11, "Division by zero"},
    {24, "Device timeout"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File is open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {61, "Disk full"},
    {62, "Input past end"},
    {63, "Bad record number"},
    {64, "Bad file name"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {69, "Comm error"},
    {70, "Permission denied"},
    {71, "Disk not ready"},
    {72, "Disk media error"},
    {74, "Rename across disks"},
    {75, "Path/file access error"},
    {76, "Path not found"},
};

} // namespace

std::string_view FileErrorText(int number) {
    for (const auto& [n, text] : kErrorTexts)
        if (n == number) return text;
    return {};
}

std::u16string FileErrorMessage(int number) {
    // A non-negative number is written with one leading blank where a sign would go.
    std::string digits = std::to_string(number);
    std::string message =
        "Err: " + (number >= 0 ? " " + digits : digits) + " " + std::string(FileErrorText(number));
    return std::u16string(message.begin(), message.end());
}

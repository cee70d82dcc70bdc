// Numbered file errors and the "Err: " message the work-file writer shows for them.
#pragma once

#include <string>
#include <string_view>

// Error numbers the work-file functions report.
constexpr int kErrorOutOfMemory = 7;
constexpr int kErrorFileNotFound = 53;
constexpr int kErrorDeviceIo = 57;
constexpr int kErrorDiskFull = 61;
constexpr int kErrorInputPastEnd = 62;
constexpr int kErrorBadFileName = 64;
constexpr int kErrorDeviceUnavailable = 68;
constexpr int kErrorPermissionDenied = 70;
constexpr int kErrorDiskNotReady = 71;
constexpr int kErrorPathNotFound = 76;

// Standard text of an error number; empty for a number outside the list.
std::string_view FileErrorText(int number);

// "Err: " + the number with its leading blank + a blank + the standard text ("Err:  61 Disk full").
std::u16string FileErrorMessage(int number);

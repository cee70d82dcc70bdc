// Work files on disk: reading the current and the previous format, and saving, which writes a
// temporary file beside the target and then replaces the target in one step.
#pragma once

#include "document/Document.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// 1 when the file was read into the document, 0 when it was refused; the reader shows its own
// message, and a refused file changes nothing.
int ReadWorkFile(Document& doc, const std::wstring& path, int languageIndex, HWND owner);
int ReadPreviousWorkFile(Document& doc, const std::wstring& path, int languageIndex, HWND owner);

// Writes every cell of the table. On failure shows one "Err: " message, leaves any previous file as
// it was and returns false.
bool SaveWorkFile(const Document& doc, const std::wstring& path, HWND owner);

// The error number shown for a Windows error code.
int FileErrorNumber(DWORD error);

// For tests: while set, the writes of a save fail as on a full disk once this many bytes are written.
void SetSaveWriteLimit(std::optional<uint64_t> bytes);

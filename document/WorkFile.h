// Work files on disk: reading the current and the previous format, and saving, which writes a
// temporary file beside the target and then replaces the target in one step.
#pragma once

#include "document/Document.h"
#include "document/WorkFileFormat.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>
#include <string>

// What became of a read or a save: done, a file error (with the number the user is shown), or a
// file that is not a work file of the format asked for.
struct WorkFileOutcome {
    enum class Kind { Done, FileError, WrongFormat };
    Kind kind = Kind::Done;
    int errorNumber = 0; // FileError only
    bool Done() const { return kind == Kind::Done; }
};

// Reads the file in the format into the document; a refused file changes nothing.
WorkFileOutcome LoadWorkFileFrom(Document& doc, const std::wstring& path, WorkFileFormat format);

// Writes every cell of the table. On failure any previous file stays as it was.
WorkFileOutcome WriteWorkFile(const Document& doc, const std::wstring& path);

// Any file read whole (a chart book): refused as of the wrong format when it is empty or larger
// than `limit` bytes.
WorkFileOutcome ReadWholeFile(const std::wstring& path, uint64_t limit, std::vector<uint8_t>& bytes);
// Writes the bytes as a save writes a work file: beside the target first, then in its place.
WorkFileOutcome WriteWholeFile(std::span<const uint8_t> bytes, const std::wstring& path);

// The error number shown for a Windows error code.
int FileErrorNumber(DWORD error);

// For tests: while set, the writes of a save fail as on a full disk once this many bytes are written.
void SetSaveWriteLimit(std::optional<uint64_t> bytes);

// For tests: while set, the reads of a work file fail as on a device error once this many bytes of
// it have been read.
void SetReadFailureAfter(std::optional<uint64_t> bytes);

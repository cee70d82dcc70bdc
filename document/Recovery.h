// Recovery copies of a chart with unrecorded changes: the names of a running program's files in
// the recovery folder, the note kept beside each copy, and when a copy is written or removed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Every running program owns three files that share one base name: the copy of the work file,
// the note (the chart's own path and the time of the copy) and a lock held open while the
// program runs, so that a copy whose lock can be taken was left by a program that ended.
enum class RecoveryPart { Copy, Note, Lock };

// The base name of a program's files: its process id and start time, so that a later program
// that gets the same process id never takes over the files.
std::wstring RecoveryBaseName(uint32_t processId, uint64_t startTime);
std::wstring RecoveryFileName(std::wstring_view base, RecoveryPart part);
// The base name and part of a file of the recovery folder, or nothing for any other file.
std::optional<std::pair<std::wstring, RecoveryPart>> ParseRecoveryFileName(std::wstring_view fileName);
// The base names found among the files of the recovery folder, each once, in order.
std::vector<std::wstring> RecoveryBases(const std::vector<std::wstring>& fileNames);

struct RecoveryNote {
    std::wstring chartPath; // empty for a chart that never had a file
    uint64_t savedAt = 0;   // time of the copy, as a Windows file time (UTC)
};

std::wstring FormatRecoveryNote(const RecoveryNote& note);
// The note read back; nothing when the text is not a whole note.
std::optional<RecoveryNote> ParseRecoveryNote(std::wstring_view text);

// What the program has on disk for its own chart.
struct RecoveryState {
    bool copyOnDisk = false;
    uint32_t copiedChange = 0; // the document's change count when the copy was written
};

enum class RecoveryStep { None, Write, Remove };

// At each interval: a copy is written while the chart has changes the copy lacks, and removed
// once the changes were recorded or discarded.
RecoveryStep NextRecoveryStep(bool modified, uint32_t changeCount, const RecoveryState& state);

// Recovery copies on disk: while the chart has unrecorded changes, a copy of the work file is kept
// in the recovery folder, so that a program that ends without recording them (killed, crashed,
// power lost) loses at most one interval of work. The next start offers the copy back.
#pragma once

#include "document/Document.h"
#include "document/Recovery.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

constexpr UINT_PTR kRecoveryTimerId = 0x5243;

// This program's share of the recovery folder.
struct RecoveryRun {
    std::wstring folder; // ends with a backslash; empty while no copies are kept
    std::wstring base;   // this program's base name
    HANDLE lock = INVALID_HANDLE_VALUE;
    RecoveryState state;
    std::optional<uint32_t> droppedChange; // the change count at which the user answered Don't Save
};

// %LOCALAPPDATA%\Cuadrix\Recovery\, or the folder CUADRIX_RECOVERY_FOLDER names (tests).
std::wstring DefaultRecoveryFolder();
// 60 seconds, or the milliseconds CUADRIX_RECOVERY_INTERVAL_MS gives (tests).
UINT RecoveryIntervalMs();

// Creates the folder and takes this program's lock; false (and no copies) when it cannot.
bool BeginRecovery(RecoveryRun& run, const std::wstring& folder);
// One interval: writes the copy and its note when the chart has changes the copy lacks, removes
// them once the changes are recorded or discarded. Never shows a message; a failed write is
// tried again at the next interval.
void RecoveryTick(RecoveryRun& run, const Document& doc, const std::wstring& chartPath);
// The same for a chart whose copy `writeCopy` writes to the path it is given (a book of pages).
void RecoveryTick(RecoveryRun& run, bool modified, uint32_t changeCount, const std::wstring& chartPath,
                  const std::function<bool(const std::wstring&)>& writeCopy);
// Whether this program's copy and its note are on disk and hold the chart at that change count.
bool OwnCopyIsCurrent(const RecoveryRun& run, uint32_t changeCount);
// The changes were recorded or discarded: the copy goes.
void DiscardRecoveryCopy(RecoveryRun& run);
// The program ends normally: every file of this program goes, the lock too.
void EndRecovery(RecoveryRun& run);
// The program ends with changes nobody recorded or dropped: the copy and its note stay for the next
// start to offer, and the lock is let go so that they read as left by an ended program.
void LeaveRecovery(RecoveryRun& run);

// A copy left by a program that ended without removing it.
struct LeftChart {
    std::wstring base;
    std::wstring copyPath;
    RecoveryNote note;
    HANDLE claim = INVALID_HANDLE_VALUE; // its lock, held while this program offers the chart
};

// The copies left by programs that no longer run, newest first. Files of ended programs that hold
// no readable copy are deleted on the way; copies of programs still running are left alone.
std::vector<LeftChart> FindLeftCharts(const RecoveryRun& run);
// Deletes every file of a left chart.
void DeleteLeftChart(const RecoveryRun& run, const std::wstring& base);

// Takes a left chart's lock as its own program held it, so that no other program offers or deletes
// the chart meanwhile; false when another program has it or its copy has gone.
bool ClaimLeftChart(const RecoveryRun& run, LeftChart& left);
// Lets go of a claimed chart and keeps its files for a later start.
void ReleaseLeftChart(LeftChart& left);
// Deletes every file of a claimed chart, its lock last.
void DropLeftChart(const RecoveryRun& run, LeftChart& left);

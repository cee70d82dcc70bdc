#!/usr/bin/env bash
# The program starts on Windows XP: its header asks for no later system, and its import table names
# none of the functions that came with later versions and that compilers' runtimes like to import
# (those are looked up when first called instead).
set -euo pipefail
exe=$1
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
headers=$(i686-w64-mingw32-objdump -p "$exe")
major=$(awk '/^MajorSubsystemVersion/ {print $2}' <<<"$headers")
[ "$major" -le 5 ] || fail "subsystem version $major needs a later Windows than XP"
imports=$(awk '/DLL Name:/ {dll = $3; next} dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print $3}' <<<"$headers")
[ "$(wc -l <<<"$imports")" -gt 100 ] || fail "could not read the import table"
later="GetTickCount64 InitializeConditionVariable SleepConditionVariableCS
SleepConditionVariableSRW WakeConditionVariable WakeAllConditionVariable InitializeSRWLock
AcquireSRWLockExclusive AcquireSRWLockShared ReleaseSRWLockExclusive ReleaseSRWLockShared
TryAcquireSRWLockExclusive InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete FlsAlloc
FlsFree FlsGetValue FlsSetValue GetSystemTimePreciseAsFileTime CreateSymbolicLinkW
GetFinalPathNameByHandleW GetFileInformationByHandleEx SetFileInformationByHandle CompareStringEx
LCMapStringEx GetLocaleInfoEx GetUserDefaultLocaleName GetCurrentProcessorNumber CancelIoEx
QueryFullProcessImageNameW GetErrorMode SetThreadDescription RegGetValueW RegDeleteTreeW
RegSetKeyValueW SHGetKnownFolderPath SHCreateItemFromParsingName TaskDialog TaskDialogIndirect
SetProcessDPIAware GetDpiForWindow GetDpiForSystem ChangeWindowMessageFilter
ChangeWindowMessageFilterEx CreateEventExW CreateMutexExW CreateSemaphoreExW
InitializeCriticalSectionEx WaitOnAddress WakeByAddressSingle"
for name in $later; do
    if grep -qx "$name" <<<"$imports"; then fail "imports $name, which Windows XP lacks"; fi
done
echo "ok"

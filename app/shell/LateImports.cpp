// Functions of Windows versions after XP that the static C++ runtime imports, looked up when first
// called instead of at load time, so that the program starts on Windows XP too.
#include <windows.h>

namespace {

using TickCount64Function = ULONGLONG(WINAPI*)();

// Plain statics with constant initial values: no guard, because the runtime's own locks call here.
TickCount64Function systemTickCount64 = nullptr;
bool tickCount64LookedUp = false;
DWORD lastTick = 0;
ULONGLONG tickWraps = 0;

// The thread runtime reads the tick count for its timed waits. Where the system has no 64-bit
// count (Windows XP), the 32-bit one is widened by counting its wraps every 49.7 days.
ULONGLONG WINAPI TickCount64() {
    if (!tickCount64LookedUp) {
        if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll"))
            systemTickCount64 = reinterpret_cast<TickCount64Function>(
                reinterpret_cast<void*>(GetProcAddress(kernel, "GetTickCount64")));
        tickCount64LookedUp = true;
    }
    if (systemTickCount64) return systemTickCount64();
    const DWORD now = GetTickCount();
    if (now < lastTick) tickWraps += 1ULL << 32;
    lastTick = now;
    return tickWraps + now;
}

} // namespace

// The runtime calls GetTickCount64 through its import pointer; defining that pointer here keeps
// the function out of the program's import table.
#if defined(__i386__)
#define CUADRIX_TICKCOUNT64_IMPORT "__imp__GetTickCount64@0"
#else
#define CUADRIX_TICKCOUNT64_IMPORT "__imp_GetTickCount64"
#endif
extern "C" {
__attribute__((used))
TickCount64Function lateGetTickCount64 __asm__(CUADRIX_TICKCOUNT64_IMPORT) = TickCount64;
}

// Foreground window and millisecond clock. Touched only from the host's thread.
#include "platform/win/WinApi.h"
#include "platform/win/WinHostControl.h"

#include <chrono>

namespace {
// Counted from program start rather than from boot: the flares turn the clock
// into float-sized steps that coarsen as it grows, and a machine's uptime is
// unbounded.
const auto programStart = std::chrono::steady_clock::now();
HWND foregroundWindow = nullptr;
bool clockDriven = false;
DWORD drivenClockMs = 0;
} // namespace

HWND GetForegroundWindow() {
    return foregroundWindow;
}

DWORD timeGetTime() {
    if (clockDriven) {
        return drivenClockMs;
    }
    const auto running = std::chrono::steady_clock::now() - programStart;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(running).count();
    // Wraps modulo 2^32 like the system clock it stands in for.
    return static_cast<DWORD>(static_cast<std::uint64_t>(ms));
}

void SetForegroundWindowHandle(HWND window) {
    foregroundWindow = window;
}

void DriveMillisecondClock(DWORD valueMs) {
    clockDriven = true;
    drivenClockMs = valueMs;
}

void ReleaseMillisecondClock() {
    clockDriven = false;
}

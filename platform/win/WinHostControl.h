// The host's side of the Windows stand-ins: which window counts as foreground,
// and whether the millisecond clock runs free or is driven (capture, tests).
#pragma once

#include "platform/win/WinApi.h"

void SetForegroundWindowHandle(HWND window);

// From now on timeGetTime() returns exactly this value until called again.
void DriveMillisecondClock(DWORD valueMs);
// Back to the monotonic clock.
void ReleaseMillisecondClock();

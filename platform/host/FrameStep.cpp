#include "platform/host/FrameStep.h"

#include "platform/host/FrameState.h"
#include "platform/host/Scheduler.h"
#include "platform/host/Surface.h"
#include "platform/win/WinHostControl.h"

void DrawFrame(Surface& surface, Scheduler& scheduler, int timeMs) {
    surface.BeginFrame();
    scheduler.Advance(timeMs);
    ResetFrameState(surface.DrawingArea());
    scheduler.Render(timeMs);
    surface.Present();
}

void RenderFrameAt(Surface& surface, Scheduler& scheduler, int timeMs) {
    DriveMillisecondClock(static_cast<DWORD>(timeMs));
    DrawFrame(surface, scheduler, timeMs);
}

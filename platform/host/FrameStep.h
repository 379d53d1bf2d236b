// One frame of the show: advance the timeline, reset the frame's GL state,
// draw the running effects, present. Offscreen frames (capture, screenshots)
// also hold the millisecond clock at the frame's time, so they are the same
// on every run.
#pragma once

class Scheduler;
class Surface;

void DrawFrame(Surface& surface, Scheduler& scheduler, int timeMs);
void RenderFrameAt(Surface& surface, Scheduler& scheduler, int timeMs);

// A recording the page asked for, rendered in the page's one show session:
// the ask checked by the command line's capture rules, then frame n at
// start + FrameTimeMs(n) through the session's frame step on the fixed-step
// clock, at the recording's size whatever the window's, each frame handed to
// the page's encoder (site/recorder.js) before the next is drawn. The show is
// held paused meanwhile; afterwards it is where it was held.
#pragma once

class FrameStep;

// heldMs: the demo time the show is held at, drawn again afterwards.
void RenderPageRecording(FrameStep& frames, int heldMs);

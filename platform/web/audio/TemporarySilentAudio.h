// TEMPORARY: stands in for the web engine of the audio layer until it is
// merged (it replaces this file and TemporarySilentAudio.cpp).
#pragma once

// Whether the open output is heard (an AudioContext that runs) rather than
// kept by the silent clock. Here it never is.
bool OutputAudible();

// What RunApp hands the registered show to: the show runner, unless a program
// that runs the entry point for its own ends (a benchmark) takes the show
// instead. Either way the effects and names are the entry point's roster.
#pragma once

#include "platform/host/play/ShowSetup.h"

#include <functional>

// Called inside RunApp with everything registered; its result is RunApp's
// exit status, as the runner's is (0 goes back to the entry point).
using ShowHandOver = std::function<int(const ShowSetup& setup)>;

// Before the entry point runs; null puts the show runner back.
void HandShowOverTo(ShowHandOver handOver);

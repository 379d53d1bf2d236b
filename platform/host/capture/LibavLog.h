// libav's messages go through our log sink: warnings and errors, one line
// each, "capture: " and the libav part that spoke before the text. Its
// informational chatter (x264's statistics) would drown the line that matters.
#pragma once

// From now on for the whole process; any thread may then log.
void RouteLibavLogThroughSink();

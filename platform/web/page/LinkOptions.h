// The page's link (?t=, ?start=, ?end=, ?loop=1) read by the command line's
// rules: the same times, the same refused combinations, the same lines.
#pragma once

#include "platform/host/options/RequestedTimes.h"

struct LinkOptions {
    RequestedTimes times; // t: the still frame's time
    bool loop = false;
};

// args: the link's parameters as the page passes them, name then value.
// False, with one line said, when the link asks for what the program refuses.
bool ReadLinkOptions(int argc, char** argv, LinkOptions* options);

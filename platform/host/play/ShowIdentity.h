// Who the show is and how it starts, as the entry point tells the host: the
// title and makers (--help, the window's title, the check report) and the
// start-up values the command line's settings default to.
#pragma once

#include <string>

struct ShowIdentity {
    std::string title;  // "quorvel 8"
    std::string makers; // "tarvendolk"
    // The start-up values in the order the entry point passes them
    // (SetStartupDialogVars' five numbers): non-zero turns each on.
    bool fullscreen = false;
    bool vsync = true;
    bool sound = true;
    bool keepAspect = true;
    bool loop = false;
};

// What both surface back ends check of a freshly made context.
#pragma once

#include <string>

// True when the current context draws with glBegin and friends (1.3 or later
// with the fixed-function pipeline); otherwise *found names what it is instead.
bool CurrentGlHasFixedFunction(std::string* found);

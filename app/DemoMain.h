// The show's entry point: configures the host, creates and registers the
// effects, hands over for the whole show and tears down.
#pragma once

#include "platform/win/WinApi.h"

// Never reads the command line; the instance goes to the host untouched.
int DemoMain(HINSTANCE instance);

// Text form of a recorded GL call, as gltrace prints it:
// glName(arg, arg) with GLfloat as %.9g, GLdouble as %.17g, integers in
// decimal, enums by symbolic name and bitfields in hex.
#pragma once

#include "tools/gltrace/RecordingGL.h"

#include <string>
#include <vector>

std::string FormatGlCall(const GlCall& call);

// Every call recorded so far, formatted, in order.
std::vector<std::string> FormatRecordedGlCalls();

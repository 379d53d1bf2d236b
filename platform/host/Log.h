// One line of diagnostics for the person running the show.
#pragma once

#include <string_view>

// Writes line and a newline to stderr.
void LogLine(std::string_view line);

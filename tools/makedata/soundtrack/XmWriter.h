// Writes an XmModule as the bytes of an XM (extended module) file, version
// 1.04: header, packed patterns, then instruments with delta-coded 16-bit
// samples. Pure: no files, no globals.
#pragma once

#include "tools/makedata/soundtrack/XmModule.h"

#include <vector>

// Throws std::invalid_argument, one line naming the part and the value, when a
// field is outside what the format can hold (rows, channels, orders naming a
// missing pattern, loops past the sample's end, envelopes...).
std::vector<unsigned char> WriteXm(const XmModule& module);

// What a capture's frames take, estimated before the show is set up, against
// what the process can still have: the address space its limit (RLIMIT_AS)
// leaves and the memory the system has available (MemAvailable). A capture
// that cannot fit is refused with one line instead of failing half way.
#pragma once

#include "platform/host/options/CaptureOptions.h"

#include <cstdint>
#include <string>

// The rendered frame's surface and read-back slots, and the encoder's frames
// in flight, in bytes.
std::int64_t CaptureFrameBytes(const CaptureSettings& settings);

// "a 3840x2160 capture at --supersample 4 needs about 2.9 GB for its frames":
// the start of every line about a capture's memory.
std::string CaptureMemoryNeed(const CaptureSettings& settings);

// Empty when the frames fit; else what the capture needs and which limit it
// exceeds, to follow "capture: [FILE] ".
std::string CaptureMemoryShortfall(const CaptureSettings& settings);

// Stand-ins for the few Windows calls the show makes.
#pragma once

#include <cstdint>

using DWORD = std::uint32_t;
using HWND = void*;

// What the entry point hands the host in place of a program instance: on Linux
// the process arguments, which only the host reads.
struct ProgramInstance {
    int argc;
    char** argv;
};
using HINSTANCE = ProgramInstance*;

// The host's window, or null when there is none (offscreen, or before it opens).
HWND GetForegroundWindow();

// Milliseconds of the monotonic clock since the program started, wrapping at
// 2^32, unless the host drives it.
DWORD timeGetTime();

// How the audio layer learns the size of a buffer the host's LoadFile
// returned: a module loaded with length 0 takes the whole buffer. The host
// fills the seam while a show runs.
#pragma once

#include <cstddef>

// Size in bytes of a buffer LoadFile returned; 0 for any other address.
using FileSizeLookup = std::size_t (*)(const void* data);

// Null: every address has size 0.
void SetFileSizeLookup(FileSizeLookup lookup);

// What our audio layer asks of the host about files the show loaded.
#pragma once

#include <cstddef>

// Size in bytes of a buffer that LoadFile returned; 0 for any other address.
std::size_t LoadedFileSize(const void* data);

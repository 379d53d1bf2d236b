// Reads a PNG the program wrote, as 8-bit RGB with the top row first.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // empty when the file could not be read
};

PngImage ReadPngImage(const std::filesystem::path& file);

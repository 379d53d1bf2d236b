// Writes RGB8 frames as PNG files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

// rgb holds width * height * 3 bytes, bottom row first (as GL reads them);
// the file is written top row first, whole or not at all (OutputFile.h).
// False with *error on failure: the reason only, for the caller to say with
// the file's name.
bool WritePng(const std::filesystem::path& file, int width, int height,
              std::span<const std::uint8_t> rgb, std::string* error);

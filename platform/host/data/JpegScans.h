// The scans of a JPEG, counted by one walk over its markers before anything is
// decoded. Each scan of a progressive JPEG costs a pass over the whole
// picture, and neither decoder (TurboJPEG 2.1, stb_image) limits how many a
// file may hold, so both decoders refuse a picture of too many scans first.
#pragma once

#include <cstddef>
#include <span>
#include <string>

// Real progressive JPEGs have about ten scans.
inline constexpr std::size_t kMaxJpegScans = 100;

// The start-of-scan markers from the start of the file up to its end-of-image
// marker (or its last byte): markers are found as the decoders find them,
// segments skipped by their length, entropy-coded data by its stuffed bytes.
std::size_t CountJpegScans(std::span<const unsigned char> bytes);

// False with *error ("100000 scans is over 100") past kMaxJpegScans.
bool JpegScansAllowed(std::span<const unsigned char> bytes, std::string* error);

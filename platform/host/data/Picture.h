// A decoded picture in host memory, ready for upload as RGBA8.
//
// NOTE: rows are stored bottom row first, so texture coordinate t = 0 names the
// picture's bottom row and pictures appear upright.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

enum class PictureAlpha {
    Brightness, // alpha = max(r, g, b): black is transparent in blended layers
    Opaque,     // alpha = 255
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // width * height * 4, bottom row first
};

inline constexpr int kMaxPictureSide = 8192;
// What all the pictures of one show may take decoded, together.
inline constexpr std::uint64_t kMaxShowPictureBytes = 256u << 20;

// Decodes a JPEG (TurboJPEG natively, stb_image in the browser). On failure (corrupt, not a JPEG,
// over kMaxPictureSide a side, over kMaxJpegScans scans, larger decoded than roomBytes) returns
// false and sets *error to a short reason; *out is then untouched. A picture the decoder gets
// through only with a warning (cut short, damaged data) is kept as decoded, and *damage says what
// the decoder said (cleared when the picture is whole). Our own allocation failing throws
// std::bad_alloc.
bool DecodeJpegPicture(std::span<const unsigned char> bytes, PictureAlpha alpha, Picture* out,
                       std::string* error, std::string* damage = nullptr,
                       std::uint64_t roomBytes = kMaxShowPictureBytes);

// The picture's size rule, checked from the header before anything is
// allocated: false with *error for no pixels, over kMaxPictureSide a side,
// over 64 MiB decoded or over roomBytes decoded (what the show's pictures
// have left of kMaxShowPictureBytes).
bool PictureSizeAllowed(int width, int height, std::uint64_t roomBytes, std::string* error);

// Sets each texel's alpha by the rule (rgba: 4 bytes a texel).
void ApplyPictureAlpha(std::vector<std::uint8_t>& rgba, PictureAlpha alpha);

// The stand-in for a picture that could not be loaded: a 64x64 magenta and
// black checkerboard of 8-texel squares, alpha applied by the same rule.
Picture MakeCheckerboardPicture(PictureAlpha alpha);

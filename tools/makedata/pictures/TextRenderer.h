// Lines of text rendered by FreeType into anti-aliased coverage masks, and
// stamped onto a canvas.
#pragma once

#include "tools/makedata/pictures/PictureCanvas.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

// The ink of one line, cropped to its bounds.
struct TextMask {
    int width = 0;
    int height = 0;
    int baseline = 0; // rows from the top of the mask down to the baseline
    std::vector<std::uint8_t> coverage;

    double At(int x, int y) const {
        return coverage[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)] /
               255.0;
    }
};

class TextRenderer {
  public:
    // Throws std::runtime_error naming the font file when it cannot be opened.
    explicit TextRenderer(const std::filesystem::path& fontFile);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // One line of UTF-8 text at a size in pixels (the em height), kerned;
    // extraSpacing adds pixels between letters; widthScale below 1 condenses
    // the letters, for pictures the show stretches sideways.
    TextMask Render(std::string_view text, int pixelSize, int extraSpacing = 0,
                    double widthScale = 1.0) const;
    // The largest size at which the line fits within width pixels.
    int SizeToFit(std::string_view text, int width, int extraSpacing = 0,
                  double widthScale = 1.0) const;

  private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
    std::filesystem::path fontFile_;
};

// Mixes colour(x, y) into the canvas by the mask's coverage, the mask's top-left
// corner at (left, top).
template <typename Colour>
void StampText(PictureCanvas& canvas, const TextMask& mask, int left, int top, Colour&& colour) {
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const double coverage = mask.At(x, y);
            if (coverage > 0.0) {
                canvas.Blend(left + x, top + y, colour(left + x, top + y), coverage);
            }
        }
    }
}

// FreeType renders each glyph as an 8-bit anti-aliased bitmap; glyphs are
// placed on the 26.6 fixed-point pen, kerned, and summed into one mask.
#include "tools/makedata/pictures/TextRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

struct TextRenderer::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

namespace {

// The code points of UTF-8 text; a malformed byte stands for itself.
std::vector<char32_t> CodePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
        if (i + static_cast<std::size_t>(extra) >= text.size()) {
            points.push_back(lead);
            ++i;
            continue;
        }
        for (int k = 1; k <= extra; ++k) {
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        points.push_back(point);
        i += 1 + static_cast<std::size_t>(extra);
    }
    return points;
}

struct PlacedGlyph {
    int left = 0; // pixel column of the bitmap's left edge, pen origin at 0
    int top = 0;  // pixel rows above the baseline of the bitmap's top edge
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> pixels;
};

} // namespace

TextRenderer::TextRenderer(const std::filesystem::path& fontFile)
    : handles_(std::make_unique<Handles>()), fontFile_(fontFile) {
    if (FT_Init_FreeType(&handles_->library) != 0) {
        throw std::runtime_error("font: cannot start FreeType");
    }
    if (FT_New_Face(handles_->library, fontFile.c_str(), 0, &handles_->face) != 0) {
        FT_Done_FreeType(handles_->library);
        throw std::runtime_error("font: [" + fontFile.string() + "] cannot be opened");
    }
}

TextRenderer::~TextRenderer() {
    FT_Done_Face(handles_->face);
    FT_Done_FreeType(handles_->library);
}

TextMask TextRenderer::Render(std::string_view text, int pixelSize, int extraSpacing,
                              double widthScale) const {
    FT_Face face = handles_->face;
    const auto pixelWidth = std::max(1L, std::lround(pixelSize * widthScale));
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixelWidth),
                           static_cast<FT_UInt>(pixelSize)) != 0) {
        throw std::runtime_error("font: [" + fontFile_.string() + "] has no size " +
                                 std::to_string(pixelSize));
    }
    std::vector<PlacedGlyph> glyphs;
    FT_Pos pen = 0; // 26.6
    FT_UInt previous = 0;
    for (const char32_t point : CodePoints(text)) {
        const FT_UInt index = FT_Get_Char_Index(face, point);
        if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kerning{};
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kerning);
            pen += kerning.x;
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) {
            throw std::runtime_error("font: [" + fontFile_.string() + "] cannot render a glyph");
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        PlacedGlyph glyph;
        glyph.left = static_cast<int>((pen + 32) >> 6) + slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        for (int row = 0; row < glyph.rows; ++row) {
            const unsigned char* line = bitmap.buffer + row * bitmap.pitch;
            glyph.pixels.insert(glyph.pixels.end(), line, line + glyph.width);
        }
        glyphs.push_back(std::move(glyph));
        pen += slot->advance.x + static_cast<FT_Pos>(extraSpacing) * 64;
        previous = index;
    }

    int minX = INT_MAX;
    int maxX = INT_MIN;
    int maxTop = INT_MIN;
    int minBottom = INT_MAX;
    for (const PlacedGlyph& glyph : glyphs) {
        if (glyph.width == 0 || glyph.rows == 0) {
            continue;
        }
        minX = std::min(minX, glyph.left);
        maxX = std::max(maxX, glyph.left + glyph.width);
        maxTop = std::max(maxTop, glyph.top);
        minBottom = std::min(minBottom, glyph.top - glyph.rows);
    }
    TextMask mask;
    if (minX == INT_MAX) {
        return mask;
    }
    mask.width = maxX - minX;
    mask.height = maxTop - minBottom;
    mask.baseline = maxTop;
    mask.coverage.assign(
        static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height), 0);
    for (const PlacedGlyph& glyph : glyphs) {
        for (int row = 0; row < glyph.rows; ++row) {
            for (int column = 0; column < glyph.width; ++column) {
                const int x = glyph.left - minX + column;
                const int y = maxTop - glyph.top + row;
                auto& cell = mask.coverage[static_cast<std::size_t>(y) *
                                               static_cast<std::size_t>(mask.width) +
                                           static_cast<std::size_t>(x)];
                cell = static_cast<std::uint8_t>(std::min(
                    255,
                    cell + glyph.pixels[static_cast<std::size_t>(row * glyph.width + column)]));
            }
        }
    }
    return mask;
}

int TextRenderer::SizeToFit(std::string_view text, int width, int extraSpacing,
                            double widthScale) const {
    int fits = 4;
    int tooBig = 1024;
    while (tooBig - fits > 1) {
        const int size = (fits + tooBig) / 2;
        (Render(text, size, extraSpacing, widthScale).width <= width ? fits : tooBig) = size;
    }
    return fits;
}

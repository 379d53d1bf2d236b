#include "platform/common/QuotedValue.h"

#include <cstdio>

namespace {

constexpr std::size_t kMostCharacters = 80;

// The length of the well-formed UTF-8 sequence at text[at] (no overlong
// form, no surrogate, nothing past U+10FFFF); 0 where none starts there.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xc2 && lead < 0xe0 ? 2
                               : lead >= 0xe0 && lead < 0xf0 ? 3
                               : lead >= 0xf0 && lead < 0xf5 ? 4
                                                             : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80) {
            return 0;
        }
    }
    // The second byte's range where the lead alone does not rule these out.
    if ((lead == 0xe0 && byte(1) < 0xa0) || (lead == 0xed && byte(1) >= 0xa0) ||
        (lead == 0xf0 && byte(1) < 0x90) || (lead == 0xf4 && byte(1) >= 0x90)) {
        return 0;
    }
    return length;
}

char32_t CodePoint(std::string_view sequence) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(sequence[i]); };
    switch (sequence.size()) {
    case 1:
        return byte(0);
    case 2:
        return (byte(0) & 0x1fu) << 6 | (byte(1) & 0x3fu);
    case 3:
        return (byte(0) & 0x0fu) << 12 | (byte(1) & 0x3fu) << 6 | (byte(2) & 0x3fu);
    default:
        return (byte(0) & 0x07u) << 18 | (byte(1) & 0x3fu) << 12 | (byte(2) & 0x3fu) << 6 |
               (byte(3) & 0x3fu);
    }
}

// C0 and C1 controls, and the marks and overrides that change the direction
// of the text around them.
bool Hidden(char32_t c) {
    return c < 0x20 || (c >= 0x7f && c < 0xa0) || c == 0x61c || c == 0x200e || c == 0x200f ||
           (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::string QuotedValue(std::string_view value) {
    std::string out = "'";
    std::size_t characters = 0;
    std::size_t at = 0;
    for (; at < value.size() && characters < kMostCharacters; ++characters) {
        const std::size_t length = SequenceLength(value, at);
        char written[12];
        if (length == 0) {
            std::snprintf(written, sizeof written, "\\x%02x",
                          static_cast<unsigned char>(value[at]));
            out += written;
            at += 1;
            continue;
        }
        const std::string_view sequence = value.substr(at, length);
        const char32_t c = CodePoint(sequence);
        if (!Hidden(c)) {
            out += sequence;
        } else if (c < 0x80) {
            std::snprintf(written, sizeof written, "\\x%02x", static_cast<unsigned>(c));
            out += written;
        } else {
            std::snprintf(written, sizeof written, "\\u{%04x}", static_cast<unsigned>(c));
            out += written;
        }
        at += length;
    }
    if (at < value.size()) {
        out += "\u2026";
    }
    return out + "'";
}

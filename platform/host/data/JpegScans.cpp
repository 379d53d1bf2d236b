#include "platform/host/data/JpegScans.h"

namespace {

constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kTemporary = 0x01;

// 0xFF then this byte starts a marker: not a stuffed zero, not a fill byte and
// not a restart marker, which sit inside entropy-coded data.
bool StartsMarker(unsigned char code) {
    return code != 0x00 && code != 0xFF && (code < 0xD0 || code > 0xD7);
}

} // namespace

std::size_t CountJpegScans(std::span<const unsigned char> bytes) {
    std::size_t scans = 0;
    std::size_t at = 0;
    while (true) {
        while (at + 1 < bytes.size() && !(bytes[at] == 0xFF && StartsMarker(bytes[at + 1]))) {
            ++at;
        }
        if (at + 1 >= bytes.size()) {
            return scans;
        }
        const unsigned char code = bytes[at + 1];
        at += 2;
        if (code == kEndOfImage) {
            return scans;
        }
        if (code == kStartOfImage || code == kTemporary) {
            continue;
        }
        if (at + 1 >= bytes.size()) {
            return scans;
        }
        // The segment's length counts its own two bytes.
        const std::size_t length = (std::size_t{bytes[at]} << 8) | bytes[at + 1];
        scans += code == kStartOfScan;
        at += length < 2 ? 2 : length;
    }
}

bool JpegScansAllowed(std::span<const unsigned char> bytes, std::string* error) {
    const std::size_t scans = CountJpegScans(bytes);
    if (scans > kMaxJpegScans) {
        *error = std::to_string(scans) + " scans is over " + std::to_string(kMaxJpegScans);
        return false;
    }
    return true;
}

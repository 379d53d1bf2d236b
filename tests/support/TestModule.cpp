// Field by field as the XM format lays them out, little-endian.
#include "tests/support/TestModule.h"

#include <cstdint>
#include <string_view>

namespace {

class Writer {
  public:
    void Text(std::string_view text, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i) {
            bytes.push_back(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
        }
    }
    void U8(unsigned value) { bytes.push_back(static_cast<unsigned char>(value)); }
    void U16(unsigned value) {
        U8(value & 0xFF);
        U8(value >> 8);
    }
    void U32(std::uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    void Zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }

    std::vector<unsigned char> bytes;
};

constexpr unsigned kRows = 16;
constexpr unsigned kChannels = 2;
constexpr unsigned kWaveLength = 32;

} // namespace

std::vector<unsigned char> MakeTestModule() {
    Writer xm;
    xm.Text("Extended Module: ", 17);
    xm.Text("test tone", 20);
    xm.U8(0x1A);
    xm.Text("quorvel tests", 20);
    xm.U16(0x0104); // format version
    xm.U32(276);    // header size, counted from this field
    xm.U16(1);      // orders
    xm.U16(0);      // restart order
    xm.U16(kChannels);
    xm.U16(1);     // patterns
    xm.U16(1);     // instruments
    xm.U16(1);     // linear frequencies
    xm.U16(6);     // ticks a row
    xm.U16(125);   // BPM
    xm.Zeros(256); // order table: pattern 0

    // Pattern 0: C-4 on instrument 1 in the first cell; every other cell empty.
    const unsigned packedSize = 3 + (kRows * kChannels - 1);
    xm.U32(9); // pattern header size
    xm.U8(0);  // packing
    xm.U16(kRows);
    xm.U16(packedSize);
    xm.U8(0x83); // note and instrument follow
    xm.U8(49);   // C-4
    xm.U8(1);
    for (unsigned cell = 1; cell < kRows * kChannels; ++cell) {
        xm.U8(0x80);
    }

    // Instrument 1 with one sample, no envelopes: the note holds.
    xm.U32(263); // instrument header size
    xm.Text("square", 22);
    xm.U8(0);               // type
    xm.U16(1);              // samples
    xm.U32(40);             // sample header size
    xm.Zeros(96 + 48 + 48); // key map, volume and panning envelopes
    xm.Zeros(2 + 6 + 2);    // envelope point counts, sustain and loops, types
    xm.Zeros(4);            // vibrato
    xm.U16(0);              // fade-out
    xm.Zeros(22);           // reserved

    xm.U32(kWaveLength); // sample length in bytes
    xm.U32(0);           // loop start
    xm.U32(kWaveLength); // loop length
    xm.U8(64);           // volume
    xm.U8(0);            // finetune
    xm.U8(1);            // forward loop, 8-bit
    xm.U8(128);          // panning: centre
    xm.U8(0);            // relative note
    xm.U8(0);            // reserved
    xm.Text("square", 22);

    // A square wave of amplitude 64, stored as deltas from the previous value.
    for (unsigned i = 0; i < kWaveLength; ++i) {
        const int value = i < kWaveLength / 2 ? 64 : -64;
        const int previous = i == 0 ? 0 : (i - 1 < kWaveLength / 2 ? 64 : -64);
        xm.U8(static_cast<unsigned>(value - previous) & 0xFF);
    }
    return xm.bytes;
}

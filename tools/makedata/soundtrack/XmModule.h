// What an XM (extended module) file holds, as plain values: the composer fills
// one in and XmWriter turns it into the file's bytes. Sizes and ranges are the
// format's own; XmWriter checks them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One channel of one row. Zero everywhere means "nothing here".
struct XmCell {
    std::uint8_t note = 0;       // 1..96 (1 = C-0, 49 = C-4), 97 = key off
    std::uint8_t instrument = 0; // 1..128
    std::uint8_t volume = 0;     // volume column: 0x10..0x50 sets 0..64, 0xC0..0xCF pans
    std::uint8_t effect = 0;     // effect type 0x00..0x23
    std::uint8_t param = 0;
};

inline constexpr std::uint8_t kXmKeyOff = 97;

struct XmPattern {
    int numRows = 64;
    // numRows * numChannels cells, row after row.
    std::vector<XmCell> cells;
};

struct XmEnvelopePoint {
    std::uint16_t tick = 0;
    std::uint16_t value = 0; // 0..64
};

struct XmEnvelope {
    std::vector<XmEnvelopePoint> points; // up to 12, ticks rising; empty: off
    int sustainPoint = -1;               // -1: no sustain
    int loopStart = -1;                  // -1: no loop
    int loopEnd = -1;
};

enum class XmLoop : std::uint8_t { None = 0, Forward = 1, PingPong = 2 };

// One 16-bit sample; lengths and loop points count sample frames, not bytes.
struct XmSample {
    std::string name;
    std::vector<std::int16_t> frames;
    XmLoop loop = XmLoop::None;
    std::uint32_t loopStart = 0;
    std::uint32_t loopLength = 0;
    int volume = 64;      // 0..64
    int panning = 128;    // 0..255
    int relativeNote = 0; // semitones, -128..127
    int finetune = 0;     // 1/128 semitone, -128..127
};

// An instrument with one sample mapped to every note.
struct XmInstrument {
    std::string name;
    XmSample sample;
    XmEnvelope volumeEnvelope;
    XmEnvelope panningEnvelope;
    int fadeout = 0; // 0..0xFFF, volume lost per tick after key off
    int vibratoType = 0;
    int vibratoSweep = 0;
    int vibratoDepth = 0;
    int vibratoRate = 0;
};

struct XmModule {
    std::string name;
    std::string trackerName;
    int numChannels = 8; // 1..32
    int speed = 6;       // ticks per row
    int bpm = 125;
    int restartPosition = 0;
    bool linearFrequencies = true;
    std::vector<std::uint8_t> orders; // pattern indices, 1..256 entries
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments; // instrument 1 is instruments[0]
};

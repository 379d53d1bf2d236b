// Little-endian throughout. The pattern data uses the packed form for every
// cell: a flag byte (bit 7 set) says which of note, instrument, volume, effect
// and parameter follow, so an empty cell is one byte.
#include "tools/makedata/soundtrack/XmWriter.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace {

constexpr int kMaxChannels = 32;
constexpr int kMaxRows = 256;
constexpr int kMaxOrders = 256;
constexpr int kMaxPatterns = 256;
constexpr int kMaxInstruments = 128;
constexpr int kMaxEnvelopePoints = 12;
constexpr std::uint32_t kSongHeaderSize = 276; // counted from the size field
constexpr std::uint32_t kPatternHeaderSize = 9;
constexpr std::uint32_t kInstrumentHeaderSize = 263; // with the customary reserved tail
constexpr std::uint32_t kSampleHeaderSize = 40;
constexpr std::uint8_t kSample16Bit = 0x10;

[[noreturn]] void Fail(const std::string& what) {
    throw std::invalid_argument("XmWriter: " + what);
}

void CheckRange(const std::string& what, long long value, long long low, long long high) {
    if (value < low || value > high) {
        Fail(what + " is " + std::to_string(value) + ", must be " + std::to_string(low) + ".." +
             std::to_string(high));
    }
}

class ByteSink {
  public:
    explicit ByteSink(std::vector<unsigned char>& bytes) : bytes_(bytes) {}
    void U8(unsigned value) { bytes_.push_back(static_cast<unsigned char>(value & 0xFF)); }
    void U16(unsigned value) {
        U8(value);
        U8(value >> 8);
    }
    void U32(std::uint32_t value) {
        U16(value & 0xFFFF);
        U16(value >> 16);
    }
    // Text padded with zeros to its field; longer text is cut to fit.
    void Text(const std::string& text, std::size_t fieldSize) {
        for (std::size_t i = 0; i < fieldSize; ++i) {
            U8(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
        }
    }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    std::size_t Size() const { return bytes_.size(); }
    void PatchU16(std::size_t at, unsigned value) {
        bytes_[at] = static_cast<unsigned char>(value & 0xFF);
        bytes_[at + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
    }

  private:
    std::vector<unsigned char>& bytes_;
};

void CheckCell(const XmCell& cell, const std::string& where) {
    if (cell.note > kXmKeyOff) {
        Fail(where + ": note " + std::to_string(cell.note) + ", must be 0..97");
    }
    CheckRange(where + ": instrument", cell.instrument, 0, kMaxInstruments);
    CheckRange(where + ": effect", cell.effect, 0, 0x23);
}

void WritePattern(ByteSink& out, const XmPattern& pattern, int numChannels, int index) {
    const std::string where = "pattern " + std::to_string(index);
    CheckRange(where + " rows", pattern.numRows, 1, kMaxRows);
    const std::size_t cellCount = static_cast<std::size_t>(pattern.numRows) * numChannels;
    if (pattern.cells.size() != cellCount) {
        Fail(where + " has " + std::to_string(pattern.cells.size()) + " cells, needs " +
             std::to_string(cellCount) + " (rows * channels)");
    }
    out.U32(kPatternHeaderSize);
    out.U8(0); // packing type
    out.U16(static_cast<unsigned>(pattern.numRows));
    const std::size_t sizeAt = out.Size();
    out.U16(0);
    const std::size_t dataStart = out.Size();
    for (std::size_t i = 0; i < cellCount; ++i) {
        const XmCell& cell = pattern.cells[i];
        CheckCell(cell, where + " row " + std::to_string(i / numChannels) + " channel " +
                            std::to_string(i % numChannels));
        unsigned flags = 0x80;
        flags |= cell.note ? 0x01 : 0;
        flags |= cell.instrument ? 0x02 : 0;
        flags |= cell.volume ? 0x04 : 0;
        flags |= cell.effect ? 0x08 : 0;
        flags |= cell.param ? 0x10 : 0;
        out.U8(flags);
        for (const std::uint8_t field :
             {cell.note, cell.instrument, cell.volume, cell.effect, cell.param}) {
            if (field) {
                out.U8(field);
            }
        }
    }
    const std::size_t dataSize = out.Size() - dataStart;
    if (dataSize > 0xFFFF) {
        Fail(where + " packs to " + std::to_string(dataSize) + " bytes, more than 65535");
    }
    out.PatchU16(sizeAt, static_cast<unsigned>(dataSize));
}

unsigned EnvelopeFlags(const XmEnvelope& envelope) {
    if (envelope.points.empty()) {
        return 0;
    }
    unsigned flags = 0x01;
    flags |= envelope.sustainPoint >= 0 ? 0x02 : 0;
    flags |= envelope.loopStart >= 0 ? 0x04 : 0;
    return flags;
}

void CheckEnvelope(const XmEnvelope& envelope, const std::string& where) {
    const int count = static_cast<int>(envelope.points.size());
    CheckRange(where + " points", count, 0, kMaxEnvelopePoints);
    for (int i = 0; i < count; ++i) {
        CheckRange(where + " point " + std::to_string(i) + " value", envelope.points[i].value, 0,
                   64);
        if (i > 0 && envelope.points[i].tick <= envelope.points[i - 1].tick) {
            Fail(where + " point " + std::to_string(i) + " does not come after the one before");
        }
    }
    const int last = count > 0 ? count - 1 : -1;
    CheckRange(where + " sustain point", envelope.sustainPoint, -1, last);
    CheckRange(where + " loop start", envelope.loopStart, -1, last);
    CheckRange(where + " loop end", envelope.loopEnd, envelope.loopStart, last);
}

void WriteEnvelopePoints(ByteSink& out, const XmEnvelope& envelope) {
    for (const XmEnvelopePoint& point : envelope.points) {
        out.U16(point.tick);
        out.U16(point.value);
    }
    out.Zeros((kMaxEnvelopePoints - envelope.points.size()) * 4);
}

void CheckSample(const XmSample& sample, const std::string& where) {
    CheckRange(where + " length", static_cast<long long>(sample.frames.size()), 0, 0x3FFFFFFF);
    CheckRange(where + " volume", sample.volume, 0, 64);
    CheckRange(where + " panning", sample.panning, 0, 255);
    CheckRange(where + " relative note", sample.relativeNote, -128, 127);
    CheckRange(where + " finetune", sample.finetune, -128, 127);
    if (sample.loop != XmLoop::None) {
        const long long end = static_cast<long long>(sample.loopStart) + sample.loopLength;
        if (sample.loopLength == 0 || end > static_cast<long long>(sample.frames.size())) {
            Fail(where + " loop " + std::to_string(sample.loopStart) + "+" +
                 std::to_string(sample.loopLength) + " does not lie inside its " +
                 std::to_string(sample.frames.size()) + " frames");
        }
    }
}

void WriteInstrument(ByteSink& out, const XmInstrument& instrument, int index) {
    const std::string where = "instrument " + std::to_string(index + 1);
    const XmSample& sample = instrument.sample;
    CheckSample(sample, where + " sample");
    CheckEnvelope(instrument.volumeEnvelope, where + " volume envelope");
    CheckEnvelope(instrument.panningEnvelope, where + " panning envelope");
    CheckRange(where + " fadeout", instrument.fadeout, 0, 0xFFF);

    const std::size_t start = out.Size();
    out.U32(kInstrumentHeaderSize);
    out.Text(instrument.name, 22);
    out.U8(0); // type
    out.U16(1);
    out.U32(kSampleHeaderSize);
    out.Zeros(96); // every note plays sample 0
    WriteEnvelopePoints(out, instrument.volumeEnvelope);
    WriteEnvelopePoints(out, instrument.panningEnvelope);
    out.U8(static_cast<unsigned>(instrument.volumeEnvelope.points.size()));
    out.U8(static_cast<unsigned>(instrument.panningEnvelope.points.size()));
    for (const XmEnvelope* envelope : {&instrument.volumeEnvelope, &instrument.panningEnvelope}) {
        out.U8(static_cast<unsigned>(std::max(envelope->sustainPoint, 0)));
        out.U8(static_cast<unsigned>(std::max(envelope->loopStart, 0)));
        out.U8(static_cast<unsigned>(std::max(envelope->loopEnd, 0)));
    }
    out.U8(EnvelopeFlags(instrument.volumeEnvelope));
    out.U8(EnvelopeFlags(instrument.panningEnvelope));
    out.U8(static_cast<unsigned>(instrument.vibratoType));
    out.U8(static_cast<unsigned>(instrument.vibratoSweep));
    out.U8(static_cast<unsigned>(instrument.vibratoDepth));
    out.U8(static_cast<unsigned>(instrument.vibratoRate));
    out.U16(static_cast<unsigned>(instrument.fadeout));
    out.Zeros(kInstrumentHeaderSize - (out.Size() - start));

    const std::uint32_t frameBytes = 2;
    out.U32(static_cast<std::uint32_t>(sample.frames.size()) * frameBytes);
    out.U32(sample.loop == XmLoop::None ? 0 : sample.loopStart * frameBytes);
    out.U32(sample.loop == XmLoop::None ? 0 : sample.loopLength * frameBytes);
    out.U8(static_cast<unsigned>(sample.volume));
    out.U8(static_cast<unsigned>(sample.finetune));
    out.U8(static_cast<unsigned>(sample.loop) | kSample16Bit);
    out.U8(static_cast<unsigned>(sample.panning));
    out.U8(static_cast<unsigned>(sample.relativeNote));
    out.U8(0); // reserved
    out.Text(sample.name, 22);

    // NOTE: samples are stored as differences from the frame before, wrapping in 16 bits.
    std::int16_t previous = 0;
    for (const std::int16_t frame : sample.frames) {
        out.U16(static_cast<std::uint16_t>(frame - previous));
        previous = frame;
    }
}

} // namespace

std::vector<unsigned char> WriteXm(const XmModule& module) {
    CheckRange("channels", module.numChannels, 1, kMaxChannels);
    CheckRange("speed", module.speed, 1, 31);
    CheckRange("bpm", module.bpm, 32, 255);
    CheckRange("orders", static_cast<long long>(module.orders.size()), 1, kMaxOrders);
    CheckRange("patterns", static_cast<long long>(module.patterns.size()), 1, kMaxPatterns);
    CheckRange("instruments", static_cast<long long>(module.instruments.size()), 0,
               kMaxInstruments);
    CheckRange("restart position", module.restartPosition, 0,
               static_cast<long long>(module.orders.size()) - 1);
    for (std::size_t i = 0; i < module.orders.size(); ++i) {
        CheckRange("order " + std::to_string(i), module.orders[i], 0,
                   static_cast<long long>(module.patterns.size()) - 1);
    }

    std::vector<unsigned char> bytes;
    ByteSink out(bytes);
    out.Text("Extended Module: ", 17);
    out.Text(module.name, 20);
    out.U8(0x1A);
    out.Text(module.trackerName, 20);
    out.U16(0x0104);
    out.U32(kSongHeaderSize);
    out.U16(static_cast<unsigned>(module.orders.size()));
    out.U16(static_cast<unsigned>(module.restartPosition));
    out.U16(static_cast<unsigned>(module.numChannels));
    out.U16(static_cast<unsigned>(module.patterns.size()));
    out.U16(static_cast<unsigned>(module.instruments.size()));
    out.U16(module.linearFrequencies ? 1 : 0);
    out.U16(static_cast<unsigned>(module.speed));
    out.U16(static_cast<unsigned>(module.bpm));
    for (const std::uint8_t order : module.orders) {
        out.U8(order);
    }
    out.Zeros(kMaxOrders - module.orders.size());

    for (std::size_t i = 0; i < module.patterns.size(); ++i) {
        WritePattern(out, module.patterns[i], module.numChannels, static_cast<int>(i));
    }
    for (std::size_t i = 0; i < module.instruments.size(); ++i) {
        WriteInstrument(out, module.instruments[i], static_cast<int>(i));
    }
    return bytes;
}

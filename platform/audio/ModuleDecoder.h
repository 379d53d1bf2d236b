// One module being decoded: owns an openmpt::module. Playback and offline
// rendering both decode through this class, so they sound the same.
//
// NOTE: libopenmpt logs to std::clog unless given a log of its own; a decoder
// keeps a silent one for as long as its module lives, since the module may log
// while rendering. Failures are reported once, by Load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

namespace openmpt {
class module;
}

class ModuleDecoder {
  public:
    // Null with *error saying why when the bytes are not a module, or one with
    // no sample data, which could only ever play silence. Memory running out
    // while it loads throws ShortOfMemory.
    static std::unique_ptr<ModuleDecoder> Load(const void* data, std::size_t size,
                                               std::string* error);
    ~ModuleDecoder();
    ModuleDecoder(const ModuleDecoder&) = delete;
    ModuleDecoder& operator=(const ModuleDecoder&) = delete;

    // Fills numFrames frames of interleaved stereo at sampleRate and moves on;
    // frames after the module's end are silence. Allocates nothing.
    void Render(int sampleRate, float* interleaved, std::size_t numFrames);

    // Moves to a row start near positionMs (libopenmpt picks the first at or
    // after it); returns where it landed, in ms.
    std::int64_t Seek(std::int64_t positionMs);

    // Moves to exactly frame numFrames from the start at sampleRate: to a row
    // start at or before it, then decodes and drops the frames up to it.
    void SeekToFrame(int sampleRate, std::int64_t numFrames);

    // The module's length in ms, played once from its start; -1 when the
    // decoder cannot tell.
    std::int64_t LengthMs() const;

  private:
    ModuleDecoder();

    std::ostream quietLog_;
    std::unique_ptr<openmpt::module> module_;
    std::unique_ptr<float[]> dropped_; // room for the frames a seek decodes and drops
};

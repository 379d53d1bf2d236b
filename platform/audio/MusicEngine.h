// What makes the sound behind the audio calls, on one open device. Natively
// the modules decode here (libopenmpt) and a mixer feeds an SDL, silent or
// stepped output; in a browser the module goes to the page's audio worklet.
// The calls check devices and handles before they ask: an engine is only
// asked about handles it was given. Show's thread only.
#pragma once

#include "platform/audio/PlaybackControl.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

class MusicEngine {
  public:
    virtual ~MusicEngine() = default;

    // Runs the output; calling it again changes nothing.
    virtual void Start() = 0;
    // The module's bytes stay valid until exit. False with *error when they do
    // not decode; the handle is then unknown to the engine.
    virtual bool Load(std::uint32_t handle, const unsigned char* bytes, std::size_t size,
                      std::string* error) = 0;
    virtual bool Play(std::uint32_t handle) = 0;
    // From the first row that starts at or after positionMs.
    virtual bool PlayFrom(std::uint32_t handle, std::int64_t positionMs) = 0;
    // Ms from the module's start of what the output has consumed.
    virtual std::int64_t PositionMs(std::uint32_t handle) = 0;
    // -1 when the length is not known.
    virtual std::int64_t LengthMs(std::uint32_t handle) const = 0;
    virtual void SetGain(float gain) = 0;

    // The transport on the music that plays (PlaybackControl.h).
    virtual bool HeardPositionMs(double* positionMs) = 0;
    virtual void SetPaused(bool paused) = 0;
    virtual bool SeekPlaying(std::int64_t positionMs) = 0;
    // Whether the listener hears it: a sound device, not a silent clock.
    virtual bool Audible() const = 0;
    // The stepped output's next frames; false when this engine is not stepped.
    virtual bool PullStepped(std::span<float> interleaved) = 0;
};

// The engine for the output chosen, at sampleRate frames a second. Null with
// *error where the platform has no sound device; the silent and stepped
// outputs always open.
std::unique_ptr<MusicEngine> OpenMusicEngine(OutputChoice choice, int sampleRate,
                                             std::string* error);

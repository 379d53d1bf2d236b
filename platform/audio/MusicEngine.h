// What makes the sound behind the audio calls, on the one open device: one
// set of functions, implemented once per platform (NativeMusicEngine.cpp:
// libopenmpt and the mixer feeding an SDL, silent or stepped output;
// WebMusicEngine.cpp: the page's audio worklet, or its silent clock). The
// calls check devices and handles before they ask: the engine is only asked
// about handles it was given, and only while it is open. Show's thread only.
#pragma once

#include "platform/audio/PlaybackControl.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace music_engine {

// Opens the output chosen at sampleRate frames a second. False with *error
// where the platform has no sound device; the silent and stepped outputs
// always open.
bool Open(OutputChoice choice, int sampleRate, std::string* error);
// Stops the output and forgets every music loaded.
void Close();

// Runs the output; calling it again changes nothing.
void Start();
// The module's bytes stay valid until exit. False with *error when they do
// not decode; the handle is then unknown to the engine.
bool Load(std::uint32_t handle, const unsigned char* bytes, std::size_t size, std::string* error);
bool Play(std::uint32_t handle);
// From the first row that starts at or after positionMs.
bool PlayFrom(std::uint32_t handle, std::int64_t positionMs);
// Ms from the module's start of what the output has consumed.
std::int64_t PositionMs(std::uint32_t handle);
// -1 when the length is not known.
std::int64_t LengthMs(std::uint32_t handle);
void SetGain(float gain);

// The transport on the music that plays (PlaybackControl.h).
bool HeardPositionMs(double* positionMs);
void SetPaused(bool paused);
bool SeekPlaying(std::int64_t positionMs);
// Whether the listener hears it: a sound device, not a silent clock.
bool Audible();
// The stepped output's next frames; false when the output is not stepped.
bool PullStepped(std::span<float> interleaved);

} // namespace music_engine

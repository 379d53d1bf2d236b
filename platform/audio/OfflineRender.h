// The soundtrack rendered ahead of time (capture): the same decoding as
// playback, with no device and no thread.
#pragma once

#include <cstddef>
#include <span>
#include <string>

constexpr int kOfflineSampleRate = 44100;

// Fills interleaved (stereo: two samples a frame) from the module's start at
// kOfflineSampleRate; frames after its end are silence. False, with *error
// saying why, when the bytes do not decode.
bool RenderModuleOffline(const void* data, std::size_t size, std::span<float> interleaved,
                         std::string* error);

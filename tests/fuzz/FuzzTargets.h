// What the fuzzers feed bytes to, one function per input the show reads. The
// libFuzzer programs and the regression test call the same functions, so a
// crash input kept under regressions/ replays exactly as it was found.
#pragma once

#include <cstddef>
#include <cstdint>

// The timeline script, against the show's roster of names.
void FuzzTimelineScript(const std::uint8_t* data, std::size_t size);

// The first line is an entry name; the rest is a .zip archive. The name is
// read from the archive and from a small data directory.
void FuzzDataSource(const std::uint8_t* data, std::size_t size);

// A picture as LoadTexture decodes it, with both alpha rules.
void FuzzPicture(const std::uint8_t* data, std::size_t size);

// A module loaded, played and rendered through the audio layer's silent device.
void FuzzModule(const std::uint8_t* data, std::size_t size);

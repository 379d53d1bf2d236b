// The host's hold on the music that plays, beside the calls the music player
// makes: where the listener is, pausing and exact seeking for the viewer's
// transport, the silent output for --no-sound and offscreen runs, and the
// loaded module for rendering it offline into a capture. Implemented beside those
// calls, over the same device (AudioLibrary.cpp). Show's thread only.
#pragma once

#include <cstdint>
#include <span>

// While set, opening the default output opens the silent device instead, so
// the music keeps time without a sound (--no-sound, --check, capture and
// screenshots). Takes effect at the next BASS_Init.
void UseSilentOutput(bool silent);

// Counts every music that began playing (BASS_MusicPlay, BASS_MusicPlayEx) in
// this process, so the host notices the show's music starting.
std::uint32_t PlaybackStarts();

// Ms from the playing music's start of what the listener hears now: the
// frames consumed less what the output still queues. False when none plays.
bool HeardPositionMs(double* positionMs);

// Holds the playing music where it stands (the output plays silence) or lets
// it go on. Applies to the open device until it is freed.
void PausePlayback(bool paused);

// Moves the playing music to exactly positionMs. False when none plays.
bool SeekPlayback(std::int64_t positionMs);

// Length in ms of the module loaded last on the open device; -1 when none.
std::int64_t LoadedMusicLengthMs();

// The bytes of the last module BASS_MusicLoad decoded, empty when none did.
// They point into the buffer LoadFile returned, which lives until exit.
std::span<const unsigned char> LastLoadedModule();

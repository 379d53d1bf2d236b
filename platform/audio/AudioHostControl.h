// The host's side of the audio layer: which device the default output means,
// and the module the music player loaded, for rendering it offline.
#pragma once

#include <span>

// From now on the default output (-1) opens the silent device: offscreen runs
// (capture, screenshots) must not sound. Takes effect at the next BASS_Init.
void UseSilentDeviceForDefault(bool silent);

// The bytes of the last module BASS_MusicLoad decoded, empty when none did.
// They point into the buffer LoadFile returned, which lives until exit.
std::span<const unsigned char> LastLoadedModule();

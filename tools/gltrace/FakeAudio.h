// An audio library that records what the music player asks of it, for unit
// tests and gltrace, the way the fake host stands in for the host.
//
// Every call is appended as text, "BASS_Init(-1, 44100, 0, window)", in the
// order made; pointers print as "null" or as the name given to
// NameFakeAudioPointer. Music handles count 1, 2, 3, ...; every other call
// succeeds unless the default device is made to fail.
#pragma once

#include "platform/audio/AudioLibrary.h"

#include <string>
#include <vector>

void ResetFakeAudio();
const std::vector<std::string>& FakeAudioCalls();
void SetFakeDefaultDeviceFails(bool fails);
void SetFakeMusicPositionMs(QWORD positionMs);
// How a pointer argument is shown from now on ("window", "Ar_8peos.xm bytes").
void NameFakeAudioPointer(const void* pointer, std::string name);

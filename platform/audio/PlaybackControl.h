// The host's hold on the music that plays, beside the calls the music player
// makes: which output the device opens, how many musics have started, where
// the listener is, pausing and exact seeking for the viewer's transport, and
// the stepped output a capture pulls its sound from. Implemented beside those
// calls, over the same device (AudioLibrary.cpp). Show's thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

enum class OutputChoice {
    Device,  // the default sound device (the silent one where there is none)
    Silent,  // the silent device: the music keeps time without a sound
    Stepped, // no thread: the music moves on only as PullSteppedOutput takes it
};

// What opening the default output opens from the next BASS_Init on.
void ChooseOutput(OutputChoice choice);

// Closes the open device and what was loaded on it, as BASS_Free does, for
// whoever takes down a show that left it open. Nothing when none is open.
void CloseOpenDevice();

// Fills interleaved stereo at the open device's rate with what the music
// that plays gives next, and moves it on by that much. Silence when no
// stepped device is open or nothing plays. Allocates nothing.
void PullSteppedOutput(std::span<float> interleaved);

// How many times a music has begun playing (BASS_MusicPlay, BASS_MusicPlayEx)
// in this process: whoever made a call can tell whether it started one.
std::uint64_t MusicsStarted();

// Ms from the playing music's start of what the listener hears now: the
// frames consumed less what the output still queues. False when none plays.
bool HeardPositionMs(double* positionMs);

// True while the open device is heard (a sound card, the page's worklet);
// false for the silent and stepped outputs, or when none is open.
bool OutputAudible();

// Holds the playing music where it stands (the output plays silence) or lets
// it go on. Applies to the open device until it is freed.
void PausePlayback(bool paused);

// Moves the playing music to exactly positionMs. False when none plays.
bool SeekPlayback(std::int64_t positionMs);

// Length in ms of the module loaded last on the open device: -1 when its
// length is unknown (it loaded and plays), none when no module is loaded.
std::optional<std::int64_t> LoadedMusicLengthMs();

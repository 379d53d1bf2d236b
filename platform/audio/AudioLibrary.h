// Our audio library: the calls the music player makes, over the open device's
// music engine (MusicEngine.h): libopenmpt and SDL2 audio natively, the page's
// audio worklet in a browser.
//
// Glossary
//   sample: one float value of one channel, in -1..1.
//   frame:  one sample per channel at one instant; output is stereo, so a
//           frame is two interleaved samples (left, right).
//   ms:     positions are whole milliseconds from the module's start, counted
//           from the frames the output has consumed.
//
// Devices: -1 is the default output; -2 is a silent device that consumes
// frames in real time with no output, so positions advance on machines without
// sound. One device is open at a time. Musics are loaded onto the open device
// and go with it at BASS_Free; handles are never reused within a process, so a
// stale handle is refused (false / 0), never confused with a newer music. One
// music plays at a time: playing a music stops the one playing before.
//
// Threads: every call here is made from the show's thread. Natively the
// output's thread (SDL's audio callback, or the silent device's own thread)
// touches only the loaded musics, which playing, and their frame counts, under
// the mixer's one lock (MusicMixer); it allocates nothing.
//
// Failures give one line on stderr ("audio: ...") and a false or 0 result;
// nothing here throws, but BASS_MusicLoad passes on ShortOfMemory when memory
// runs out loading the module (the run ends with its line).
#pragma once

#include "platform/win/WinApi.h"

#include <cstdint>

using BOOL = int;
using HMUSIC = DWORD; // 0 is no music
using QWORD = std::uint64_t;

// Opens a device at sampleRate frames per second. False when the device cannot
// be opened or one is already open. flags and window are accepted as passed and
// change nothing. The output starts paused: BASS_Start runs it.
BOOL BASS_Init(int device, DWORD sampleRate, DWORD flags, HWND window);

// Runs the open device's output. False when no device is open.
BOOL BASS_Start();

// Stops and closes the open device and releases every music loaded on it.
// False when no device is open.
BOOL BASS_Free();

// Output volume in percent, 0 to 100 (larger is 100); kept across devices.
BOOL BASS_SetVolume(DWORD volumePercent);

// Loads a module onto the open device, positioned at its start. From memory
// only: file is the module's first byte, offset bytes are skipped and length
// bytes are read; length 0 reads the rest of a buffer that LoadFile returned. A
// null file gives 0 quietly (whoever failed to load it has said so); a module
// that does not decode, or has no sample data to play, gives one line and 0. flags are accepted and
// change nothing: a module plays once, then silence.
HMUSIC BASS_MusicLoad(BOOL fromMemory, const void* file, DWORD offset, DWORD length, DWORD flags);

// Plays the music from where it stands (its start, after loading).
BOOL BASS_MusicPlay(HMUSIC music);

// Plays the music from positionMs, snapped to the first module row that starts
// at or after it. flags -1 keeps the load flags; reset is accepted as passed and
// changes nothing (a jump always silences the notes that were sounding).
BOOL BASS_MusicPlayEx(HMUSIC music, DWORD positionMs, int flags, BOOL reset);

// Milliseconds from the module's start of what the output has consumed; keeps
// counting through the silence after the module ends. 0 for no such music.
QWORD BASS_ChannelGetPosition(DWORD handle);

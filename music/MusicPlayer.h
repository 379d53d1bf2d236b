// The soundtrack's player: free functions over the audio library that own one
// music for the whole process. Used from the show's thread only.
//
// Closed -> MusicInit -> open -> MusicLoad -> loaded -> MusicPlay -> playing ->
// MusicFree -> closed. The player counts as open even when no device opened,
// so loading and playing still go to the audio library, whose failures are
// silent here.
#pragma once

#include "platform/audio/AudioLibrary.h"

// Opens the default output, or the silent device when that fails. The last
// open's result; when already open, the open flag.
BOOL MusicInit();
// Opens first if needed. The new handle replaces the stored one; the earlier
// music is not freed.
HMUSIC MusicLoad(const char* name);
// Each plays nothing and returns false while closed.
BOOL MusicPlay();
BOOL MusicPlayFrom(DWORD positionMs);
// 0 while closed.
QWORD MusicGetPosition();
// Releases the device and every music on it; the stored handle keeps its value.
BOOL MusicFree();
// Goes to the audio library whether open or not.
BOOL MusicSetVolume(DWORD volumePercent);

#include "music/MusicPlayer.h"

#include "host/DemoGL.h"

#include <cstdint>

namespace {

constexpr int kDefaultDevice = -1;
constexpr int kSilentDevice = -2;
constexpr DWORD kSampleRate = 44100;

struct PlayerState {
    std::uint8_t ready = 0;
    HMUSIC music = 0;
    DWORD deviceFlags = 0;
    DWORD loadFlags = 6;
};

PlayerState state;

} // namespace

BOOL MusicInit() {
    if (state.ready) {
        return state.ready;
    }
    BOOL opened = BASS_Init(kDefaultDevice, kSampleRate, state.deviceFlags, GetForegroundWindow());
    if (!opened) {
        // The silent device keeps the show running where there is no sound.
        opened = BASS_Init(kSilentDevice, kSampleRate, state.deviceFlags, GetForegroundWindow());
    }
    state.ready = 1;
    return opened;
}

HMUSIC MusicLoad(const char* name) {
    if (!state.ready) {
        MusicInit();
    }
    const void* bytes = LoadFile(name);
    state.music = BASS_MusicLoad(1, bytes, 0, 0, state.loadFlags);
    return state.music;
}

BOOL MusicPlay() {
    if (!state.ready) {
        return 0;
    }
    BASS_Start();
    return BASS_MusicPlay(state.music);
}

BOOL MusicPlayFrom(DWORD positionMs) {
    if (!state.ready) {
        return 0;
    }
    BASS_Start();
    return BASS_MusicPlayEx(state.music, positionMs, -1, 0);
}

QWORD MusicGetPosition() {
    if (!state.ready) {
        return 0;
    }
    return BASS_ChannelGetPosition(state.music);
}

BOOL MusicFree() {
    if (!state.ready) {
        return 0;
    }
    const BOOL freed = BASS_Free();
    state.ready = 0;
    return freed;
}

BOOL MusicSetVolume(DWORD volumePercent) {
    return BASS_SetVolume(volumePercent);
}

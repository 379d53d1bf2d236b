// TEMPORARY: the audio calls in the browser until the audio layer's web
// engine is merged (it replaces this file). The music is not decoded: each
// loaded music is a silent clock that runs in real time from its play call,
// so the show keeps its lifecycle (open, load, play, free) and its time.
#include "platform/web/audio/TemporarySilentAudio.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/audio/HostFileSizes.h"
#include "platform/audio/PlaybackControl.h"

#include <emscripten/emscripten.h>

#include <utility>

namespace {

struct SilentClock {
    bool open = false;
    bool stepped = false;
    OutputChoice choice = OutputChoice::Device;
    HMUSIC lastMusic = 0;
    HMUSIC loaded = 0;
    HMUSIC playing = 0;
    double startedAtMs = 0.0; // performance time of position 0
    double pausedAtMs = -1.0; // position held while paused; < 0: running
    PlaybackListener* listener = nullptr;
};

SilentClock& Clock() {
    static SilentClock clock;
    return clock;
}

double NowMs() {
    return emscripten_get_now();
}

double PositionMs() {
    const SilentClock& c = Clock();
    if (c.stepped) {
        return 0.0;
    }
    return c.pausedAtMs >= 0.0 ? c.pausedAtMs : NowMs() - c.startedAtMs;
}

BOOL Play(HMUSIC music, double fromMs) {
    SilentClock& c = Clock();
    if (!c.open || music == 0 || music != c.loaded) {
        return 0;
    }
    c.playing = music;
    c.startedAtMs = NowMs() - fromMs;
    c.pausedAtMs = -1.0;
    if (c.listener != nullptr) {
        c.listener->MusicStarted();
    }
    return 1;
}

} // namespace

bool OutputAudible() {
    return false;
}

BOOL BASS_Init(int, DWORD, DWORD, HWND) {
    SilentClock& c = Clock();
    if (c.open) {
        return 0;
    }
    c.open = true;
    c.stepped = c.choice == OutputChoice::Stepped;
    return 1;
}

BOOL BASS_Start() {
    return Clock().open ? 1 : 0;
}

BOOL BASS_Free() {
    SilentClock& c = Clock();
    if (!c.open) {
        return 0;
    }
    c.open = false;
    c.loaded = c.playing = 0;
    if (c.listener != nullptr) {
        c.listener->MusicStopped();
    }
    return 1;
}

BOOL BASS_SetVolume(DWORD) {
    return 1;
}

HMUSIC BASS_MusicLoad(BOOL fromMemory, const void* file, DWORD, DWORD, DWORD) {
    SilentClock& c = Clock();
    if (!fromMemory || file == nullptr || !c.open) {
        return 0;
    }
    c.loaded = ++c.lastMusic;
    return c.loaded;
}

BOOL BASS_MusicPlay(HMUSIC music) {
    return Play(music, 0.0);
}

BOOL BASS_MusicPlayEx(HMUSIC music, DWORD positionMs, int, BOOL) {
    return Play(music, positionMs);
}

QWORD BASS_ChannelGetPosition(DWORD handle) {
    const SilentClock& c = Clock();
    return c.open && handle != 0 && handle == c.playing ? static_cast<QWORD>(PositionMs()) : 0;
}

void ChooseOutput(OutputChoice choice) {
    Clock().choice = choice;
}

void PullSteppedOutput(std::span<float> interleaved) {
    std::fill(interleaved.begin(), interleaved.end(), 0.0f);
}

PlaybackListener* ListenToPlayback(PlaybackListener* listener) {
    return std::exchange(Clock().listener, listener);
}

void SetFileSizeLookup(FileSizeLookup) {}

bool HeardPositionMs(double* positionMs) {
    const SilentClock& c = Clock();
    if (!c.open || c.playing == 0) {
        return false;
    }
    *positionMs = PositionMs();
    return true;
}

void PausePlayback(bool paused) {
    SilentClock& c = Clock();
    if (paused && c.pausedAtMs < 0.0) {
        c.pausedAtMs = PositionMs();
    } else if (!paused && c.pausedAtMs >= 0.0) {
        c.startedAtMs = NowMs() - c.pausedAtMs;
        c.pausedAtMs = -1.0;
    }
}

bool SeekPlayback(std::int64_t positionMs) {
    SilentClock& c = Clock();
    if (!c.open || c.playing == 0) {
        return false;
    }
    if (c.pausedAtMs >= 0.0) {
        c.pausedAtMs = static_cast<double>(positionMs);
    } else {
        c.startedAtMs = NowMs() - static_cast<double>(positionMs);
    }
    return true;
}

std::int64_t LoadedMusicLengthMs() {
    return -1;
}

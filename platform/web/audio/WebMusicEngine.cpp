// The browser's engine. The module goes to libopenmpt in the page's audio
// worklet (WorkletAudio.js), which plays it and reports its position; what
// the listener hears is worked out there alone (the report less the output's
// latency, moved on with the clock between reports). Where the page gives no
// sound (no AudioContext, a worklet that did not load or failed, a context
// that is not running a second after the start) the silent clock takes over
// from where the music stood, with one line. The silent and stepped outputs
// are that clock from the start.
#include "platform/audio/MusicEngine.h"
#include "platform/common/Log.h"
#include "platform/web/audio/MusicClock.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <vector>

// The page's side, in WorkletAudio.js; each returns at once.
// clang-format off
EM_JS(int, quorvel_audio_open, (), {
    const audio = globalThis.quorvelAudio;
    return audio && audio.open() ? 1 : 0;
});
// Why there is no sound, into text (size bytes with its end); false while
// there is sound.
EM_JS(int, quorvel_audio_failure, (char* text, int size), {
    const audio = globalThis.quorvelAudio;
    const why = audio ? audio.failure : "the page has no sound";
    if (!why) {
        return 0;
    }
    stringToUTF8(why, text, size);
    return 1;
});
EM_JS(void, quorvel_audio_load, (int handle, const unsigned char* bytes, int size),
      { globalThis.quorvelAudio.load(handle, HEAPU8.slice(bytes, bytes + size).buffer); });
EM_JS(void, quorvel_audio_play, (int handle, double fromSeconds),
      { globalThis.quorvelAudio.play(handle, fromSeconds); });
EM_JS(void, quorvel_audio_seek, (double seconds), { globalThis.quorvelAudio.seek(seconds); });
EM_JS(void, quorvel_audio_pause, (int paused), { globalThis.quorvelAudio.pause(paused != 0); });
EM_JS(void, quorvel_audio_gain, (double gain), { globalThis.quorvelAudio.gain(gain); });
EM_JS(void, quorvel_audio_stop, (), { globalThis.quorvelAudio.stop(); });
// The heard position in ms; false before the worklet's first report after a
// play or a seek.
EM_JS(int, quorvel_audio_heard, (double* positionMs), {
    const heardMs = globalThis.quorvelAudio.heardMs();
    if (heardMs == null) {
        return 0;
    }
    HEAPF64[positionMs >> 3] = heardMs;
    return 1;
});
// clang-format on

namespace {

struct WebEngine {
    bool open = false;
    bool worklet = false; // the worklet sounds; else the silent clock keeps time
    bool paused = false;
    std::uint32_t playing = 0;
    std::vector<std::uint32_t> loaded;
    // From where the music was put or last heard: the music's time until the
    // worklet reports after a play or a seek, and once it has failed.
    MusicClock silentClock;
};

WebEngine& Engine() {
    static WebEngine engine;
    return engine;
}

double NowMs() {
    return emscripten_get_now();
}

// False once the page has said why there is no sound, with that line.
bool StillSounding() {
    std::array<char, 256> why;
    if (quorvel_audio_failure(why.data(), static_cast<int>(why.size())) == 0) {
        return true;
    }
    LogLine(std::string("audio: ") + why.data() + "; the show plays on without sound");
    return false;
}

// The music is put at positionMs, by a play or a seek.
void Place(double positionMs) {
    Engine().silentClock.Restart(positionMs, NowMs());
}

} // namespace

namespace music_engine {

bool Open(OutputChoice choice, int, std::string* error) {
    WebEngine& engine = Engine();
    engine = WebEngine{};
    if (choice == OutputChoice::Device) {
        if (quorvel_audio_open() == 0) {
            std::array<char, 256> why;
            quorvel_audio_failure(why.data(), static_cast<int>(why.size()));
            *error = why.data();
            return false;
        }
        engine.worklet = true;
    }
    engine.open = true;
    return true;
}

void Close() {
    if (Engine().worklet) {
        quorvel_audio_stop();
    }
    Engine() = WebEngine{};
}

void Start() {}

// The worklet decodes; a module it cannot play fails there, and the silent
// clock keeps the time.
bool Load(std::uint32_t handle, const unsigned char* bytes, std::size_t size, std::string*) {
    Engine().loaded.push_back(handle);
    if (Engine().worklet) {
        quorvel_audio_load(static_cast<int>(handle), bytes, static_cast<int>(size));
    }
    return true;
}

bool PlayFrom(std::uint32_t handle, std::int64_t positionMs) {
    WebEngine& engine = Engine();
    if (std::find(engine.loaded.begin(), engine.loaded.end(), handle) == engine.loaded.end()) {
        return false;
    }
    engine.playing = handle;
    Place(static_cast<double>(positionMs));
    if (engine.worklet) {
        quorvel_audio_play(static_cast<int>(handle), static_cast<double>(positionMs) / 1000.0);
    }
    return true;
}

bool Play(std::uint32_t handle) {
    return PlayFrom(handle, handle == Engine().playing ? PositionMs(handle) : 0);
}

std::int64_t PositionMs(std::uint32_t handle) {
    double positionMs = 0.0;
    if (handle != Engine().playing || !HeardPositionMs(&positionMs)) {
        return 0;
    }
    return static_cast<std::int64_t>(positionMs);
}

std::int64_t LengthMs(std::uint32_t) {
    return -1;
}

void SetGain(float gain) {
    if (Engine().worklet) {
        quorvel_audio_gain(gain);
    }
}

bool HeardPositionMs(double* positionMs) {
    WebEngine& engine = Engine();
    if (engine.playing == 0) {
        return false;
    }
    if (engine.worklet && !StillSounding()) {
        // The silent clock goes on from what was heard last.
        quorvel_audio_stop();
        engine.worklet = false;
    }
    // Until the worklet reports after a play or a seek the music is taken to
    // play from where it was put, so the picture neither waits nor runs
    // ahead of a worklet that is slow to start.
    if (engine.worklet && quorvel_audio_heard(positionMs) != 0) {
        engine.silentClock.Restart(*positionMs, NowMs());
    } else {
        *positionMs = engine.silentClock.PositionMs(NowMs());
    }
    return true;
}

void SetPaused(bool paused) {
    WebEngine& engine = Engine();
    if (paused == engine.paused) {
        return;
    }
    engine.paused = paused;
    engine.silentClock.SetPaused(paused, NowMs());
    if (engine.worklet) {
        quorvel_audio_pause(paused ? 1 : 0);
    }
}

bool SeekPlaying(std::int64_t positionMs) {
    WebEngine& engine = Engine();
    if (engine.playing == 0) {
        return false;
    }
    Place(static_cast<double>(positionMs));
    if (engine.worklet) {
        quorvel_audio_seek(static_cast<double>(positionMs) / 1000.0);
    }
    return true;
}

bool Audible() {
    return Engine().worklet;
}

bool PullStepped(std::span<float>) {
    return false;
}

} // namespace music_engine

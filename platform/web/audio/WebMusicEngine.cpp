// The browser's engine. The module goes to libopenmpt in the page's audio
// worklet (WorkletAudio.js), which plays it and reports its position; what
// the listener hears is that position less the context's output latency,
// moved on with the clock between reports. Where the page gives no sound (no
// AudioContext, a context that is not running a second after the click, a
// worklet error) the silent clock takes over from where the music stood, with
// one line. The silent and stepped outputs are that clock from the start.
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

class WebMusicEngine : public MusicEngine {
  public:
    explicit WebMusicEngine(bool worklet) : worklet_(worklet) {}
    ~WebMusicEngine() override {
        if (worklet_) {
            quorvel_audio_stop();
        }
    }
    WebMusicEngine(const WebMusicEngine&) = delete;
    WebMusicEngine& operator=(const WebMusicEngine&) = delete;

    void Start() override {}

    // The worklet decodes; a module it cannot play fails there, and the
    // silent clock keeps the time.
    bool Load(std::uint32_t handle, const unsigned char* bytes, std::size_t size,
              std::string*) override {
        loaded_.push_back(handle);
        if (worklet_) {
            quorvel_audio_load(static_cast<int>(handle), bytes, static_cast<int>(size));
        }
        return true;
    }

    bool Play(std::uint32_t handle) override {
        return PlayFrom(handle, handle == playing_ ? PositionMs(handle) : 0);
    }

    bool PlayFrom(std::uint32_t handle, std::int64_t positionMs) override {
        if (std::find(loaded_.begin(), loaded_.end(), handle) == loaded_.end()) {
            return false;
        }
        playing_ = handle;
        Restart(static_cast<double>(positionMs));
        if (worklet_) {
            quorvel_audio_play(static_cast<int>(handle), static_cast<double>(positionMs) / 1000.0);
        }
        return true;
    }

    std::int64_t PositionMs(std::uint32_t handle) override {
        double positionMs = 0.0;
        if (handle != playing_ || !HeardPositionMs(&positionMs)) {
            return 0;
        }
        return static_cast<std::int64_t>(positionMs);
    }

    std::int64_t LengthMs(std::uint32_t) const override { return -1; }

    void SetGain(float gain) override {
        if (worklet_) {
            quorvel_audio_gain(gain);
        }
    }

    bool HeardPositionMs(double* positionMs) override {
        if (playing_ == 0) {
            return false;
        }
        const double nowMs = NowMs();
        if (worklet_) {
            FollowWorklet(nowMs);
        }
        *positionMs = clock_.PositionMs(nowMs);
        return true;
    }

    void SetPaused(bool paused) override {
        if (paused == paused_) {
            return;
        }
        paused_ = paused;
        clock_.SetPaused(paused, NowMs());
        if (worklet_) {
            quorvel_audio_pause(paused ? 1 : 0);
        }
    }

    bool SeekPlaying(std::int64_t positionMs) override {
        if (playing_ == 0) {
            return false;
        }
        Restart(static_cast<double>(positionMs));
        if (worklet_) {
            quorvel_audio_seek(static_cast<double>(positionMs) / 1000.0);
        }
        return true;
    }

    bool Audible() const override { return worklet_; }
    bool PullStepped(std::span<float>) override { return false; }

  private:
    static double NowMs() { return emscripten_get_now(); }

    // False once the page has said why there is no sound, with that line.
    static bool StillSounding() {
        std::array<char, 256> why;
        if (quorvel_audio_failure(why.data(), static_cast<int>(why.size())) == 0) {
            return true;
        }
        LogLine(std::string("audio: ") + why.data() + "; the silent clock keeps the time");
        return false;
    }

    // The worklet has yet to sound from here: the clock waits for it.
    void Restart(double positionMs) {
        clock_.Restart(positionMs, NowMs());
        clock_.SetPaused(paused_ || worklet_, NowMs());
    }

    // The clock follows what the worklet reports, ready to take over from
    // there if the sound goes.
    void FollowWorklet(double nowMs) {
        if (!StillSounding()) {
            quorvel_audio_stop();
            worklet_ = false;
            clock_.SetPaused(paused_, nowMs);
            return;
        }
        double heardMs = 0.0;
        if (quorvel_audio_heard(&heardMs) != 0) {
            clock_.Restart(heardMs, nowMs);
            clock_.SetPaused(paused_, nowMs);
        }
    }

    bool worklet_;
    bool paused_ = false;
    std::uint32_t playing_ = 0;
    std::vector<std::uint32_t> loaded_;
    MusicClock clock_;
};

} // namespace

std::unique_ptr<MusicEngine> OpenMusicEngine(OutputChoice choice, int, std::string* error) {
    if (choice != OutputChoice::Device) {
        return std::make_unique<WebMusicEngine>(false);
    }
    if (quorvel_audio_open() == 0) {
        std::array<char, 256> why;
        quorvel_audio_failure(why.data(), static_cast<int>(why.size()));
        *error = why.data();
        return nullptr;
    }
    return std::make_unique<WebMusicEngine>(true);
}

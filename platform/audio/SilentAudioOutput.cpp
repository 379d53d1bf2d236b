// The silent device: a thread of its own that wakes every few milliseconds and
// hands the mixer as many frames as real time has passed since Start, then
// drops them. A late wake-up catches up, so positions never drift from the
// clock.
#include "platform/audio/AudioOutput.h"
#include "platform/audio/MusicMixer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kWakePeriod = std::chrono::milliseconds(5);
constexpr std::size_t kChunkFrames = 1024;

class SilentAudioOutput : public AudioOutput {
  public:
    SilentAudioOutput(MusicMixer& mixer, int sampleRate)
        : mixer_(mixer), sampleRate_(sampleRate), thread_([this] { Run(); }) {}

    SilentAudioOutput(const SilentAudioOutput&) = delete;
    SilentAudioOutput& operator=(const SilentAudioOutput&) = delete;

    ~SilentAudioOutput() override {
        {
            const std::lock_guard<std::mutex> hold(lock_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    // Frames are dropped as soon as they are due: nothing waits to be heard.
    std::int64_t LatencyFrames() const override { return 0; }

    void Start() override {
        const std::lock_guard<std::mutex> hold(lock_);
        if (!startedAt_) {
            startedAt_ = Clock::now();
        }
    }

  private:
    // The device's thread.
    void Run() {
        std::int64_t consumedFrames = 0;
        std::unique_lock<std::mutex> hold(lock_);
        while (!wake_.wait_for(hold, kWakePeriod, [this] { return stopping_; })) {
            if (!startedAt_) {
                continue;
            }
            const auto elapsed = Clock::now() - *startedAt_;
            const std::int64_t dueFrames =
                std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() *
                sampleRate_ / 1'000'000;
            hold.unlock();
            while (consumedFrames < dueFrames) {
                const auto numFrames = static_cast<std::size_t>(
                    std::min<std::int64_t>(dueFrames - consumedFrames, kChunkFrames));
                mixer_.Fill(scratch_.data(), numFrames);
                consumedFrames += static_cast<std::int64_t>(numFrames);
            }
            hold.lock();
        }
    }

    MusicMixer& mixer_;
    const int sampleRate_;
    std::array<float, 2 * kChunkFrames> scratch_{};
    std::mutex lock_; // guards startedAt_ and stopping_
    std::condition_variable wake_;
    std::optional<Clock::time_point> startedAt_;
    bool stopping_ = false;
    std::thread thread_; // last: starts once everything above exists
};

} // namespace

std::unique_ptr<AudioOutput> OpenSilentOutput(MusicMixer& mixer, int sampleRate) {
    return std::make_unique<SilentAudioOutput>(mixer, sampleRate);
}

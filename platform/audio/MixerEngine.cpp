// The native engine: modules decode here and one mixer feeds the output
// chosen, an SDL device, the silent device's thread or the stepped output a
// capture pulls.
#include "platform/audio/AudioOutput.h"
#include "platform/audio/ModuleDecoder.h"
#include "platform/audio/MusicEngine.h"
#include "platform/audio/MusicMixer.h"

namespace {

class MixerEngine : public MusicEngine {
  public:
    MixerEngine(int sampleRate, OutputChoice choice) : mixer_(sampleRate), choice_(choice) {}

    // Once, before any other call. False with *error when there is no device.
    bool OpenOutput(int sampleRate, std::string* error) {
        switch (choice_) {
        case OutputChoice::Device:
            output_ = OpenSdlOutput(mixer_, sampleRate, error);
            break;
        case OutputChoice::Silent:
            output_ = OpenSilentOutput(mixer_, sampleRate);
            break;
        case OutputChoice::Stepped:
            output_ = OpenSteppedOutput();
            break;
        }
        return output_ != nullptr;
    }

    void Start() override { output_->Start(); }

    bool Load(std::uint32_t handle, const unsigned char* bytes, std::size_t size,
              std::string* error) override {
        auto decoder = ModuleDecoder::Load(bytes, size, error);
        if (!decoder) {
            return false;
        }
        mixer_.Add(handle, std::move(decoder));
        return true;
    }

    bool Play(std::uint32_t handle) override { return mixer_.Play(handle); }
    bool PlayFrom(std::uint32_t handle, std::int64_t positionMs) override {
        return mixer_.PlayFrom(handle, positionMs);
    }
    std::int64_t PositionMs(std::uint32_t handle) override { return mixer_.PositionMs(handle); }
    std::int64_t LengthMs(std::uint32_t handle) const override { return mixer_.LengthMs(handle); }
    void SetGain(float gain) override { mixer_.SetGain(gain); }

    bool HeardPositionMs(double* positionMs) override {
        return mixer_.HeardPositionMs(output_->LatencyFrames(), positionMs);
    }
    void SetPaused(bool paused) override { mixer_.SetPaused(paused); }
    bool SeekPlaying(std::int64_t positionMs) override { return mixer_.SeekPlaying(positionMs); }

    bool Audible() const override { return choice_ == OutputChoice::Device; }

    bool PullStepped(std::span<float> interleaved) override {
        if (choice_ != OutputChoice::Stepped) {
            return false;
        }
        mixer_.Fill(interleaved.data(), interleaved.size() / 2);
        return true;
    }

  private:
    MusicMixer mixer_;
    // After the mixer: an output's thread reads the mixer until it is gone.
    std::unique_ptr<AudioOutput> output_;
    const OutputChoice choice_;
};

} // namespace

std::unique_ptr<MusicEngine> OpenMusicEngine(OutputChoice choice, int sampleRate,
                                             std::string* error) {
    auto engine = std::make_unique<MixerEngine>(sampleRate, choice);
    if (!engine->OpenOutput(sampleRate, error)) {
        return nullptr;
    }
    return engine;
}

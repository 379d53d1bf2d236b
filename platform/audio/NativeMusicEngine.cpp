// The native engine: modules decode here (libopenmpt) and one mixer feeds the
// output chosen, an SDL device, the silent device's thread or the stepped
// output a capture pulls.
#include "platform/audio/AudioOutput.h"
#include "platform/audio/ModuleDecoder.h"
#include "platform/audio/MusicEngine.h"
#include "platform/audio/MusicMixer.h"

#include <memory>
#include <optional>

namespace {

struct OpenEngine {
    OpenEngine(OutputChoice choice, int sampleRate) : mixer(sampleRate), choice(choice) {}

    MusicMixer mixer;
    // After the mixer: an output's thread reads the mixer until it is gone.
    std::unique_ptr<AudioOutput> output;
    const OutputChoice choice;
};

std::optional<OpenEngine>& Engine() {
    static std::optional<OpenEngine> engine;
    return engine;
}

MusicMixer& Mixer() {
    return Engine()->mixer;
}

} // namespace

namespace music_engine {

bool Open(OutputChoice choice, int sampleRate, std::string* error) {
    OpenEngine& engine = Engine().emplace(choice, sampleRate);
    switch (choice) {
    case OutputChoice::Device:
        engine.output = OpenSdlOutput(engine.mixer, sampleRate, error);
        break;
    case OutputChoice::Silent:
        engine.output = OpenSilentOutput(engine.mixer, sampleRate);
        break;
    case OutputChoice::Stepped:
        engine.output = OpenSteppedOutput();
        break;
    }
    if (!engine.output) {
        Engine().reset();
        return false;
    }
    return true;
}

void Close() {
    Engine().reset();
}

void Start() {
    Engine()->output->Start();
}

bool Load(std::uint32_t handle, const unsigned char* bytes, std::size_t size, std::string* error) {
    auto decoder = ModuleDecoder::Load(bytes, size, error);
    if (!decoder) {
        return false;
    }
    Mixer().Add(handle, std::move(decoder));
    return true;
}

bool Play(std::uint32_t handle) {
    return Mixer().Play(handle);
}

bool PlayFrom(std::uint32_t handle, std::int64_t positionMs) {
    return Mixer().PlayFrom(handle, positionMs);
}

std::int64_t PositionMs(std::uint32_t handle) {
    return Mixer().PositionMs(handle);
}

std::int64_t LengthMs(std::uint32_t handle) {
    return Mixer().LengthMs(handle);
}

void SetGain(float gain) {
    Mixer().SetGain(gain);
}

bool HeardPositionMs(double* positionMs) {
    return Mixer().HeardPositionMs(Engine()->output->LatencyFrames(), positionMs);
}

void SetPaused(bool paused) {
    Mixer().SetPaused(paused);
}

bool SeekPlaying(std::int64_t positionMs) {
    return Mixer().SeekPlaying(positionMs);
}

bool Audible() {
    return Engine()->choice == OutputChoice::Device;
}

bool PullStepped(std::span<float> interleaved) {
    if (Engine()->choice != OutputChoice::Stepped) {
        return false;
    }
    Mixer().Fill(interleaved.data(), interleaved.size() / 2);
    return true;
}

} // namespace music_engine

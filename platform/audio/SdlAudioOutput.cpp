// The default sound device through SDL2 audio, stereo float at the asked rate
// (SDL converts when the device wants another format).
//
// NOTE: SDL counts holds on its audio subsystem; each output takes one and
// gives it back, so SDL's audio threads and driver state are gone once the
// device is freed. SDL's "dummy" driver opens but plays nothing: that is said
// in one line. ALSA's own diagnostics are silenced: on a machine without a
// sound card it prints a screenful that would bury our one line.
#include "platform/audio/AudioOutput.h"
#include "platform/audio/MusicMixer.h"
#include "platform/common/Log.h"

#include <SDL.h>
#include <alsa/asoundlib.h>

#include <cstring>

namespace {

constexpr Uint16 kCallbackFrames = 1024;

void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

class SdlAudioSubsystem {
  public:
    SdlAudioSubsystem() = default;
    SdlAudioSubsystem(const SdlAudioSubsystem&) = delete;
    SdlAudioSubsystem& operator=(const SdlAudioSubsystem&) = delete;
    ~SdlAudioSubsystem() {
        if (started_) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }

    bool Start() {
        snd_lib_error_set_handler(&QuietAlsa);
        started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        return started_;
    }

  private:
    bool started_ = false;
};

class SdlAudioDevice {
  public:
    SdlAudioDevice() = default;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;
    // Returns once the callback has run for the last time.
    ~SdlAudioDevice() {
        if (id_ != 0) {
            SDL_CloseAudioDevice(id_);
        }
    }

    bool Open(const SDL_AudioSpec& wanted) {
        id_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained_, 0);
        return id_ != 0;
    }
    SDL_AudioDeviceID Id() const { return id_; }
    // Frames per callback: the device plays one buffer while we fill the next.
    int BufferFrames() const { return obtained_.samples; }

  private:
    SDL_AudioDeviceID id_ = 0;
    SDL_AudioSpec obtained_{};
};

class SdlAudioOutput : public AudioOutput {
  public:
    explicit SdlAudioOutput(MusicMixer& mixer) : mixer_(mixer) {}

    bool Open(int sampleRate, std::string* error) {
        if (!subsystem_.Start()) {
            *error = SDL_GetError();
            return false;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = sampleRate;
        wanted.format = AUDIO_F32SYS;
        wanted.channels = 2;
        wanted.samples = kCallbackFrames;
        wanted.callback = &SdlAudioOutput::Callback;
        wanted.userdata = &mixer_;
        if (!device_.Open(wanted)) {
            *error = SDL_GetError();
            return false;
        }
        const char* driver = SDL_GetCurrentAudioDriver();
        if (driver != nullptr && std::strcmp(driver, "dummy") == 0) {
            LogLine("audio: SDL audio driver 'dummy' has no output; the show plays silently");
        }
        return true;
    }

    void Start() override { SDL_PauseAudioDevice(device_.Id(), 0); }
    std::int64_t LatencyFrames() const override { return device_.BufferFrames(); }

  private:
    // SDL's audio thread.
    static void Callback(void* userdata, Uint8* stream, int length) {
        auto* mixer = static_cast<MusicMixer*>(userdata);
        const auto numFrames = static_cast<std::size_t>(length) / (2 * sizeof(float));
        mixer->Fill(reinterpret_cast<float*>(stream), numFrames);
    }

    MusicMixer& mixer_;
    // The device closes before the subsystem goes.
    SdlAudioSubsystem subsystem_;
    SdlAudioDevice device_;
};

} // namespace

std::unique_ptr<AudioOutput> OpenSdlOutput(MusicMixer& mixer, int sampleRate, std::string* error) {
    auto output = std::make_unique<SdlAudioOutput>(mixer);
    if (!output->Open(sampleRate, error)) {
        return nullptr;
    }
    return output;
}

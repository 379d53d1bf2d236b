// The audio calls over one process-wide device. Only the show's thread calls
// these; the output's thread reaches the musics through the mixer alone.
#include "platform/audio/AudioLibrary.h"

#include "platform/audio/AudioOutput.h"
#include "platform/audio/HostFileSizes.h"
#include "platform/audio/ModuleDecoder.h"
#include "platform/audio/MusicMixer.h"
#include "platform/audio/PlaybackControl.h"
#include "platform/common/Log.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr int kDefaultDevice = -1;
constexpr int kSilentDevice = -2;

struct AudioState {
    DWORD volumePercent = 100;
    HMUSIC lastMusic = 0;      // handles count up for the whole process
    HMUSIC lastLoadedHere = 0; // on the open device; 0 when none
    OutputChoice outputChoice = OutputChoice::Device;
    bool stepped = false; // the open device is pulled by PullSteppedOutput
    FileSizeLookup fileSizes = nullptr;
    PlaybackListener* listener = nullptr;
    std::unique_ptr<MusicMixer> mixer;
    std::unique_ptr<AudioOutput> output; // after the mixer: it goes first
};

AudioState& State() {
    static AudioState state;
    return state;
}

bool DeviceOpen() {
    return State().output != nullptr;
}

void TellMusicStarted() {
    if (State().listener != nullptr) {
        State().listener->MusicStarted();
    }
}

} // namespace

BOOL BASS_Init(int device, DWORD sampleRate, DWORD, HWND) {
    AudioState& state = State();
    if (DeviceOpen()) {
        LogLine("audio: a device is already open");
        return 0;
    }
    if (device != kDefaultDevice && device != kSilentDevice) {
        LogLine("audio: no device " + std::to_string(device) +
                "; -1 is the default output, "
                "-2 the silent device");
        return 0;
    }
    if (sampleRate == 0 || sampleRate > 384000) {
        LogLine("audio: cannot play at " + std::to_string(sampleRate) + " frames a second");
        return 0;
    }
    const int rate = static_cast<int>(sampleRate);
    auto mixer = std::make_unique<MusicMixer>(rate);
    mixer->SetGain(static_cast<float>(state.volumePercent) / 100.0f);
    std::unique_ptr<AudioOutput> output;
    const OutputChoice choice =
        device == kDefaultDevice ? state.outputChoice : OutputChoice::Silent;
    if (choice == OutputChoice::Device) {
        std::string error;
        output = OpenSdlOutput(*mixer, rate, &error);
        if (!output) {
            LogLine("audio: no audio device found: " + error);
            return 0;
        }
    } else if (choice == OutputChoice::Stepped) {
        output = OpenSteppedOutput();
    } else {
        output = OpenSilentOutput(*mixer, rate);
    }
    state.stepped = choice == OutputChoice::Stepped;
    state.mixer = std::move(mixer);
    state.output = std::move(output);
    return 1;
}

BOOL BASS_Start() {
    if (!DeviceOpen()) {
        return 0;
    }
    State().output->Start();
    return 1;
}

BOOL BASS_Free() {
    AudioState& state = State();
    if (!DeviceOpen()) {
        return 0;
    }
    state.output.reset();
    state.mixer.reset();
    state.lastLoadedHere = 0;
    state.stepped = false;
    if (state.listener != nullptr) {
        state.listener->MusicStopped();
    }
    return 1;
}

BOOL BASS_SetVolume(DWORD volumePercent) {
    AudioState& state = State();
    state.volumePercent = std::min<DWORD>(volumePercent, 100);
    if (state.mixer) {
        state.mixer->SetGain(static_cast<float>(state.volumePercent) / 100.0f);
    }
    return 1;
}

HMUSIC BASS_MusicLoad(BOOL fromMemory, const void* file, DWORD offset, DWORD length, DWORD) {
    AudioState& state = State();
    if (!fromMemory) {
        LogLine("audio: modules load from memory only");
        return 0;
    }
    if (file == nullptr) {
        return 0;
    }
    if (!DeviceOpen()) {
        LogLine("audio: a module was loaded before any device was opened");
        return 0;
    }
    std::size_t size = length;
    if (length == 0) {
        const std::size_t whole = state.fileSizes != nullptr ? state.fileSizes(file) : 0;
        if (whole == 0) {
            LogLine("audio: the module is empty (length 0 and no file the host loaded)");
            return 0;
        }
        if (offset > whole) {
            LogLine("audio: module offset " + std::to_string(offset) + " is past its end (" +
                    std::to_string(whole) + " bytes)");
            return 0;
        }
        size = whole - offset;
    }
    std::string error;
    auto decoder =
        ModuleDecoder::Load(static_cast<const unsigned char*>(file) + offset, size, &error);
    if (!decoder) {
        LogLine("audio: the module does not decode (" + error + "); the music stays silent");
        return 0;
    }
    const HMUSIC music = ++state.lastMusic;
    state.mixer->Add(music, std::move(decoder));
    state.lastLoadedHere = music;
    return music;
}

BOOL BASS_MusicPlay(HMUSIC music) {
    if (!DeviceOpen() || !State().mixer->Play(music)) {
        return 0;
    }
    TellMusicStarted();
    return 1;
}

BOOL BASS_MusicPlayEx(HMUSIC music, DWORD positionMs, int, BOOL) {
    if (!DeviceOpen() || !State().mixer->PlayFrom(music, positionMs)) {
        return 0;
    }
    TellMusicStarted();
    return 1;
}

QWORD BASS_ChannelGetPosition(DWORD handle) {
    if (!DeviceOpen()) {
        return 0;
    }
    return static_cast<QWORD>(std::max<std::int64_t>(State().mixer->PositionMs(handle), 0));
}

void ChooseOutput(OutputChoice choice) {
    State().outputChoice = choice;
}

void PullSteppedOutput(std::span<float> interleaved) {
    AudioState& state = State();
    if (state.stepped) {
        state.mixer->Fill(interleaved.data(), interleaved.size() / 2);
    } else {
        std::fill(interleaved.begin(), interleaved.end(), 0.0f);
    }
}

PlaybackListener* ListenToPlayback(PlaybackListener* listener) {
    return std::exchange(State().listener, listener);
}

void SetFileSizeLookup(FileSizeLookup lookup) {
    State().fileSizes = lookup;
}

bool HeardPositionMs(double* positionMs) {
    return DeviceOpen() &&
           State().mixer->HeardPositionMs(State().output->LatencyFrames(), positionMs);
}

void PausePlayback(bool paused) {
    if (DeviceOpen()) {
        State().mixer->SetPaused(paused);
    }
}

bool SeekPlayback(std::int64_t positionMs) {
    return DeviceOpen() && State().mixer->SeekPlaying(positionMs);
}

std::int64_t LoadedMusicLengthMs() {
    const AudioState& state = State();
    return DeviceOpen() && state.lastLoadedHere != 0 ? state.mixer->LengthMs(state.lastLoadedHere)
                                                     : -1;
}

// The audio calls over one process-wide device. Only the show's thread calls
// these; the output's thread reaches the musics through the mixer alone.
#include "platform/audio/AudioLibrary.h"

#include "platform/audio/AudioOutput.h"
#include "platform/audio/ModuleDecoder.h"
#include "platform/audio/MusicMixer.h"
#include "platform/audio/PlaybackControl.h"
#include "platform/host/HostFiles.h"
#include "platform/host/Log.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kDefaultDevice = -1;
constexpr int kSilentDevice = -2;

struct AudioState {
    DWORD volumePercent = 100;
    HMUSIC lastMusic = 0;      // handles count up for the whole process
    HMUSIC lastLoadedHere = 0; // on the open device; 0 when none
    std::uint32_t playStarts = 0;
    bool silentOutput = false;
    std::span<const unsigned char> lastModule;
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
    if (device == kDefaultDevice && !state.silentOutput) {
        std::string error;
        output = OpenSdlOutput(*mixer, rate, &error);
        if (!output) {
            LogLine("audio: no audio device found: " + error);
            return 0;
        }
    } else {
        output = OpenSilentOutput(*mixer, rate);
    }
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
        const std::size_t whole = LoadedFileSize(file);
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
    state.lastModule = {static_cast<const unsigned char*>(file) + offset, size};
    const HMUSIC music = ++state.lastMusic;
    state.mixer->Add(music, std::move(decoder));
    state.lastLoadedHere = music;
    return music;
}

BOOL BASS_MusicPlay(HMUSIC music) {
    if (!DeviceOpen() || !State().mixer->Play(music)) {
        return 0;
    }
    ++State().playStarts;
    return 1;
}

BOOL BASS_MusicPlayEx(HMUSIC music, DWORD positionMs, int, BOOL) {
    if (!DeviceOpen() || !State().mixer->PlayFrom(music, positionMs)) {
        return 0;
    }
    ++State().playStarts;
    return 1;
}

QWORD BASS_ChannelGetPosition(DWORD handle) {
    if (!DeviceOpen()) {
        return 0;
    }
    return static_cast<QWORD>(std::max<std::int64_t>(State().mixer->PositionMs(handle), 0));
}

void UseSilentOutput(bool silent) {
    State().silentOutput = silent;
}

std::uint32_t PlaybackStarts() {
    return State().playStarts;
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

std::span<const unsigned char> LastLoadedModule() {
    return State().lastModule;
}

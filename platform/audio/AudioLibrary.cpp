// The audio calls over one process-wide device, whose engine makes the sound.
// Only the show's thread calls these.
#include "platform/audio/AudioLibrary.h"

#include "platform/audio/HostFileSizes.h"
#include "platform/audio/MusicEngine.h"
#include "platform/audio/PlaybackControl.h"
#include "platform/common/Log.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kDefaultDevice = -1;
constexpr int kSilentDevice = -2;

struct AudioState {
    DWORD volumePercent = 100;
    HMUSIC lastMusic = 0;      // handles count up for the whole process
    HMUSIC lastLoadedHere = 0; // on the open device; 0 when none
    OutputChoice outputChoice = OutputChoice::Device;
    FileSizeLookup fileSizes = nullptr;
    std::uint64_t musicsStarted = 0;
    bool deviceOpen = false; // the engine is open
};

AudioState& State() {
    static AudioState state;
    return state;
}

bool DeviceOpen() {
    return State().deviceOpen;
}

float Gain(DWORD volumePercent) {
    return static_cast<float>(volumePercent) / 100.0f;
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
    const OutputChoice choice =
        device == kDefaultDevice ? state.outputChoice : OutputChoice::Silent;
    std::string error;
    if (!music_engine::Open(choice, static_cast<int>(sampleRate), &error)) {
        LogLine("audio: no audio device found: " + error);
        return 0;
    }
    state.deviceOpen = true;
    music_engine::SetGain(Gain(state.volumePercent));
    return 1;
}

BOOL BASS_Start() {
    if (!DeviceOpen()) {
        return 0;
    }
    music_engine::Start();
    return 1;
}

BOOL BASS_Free() {
    AudioState& state = State();
    if (!DeviceOpen()) {
        return 0;
    }
    music_engine::Close();
    state.deviceOpen = false;
    state.lastLoadedHere = 0;
    return 1;
}

BOOL BASS_SetVolume(DWORD volumePercent) {
    AudioState& state = State();
    state.volumePercent = std::min<DWORD>(volumePercent, 100);
    if (state.deviceOpen) {
        music_engine::SetGain(Gain(state.volumePercent));
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
    const HMUSIC music = state.lastMusic + 1;
    if (!music_engine::Load(music, static_cast<const unsigned char*>(file) + offset, size,
                            &error)) {
        LogLine("audio: the module does not decode (" + error + "); the music stays silent");
        return 0;
    }
    state.lastMusic = music;
    state.lastLoadedHere = music;
    return music;
}

BOOL BASS_MusicPlay(HMUSIC music) {
    if (!DeviceOpen() || !music_engine::Play(music)) {
        return 0;
    }
    ++State().musicsStarted;
    return 1;
}

BOOL BASS_MusicPlayEx(HMUSIC music, DWORD positionMs, int, BOOL) {
    if (!DeviceOpen() || !music_engine::PlayFrom(music, positionMs)) {
        return 0;
    }
    ++State().musicsStarted;
    return 1;
}

QWORD BASS_ChannelGetPosition(DWORD handle) {
    if (!DeviceOpen()) {
        return 0;
    }
    return static_cast<QWORD>(std::max<std::int64_t>(music_engine::PositionMs(handle), 0));
}

void ChooseOutput(OutputChoice choice) {
    State().outputChoice = choice;
}

void PullSteppedOutput(std::span<float> interleaved) {
    if (!DeviceOpen() || !music_engine::PullStepped(interleaved)) {
        std::fill(interleaved.begin(), interleaved.end(), 0.0f);
    }
}

void CloseOpenDevice() {
    BASS_Free();
}

std::uint64_t MusicsStarted() {
    return State().musicsStarted;
}

void SetFileSizeLookup(FileSizeLookup lookup) {
    State().fileSizes = lookup;
}

bool HeardPositionMs(double* positionMs) {
    return DeviceOpen() && music_engine::HeardPositionMs(positionMs);
}

bool OutputAudible() {
    return DeviceOpen() && music_engine::Audible();
}

void PausePlayback(bool paused) {
    if (DeviceOpen()) {
        music_engine::SetPaused(paused);
    }
}

bool SeekPlayback(std::int64_t positionMs) {
    return DeviceOpen() && music_engine::SeekPlaying(positionMs);
}

std::optional<std::int64_t> LoadedMusicLengthMs() {
    const AudioState& state = State();
    if (!DeviceOpen() || state.lastLoadedHere == 0) {
        return std::nullopt;
    }
    return music_engine::LengthMs(state.lastLoadedHere);
}

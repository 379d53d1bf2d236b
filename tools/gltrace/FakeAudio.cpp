#include "tools/gltrace/FakeAudio.h"

#include <map>
#include <utility>

namespace {

struct FakeAudioState {
    std::vector<std::string> calls;
    std::map<const void*, std::string> pointerNames;
    bool defaultDeviceFails = false;
    QWORD positionMs = 0;
    HMUSIC lastMusic = 0;
};

FakeAudioState& State() {
    static FakeAudioState state;
    return state;
}

std::string Pointer(const void* pointer) {
    if (pointer == nullptr) {
        return "null";
    }
    const auto named = State().pointerNames.find(pointer);
    return named != State().pointerNames.end() ? named->second : "unnamed";
}

void Record(std::string call) {
    State().calls.push_back(std::move(call));
}

} // namespace

void ResetFakeAudio() {
    State() = FakeAudioState{};
}

const std::vector<std::string>& FakeAudioCalls() {
    return State().calls;
}

void SetFakeDefaultDeviceFails(bool fails) {
    State().defaultDeviceFails = fails;
}

void SetFakeMusicPositionMs(QWORD positionMs) {
    State().positionMs = positionMs;
}

void NameFakeAudioPointer(const void* pointer, std::string name) {
    State().pointerNames[pointer] = std::move(name);
}

BOOL BASS_Init(int device, DWORD sampleRate, DWORD flags, HWND window) {
    Record("BASS_Init(" + std::to_string(device) + ", " + std::to_string(sampleRate) + ", " +
           std::to_string(flags) + ", " + Pointer(window) + ")");
    return device == -1 && State().defaultDeviceFails ? 0 : 1;
}

BOOL BASS_Start() {
    Record("BASS_Start()");
    return 1;
}

BOOL BASS_Free() {
    Record("BASS_Free()");
    return 1;
}

BOOL BASS_SetVolume(DWORD volumePercent) {
    Record("BASS_SetVolume(" + std::to_string(volumePercent) + ")");
    return 1;
}

HMUSIC BASS_MusicLoad(BOOL fromMemory, const void* file, DWORD offset, DWORD length, DWORD flags) {
    Record("BASS_MusicLoad(" + std::to_string(fromMemory) + ", " + Pointer(file) + ", " +
           std::to_string(offset) + ", " + std::to_string(length) + ", " + std::to_string(flags) +
           ")");
    return ++State().lastMusic;
}

BOOL BASS_MusicPlay(HMUSIC music) {
    Record("BASS_MusicPlay(" + std::to_string(music) + ")");
    return 1;
}

BOOL BASS_MusicPlayEx(HMUSIC music, DWORD positionMs, int flags, BOOL reset) {
    Record("BASS_MusicPlayEx(" + std::to_string(music) + ", " + std::to_string(positionMs) + ", " +
           std::to_string(flags) + ", " + std::to_string(reset) + ")");
    return 1;
}

QWORD BASS_ChannelGetPosition(DWORD handle) {
    Record("BASS_ChannelGetPosition(" + std::to_string(handle) + ")");
    return State().positionMs;
}

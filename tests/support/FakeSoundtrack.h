// The soundtrack as the music tests see it: a fresh fake audio library and
// fake host, the module file served as a few bytes that the audio calls show
// as "module".
#pragma once

#include "host/DemoGL.h"
#include "tools/gltrace/FakeAudio.h"
#include "tools/gltrace/FakeHost.h"

inline void ResetWithFakeSoundtrack() {
    ResetFakeAudio();
    ResetFakeHost();
    SetFakeFile("Ar_8peos.xm", "module bytes");
    NameFakeAudioPointer(LoadFile("Ar_8peos.xm"), "module");
}

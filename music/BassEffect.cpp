#include "music/BassEffect.h"

#include "music/MusicPlayer.h"

int BassEffect::Init(int, int) {
    MusicInit();
    MusicLoad("Ar_8peos.xm");
    return 0;
}

void BassEffect::RenderFrame(int) {}

void BassEffect::Activate() {
    MusicPlay();
}

void BassEffect::Deactivate() {
    MusicFree();
}

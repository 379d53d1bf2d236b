// "BASS": draws nothing. Starting it starts the soundtrack; ending it shuts the
// audio down. Destroying it leaves the music alone.
#pragma once

#include "host/DemoGL.h"

class BassEffect : public CEffect {
  public:
    BassEffect() = default;
    ~BassEffect() override = default;

    int Init(int width, int height) override;
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;
};

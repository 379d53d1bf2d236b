// "LOGO": the logo centred and blended over the layers below by its alpha,
// pulsing on the music's beat of 281.25 ms; below 9000 ms it first wipes the
// colour buffer.
#pragma once

#include "host/DemoGL.h"

class LogoEffect : public CEffect {
  public:
    LogoEffect() = default;
    ~LogoEffect() override = default;

    int Init(int width, int height) override;
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;

  private:
    // Written by Init, never changed afterwards.
    unsigned int texture_;
    int width_;  // stored, not read: drawing works in the unit square
    int height_; // stored, not read
};

// Where in the beat timeMs falls, in quarter milliseconds: 0..1124, and
// -1124..0 for negative times (the remainder keeps the time's sign).
int LogoBeatPhase(int timeMs);

// How far the logo's quad reaches inside (negative: short of) the frame's
// edges; the quad spans -inset..1 + inset on both axes.
float LogoInset(int timeMs);

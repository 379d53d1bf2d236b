// "BGDING": the backdrop picture over the whole frame, opaque, drifting slowly
// through tints.
#pragma once

#include "host/DemoGL.h"

class BgdingEffect : public CEffect {
  public:
    BgdingEffect() = default;
    ~BgdingEffect() override = default;

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

struct BgdingTint {
    float red;
    float green;
    float blue;
};

// Each component swings between 0 and 1 on a sine of its own period.
BgdingTint ComputeBgdingTint(int timeMs);

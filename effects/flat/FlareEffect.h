// "FLARE": twenty flares that wander over the frame, breathe in size and cycle
// through colours, added onto the layers below. The one effect that runs on the
// system's millisecond clock instead of the demo time: the flares keep their
// pace whatever the demo time does.
#pragma once

#include "host/DemoGL.h"

#include <memory>

inline constexpr int kFlareCount = 20;

class FlareEffect : public CEffect {
  public:
    FlareEffect() = default;
    ~FlareEffect() override = default;

    int Init(int width, int height) override;
    // timeMs is not read: the flares follow timeGetTime.
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;

  private:
    // Written by Init, never changed afterwards.
    unsigned int texture_;
    // One offset per flare along the flare clock; null when it could not be
    // allocated, and then nothing is drawn.
    std::unique_ptr<float[]> phases_;
};

// The flare clock: the millisecond count scaled to about 1/1400, in single
// precision (steppier with uptime, back to 0 when the count wraps).
float FlareClock(DWORD clockMs);

// One flare as passed to GL: its colour and its quad's edges.
struct FlareSprite {
    float red;
    float green;
    float blue;
    float left;
    float bottom;
    float right;
    float top;
};

FlareSprite ComputeFlareSprite(float clock, float phase);

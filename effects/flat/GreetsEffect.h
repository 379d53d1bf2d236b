// "GREETS": a tall picture, four screen heights, scrolling up through the
// frame from the 64-second mark, added onto the layers below, its width
// breathing on a sine.
#pragma once

#include "host/DemoGL.h"

class GreetsEffect : public CEffect {
  public:
    GreetsEffect() = default;
    ~GreetsEffect() override = default;

    int Init(int width, int height) override;
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;

  private:
    unsigned int texture_; // written by Init, never changed afterwards
};

// The picture's quad in the unit square, as passed to GL.
struct GreetsEdges {
    float left;
    float bottom;
    float right;
    float top;
};

// The top edge reaches the bottom of the frame at 64000 ms and rises one frame
// height every 8000 ms; the quad overhangs both sides by a swinging amount.
GreetsEdges ComputeGreetsEdges(int timeMs);

// "WOBBEL": the picture laid out in rings around two wandering centres, each
// vertex sampling the grid at a point pushed about by a travelling wobble. It
// sets no colour: the picture takes whatever colour the GL holds.
#pragma once

#include "effects/warp/WarpTable.h"
#include "host/DemoGL.h"

class WobbelEffect : public CEffect {
  public:
    WobbelEffect() = default;
    ~WobbelEffect() override = default;

    int Init(int width, int height) override;
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;

  private:
    unsigned int texture_ = 0; // written by Init, never changed afterwards
};

// Rewrites every entry from the demo time alone; no GL call, no allocation.
void FillWobbelTable(int timeMs, UnshadedWarpTable& table);

// "INOOP2": the picture folded around three centres that wander over the grid.
// Near all three the horizontal texture coordinate grows and the picture goes
// dark; the vertical one follows the sum of the directions to the centres.
#pragma once

#include "effects/warp/WarpTable.h"
#include "host/DemoGL.h"

class Inoop2Effect : public CEffect {
  public:
    Inoop2Effect() = default;
    ~Inoop2Effect() override = default;

    int Init(int width, int height) override;
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;

  private:
    unsigned int texture_ = 0; // written by Init, never changed afterwards
};

// Rewrites every entry from the demo time alone; no GL call, no allocation.
void FillInoop2Table(int timeMs, ShadedWarpTable& table);

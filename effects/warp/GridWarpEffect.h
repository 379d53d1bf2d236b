// The grid warps, "INOOP2" and "WOBBEL": one picture drawn opaque through the
// grid, its table rewritten from the demo time alone every frame. They differ
// in picture, table form and fill; each table lives in its effect's module
// (one object per class).
#pragma once

#include "effects/warp/WarpTable.h"
#include "host/DemoGL.h"

template <typename Table> struct GridWarpScene {
    const char* effectName;
    const char* picture;
    void (*fill)(int timeMs, Table& table); // no GL call, no allocation
};

template <typename Table> class GridWarpEffect : public CEffect {
  public:
    ~GridWarpEffect() override = default;

    int Init(int width, int height) override;
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;

  protected:
    GridWarpEffect(const GridWarpScene<Table>& scene, Table*& table)
        : scene_(scene), table_(table) {}

  private:
    const GridWarpScene<Table> scene_;
    Table*& table_;            // the deriving effect's module table
    unsigned int texture_ = 0; // written by Init, never changed afterwards
};

// The shaded mesh carries a grey per vertex, the unshaded one none.
extern template class GridWarpEffect<ShadedWarpTable>;
extern template class GridWarpEffect<UnshadedWarpTable>;

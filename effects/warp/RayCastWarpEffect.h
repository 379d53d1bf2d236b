// The ray-cast warps, "INOOP3" and "INOOP4": the picture on surfaces of an
// endless space, seen from the origin through a wide-angle lens that keeps
// turning. One ray per grid vertex is turned by the frame's view rotation and
// meets the planes y = +-2000 (and, in the tunnel, x = +-2000); the hit gives
// the texture coordinates and the distance darkens it. The picture streams
// along the surfaces by one repeat every 350 ms; the eye never moves.
//
// The two effects differ only in picture, surfaces and their own tables,
// which live in each effect's module (one object per class).
#pragma once

#include "effects/warp/LensTable.h"
#include "effects/warp/Vector3.h"
#include "effects/warp/WarpTable.h"
#include "host/DemoGL.h"

enum class RayCastSurfaces {
    Planes, // y = +-2000
    Tunnel, // y = +-2000 and x = +-2000, whichever the ray meets first
};

struct RayCastScene {
    const char* effectName;
    const char* picture;
    RayCastSurfaces surfaces;
};

struct RayCastTables {
    ShadedWarpTable* warp = nullptr;
    LensTable* lens = nullptr;
};

class RayCastWarpEffect : public CEffect {
  public:
    ~RayCastWarpEffect() override = default;

    int Init(int width, int height) override;
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;

  protected:
    RayCastWarpEffect(const RayCastScene& scene, RayCastTables& tables)
        : scene_(scene), tables_(tables) {}

  private:
    const RayCastScene scene_;
    RayCastTables& tables_;    // the deriving effect's module tables
    unsigned int texture_ = 0; // written by Init, never changed afterwards
};

// The turns of the view at a demo time, as trig table indices: a sway in the
// x-y plane, a nod in the y-z plane, and a slow step in the x-z plane every
// 900 ms.
struct ViewRotationIndices {
    int z;
    int x;
    int y;
};

ViewRotationIndices ViewRotationIndicesAt(int timeMs);

// The entry a unit ray direction writes. vShift streams the picture along v.
// A ray that meets none of the surfaces (parallel to all of them) shows black
// at finite texture coordinates.
ShadedWarpEntry CastRay(const Vector3& direction, RayCastSurfaces surfaces, double vShift);

// Rewrites every entry from the demo time alone; no GL call, no allocation.
// Needs the trig tables filled.
void FillRayCastTable(int timeMs, RayCastSurfaces surfaces, const LensTable& lens,
                      ShadedWarpTable& table);

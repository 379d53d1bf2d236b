// Carried in double precision from single-precision time factors. The hit
// distance is kept unrounded for x and rounded to float for y, z and the
// shade; the three stored values are rounded once, where they are stored.
#include "effects/warp/RayCastWarpEffect.h"

#include "effects/warp/Matrix4.h"
#include "effects/warp/TrigTables.h"
#include "effects/warp/WarpFrame.h"
#include "effects/warp/WarpMesh.h"

#include <GL/gl.h>

#include <cmath>

namespace {

constexpr double kPlaneDistance = 2000;
constexpr float kFarthestShade = 255;       // at distance 25500 and beyond: black
constexpr double kRepeatsPerUnit = 0.00025; // one repeat of the picture per 4000 units

// Distance along a unit ray to whichever of the planes +-2000 across this
// component it heads for.
// NOTE: taken of |component|, so a zero of either sign gives +infinity (IEEE
// division, no trap) and the other surfaces win in the tunnel.
double DistanceToPlanes(double component) {
    return kPlaneDistance / std::fabs(component);
}

} // namespace

ViewRotationIndices ViewRotationIndicesAt(int timeMs) {
    const double ticks = static_cast<double>(timeMs) * static_cast<double>(0.033333335f);
    return {static_cast<int>(192 * std::cos(0.025 * ticks)),
            static_cast<int>(192 * std::sin(0.0125 * ticks) + 256),
            static_cast<int>(ticks * 0.03333333333333333)};
}

ShadedWarpEntry CastRay(const Vector3& direction, RayCastSurfaces surfaces, double vShift) {
    double distance = DistanceToPlanes(direction.y);
    if (surfaces == RayCastSurfaces::Tunnel) {
        const double distanceX = DistanceToPlanes(direction.x);
        distance = distance < distanceX ? distance : distanceX;
    }
    const float distanceF = static_cast<float>(distance);
    if (!std::isfinite(distanceF)) {
        return {0, static_cast<float>(vShift), 0};
    }
    const double hx = distance * direction.x;
    const double hy = static_cast<double>(distanceF) * direction.y;
    const double hz = static_cast<double>(distanceF) * direction.z;
    float shade = static_cast<float>(static_cast<double>(distanceF) * 0.01);
    if (shade > kFarthestShade) {
        shade = kFarthestShade;
    }
    return {static_cast<float>((hx + hy) * kRepeatsPerUnit),
            static_cast<float>(hz * kRepeatsPerUnit + vShift),
            static_cast<float>((255.0 - static_cast<double>(shade)) * 0.00390625)};
}

void FillRayCastTable(int timeMs, RayCastSurfaces surfaces, const LensTable& lens,
                      ShadedWarpTable& table) {
    const double vShift = static_cast<double>(timeMs) * static_cast<double>(0.0028571428f);
    const ViewRotationIndices indices = ViewRotationIndicesAt(timeMs);
    Matrix4 view;
    Matrix4 sway;
    Matrix4 nod;
    Matrix4 step;
    view.SetIdentity();
    sway.SetRotationZ(indices.z);
    nod.SetRotationX(indices.x);
    step.SetRotationY(indices.y);
    view.Multiply(sway);
    view.Multiply(nod);
    view.Multiply(step);

    int n = 0;
    for (int j = 0; j < kWarpRows; ++j) {
        for (int k = 0; k < kWarpColumns; ++k, ++n) {
            Vector3 ray{-160.0 + 4 * k, -120.0 + 4 * j, 128.0 - lens.entries[n]};
            ray.Transform(view);
            ray.Normalize();
            table.entries[n] = CastRay(ray, surfaces, vShift);
        }
    }
}

int RayCastWarpEffect::Init(int, int) {
    // Init runs once in a show; a second one keeps the blocks it already has.
    if (tables_.warp == nullptr) {
        tables_.warp = AllocateShadedWarpTable(scene_.effectName);
    }
    if (tables_.lens == nullptr) {
        tables_.lens = AllocateLensTable(scene_.effectName);
    }
    texture_ =
        LoadTexture(scene_.picture, 1, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, 0, 0, 0, 1);
    FillTrigTables();
    if (tables_.lens != nullptr) {
        FillLensTable(*tables_.lens);
    }
    return 0;
}

void RayCastWarpEffect::RenderFrame(int timeMs) {
    if (tables_.warp == nullptr || tables_.lens == nullptr) {
        return;
    }
    FillRayCastTable(timeMs, scene_.surfaces, *tables_.lens, *tables_.warp);
    BeginWarpFrame(WarpBlending::Keep);
    DrawWarpMesh(texture_, *tables_.warp);
    EndWarpFrame();
}

void RayCastWarpEffect::Activate() {
    UploadTexture(texture_);
}

void RayCastWarpEffect::Deactivate() {
    UnUploadTexture(texture_);
}

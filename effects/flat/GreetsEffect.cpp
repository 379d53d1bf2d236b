// Edges are carried in double precision from single-precision constants and
// rounded to float where each is stored: top before bottom is formed from it,
// the overhang before the sides are formed from it.
#include "effects/flat/GreetsEffect.h"

#include "effects/common/UnitSquareLayer.h"

#include <cmath>

GreetsEdges ComputeGreetsEdges(int timeMs) {
    // NOTE: a 32-bit subtraction that wraps, as the 32-bit machine's did,
    // instead of overflowing near the most negative times.
    const int sinceStartMs = static_cast<int>(static_cast<unsigned>(timeMs) - 64000u);
    const float top =
        static_cast<float>(static_cast<double>(sinceStartMs) * static_cast<double>(0.000125f));
    const float bottom = static_cast<float>(static_cast<double>(top) - 4.0);
    const double swing = std::sin(static_cast<double>(timeMs) * static_cast<double>(0.002f));
    const float overhang = static_cast<float>(static_cast<double>(0.6f) * swing + 0.45);
    const float right = static_cast<float>(1.0 + static_cast<double>(overhang));
    return {-overhang, bottom, right, top};
}

int GreetsEffect::Init(int, int) {
    texture_ = LoadTexture("blaat.jpg", 1, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, 0, 1, 0, 0);
    return 0;
}

void GreetsEffect::RenderFrame(int timeMs) {
    BeginUnitSquareLayer(kPictureLayerAttribs);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glEnable(GL_TEXTURE_2D);
    // Additive by the texel's alpha: the greetings only ever brighten.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glColor3f(1, 1, 1);
    const GreetsEdges edges = ComputeGreetsEdges(timeMs);
    DrawPictureQuad(edges.left, edges.bottom, edges.right, edges.top);
    EndUnitSquareLayer();
}

void GreetsEffect::Activate() {
    UploadTexture(texture_);
}

void GreetsEffect::Deactivate() {
    UnUploadTexture(texture_);
}

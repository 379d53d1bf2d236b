// Each flare is carried in double precision from double constants; the clock
// is single precision, the centre's y is rounded to float before the corners
// are formed from it (its x is not), and colours and corners are rounded once,
// where they reach GL.
#include "effects/flat/FlareEffect.h"

#include "effects/common/UnitSquareLayer.h"
#include "effects/flat/DemoRandom.h"
#include "platform/common/Log.h"

#include <cmath>
#include <cstdio>
#include <new>

namespace {
// Spreads the random values 0..32767 over 0..2693 along the flare clock.
constexpr double kPhaseStep = 0.08219754816221489;
} // namespace

float FlareClock(DWORD clockMs) {
    return static_cast<float>(static_cast<double>(clockMs) * static_cast<double>(0.0007142857f));
}

FlareSprite ComputeFlareSprite(float clock, float phase) {
    const double a = static_cast<double>(clock) + static_cast<double>(phase);
    const double red = 0.5 + 0.3 * std::sin(3 * a);
    const double green = 0.5 + 0.3 * std::sin(3 * a * 1.231);
    const double blue = 0.5 + 0.3 * std::sin(3 * a * 1.113);
    const double cx = 0.5 * (std::sin(1.123 * a) + 1);
    const double cy = static_cast<float>(0.5 * (std::cos(a) + 1));
    const double halfHeight = 0.25 + 0.15 * std::sin(1.23541 * a);
    const double halfWidth = 0.8 * halfHeight;
    return {static_cast<float>(red),
            static_cast<float>(green),
            static_cast<float>(blue),
            static_cast<float>(cx - halfWidth),
            static_cast<float>(cy - halfHeight),
            static_cast<float>(cx + halfWidth),
            static_cast<float>(cy + halfHeight)};
}

int FlareEffect::Init(int, int) {
    phases_.reset(new (std::nothrow) float[kFlareCount]);
    if (phases_) {
        for (int i = 0; i < kFlareCount; ++i) {
            phases_[i] = static_cast<float>(DemoRandom() * kPhaseStep);
        }
    } else {
        LogLine("FLARE: out of memory for the flare phases; no flares are drawn");
    }
    texture_ = LoadTexture("flare.jpg", 1, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, 0, 1, 0, 0);
    return 0;
}

void FlareEffect::RenderFrame(int) {
    if (!phases_) {
        return;
    }
    BeginUnitSquareLayer(kPictureLayerAttribs);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glEnable(GL_TEXTURE_2D);
    // Additive: the flares' light is added to the frame.
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    const float clock = FlareClock(timeGetTime());
    for (int i = 0; i < kFlareCount; ++i) {
        const FlareSprite flare = ComputeFlareSprite(clock, phases_[i]);
        glColor3f(flare.red, flare.green, flare.blue);
        // The picture lies transposed on the quad: s runs up, t to the right.
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex2f(flare.left, flare.bottom);
        glTexCoord2f(0, 1);
        glVertex2f(flare.right, flare.bottom);
        glTexCoord2f(1, 1);
        glVertex2f(flare.right, flare.top);
        glTexCoord2f(1, 0);
        glVertex2f(flare.left, flare.top);
        glEnd();
    }
    EndUnitSquareLayer();
}

void FlareEffect::Activate() {
    UploadTexture(texture_);
}

void FlareEffect::Deactivate() {
    UnUploadTexture(texture_);
}

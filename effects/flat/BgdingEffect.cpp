// The tint is carried in double precision from single-precision constants and
// rounded to float once, where it reaches glColor3f.
#include "effects/flat/BgdingEffect.h"

#include "effects/common/UnitSquareLayer.h"

#include <cmath>

BgdingTint ComputeBgdingTint(int timeMs) {
    const double a = static_cast<double>(timeMs) * static_cast<double>(0.005f);
    const double half = 0.5f;
    const double one = 1.0f;
    const double red = half * (std::sin(a) + one);
    const double green = half * (std::sin(static_cast<double>(1.231f) * a) + one);
    const double blue = half * (std::sin(static_cast<double>(1.113f) * a) + one);
    return {static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue)};
}

int BgdingEffect::Init(int width, int height) {
    width_ = width;
    height_ = height;
    texture_ =
        LoadTexture("quorfoto.jpg", 1, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, 0, 1, 0, 0);
    return 0;
}

void BgdingEffect::RenderFrame(int timeMs) {
    BeginUnitSquareLayer(kPictureLayerAttribs);
    const BgdingTint tint = ComputeBgdingTint(timeMs);
    glColor3f(tint.red, tint.green, tint.blue);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, texture_);
    glEnable(GL_TEXTURE_2D);
    // Opaque: the backdrop overwrites whatever earlier layers drew.
    glDisable(GL_BLEND);
    DrawPictureQuad(0, 0, 1, 1);
    EndUnitSquareLayer();
}

void BgdingEffect::Activate() {
    UploadTexture(texture_);
}

void BgdingEffect::Deactivate() {
    UnUploadTexture(texture_);
}

// The pulse is carried in double precision and the inset rounded to float once,
// before the quad's edges are formed from it.
#include "effects/flat/LogoEffect.h"

#include "effects/common/UnitSquareLayer.h"

#include <cmath>

namespace {
// The opening seconds in which the logo pulses on a wiped frame.
constexpr int kClearUntilMs = 9000;
} // namespace

int LogoBeatPhase(int timeMs) {
    // NOTE: 32-bit multiplication that wraps, as the 32-bit machine's did,
    // instead of overflowing beyond about six days either way.
    const int quarterMs = static_cast<int>(static_cast<unsigned>(timeMs) * 4u);
    return quarterMs % 1125;
}

float LogoInset(int timeMs) {
    const double wave =
        std::sin(static_cast<double>(LogoBeatPhase(timeMs)) * static_cast<double>(0.5f) * 0.005);
    const double depth = 0.2f;
    return static_cast<float>(depth * wave - depth);
}

int LogoEffect::Init(int width, int height) {
    width_ = width;
    height_ = height;
    texture_ = LoadTexture("logo.jpg", 1, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, 0, 1, 0, 0);
    return 0;
}

void LogoEffect::RenderFrame(int timeMs) {
    BeginUnitSquareLayer(kPictureLayerAttribs);
    glColor3f(1, 1, 1);
    if (timeMs < kClearUntilMs) {
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glBindTexture(GL_TEXTURE_2D, texture_);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float inset = LogoInset(timeMs);
    const float low = -inset;
    const float high = static_cast<float>(1.0 + static_cast<double>(inset));
    DrawPictureQuad(low, low, high, high);
    EndUnitSquareLayer();
}

void LogoEffect::Activate() {
    UploadTexture(texture_);
}

void LogoEffect::Deactivate() {
    UnUploadTexture(texture_);
}

// The wheel and the sprites' corners are carried in double precision and
// rounded to float only where they reach GL. The texture name lives at module
// level: the sprite drawing binds it without an object.
#include "effects/flat/WortelEffect.h"

#include "effects/common/UnitSquareLayer.h"

#include <cmath>

namespace {

unsigned int texture; // written by Init, never changed afterwards

// The wheel's radius is a single-precision value.
constexpr double kWheelRadius = 0.35f;
constexpr double kSpriteSize = 0.18;
constexpr GLfloat kSpriteDepth = -0.45f;

} // namespace

void ClearWortelBackground() {
    glColor3f(1, 1, 1);
    glClearColor(0.93359375f, 0.734375f, 0.1328125f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

void DrawRotatedSprite(double cx, double cy, double width, double height, double turns) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glDisable(GL_BLEND);
    const double theta = turns * 6.28318;
    const double halfWidth = width / 2;
    const double halfHeight = height / 2;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    // The square's corners (+1, -1), (-1, -1), (-1, +1), (+1, +1) turned
    // clockwise by theta; s = 0 on its right edge mirrors the picture.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(static_cast<float>(cx + halfWidth * (c - s)),
               static_cast<float>(cy - halfHeight * (c + s)), kSpriteDepth);
    glTexCoord2f(1, 0);
    glVertex3f(static_cast<float>(cx - halfWidth * (c + s)),
               static_cast<float>(cy + halfHeight * (s - c)), kSpriteDepth);
    glTexCoord2f(1, 1);
    glVertex3f(static_cast<float>(cx + halfWidth * (s - c)),
               static_cast<float>(cy + halfHeight * (s + c)), kSpriteDepth);
    glTexCoord2f(0, 1);
    glVertex3f(static_cast<float>(cx + halfWidth * (c + s)),
               static_cast<float>(cy + halfHeight * (c - s)), kSpriteDepth);
    glEnd();
}

int WortelEffect::Init(int, int) {
    texture = LoadTexture("wortel.jpg", 1, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, 0, 0, 0, 1);
    return 0;
}

void WortelEffect::RenderFrame(int timeMs) {
    const double ticks = static_cast<double>(timeMs) * static_cast<double>(0.033333335f);
    glPushAttrib(GL_POLYGON_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    // Set for the frame but switched off again before every sprite.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    // Equal depths pass, so a later sprite covers an earlier one.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    PushUnitSquareProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -0.1f);
    ClearWortelBackground();
    const double wobble = 2 * std::sin(ticks * 0.01570795);
    for (int off = 0; off < 200; off += 20) {
        const double q = off + ticks;
        const double angle = q * 0.0314159;
        const double cx = 0.5 + kWheelRadius * std::sin(angle);
        const double cy = 0.5 + kWheelRadius * std::cos(angle);
        const double turns = q * 0.005 - wobble;
        DrawRotatedSprite(cx, cy, kSpriteSize, kSpriteSize, turns);
    }
    glMatrixMode(GL_PROJECTION);
    EndUnitSquareLayer();
}

void WortelEffect::Activate() {
    UploadTexture(texture);
}

void WortelEffect::Deactivate() {
    UnUploadTexture(texture);
}

// "WORTEL": a flat orange-yellow frame with a wheel of ten carrot sprites that
// turns clockwise once every 6000 ms while the sprites swing together about
// their own centres on a 12000 ms cycle. It clears the colour buffer, switches
// the depth test on and sets the modelview matrix itself.
//
// NOTE: returns with the modelview translated by -0.1 along z, the current
// colour white and its picture bound: the next layer starts from that.
#pragma once

#include "host/DemoGL.h"

class WortelEffect : public CEffect {
  public:
    WortelEffect() = default;
    ~WortelEffect() override = default;

    int Init(int width, int height) override;
    void RenderFrame(int timeMs) override;
    void Activate() override;
    void Deactivate() override;
};

// Current colour white, then the colour buffer cleared to the background
// (bytes 239, 188, 34 over 256). The depth buffer is left as it is.
void ClearWortelBackground();

// One unblended square of the carrot picture, mirrored left to right, centred
// on (cx, cy) and turned clockwise by turns whole turns, at z -0.45.
void DrawRotatedSprite(double cx, double cy, double width, double height, double turns);

#include "effects/warp/WarpFrame.h"

#include "effects/common/UnitSquareLayer.h"

void BeginWarpFrame(WarpBlending blending) {
    glPushAttrib(kWarpFrameAttribs);
    if (blending == WarpBlending::Disable) {
        glDisable(GL_BLEND);
    }
    PushUnitSquareProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -0.1f);
}

void EndWarpFrame() {
    glMatrixMode(GL_PROJECTION);
    EndUnitSquareLayer();
}

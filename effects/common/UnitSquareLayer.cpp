#include "effects/common/UnitSquareLayer.h"

void PushUnitSquareProjection() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
}

void BeginUnitSquareLayer(GLbitfield attribMask) {
    glPushAttrib(attribMask);
    PushUnitSquareProjection();
}

void DrawPictureQuad(GLfloat left, GLfloat bottom, GLfloat right, GLfloat top) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(left, bottom);
    glTexCoord2f(0, 1);
    glVertex2f(left, top);
    glTexCoord2f(1, 1);
    glVertex2f(right, top);
    glTexCoord2f(1, 0);
    glVertex2f(right, bottom);
    glEnd();
}

void EndUnitSquareLayer() {
    glPopMatrix();
    glPopAttrib();
}

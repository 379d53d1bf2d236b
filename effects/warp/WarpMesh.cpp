#include "effects/warp/WarpMesh.h"

#include <GL/gl.h>

namespace {

// Index times the single-precision step, in float: column 80 and row 60 land on
// exactly 1.0, so the mesh leaves no gap along the top or right edge.
constexpr float kColumnStep = 0.0125f;
constexpr float kRowStep = 0.016666668f;
constexpr float kMeshDepth = -0.45f;

void SendShadedCorner(const ShadedWarpTable& table, int k, int j) {
    const ShadedWarpEntry& entry = table.At(k, j);
    glColor3f(entry.brightness, entry.brightness, entry.brightness);
    glTexCoord2f(entry.u, entry.v);
    glVertex3f(k * kColumnStep, j * kRowStep, kMeshDepth);
}

void SendUnshadedCorner(const UnshadedWarpTable& table, int k, int j) {
    const UnshadedWarpEntry& entry = table.At(k, j);
    glTexCoord2f(entry.u, entry.v);
    glVertex3f(k * kColumnStep, j * kRowStep, kMeshDepth);
}

template <typename Table, typename SendCorner>
void DrawQuads(const Table& table, SendCorner sendCorner) {
    for (int j = 0; j < kWarpRows - 1; ++j) {
        for (int k = 0; k < kWarpColumns - 1; ++k) {
            glBegin(GL_QUADS);
            sendCorner(table, k, j);
            sendCorner(table, k + 1, j);
            sendCorner(table, k + 1, j + 1);
            sendCorner(table, k, j + 1);
            glEnd();
        }
    }
}

} // namespace

void DrawWarpMesh(unsigned int texture, const ShadedWarpTable& table) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    DrawQuads(table, SendShadedCorner);
}

void DrawWarpMeshUnshaded(unsigned int texture, const UnshadedWarpTable& table) {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, texture);
    DrawQuads(table, SendUnshadedCorner);
}

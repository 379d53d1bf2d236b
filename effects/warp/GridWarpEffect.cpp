#include "effects/warp/GridWarpEffect.h"

#include "effects/warp/WarpFrame.h"
#include "effects/warp/WarpMesh.h"

#include <GL/gl.h>

namespace {

void Allocate(ShadedWarpTable*& table, const char* effectName) {
    table = AllocateShadedWarpTable(effectName);
}

void Allocate(UnshadedWarpTable*& table, const char* effectName) {
    table = AllocateUnshadedWarpTable(effectName);
}

void Draw(unsigned int texture, const ShadedWarpTable& table) {
    DrawWarpMesh(texture, table);
}

void Draw(unsigned int texture, const UnshadedWarpTable& table) {
    DrawWarpMeshUnshaded(texture, table);
}

} // namespace

template <typename Table> int GridWarpEffect<Table>::Init(int, int) {
    // Init runs once in a show; a second one keeps the block it already has.
    if (table_ == nullptr) {
        Allocate(table_, scene_.effectName);
    }
    texture_ =
        LoadTexture(scene_.picture, 1, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, 0, 0, 0, 1);
    return 0;
}

template <typename Table> void GridWarpEffect<Table>::RenderFrame(int timeMs) {
    if (table_ == nullptr) {
        return;
    }
    scene_.fill(timeMs, *table_);
    BeginWarpFrame(WarpBlending::Disable);
    Draw(texture_, *table_);
    EndWarpFrame();
}

template <typename Table> void GridWarpEffect<Table>::Activate() {
    UploadTexture(texture_);
}

template <typename Table> void GridWarpEffect<Table>::Deactivate() {
    UnUploadTexture(texture_);
}

template class GridWarpEffect<ShadedWarpTable>;
template class GridWarpEffect<UnshadedWarpTable>;

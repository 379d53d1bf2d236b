#include "effects/warp/WarpTable.h"

#include "effects/warp/TableBlock.h"

ShadedWarpTable* AllocateShadedWarpTable(const char* effectName) {
    return AllocateTableBlock<ShadedWarpTable>(effectName, "warp table");
}

UnshadedWarpTable* AllocateUnshadedWarpTable(const char* effectName) {
    return AllocateTableBlock<UnshadedWarpTable>(effectName, "warp table");
}

#include "effects/warp/WarpTable.h"

#include <cstddef>
#include <cstdio>
#include <new>

namespace {

template <typename Table> Table* AllocateTable(const char* effectName) {
    const std::size_t blockBytes = 2 * sizeof(Table);
    void* block = ::operator new(blockBytes, std::nothrow);
    if (block == nullptr) {
        std::fprintf(stderr, "%s: cannot allocate its warp table (%zu bytes); it draws nothing\n",
                     effectName, blockBytes);
        return nullptr;
    }
    return ::new (block) Table;
}

} // namespace

ShadedWarpTable* AllocateShadedWarpTable(const char* effectName) {
    return AllocateTable<ShadedWarpTable>(effectName);
}

UnshadedWarpTable* AllocateUnshadedWarpTable(const char* effectName) {
    return AllocateTable<UnshadedWarpTable>(effectName);
}

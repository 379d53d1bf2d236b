// The heap block a grid warp keeps one of its per-vertex tables in: twice the
// table's size, the table at its start, the rest never touched. Taken once in
// Init and held until exit.
#pragma once

#include <cstddef>
#include <cstdio>
#include <new>

// Null when the block cannot be had, after one line on stderr naming the
// effect and the table.
template <typename Table> Table* AllocateTableBlock(const char* effectName, const char* tableName) {
    const std::size_t blockBytes = 2 * sizeof(Table);
    void* block = ::operator new(blockBytes, std::nothrow);
    if (block == nullptr) {
        std::fprintf(stderr, "%s: cannot allocate its %s (%zu bytes); it draws nothing\n",
                     effectName, tableName, blockBytes);
        return nullptr;
    }
    return ::new (block) Table;
}

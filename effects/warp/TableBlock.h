// The heap block a grid warp keeps one of its per-vertex tables in: twice the
// table's size, the table at its start, the rest never touched. Taken once in
// Init and held until exit.
#pragma once

#include "platform/common/Log.h"

#include <cstddef>
#include <new>
#include <string>

// Null when the block cannot be had, after one line naming the
// effect and the table.
template <typename Table> Table* AllocateTableBlock(const char* effectName, const char* tableName) {
    const std::size_t blockBytes = 2 * sizeof(Table);
    void* block = ::operator new(blockBytes, std::nothrow);
    if (block == nullptr) {
        LogLine(std::string(effectName) + ": cannot allocate its " + tableName + " (" +
                std::to_string(blockBytes) + " bytes); it draws nothing");
        return nullptr;
    }
    return ::new (block) Table;
}

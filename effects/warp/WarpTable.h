// The per-vertex table of a grid warp: one entry for each vertex of the 81 x 61
// grid, row after row from the bottom (row 0) up, each row from column 0 to 80,
// so vertex (k, j) is entry j * 81 + k. The shaded form carries a grey per
// vertex; the unshaded form leaves the colour to whatever the GL holds.
//
// NOTE: each effect's block is twice the size of its table and only the first
// half is ever touched; the block is taken once and held until exit.
#pragma once

inline constexpr int kWarpColumns = 81; // vertices across, k = 0 ... 80
inline constexpr int kWarpRows = 61;    // vertices up, j = 0 ... 60
inline constexpr int kWarpVertexCount = kWarpColumns * kWarpRows;

struct ShadedWarpEntry {
    float u;
    float v;
    float brightness; // 0 draws the picture black, 1 at full colour
};

struct UnshadedWarpEntry {
    float u;
    float v;
};

template <typename Entry> struct WarpTable {
    Entry entries[kWarpVertexCount];

    Entry& At(int k, int j) { return entries[j * kWarpColumns + k]; }
    const Entry& At(int k, int j) const { return entries[j * kWarpColumns + k]; }
};

using ShadedWarpTable = WarpTable<ShadedWarpEntry>;
using UnshadedWarpTable = WarpTable<UnshadedWarpEntry>;

static_assert(sizeof(ShadedWarpTable) == 59292, "three packed floats per vertex");
static_assert(sizeof(UnshadedWarpTable) == 39528, "two packed floats per vertex");

// The table at the start of a fresh block of twice its size. Null when the
// block cannot be had, after one line on stderr naming the effect.
ShadedWarpTable* AllocateShadedWarpTable(const char* effectName);
UnshadedWarpTable* AllocateUnshadedWarpTable(const char* effectName);

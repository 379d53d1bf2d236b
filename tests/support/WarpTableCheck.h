// Checks a filled warp table vertex by vertex against entries derived apart
// from the effect, for the tests of the grid warps' tables.
#pragma once

#include "effects/warp/WarpTable.h"

#include <gtest/gtest.h>

#include <ostream>

inline bool SameEntry(const ShadedWarpEntry& a, const ShadedWarpEntry& b) {
    return a.u == b.u && a.v == b.v && a.brightness == b.brightness;
}
inline bool SameEntry(const UnshadedWarpEntry& a, const UnshadedWarpEntry& b) {
    return a.u == b.u && a.v == b.v;
}

inline std::ostream& operator<<(std::ostream& out, const ShadedWarpEntry& e) {
    return out << e.u << ", " << e.v << ", " << e.brightness;
}
inline std::ostream& operator<<(std::ostream& out, const UnshadedWarpEntry& e) {
    return out << e.u << ", " << e.v;
}

// Compares every vertex of the table, filled for timeMs, with
// derive(timeMs, k, j); reports the first three that differ and returns how
// many do.
template <typename Entry, typename Derive>
int CountMismatchedVertices(int timeMs, const WarpTable<Entry>& table, Derive derive) {
    int mismatches = 0;
    for (int j = 0; j <= 60; ++j) {
        for (int k = 0; k <= 80; ++k) {
            const Entry expected = derive(timeMs, k, j);
            const Entry& got = table.entries[j * 81 + k];
            if (!SameEntry(got, expected) && ++mismatches <= 3) {
                ADD_FAILURE() << "t " << timeMs << " vertex (" << k << ", " << j << "): got " << got
                              << "; expected " << expected;
            }
        }
    }
    return mismatches;
}

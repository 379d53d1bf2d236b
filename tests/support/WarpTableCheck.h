// Checks vertices of a filled warp table against entries derived apart from
// the effect: each field's definition evaluated in 60-digit arithmetic, with
// the roundings to float the definition makes on the way, then rounded to
// float. A field may differ from the derived one by one unit in the last place.
#pragma once

#include "effects/warp/WarpTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <span>

template <typename Entry> struct DerivedVertex {
    int timeMs;
    int k;
    int j;
    Entry entry;
};

inline bool WithinOneUlp(float got, float expected) {
    return got >= std::nextafter(expected, -INFINITY) && got <= std::nextafter(expected, INFINITY);
}
inline bool WithinOneUlp(const ShadedWarpEntry& got, const ShadedWarpEntry& expected) {
    return WithinOneUlp(got.u, expected.u) && WithinOneUlp(got.v, expected.v) &&
           WithinOneUlp(got.brightness, expected.brightness);
}
inline bool WithinOneUlp(const UnshadedWarpEntry& got, const UnshadedWarpEntry& expected) {
    return WithinOneUlp(got.u, expected.u) && WithinOneUlp(got.v, expected.v);
}

inline std::ostream& operator<<(std::ostream& out, const ShadedWarpEntry& e) {
    return out << e.u << ", " << e.v << ", " << e.brightness;
}
inline std::ostream& operator<<(std::ostream& out, const UnshadedWarpEntry& e) {
    return out << e.u << ", " << e.v;
}

// Fills the table at each vertex's time and compares that vertex.
template <typename Entry>
void ExpectDerivedVertices(std::span<const DerivedVertex<Entry>> vertices,
                           void (*fill)(int timeMs, WarpTable<Entry>& table)) {
    const auto table = std::make_unique<WarpTable<Entry>>();
    for (const DerivedVertex<Entry>& vertex : vertices) {
        fill(vertex.timeMs, *table);
        const Entry& got = table->At(vertex.k, vertex.j);
        EXPECT_TRUE(WithinOneUlp(got, vertex.entry))
            << std::hexfloat << "t " << vertex.timeMs << " vertex (" << vertex.k << ", " << vertex.j
            << "): got " << got << "; derived " << vertex.entry;
    }
}

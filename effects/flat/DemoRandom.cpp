// A linear congruential generator modulo 2^32 that hands out bits 16..30 of
// its state.
#include "effects/flat/DemoRandom.h"

#include <cstdint>

namespace {
std::uint32_t state = 1;
} // namespace

int DemoRandom() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

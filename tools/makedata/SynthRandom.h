// The soundtrack's own fixed-seed generator (xorshift32): the same seed gives
// the same numbers on every build and machine, so the module's bytes never change.
#pragma once

#include <cstdint>

class SynthRandom {
  public:
    explicit SynthRandom(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [-1, 1).
    double Bipolar() { return static_cast<double>(Next() >> 8) / 8388608.0 - 1.0; }
    // Uniform in [0, count).
    int Below(int count) { return static_cast<int>(Next() % static_cast<std::uint32_t>(count)); }

  private:
    std::uint32_t state_;
};

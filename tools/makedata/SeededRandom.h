// A small fixed-seed random generator (splitmix64) and the integer hash the
// noise builds on: the same numbers on every run and every machine, so the
// generated data is the same bytes on every build.
#pragma once

#include <cstdint>

class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next();
    // Uniform in [low, high].
    int Between(int low, int high);
    // Uniform in [0, count).
    int Below(int count) { return Between(0, count - 1); }
    // Uniform in [-1, 1).
    double Bipolar() { return static_cast<double>(Next() >> 11) * 0x1.0p-52 - 1.0; }

  private:
    std::uint64_t state_;
};

// A well-mixed 32-bit value for a lattice point.
std::uint32_t HashPoint(int x, int y, std::uint32_t seed);
// The same value as a number in [0, 1).
double HashUnit(int x, int y, std::uint32_t seed);

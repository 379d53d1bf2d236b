// Smooth value noise on an integer lattice, and its fractal sums. A period
// wraps the lattice so the noise repeats seamlessly (for tileable textures).
#pragma once

#include <cstdint>

// In [0, 1]. period 0: no wrap; otherwise the noise repeats every period units.
double ValueNoise(double x, double y, std::uint32_t seed, int periodX = 0, int periodY = 0);

// octaves of noise, each of double the frequency and half the weight, in [0, 1].
// A period (in units of the first octave) keeps every octave seamless.
double FractalNoise(double x, double y, int octaves, std::uint32_t seed, int periodX = 0,
                    int periodY = 0);

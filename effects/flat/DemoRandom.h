// The show's pseudo-random source, process-wide: seeded with 1 when the
// program starts and never reseeded, so every run draws the same values.
// Only FLARE draws from it.
#pragma once

// The next value, 0..32767. Host thread only.
int DemoRandom();

#include "effects/warp/TrigTables.h"

#include <cmath>

double CosineTable[kAngleSteps];
double SineTable[kAngleSteps];

void FillTrigTables() {
    for (int n = 0; n < kAngleSteps; ++n) {
        SineTable[n] = std::sin(n * kAngleStep);
    }
    for (int n = 0; n < kAngleSteps; ++n) {
        CosineTable[n] = std::cos(n * kAngleStep);
    }
}

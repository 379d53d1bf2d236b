#include "effects/warp/LensTable.h"

#include "effects/warp/TableBlock.h"

#include <cmath>

LensTable* AllocateLensTable(const char* effectName) {
    return AllocateTableBlock<LensTable>(effectName, "lens table");
}

void FillLensTable(LensTable& table) {
    float* entry = table.entries;
    for (int l = -30; l <= 30; ++l) {
        for (int m = -40; m <= 40; ++m) {
            *entry++ = static_cast<float>(std::sqrt(static_cast<double>(l * l + m * m)) * 2);
        }
    }
}

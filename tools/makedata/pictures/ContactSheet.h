// One PNG showing the nine pictures, for a person to judge them by eye:
// the first row holds the backdrop, logo, flare and carrot; the second the
// four textures, each tiled 2 x 2 so a seam would show; the third the
// greetings cut into the four screens it scrolls through.
#pragma once

#include "tools/makedata/MakeDataInputs.h"

#include <filesystem>

// Throws std::runtime_error with one line naming what failed.
void WriteContactSheet(const std::filesystem::path& file, const MakeDataInputs& inputs);

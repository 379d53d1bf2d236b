// The program's icon for desktop menus: the logo picture, scaled down to an
// icon size, light on black as the show draws it.
#pragma once

#include "tools/makedata/MakeDataInputs.h"

#include <filesystem>

constexpr int kAppIconSize = 256;

// Writes a kAppIconSize x kAppIconSize PNG. Throws std::runtime_error with
// one line naming what failed.
void WriteAppIcon(const std::filesystem::path& file, const MakeDataInputs& inputs);

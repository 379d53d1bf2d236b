// What the generators read from outside: the hand-written timeline script and
// the fonts for text in pictures.
#pragma once

#include <filesystem>

struct MakeDataInputs {
    std::filesystem::path scriptFile;
    std::filesystem::path fontDirectory; // holds the DejaVu .ttf files
};

// Refuses inputs that cannot work before any picture is painted: throws
// std::runtime_error naming the file. The script is checked only when needed.
void CheckMakeDataInputs(const MakeDataInputs& inputs, bool needScript);

// Every file of the show's data, in the order they are packed: the pictures,
// then the timeline script. Each file is made by one function of the inputs
// alone, so the files can be made side by side and come out the same on
// every run.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/files/GeneratedFile.h"

#include <vector>

// Throws std::runtime_error with one line naming what failed.
std::vector<GeneratedFile> GenerateShowFiles(const MakeDataInputs& inputs);

// Writes each file into the directory (created when missing).
void WriteShowDirectory(const std::filesystem::path& directory,
                        const std::vector<GeneratedFile>& files);

// Packs the show's files into demodat.zip through libzip.
#pragma once

#include "tools/makedata/files/GeneratedFile.h"

#include <filesystem>
#include <vector>

// Writes (replacing) the archive with the files in order. Every entry carries
// the same fixed time stamp, so the same files give the same archive bytes.
// Throws std::runtime_error naming the archive when libzip refuses.
void PackZip(const std::filesystem::path& archive, const std::vector<GeneratedFile>& files);

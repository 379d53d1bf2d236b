// What the build was configured with that the installed program needs: its
// version and where an install puts the show's data.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

// The project's version, e.g. "1.0.0".
std::string_view ProgramVersion();

// The data folders of an install, in the order they are searched: the one at
// the same place relative to the program's own folder (so an install under
// any prefix finds its data), then the one under the prefix the build was
// configured for (a program copied elsewhere still finds it). The first is
// left out when the program's folder is unknown (empty).
std::vector<std::filesystem::path>
InstalledDataDirectories(const std::filesystem::path& executableDirectory);

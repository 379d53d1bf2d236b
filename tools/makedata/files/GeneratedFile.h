// One file of the show's data, made in memory.
#pragma once

#include <string>
#include <vector>

struct GeneratedFile {
    std::string name; // as the effects ask for it, e.g. "Snoep.jpg"
    std::vector<unsigned char> bytes;
};

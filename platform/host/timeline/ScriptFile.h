// The timeline script as the data source holds it: read and parsed, with what
// kept it from being read or every error in it.
#pragma once

#include "platform/host/timeline/TimelineScript.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

class DataSource;

struct ScriptFile {
    bool read = false; // false: readError says why not
    std::string readError;
    std::optional<Timeline> timeline; // when it was read and has no error
    std::vector<ScriptError> errors;  // every error in it, in line order
};

ScriptFile ReadScriptFile(DataSource& source, const std::string& name,
                          std::span<const RegisteredName> effects);

// The search for the show's data: directory, then archive, place by place.
#include "platform/host/data/DataSource.h"
#include "platform/host/data/EntryNames.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool HasZipExtension(const fs::path& file) {
    return EqualsIgnoringCase(file.extension().string(), ".zip");
}

bool SameDirectory(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return a.lexically_normal() == b.lexically_normal() || fs::equivalent(a, b, ec);
}

} // namespace

std::string JoinPlaces(const std::vector<fs::path>& places) {
    std::string text;
    for (std::size_t i = 0; i < places.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == places.size() ? " and " : ", ") + places[i].string();
    }
    return text;
}

std::unique_ptr<DataSource> LocateDataSource(const DataLookup& lookup, std::string* error,
                                             std::vector<fs::path>* searched) {
    std::error_code ec;
    if (lookup.overridePath) {
        const fs::path& path = *lookup.overridePath;
        if (fs::is_directory(path, ec)) {
            return OpenDirectorySource(path, error);
        }
        if (!fs::exists(path, ec)) {
            *error = "no data found: " + path.string() + " does not exist";
            return nullptr;
        }
        if (!HasZipExtension(path)) {
            *error = path.string() + " is neither a directory nor a .zip file";
            return nullptr;
        }
        return OpenZipSource(path, error);
    }

    // Each place once: the program may run from the working directory, or be
    // installed where the build was configured to put it.
    std::vector<fs::path> places;
    std::vector<fs::path> candidates{lookup.workingDirectory, lookup.executableDirectory};
    candidates.insert(candidates.end(), lookup.installDirectories.begin(),
                      lookup.installDirectories.end());
    for (const fs::path& place : candidates) {
        if (!place.empty() && std::none_of(places.begin(), places.end(), [&](const fs::path& seen) {
                return SameDirectory(seen, place);
            })) {
            places.push_back(place);
        }
    }
    for (const fs::path& place : places) {
        if (searched != nullptr) {
            searched->push_back(place);
        }
        if (!lookup.directoryName.empty() && fs::is_directory(place / lookup.directoryName, ec)) {
            return OpenDirectorySource(place / lookup.directoryName, error);
        }
        // A damaged archive is reported rather than skipped: silently taking
        // older data from further along the search would hide the problem.
        if (!lookup.archiveName.empty() && fs::exists(place / lookup.archiveName, ec)) {
            return OpenZipSource(place / lookup.archiveName, error);
        }
    }

    std::string wanted;
    if (!lookup.directoryName.empty()) {
        wanted = lookup.directoryName + "/";
    }
    if (!lookup.archiveName.empty()) {
        wanted += (wanted.empty() ? "" : " and ") + lookup.archiveName;
    }
    *error = "no data found: looked for " + wanted + " in " + JoinPlaces(places);
    return nullptr;
}

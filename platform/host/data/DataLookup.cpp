// The search for the show's data: directory, then archive, place by place.
#include "platform/host/data/DataSource.h"
#include "platform/host/data/EntryNames.h"
#include "platform/host/data/PathType.h"

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
    std::string why;
    if (lookup.overridePath) {
        const fs::path& path = *lookup.overridePath;
        const fs::file_type type = TypeAtPath(path, &why);
        if (type == fs::file_type::directory) {
            return OpenDirectorySource(path, error);
        }
        if (type == fs::file_type::not_found || type == fs::file_type::none) {
            *error = "no data found: " + path.string() +
                     (type == fs::file_type::none ? ": " + why : std::string(" does not exist"));
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
        // A damaged archive, or a name the system cannot look at, is reported
        // rather than skipped: silently taking older data from further along
        // the search would hide the problem.
        if (!lookup.directoryName.empty()) {
            const fs::path directory = place / lookup.directoryName;
            const fs::file_type type = TypeAtPath(directory, &why);
            if (type == fs::file_type::directory) {
                return OpenDirectorySource(directory, error);
            }
            if (type == fs::file_type::none) {
                *error = directory.string() + ": " + why;
                return nullptr;
            }
        }
        if (!lookup.archiveName.empty()) {
            const fs::path archive = place / lookup.archiveName;
            const fs::file_type type = TypeAtPath(archive, &why);
            if (type == fs::file_type::none) {
                *error = archive.string() + ": " + why;
                return nullptr;
            }
            if (type != fs::file_type::not_found) {
                return OpenZipSource(archive, error);
            }
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

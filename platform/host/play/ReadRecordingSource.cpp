#include "platform/host/play/ReadRecordingSource.h"

#include "platform/host/data/EntryNames.h"

#include <sys/stat.h>

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

ReadRecordingSource::ReadRecordingSource(std::unique_ptr<DataSource> source)
    : source_(std::move(source)) {}

std::optional<std::vector<unsigned char>> ReadRecordingSource::Read(std::string_view name,
                                                                    std::string* error) {
    std::optional<std::vector<unsigned char>> bytes = source_->Read(name, error);
    if (bytes && std::find(read_.begin(), read_.end(), name) == read_.end()) {
        read_.emplace_back(name);
    }
    return bytes;
}

bool ReadRecordingSource::IsInput(const fs::path& file) const {
    struct stat output = {};
    if (stat(file.c_str(), &output) != 0) {
        return false;
    }
    auto isOutput = [&output](const fs::path& path) {
        struct stat input = {};
        return stat(path.c_str(), &input) == 0 && input.st_dev == output.st_dev &&
               input.st_ino == output.st_ino;
    };
    const fs::path& data = source_->Path();
    if (isOutput(data)) {
        return true;
    }
    std::error_code error;
    if (read_.empty() || !fs::is_directory(data, error)) {
        return false;
    }
    if (std::any_of(read_.begin(), read_.end(),
                    [&](const std::string& name) { return isOutput(data / name); })) {
        return true;
    }
    // The folder's entries are found ignoring case too: the data may have been
    // made on a file system that does.
    for (fs::recursive_directory_iterator entry(data, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().lexically_relative(data).generic_string();
        if (std::any_of(read_.begin(), read_.end(),
                        [&](const std::string& read) { return EqualsIgnoringCase(read, name); }) &&
            isOutput(entry->path())) {
            return true;
        }
    }
    return false;
}

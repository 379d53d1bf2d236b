// The directory data source.
//
// Entry names are relative paths with '/' separators. Names that could reach
// outside the data (absolute, "..") are refused before any look-up, and files
// whose real path (after symlinks) lies outside the directory are refused too.
// Only regular files are read: a device or a pipe could be read forever.
#include "platform/host/data/DataSource.h"

#include "platform/host/data/EntryNames.h"
#include "platform/host/data/PathType.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool IsInside(const fs::path& file, const fs::path& root) {
    auto [rootEnd, fileAt] = std::mismatch(root.begin(), root.end(), file.begin(), file.end());
    return rootEnd == root.end() && fileAt != file.end();
}

std::optional<std::vector<unsigned char>> ReadWholeFile(const fs::path& file, std::string_view name,
                                                        std::string* error) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        *error = ec.message();
        return std::nullopt;
    }
    if (size > kMaxEntryBytes) {
        *error = kEntryTooLarge;
        return std::nullopt;
    }
    std::vector<unsigned char> bytes = EntryBuffer(name, size);
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (f == nullptr) {
        *error = std::strerror(errno);
        return std::nullopt;
    }
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    const int failure = std::ferror(f) != 0 ? errno : 0;
    std::fclose(f);
    if (failure != 0 || got != bytes.size()) {
        *error = failure != 0 ? std::strerror(failure) : "file shrank while being read";
        return std::nullopt;
    }
    return bytes;
}

class DirectorySource final : public DataSource {
  public:
    DirectorySource(fs::path directory, fs::path root)
        : directory_(std::move(directory)), root_(std::move(root)) {}

    std::optional<std::vector<unsigned char>> Read(std::string_view name,
                                                   std::string* error) override {
        if (!CheckEntryName(name, error)) {
            return std::nullopt;
        }
        std::optional<fs::path> file = Resolve(name, error);
        if (!file) {
            return std::nullopt;
        }
        std::error_code ec;
        const fs::path real = fs::canonical(*file, ec);
        if (ec) {
            *error = ec.message();
            return std::nullopt;
        }
        if (!IsInside(real, root_)) {
            *error = "leads outside the data directory";
            return std::nullopt;
        }
        return ReadWholeFile(real, name, error);
    }

    const fs::path& Path() const override { return directory_; }

  private:
    // The exact path when something is there, else the case-insensitive match
    // component by component (the smallest name wins when several match, so
    // the choice does not depend on directory order). Null with *error when
    // nothing matches, the system cannot look, or it is no regular file.
    std::optional<fs::path> Resolve(std::string_view name, std::string* error) const {
        fs::path at = root_ / fs::path(name);
        fs::file_type type = TypeAtPath(at, error);
        if (type == fs::file_type::not_found) {
            at = root_;
            for (std::string_view part : SplitComponents(name)) {
                if (part.empty() || part == ".") {
                    continue;
                }
                fs::path next = at / fs::path(part);
                const fs::file_type found = TypeAtPath(next, error);
                if (found == fs::file_type::none) {
                    return std::nullopt;
                }
                if (found == fs::file_type::not_found) {
                    std::optional<std::string> best = MatchIgnoringCase(at, part);
                    if (!best) {
                        *error = "not found";
                        return std::nullopt;
                    }
                    next = at / *best;
                }
                at = std::move(next);
            }
            type = TypeAtPath(at, error);
        }
        if (type == fs::file_type::none) {
            return std::nullopt;
        }
        if (type != fs::file_type::regular) {
            *error = type == fs::file_type::not_found ? "not found" : kNotARegularFile;
            return std::nullopt;
        }
        return at;
    }

    static std::optional<std::string> MatchIgnoringCase(const fs::path& folder,
                                                        std::string_view part) {
        std::optional<std::string> best;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string entry = it->path().filename().string();
            if (EqualsIgnoringCase(entry, part) && (!best || entry < *best)) {
                best = std::move(entry);
            }
        }
        return best;
    }

    fs::path directory_;
    fs::path root_; // canonical form of directory_
};

} // namespace

std::unique_ptr<DataSource> OpenDirectorySource(const fs::path& directory, std::string* error) {
    std::string why;
    const fs::file_type type = TypeAtPath(directory, &why);
    if (type != fs::file_type::directory) {
        *error = directory.string() +
                 (type == fs::file_type::none ? ": " + why : std::string(" is not a directory"));
        return nullptr;
    }
    std::error_code ec;
    fs::path root = fs::canonical(directory, ec);
    if (ec) {
        *error = directory.string() + ": " + ec.message();
        return nullptr;
    }
    return std::make_unique<DirectorySource>(directory, std::move(root));
}

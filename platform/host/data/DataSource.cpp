// The directory data source.
//
// Entry names are relative paths with '/' separators. Names that could reach
// outside the data (absolute, "..") are refused before any look-up, and files
// whose real path (after symlinks) lies outside the directory are refused too.
#include "platform/host/data/DataSource.h"

#include "platform/host/data/EntryNames.h"

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

std::optional<std::vector<unsigned char>> ReadWholeFile(const fs::path& file, std::string* error) {
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
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (f == nullptr) {
        *error = std::strerror(errno);
        return std::nullopt;
    }
    std::vector<unsigned char> bytes(size);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed || got != bytes.size()) {
        *error = failed ? "read error" : "file shrank while being read";
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
        std::optional<fs::path> file = Resolve(name);
        std::error_code ec;
        if (!file) {
            *error = "not found";
            return std::nullopt;
        }
        const fs::path real = fs::canonical(*file, ec);
        if (ec || !IsInside(real, root_)) {
            *error = "leads outside the data directory";
            return std::nullopt;
        }
        return ReadWholeFile(real, error);
    }

    const fs::path& Path() const override { return directory_; }

  private:
    // The exact path when it names a file, else the case-insensitive match
    // component by component (the smallest name wins when several match, so
    // the choice does not depend on directory order).
    std::optional<fs::path> Resolve(std::string_view name) const {
        std::error_code ec;
        fs::path exact = root_ / fs::path(name);
        if (fs::is_regular_file(exact, ec)) {
            return exact;
        }
        const std::vector<std::string_view> parts = SplitComponents(name);
        fs::path at = root_;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].empty() || parts[i] == ".") {
                continue;
            }
            fs::path next = at / fs::path(parts[i]);
            if (!fs::exists(next, ec)) {
                std::optional<std::string> best;
                for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec)) {
                    std::string entry = it->path().filename().string();
                    if (EqualsIgnoringCase(entry, parts[i]) && (!best || entry < *best)) {
                        best = std::move(entry);
                    }
                }
                if (!best) {
                    return std::nullopt;
                }
                next = at / *best;
            }
            at = std::move(next);
        }
        if (!fs::is_regular_file(at, ec)) {
            return std::nullopt;
        }
        return at;
    }

    fs::path directory_;
    fs::path root_; // canonical form of directory_
};

} // namespace

std::unique_ptr<DataSource> OpenDirectorySource(const fs::path& directory, std::string* error) {
    std::error_code ec;
    if (!fs::is_directory(directory, ec)) {
        *error = directory.string() + " is not a directory";
        return nullptr;
    }
    fs::path root = fs::canonical(directory, ec);
    if (ec) {
        *error = directory.string() + ": " + ec.message();
        return nullptr;
    }
    return std::make_unique<DirectorySource>(directory, std::move(root));
}

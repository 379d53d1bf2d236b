// Directory and .zip data sources, and the search for the show's data.
//
// Entry names are relative paths with '/' separators. Names that could reach
// outside the data (absolute, "..") are refused before any look-up, and the
// directory source also refuses files whose real path (after symlinks) lies
// outside its directory.
#include "platform/host/data/DataSource.h"

#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Larger entries are refused rather than allocated: the show's files are small
// and an archive can claim any size.
constexpr std::uint64_t kMaxEntryBytes = 256u << 20;
const char* const kTooLarge = "file is over 256 MiB";
// Real data never packs tighter than this; a zip bomb does.
constexpr std::uint64_t kMaxCompressionRatio = 1000;

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(x) == FoldCase(y);
           });
}

std::vector<std::string_view> SplitComponents(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t slash = name.find('/', start);
        if (slash == std::string_view::npos) {
            slash = name.size();
        }
        parts.push_back(name.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

bool CheckEntryName(std::string_view name, std::string* error) {
    if (name.empty()) {
        *error = "empty name";
        return false;
    }
    if (name.find('\0') != std::string_view::npos) {
        *error = "name contains a zero byte";
        return false;
    }
    if (name.front() == '/') {
        *error = "absolute names are not allowed";
        return false;
    }
    if (name.back() == '/') {
        *error = "name is a directory";
        return false;
    }
    for (std::string_view part : SplitComponents(name)) {
        if (part == "..") {
            *error = "'..' is not allowed in names";
            return false;
        }
    }
    return true;
}

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
        *error = kTooLarge;
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

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

class ZipSource final : public DataSource {
  public:
    ZipSource(fs::path archivePath, zip_t* archive)
        : path_(std::move(archivePath)), archive_(archive) {}

    std::optional<std::vector<unsigned char>> Read(std::string_view name,
                                                   std::string* error) override {
        if (!CheckEntryName(name, error)) {
            return std::nullopt;
        }
        std::optional<zip_uint64_t> index = Locate(std::string(name));
        if (!index) {
            *error = "not found";
            return std::nullopt;
        }
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive_.get(), *index, 0, &stat) != 0 ||
            (stat.valid & ZIP_STAT_SIZE) == 0) {
            *error = zip_strerror(archive_.get());
            return std::nullopt;
        }
        if (stat.size > kMaxEntryBytes) {
            *error = kTooLarge;
            return std::nullopt;
        }
        if ((stat.valid & ZIP_STAT_COMP_SIZE) != 0 &&
            stat.size > kMaxCompressionRatio * std::max<zip_uint64_t>(stat.comp_size, 1)) {
            *error = "compression ratio is over 1000 (" + std::to_string(stat.size) +
                     " bytes from " + std::to_string(stat.comp_size) + ")";
            return std::nullopt;
        }
        std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(archive_.get(), *index, 0));
        if (!file) {
            *error = zip_strerror(archive_.get());
            return std::nullopt;
        }
        std::vector<unsigned char> bytes(stat.size);
        std::size_t got = 0;
        while (got < bytes.size()) {
            const zip_int64_t n = zip_fread(file.get(), bytes.data() + got, bytes.size() - got);
            if (n <= 0) {
                *error = n < 0 ? zip_file_strerror(file.get()) : "entry is shorter than its size";
                return std::nullopt;
            }
            got += static_cast<std::size_t>(n);
        }
        // NOTE: libzip checks the CRC only when a read reaches the end of the
        // entry, so one more read is what catches corrupt data.
        unsigned char extra = 0;
        const zip_int64_t tail = zip_fread(file.get(), &extra, 1);
        if (tail != 0) {
            *error = tail < 0 ? zip_file_strerror(file.get()) : "entry is longer than its size";
            return std::nullopt;
        }
        return bytes;
    }

    const fs::path& Path() const override { return path_; }

  private:
    std::optional<zip_uint64_t> Locate(const std::string& name) const {
        const zip_int64_t exact = zip_name_locate(archive_.get(), name.c_str(), 0);
        if (exact >= 0) {
            return static_cast<zip_uint64_t>(exact);
        }
        const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
        for (zip_int64_t i = 0; i < count; ++i) {
            const char* entry = zip_get_name(archive_.get(), static_cast<zip_uint64_t>(i), 0);
            if (entry == nullptr) {
                continue;
            }
            const std::string_view view(entry);
            if (!view.empty() && view.back() != '/' && EqualsIgnoringCase(view, name)) {
                return static_cast<zip_uint64_t>(i);
            }
        }
        return std::nullopt;
    }

    fs::path path_;
    std::unique_ptr<zip_t, ZipDiscard> archive_;
};

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

std::unique_ptr<DataSource> OpenZipSource(const fs::path& archive, std::string* error) {
    int code = 0;
    zip_t* handle = zip_open(archive.c_str(), ZIP_RDONLY, &code);
    if (handle == nullptr) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        *error = archive.string() + ": " + zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        return nullptr;
    }
    return std::make_unique<ZipSource>(archive, handle);
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

// The .zip data source: entries read whole, their names checked as the
// directory source checks them, sizes and compression ratios bounded. The
// archive is opened here, so that a failure says what the system said, and
// only a regular file is taken.
#include "platform/host/data/DataSource.h"
#include "platform/host/data/EntryNames.h"
#include "platform/host/data/PathType.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace fs = std::filesystem;

namespace {

// Real data never packs tighter than this; a zip bomb does.
constexpr std::uint64_t kMaxCompressionRatio = 1000;

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
            *error = kEntryTooLarge;
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
        std::vector<unsigned char> bytes = EntryBuffer(name, stat.size);
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

} // namespace

std::unique_ptr<DataSource> OpenZipSource(const fs::path& archive, std::string* error) {
    // Non-blocking, so that opening a pipe returns at once; it changes
    // nothing for the regular file read after.
    const int fd = open(archive.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *error = archive.string() + ": " + std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        *error = archive.string() + ": " + kNotARegularFile;
        return nullptr;
    }
    int code = 0;
    // Takes the descriptor on success only.
    zip_t* handle = zip_fdopen(fd, 0, &code);
    if (handle == nullptr) {
        close(fd);
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        *error = archive.string() + ": " + zip_error_strerror(&zipError);
        zip_error_fini(&zipError);
        return nullptr;
    }
    return std::make_unique<ZipSource>(archive, handle);
}

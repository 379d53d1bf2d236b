#include "tools/makedata/files/ZipPacker.h"

#include <zip.h>

#include <stdexcept>
#include <string>

namespace {

// Entries would otherwise carry the time of the build.
constexpr time_t kEntryTime = 946728000;

} // namespace

void PackZip(const std::filesystem::path& archive, const std::vector<GeneratedFile>& files) {
    const std::string where = "zip: [" + archive.string() + "] ";
    std::filesystem::remove(archive);
    int code = 0;
    zip_t* zip = zip_open(archive.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (zip == nullptr) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw std::runtime_error(where + "cannot be created: " + reason);
    }
    for (const GeneratedFile& file : files) {
        // The buffers outlive zip_close, where libzip reads them.
        zip_source_t* source = zip_source_buffer(zip, file.bytes.data(), file.bytes.size(), 0);
        const zip_int64_t index =
            source == nullptr ? -1 : zip_file_add(zip, file.name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            const std::string reason = zip_strerror(zip);
            zip_discard(zip);
            throw std::runtime_error(where + "cannot add " + file.name + ": " + reason);
        }
        zip_file_set_mtime(zip, static_cast<zip_uint64_t>(index), kEntryTime, 0);
    }
    if (zip_close(zip) != 0) {
        const std::string reason = zip_strerror(zip);
        zip_discard(zip);
        throw std::runtime_error(where + "cannot be written: " + reason);
    }
}

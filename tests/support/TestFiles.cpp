#include "tests/support/TestFiles.h"

#include <turbojpeg.h>
#include <zip.h>

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

std::string ReadTextFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<unsigned char> EncodeTestJpeg(int width, int height,
                                          const std::vector<std::uint8_t>& rgb) {
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(handle, rgb.data(), width, width * 3, height, TJPF_RGB, &jpeg,
                                   &size, TJSAMP_444, 100, 0);
    std::vector<unsigned char> bytes;
    if (result == 0) {
        bytes.assign(jpeg, jpeg + size);
    }
    tjFree(jpeg);
    tjDestroy(handle);
    if (result != 0) {
        throw std::runtime_error("test JPEG could not be encoded");
    }
    return bytes;
}

void WriteTestZip(const std::filesystem::path& file,
                  const std::map<std::string, std::vector<unsigned char>>& entries,
                  const std::vector<std::string>& directories, TestZipPacking packing) {
    int code = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive == nullptr) {
        throw std::runtime_error("test zip could not be created");
    }
    bool ok = true;
    for (const std::string& directory : directories) {
        ok = ok && zip_dir_add(archive, directory.c_str(), 0) >= 0;
    }
    for (const auto& [name, bytes] : entries) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, 0);
        ok = ok && index >= 0 &&
             zip_set_file_compression(
                 archive, static_cast<zip_uint64_t>(index),
                 packing == TestZipPacking::Stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) == 0;
    }
    if (zip_close(archive) != 0 || !ok) {
        throw std::runtime_error("test zip could not be written");
    }
}

TempFolder::TempFolder() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("quorvel8-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(const std::string& name,
                                        const std::vector<unsigned char>& bytes) {
    const std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::filesystem::path TempFolder::Write(const std::string& name, const std::string& text) {
    return Write(name, std::vector<unsigned char>(text.begin(), text.end()));
}

// NOTE: libzip opens archives by path, so each input goes through one memory
// file reached as /proc/self/fd/N; nothing touches the disk.
#include "platform/host/data/DataSource.h"
#include "tests/fuzz/FuzzTargets.h"

#include <sys/mman.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A small data directory beside an outside file that no name may reach.
const fs::path& DataDirectory() {
    static const fs::path directory = [] {
        const fs::path root =
            fs::temp_directory_path() / ("quorvel-fuzz-data-" + std::to_string(getpid()));
        fs::create_directories(root / "demodat" / "Pics");
        std::ofstream(root / "demodat" / "script.txt") << "BASS 0 1000 0\n";
        std::ofstream(root / "demodat" / "Pics" / "Logo.jpg") << "not a picture";
        std::ofstream(root / "outside.txt") << "secret";
        return root / "demodat";
    }();
    return directory;
}

int MemoryFile() {
    static const int fd = memfd_create("fuzz.zip", 0);
    return fd;
}

} // namespace

void FuzzDataSource(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    if (newline == std::string_view::npos) {
        return;
    }
    const std::string_view name = input.substr(0, newline);
    const std::string_view archive = input.substr(newline + 1);

    std::string error;
    auto directory = OpenDirectorySource(DataDirectory(), &error);
    if (directory) {
        const auto bytes = directory->Read(name, &error);
        if (bytes && std::string_view(reinterpret_cast<const char*>(bytes->data()),
                                      bytes->size()) == "secret") {
            __builtin_trap(); // a name reached outside the data directory
        }
    }

    const int fd = MemoryFile();
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, archive.data(), archive.size(), 0) != static_cast<ssize_t>(archive.size())) {
        return;
    }
    auto zip = OpenZipSource("/proc/self/fd/" + std::to_string(fd), &error);
    if (zip) {
        zip->Read(name, &error);
    }
}

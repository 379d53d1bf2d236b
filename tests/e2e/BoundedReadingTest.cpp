// What the program reads can never exhaust it: a picture past a bound (scans,
// size, what all the pictures take) is a stand-in with one line; a module of
// unknown length loads; memory running out while loading is one line and exit
// status 2; a path that cannot be read says what the system said.
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"
#include "tools/makedata/soundtrack/XmWriter.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <ranges>

namespace fs = std::filesystem;

namespace {

int Occurrences(const std::string& text, const std::string& part) {
    return static_cast<int>(std::ranges::distance(std::views::split(text, part))) - 1;
}

// A grayscale progressive JPEG claiming width x height (a table of ones, one
// 1-bit DC code), then `scans` DC scans of a byte: decoded at full size, cut short.
std::vector<unsigned char> HandWrittenJpeg(int width, int height, int scans) {
    const auto byte = [](int value) { return static_cast<unsigned char>(value & 0xFF); };
    std::vector<unsigned char> jpeg = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
    jpeg.insert(jpeg.end(), 64, 1);
    jpeg.insert(jpeg.end(),
                {0xFF, 0xC2, 0x00, 0x0B, 0x08, byte(height >> 8), byte(height), byte(width >> 8),
                 byte(width), 0x01, 0x01, 0x11, 0x00, 0xFF, 0xC4, 0x00, 0x14, 0x00, 0x01});
    jpeg.insert(jpeg.end(), 16, 0);
    for (int scan = 0; scan < scans; ++scan) {
        jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0});
    }
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    return jpeg;
}

ProgramResult Check(const fs::path& data, const std::string& addressSpace = "unlimited") {
    return RunProgram(
        "/usr/bin/prlimit",
        {"--as=" + addressSpace, QUORVEL8_PROGRAM, "--check", "--data", data.string()},
        {"DISPLAY", "WAYLAND_DISPLAY", "SDL_AUDIODRIVER=dummy", "LP_NUM_THREADS=0"});
}

// libopenmpt gives up (infinity) on the length of 16 patterns of 256 rows, each
// played 16 times by a pattern loop: the module still loads, and is no problem.
TEST(BoundedReadingTest, PicturesPastABoundAreStandInsAndAModuleOfUnknownLengthLoads) {
    XmModule module;
    module.numChannels = 1;
    module.instruments.emplace_back().sample.frames.assign(32, 8000);
    for (std::uint8_t p = 0; p < 16; ++p) {
        module.patterns.push_back({256, std::vector<XmCell>(256)});
        module.patterns.back().cells.front() = {49, 1, 0, 0x0E, 0x60};
        module.patterns.back().cells.back() = {0, 0, 0, 0x0E, 0x6F};
        module.orders.push_back(p);
    }
    TempFolder folder;
    folder.Write("demodat/Ar_8peos.xm", WriteXm(module));
    folder.Write("demodat/script.txt", "BASS 0 1000 0\n");
    for (const std::string name :
         {"flare.jpg", "quorfoto.jpg", "blaat.jpg", "Snoep.jpg", "pakje.jpg", "boek.jpg",
          "Dralm.jpg", "logo.jpg", "wortel.jpg"}) {
        folder.Write("demodat/" + name,
                     HandWrittenJpeg(4096, 4096, name == "quorfoto.jpg" ? 101 : 100));
    }
    const ProgramResult run = Check(folder.Path() / "demodat");
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(Occurrences(run.err, "[quorfoto.jpg] 101 scans is over 100; a checkerboard"), 1)
        << run.err;
    // The other eight are 64 MiB each decoded: four fit in the 256 MiB.
    EXPECT_EQ(Occurrences(run.err, "] damaged ("), 4) << run.err;
    EXPECT_EQ(Occurrences(run.err, "] 4096x4096 does not fit in the 0 MiB left of the 256 MiB all "
                                   "pictures may take decoded; a checkerboard stands in\n"),
              4)
        << run.err;
    EXPECT_EQ(Occurrences(run.out, "  PROBLEM\n"), 9) << run.out;
    EXPECT_NE(run.out.find("\nmusic    length unknown\n"), std::string::npos) << run.out;
}

// The largest entry the data allows (256 MiB) under an address-space limit:
// the script before the GL driver loads, a picture after it (llvmpipe on the
// calling thread maps about 400 MB). The sanitizers reserve address space of
// their own: only the plain build can tell.
TEST(BoundedReadingTest, MemoryRunningOutWhileLoadingIsOneLineAndExit2) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers reserve address space of their own";
#endif
    constexpr std::uint32_t kLargest = 256u << 20;
    TempFolder folder;
    const fs::path zip = folder.Path() / "claims.zip";
    WriteTestZip(zip, {{"script.txt", std::vector<unsigned char>(300000, '#')}});
    // Its local and central headers both say the stored entry unpacks to kLargest.
    std::string bytes = ReadTextFile(zip);
    for (const std::size_t field : {std::size_t{22}, bytes.find("PK\x01\x02") + 24}) {
        bytes.replace(field, 4, std::string("\0\0\0\x10", 4)); // little-endian
    }
    folder.Write("claims.zip", bytes);
    folder.Write("demodat/script.txt", "BGDING 0 1000 1\n");
    fs::resize_file(folder.Write("demodat/quorfoto.jpg", std::string()), kLargest); // sparse

    for (const auto& [data, limit, name] :
         {std::tuple{zip, "300000000", "script.txt"},
          std::tuple{folder.Path() / "demodat", "520000000", "quorfoto.jpg"}}) {
        const ProgramResult run = Check(data, limit);
        EXPECT_EQ(run.exitStatus, 2) << name;
        const std::string line = "data: [" + std::string(name) + "] out of memory reading its " +
                                 std::to_string(kLargest) + " bytes\n";
        EXPECT_TRUE(run.err.ends_with(line)) << run.err;
    }
}

TEST(BoundedReadingTest, APathThatCannotBeReadSaysWhatTheSystemSaid) {
    TempFolder folder;
    folder.Write("demodat/script.txt", "BGDING 0 1000 1\n");
    fs::create_symlink("/dev/zero", folder.Path() / "demodat/quorfoto.jpg");
    const fs::path tooLong = folder.Path() / std::string(300, 'x');
    const fs::path pipe = folder.Path() / "pipe.zip";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const auto& [data, line] :
         {std::pair{folder.Path() / "demodat",
                    std::string("picture: [quorfoto.jpg] not a regular file; a checkerboard "
                                "stands in")},
          std::pair{tooLong, "data: no data found: " + tooLong.string() + ": File name too long"},
          std::pair{pipe, "data: " + pipe.string() + ": not a regular file"}}) {
        const ProgramResult run = Check(data);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_EQ(Occurrences(run.err, line + "\n"), 1) << run.err;
    }
}

} // namespace

// The show installed as a user installs it, and played from elsewhere.
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string kProgram = QUORVEL8_PROGRAM;
const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY"};

std::vector<std::string> FilesUnder(const fs::path& folder) {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_directory()) {
            files.push_back(entry.path().lexically_relative(folder).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(InstallTest, TheInstalledProgramPlaysItsInstalledDataFromAnUnrelatedDirectory) {
    TempFolder prefix;
    TempFolder out;
    // DESTDIR would move the install away from the prefix given.
    const ProgramResult install = RunProgram(
        CMAKE_PROGRAM, {"--install", QUORVEL8_BUILD_DIR, "--prefix", prefix.Path().string()},
        {"DESTDIR"});
    ASSERT_EQ(install.exitStatus, 0) << install.out << install.err;
    // The archive and not the loose folder; no developer tools.
    EXPECT_EQ(
        FilesUnder(prefix.Path()),
        (std::vector<std::string>{
            "bin/quorvel8", "share/applications/quorvel8.desktop", "share/doc/quorvel8/README.md",
            "share/doc/quorvel8/changelog.gz", "share/doc/quorvel8/copyright",
            "share/icons/hicolor/256x256/apps/quorvel8.png", "share/man/man6/quorvel8.6.gz",
            "share/metainfo/org.example.tarvendolk.quorvel8.metainfo.xml",
            "share/quorvel8/demodat.zip"}));

    const fs::path program = prefix.Path() / "bin/quorvel8";
    const auto fromRoot = [&](const std::string& arguments) {
        return RunProgram("/bin/sh", {"-c", "cd / && exec '" + program.string() + "' " + arguments},
                          kHeadless);
    };
    EXPECT_EQ(fromRoot("--version").out, "quorvel8 " QUORVEL8_VERSION "\n");
    const ProgramResult check = fromRoot("--check");
    EXPECT_EQ(check.exitStatus, 0) << check.out << check.err;
    const fs::path data = prefix.Path() / "share/quorvel8";
    for (const std::string& line :
         {"checking " + (data / "demodat.zip").string(),
          "data     looked in /, " + (prefix.Path() / "bin").string() + " and " + data.string(),
          std::string("ready to show")}) {
        EXPECT_NE(check.out.find(line), std::string::npos) << line << "\n" << check.out;
    }

    const fs::path shot = out.Path() / "shot.png";
    const ProgramResult screenshot =
        fromRoot("--screenshot 30 '" + shot.string() + "' --size 320x240");
    ASSERT_EQ(screenshot.exitStatus, 0) << screenshot.err;
    EXPECT_EQ(screenshot.err.find("picture:"), std::string::npos) << screenshot.err;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, shot.c_str()));
    EXPECT_EQ(image.width, 320u);
    EXPECT_EQ(image.height, 240u);
    png_image_free(&image);
}

} // namespace

// Offscreen pictures keep the show's 4:3 between black bars at any size, as
// the window does, unless --aspect stretch fills the frame.
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VideoProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY"};
const std::filesystem::path kData = std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat";

ProbedVideo Screenshot(const TempFolder& folder, const std::string& size,
                       const std::vector<std::string>& more = {}) {
    const auto file = folder.Path() / (size + ".png");
    std::vector<std::string> args = {
        "--data", kData.string(), "--screenshot", "4.2", file.string(), "--size", size};
    args.insert(args.end(), more.begin(), more.end());
    const ProgramResult run = RunProgram(QUORVEL8_PROGRAM, args, kHeadless);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    return ProbeVideo(file);
}

// The pixels of columns [x, x + width) of every row.
std::vector<std::uint8_t> Columns(const ProbedVideo& image, int x, int width) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < image.height; ++y) {
        const auto row =
            image.firstFrameRgb.begin() + (static_cast<std::ptrdiff_t>(y) * image.width + x) * 3;
        out.insert(out.end(), row, row + static_cast<std::ptrdiff_t>(width) * 3);
    }
    return out;
}

bool AllBlack(const std::vector<std::uint8_t>& pixels) {
    return std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t v) { return v == 0; });
}

TEST(OffscreenAspectTest, AWideFrameHasBarsAroundThePictureItsMiddleAloneWouldShow) {
    TempFolder folder;
    const ProbedVideo wide = Screenshot(folder, "1920x1080");
    const ProbedVideo middle = Screenshot(folder, "1440x1080");
    ASSERT_EQ(wide.width, 1920);
    ASSERT_EQ(middle.width, 1440);
    EXPECT_TRUE(AllBlack(Columns(wide, 0, 240)));
    EXPECT_TRUE(AllBlack(Columns(wide, 1680, 240)));
    EXPECT_TRUE(Columns(wide, 240, 1440) == middle.firstFrameRgb) << "the picture between the bars";

    const ProbedVideo stretched = Screenshot(folder, "1920x1080", {"--aspect", "stretch"});
    ASSERT_EQ(stretched.width, 1920);
    EXPECT_FALSE(AllBlack(Columns(stretched, 0, 240)));
    EXPECT_FALSE(AllBlack(Columns(stretched, 1680, 240)));
}

} // namespace

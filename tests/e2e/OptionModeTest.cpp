// Option combinations through the real program on the build's own show
// (2:24 long): two modes at once, an option the chosen mode would ignore, and
// times outside the show are each refused with one line, before anything is
// rendered or written; what fits is played.
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string kProgram = QUORVEL8_PROGRAM;
const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_AUDIODRIVER=dummy"};

struct Combination {
    std::vector<std::string> args; // "SHOT", "MP4" and "DIR" stand for paths in a fresh folder
    int exitStatus;
    std::string said; // for a refusal, the one line's text
};

TEST(OptionModeTest, EachCombinationIsRefusedWithOneLineOrPlayed) {
    const Combination combinations[] = {
        {{"--screenshot", "1", "SHOT", "--capture", "MP4"},
         2,
         "quorvel8: --screenshot and --capture are two modes; choose one"},
        {{"--check", "--shots", "DIR"}, 2, "quorvel8: --check and --shots are two modes"},
        {{"--fps", "30", "--screenshot", "1", "SHOT"},
         2,
         "quorvel8: --fps does nothing with --screenshot; it is for --capture"},
        {{"--fullscreen", "--screenshot", "1", "SHOT"},
         2,
         "quorvel8: --fullscreen/--windowed does nothing with --screenshot; it is for live play"},
        {{"--start", "1:00", "--screenshot", "1", "SHOT"},
         2,
         "quorvel8: --start does nothing with --screenshot; it is for live play, --shots, "
         "--capture"},
        {{"--capture", "MP4", "--loop"},
         2,
         "quorvel8: --loop/--once does nothing with --capture; it is for live play"},
        {{"--shots", "DIR", "--no-sound"},
         2,
         "quorvel8: --no-sound does nothing with --shots; it is for live play"},
        {{"--check", "--size", "64x48"},
         2,
         "quorvel8: --size does nothing with --check; it is for live play, --screenshot, "
         "--shots, --capture"},
        {{"--crf", "10"}, 2, "quorvel8: --crf does nothing in live play; it is for --capture"},
        {{"--screenshot", "9:00", "SHOT"},
         2,
         "quorvel8: --screenshot 9:00 is past the end of the show, which lasts 2:24"},
        {{"--screenshot", "2:24", "SHOT"},
         2,
         "quorvel8: --screenshot 2:24 is past the end of the show, which lasts 2:24"},
        {{"--start", "2:30.5"},
         2,
         "quorvel8: --start 2:30.500 is past the end of the show, which lasts 2:24"},
        {{"--end", "145"}, 2, "quorvel8: --end 2:25 is past the end of the show, which lasts 2:24"},
        {{"--start", "20", "--end", "0:10"}, 2, "quorvel8: --end 0:10 is not after --start 20"},
        {{"--screenshot", "2:23.999", "SHOT", "--size", "64x48"}, 0, ""},
        {{"--shots", "DIR", "--size", "16x16"}, 0, ""},
    };
    const fs::path data = fs::path(QUORVEL8_DATA_DIR) / "demodat";
    for (const Combination& combination : combinations) {
        TempFolder out;
        std::vector<std::string> args = {"--data", data.string()};
        std::string described;
        for (const std::string& arg : combination.args) {
            described += arg + " ";
            const bool path = arg == "SHOT" || arg == "MP4" || arg == "DIR";
            args.push_back(path ? (out.Path() / arg).string() : arg);
        }
        SCOPED_TRACE(described);
        const ProgramResult run = RunProgram(kProgram, args, kHeadless);
        EXPECT_EQ(run.exitStatus, combination.exitStatus) << run.err;
        if (combination.exitStatus == 2) {
            EXPECT_EQ(run.err.rfind(combination.said, 0), 0u) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            // Refused before anything was rendered: no file was written.
            EXPECT_TRUE(fs::is_empty(out.Path()));
        } else {
            EXPECT_EQ(run.err, "");
            EXPECT_FALSE(fs::is_empty(out.Path()));
        }
    }
}

} // namespace

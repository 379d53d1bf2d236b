// The program on a machine that lets it down: GL that cannot be had or is too
// old, and signals while it plays. Each refusal is one line naming what was
// needed and what was found; a signal stops the show cleanly.
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>

namespace {

const std::string kProgram = QUORVEL8_PROGRAM;
using std::chrono::milliseconds;

class FaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_.Write("demodat/script.txt", "BGDING 0 1440:00 1\n");
        folder_.Write("demodat/quorfoto.jpg",
                      EncodeTestJpeg(8, 8, std::vector<std::uint8_t>(8 * 8 * 3, 90)));
    }
    std::vector<std::string> Args(std::vector<std::string> more) const {
        more.insert(more.begin(), {"--data", (folder_.Path() / "demodat").string()});
        return more;
    }
    std::string Shot() const { return (folder_.Path() / "shot.png").string(); }
    static bool HasDisplay() {
        const char* display = std::getenv("DISPLAY");
        return display != nullptr && display[0] != '\0';
    }

    TempFolder folder_;
};

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST_F(FaultTest, OffscreenGlTooOldNamesWhatWasNeededAndFound) {
    const ProgramResult run =
        RunProgram(kProgram, Args({"--screenshot", "0", Shot(), "--size", "64x48"}),
                   {"DISPLAY", "WAYLAND_DISPLAY", "MESA_GL_VERSION_OVERRIDE=1.1"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("needs OpenGL 1.3 compatibility through EGL, found 1.1"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(Lines(run.err), 1) << run.err;
}

TEST_F(FaultTest, OffscreenWithoutAnyEglIsOneLine) {
    const ProgramResult run =
        RunProgram(kProgram, Args({"--screenshot", "0", Shot(), "--size", "64x48"}),
                   {"DISPLAY", "WAYLAND_DISPLAY", "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("offscreen: needs EGL"), std::string::npos) << run.err;
    EXPECT_EQ(Lines(run.err), 1) << run.err;
}

// GLX refuses a context for the old version outright.
TEST_F(FaultTest, WindowContextRefusedForAnOldGlNamesWhatWasNeededAndFound) {
    if (!HasDisplay()) {
        GTEST_SKIP() << "needs a display (test.sh runs the tests under Xvfb)";
    }
    const ProgramResult run =
        RunProgram(kProgram, Args({}), {"SDL_AUDIODRIVER=dummy", "MESA_GL_VERSION_OVERRIDE=1.1"});
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("window: needs an OpenGL compatibility context, found: "),
              std::string::npos)
        << run.err;
    EXPECT_EQ(Lines(run.err), 1) << run.err;
}

TEST_F(FaultTest, SigintAndSigtermWhilePlayingInAWindowStopCleanly) {
    if (!HasDisplay()) {
        GTEST_SKIP() << "needs a display (test.sh runs the tests under Xvfb)";
    }
    for (const auto& [signal, name] :
         {std::pair{SIGINT, "SIGINT"}, std::pair{SIGTERM, "SIGTERM"}}) {
        const ProgramResult run =
            RunProgramAndSignal(kProgram, Args({}), {"SDL_AUDIODRIVER=dummy"}, signal,
                                milliseconds(1500), milliseconds(5000));
        EXPECT_EQ(run.exitStatus, 0) << name << "\n" << run.err;
        EXPECT_NE(run.err.find(std::string("quorvel8: stopped by ") + name), std::string::npos)
            << run.err;
    }
}

// The folder is incomplete, so the run must not report success.
TEST_F(FaultTest, SigtermWhileRenderingShotsKeepsThePicturesSoFarAndExitsWith128PlusIt) {
    const ProgramResult run = RunProgramAndSignal(
        kProgram, Args({"--shots", (folder_.Path() / "shots").string(), "--size", "64x48"}),
        {"DISPLAY", "WAYLAND_DISPLAY"}, SIGTERM, milliseconds(1500), milliseconds(5000));
    EXPECT_EQ(run.exitStatus, 128 + SIGTERM) << run.err;
    EXPECT_NE(run.err.find("quorvel8: stopped by SIGTERM"), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::exists(folder_.Path() / "shots" / "0000.png"));
}

} // namespace

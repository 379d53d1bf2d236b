// The program as a viewer and an organiser meet it: full screen on a
// 1920x1080 screen of its own (a virtual X server started here), Esc, the
// options --help lists, and --check on the build's data and a broken copy.
#include "tests/support/ProgramRun.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

// NOTE: after gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace {

const std::string kProgram = QUORVEL8_PROGRAM;
const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY"};

using Clock = std::chrono::steady_clock;

// An X server with one 1920x1080 screen, for as long as the test runs.
class VirtualScreen {
  public:
    VirtualScreen() : number_(200 + getpid() % 700) {
        server_ = std::make_unique<RunningProgram>(
            "/usr/bin/Xvfb", std::vector<std::string>{":" + std::to_string(number_), "-screen", "0",
                                                      "1920x1080x24", "-nolisten", "tcp"});
        const std::string name = Name();
        for (int tries = 0; tries < 500 && display_ == nullptr; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            display_ = XOpenDisplay(name.c_str());
        }
    }
    ~VirtualScreen() {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    std::string Name() const { return ":" + std::to_string(number_); }
    Display* X() const { return display_; }

    // Red of each pixel of the screen's row y.
    std::vector<int> RowReds(int y) const {
        std::vector<int> reds;
        XImage* image =
            XGetImage(display_, DefaultRootWindow(display_), 0, y, 1920, 1, AllPlanes, ZPixmap);
        if (image == nullptr) {
            return reds;
        }
        for (int x = 0; x < 1920; ++x) {
            reds.push_back(static_cast<int>((XGetPixel(image, x, 0) >> 16) & 0xFF));
        }
        XDestroyImage(image);
        return reds;
    }

    // Esc pressed in every top-level window.
    void PressEscape() const {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count);
        for (unsigned int i = 0; i < count; ++i) {
            XKeyEvent key{};
            key.display = display_;
            key.window = children[i];
            key.root = root;
            key.same_screen = True;
            key.keycode = XKeysymToKeycode(display_, XK_Escape);
            key.type = KeyPress;
            XSendEvent(display_, children[i], True, KeyPressMask, reinterpret_cast<XEvent*>(&key));
            key.type = KeyRelease;
            XSendEvent(display_, children[i], True, KeyReleaseMask,
                       reinterpret_cast<XEvent*>(&key));
        }
        XFree(children);
        XFlush(display_);
    }

  private:
    int number_;
    std::unique_ptr<RunningProgram> server_;
    Display* display_ = nullptr;
};

std::vector<unsigned char> FlatJpeg(std::uint8_t grey) {
    return EncodeTestJpeg(32, 32, std::vector<std::uint8_t>(32 * 32 * 3, grey));
}

TEST(ViewerTest, FullScreenCentresThe4By3PictureBetweenBlackBarsAndEscEndsAtOnce) {
    VirtualScreen screen;
    ASSERT_NE(screen.X(), nullptr) << "Xvfb did not start";
    TempFolder data;
    data.Write("script.txt", "BGDING 0:00 1:00 1\nEND 1:00\n");
    data.Write("quorfoto.jpg", FlatJpeg(250));
    RunningProgram show(kProgram, {"--data", data.Path().string(), "--fullscreen", "--no-sound"},
                        {"DISPLAY=" + screen.Name(), "WAYLAND_DISPLAY"});

    std::vector<int> row;
    std::vector<int> top;
    for (int tries = 0; tries < 300; ++tries) {
        row = screen.RowReds(540);
        top = screen.RowReds(0);
        if (row.size() == 1920 && row[960] > 100 && top.size() == 1920 && top[960] > 100) {
            break;
        }
        ASSERT_FALSE(show.WaitForExit(30)) << show.Err();
    }
    ASSERT_EQ(row.size(), 1920u);
    // The tint drifts with the live clock: the picture is lit, the bars black.
    for (int x : {240, 960, 1679}) {
        EXPECT_GT(row[x], 20) << "x " << x;
    }
    for (int x : {0, 239, 1680, 1919}) {
        EXPECT_EQ(row[x], 0) << "bar at x " << x;
    }
    ASSERT_EQ(top.size(), 1920u);
    EXPECT_GT(top[960], 20) << "no bars above: the picture is 1080 high";

    const Clock::time_point pressed = Clock::now();
    screen.PressEscape();
    const std::optional<int> status = show.WaitForExit(1000);
    const auto tookMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - pressed).count();
    ASSERT_TRUE(status) << "still running 1 s after Esc";
    EXPECT_EQ(*status, 0) << show.Err();
    EXPECT_LE(tookMs, 1000);
}

TEST(ViewerTest, HelpListsEveryViewerOption) {
    const ProgramResult run = RunProgram(kProgram, {"--help"}, kHeadless);
    EXPECT_EQ(run.exitStatus, 0);
    for (const char* option : {"--fullscreen", "--windowed", "--display", "--aspect", "--no-sound",
                               "--audio-offset", "--dev", "--start", "--loop", "--check"}) {
        EXPECT_NE(run.out.find(option), std::string::npos) << option << "\n" << run.out;
    }
}

TEST(ViewerTest, CheckReportsTheBuildsDataReadyWithoutADisplay) {
    const auto data = std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat";
    const ProgramResult run = RunProgram(kProgram, {"--check", "--data", data.string()}, kHeadless);
    EXPECT_EQ(run.exitStatus, 0) << run.out << run.err;
    for (const char* line :
         {"script   script.txt: 15 runs, the show lasts 2:24.000",
          "  LOGO       0:00.000 - 0:09.000   layer 1", "pictures 9", "  logo.jpg",
          "music    2:24.000 for a show of 2:24.000", "ready to show"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
    }
    EXPECT_EQ(run.out.find("PROBLEM"), std::string::npos) << run.out;
}

TEST(ViewerTest, CheckNamesEveryProblemOfABrokenCopyAndExits2) {
    TempFolder broken;
    const auto copy = broken.Path() / "demodat";
    std::filesystem::copy(std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat", copy);
    std::filesystem::remove(copy / "wortel.jpg");
    std::filesystem::remove(copy / "Ar_8peos.xm");
    broken.Write("demodat/script.txt", "BASS 0:00 0:10 0\nWORTEL 0:00 0:10 1\nNOPE 0 10 1\n");
    const ProgramResult run = RunProgram(kProgram, {"--check", "--data", copy.string()}, kHeadless);
    EXPECT_EQ(run.exitStatus, 2) << run.out << run.err;
    for (const char* line :
         {"script.txt:3: unknown effect 'NOPE'", "  wortel.jpg     not found  PROBLEM",
          "music    none loaded  PROBLEM", "NOT ready"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
    }
}

} // namespace

// The real program and gltrace, run as a user runs them.
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestModule.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <utility>

namespace {

const std::string kProgram = QUORVEL8_PROGRAM;
const std::string kGlTrace = GLTRACE_PROGRAM;

// No window system for any of these runs: what a headless machine sees.
const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY"};

std::vector<unsigned char> FlatJpeg(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> rgb(32 * 32 * 3);
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = r;
        rgb[i + 1] = g;
        rgb[i + 2] = b;
    }
    return EncodeTestJpeg(32, 32, rgb);
}

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // top row first
};

bool ReadPng(const std::filesystem::path& file, PngImage* image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, file.c_str())) {
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    image->width = static_cast<int>(png.width);
    image->height = static_cast<int>(png.height);
    image->rgb.resize(PNG_IMAGE_SIZE(png));
    return png_image_finish_read(&png, nullptr, image->rgb.data(), 0, nullptr) != 0;
}

TEST(ProgramTest, ScreenshotAtZeroIsTheBackdropTintedByHalfIn4By3) {
    TempFolder data;
    data.Write("demodat/script.txt", "BGDING 0:00 0:10 1\nEND 0:10\n");
    data.Write("demodat/quorfoto.jpg", FlatJpeg(200, 100, 60));
    const auto shot = data.Path() / "a.png";
    const ProgramResult run = RunProgram(
        kProgram,
        {"--data", (data.Path() / "demodat").string(), "--screenshot", "0", shot.string()},
        kHeadless);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    PngImage image;
    ASSERT_TRUE(ReadPng(shot, &image));
    EXPECT_EQ(image.width * 3, image.height * 4);
    for (std::size_t at : {std::size_t{0}, image.rgb.size() / 2 - 3, image.rgb.size() - 3}) {
        EXPECT_NEAR(image.rgb[at], 100, 3);
        EXPECT_NEAR(image.rgb[at + 1], 50, 3);
        EXPECT_NEAR(image.rgb[at + 2], 30, 3);
    }
}

TEST(ProgramTest, FindsItsDataInAZipInTheWorkingDirectory) {
    TempFolder data;
    const std::string script = "BGDING 0 1000 1\n";
    WriteTestZip(data.Path() / "demodat.zip", {{"script.txt", {script.begin(), script.end()}},
                                               {"quorfoto.jpg", FlatJpeg(0, 200, 0)}});
    const ProgramResult run =
        RunProgram("/bin/sh",
                   {"-c", "cd '" + data.Path().string() + "' && exec '" + kProgram +
                              "' --screenshot 0 z.png --size 64x48"},
                   kHeadless);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    PngImage image;
    ASSERT_TRUE(ReadPng(data.Path() / "z.png", &image));
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 48);
    EXPECT_NEAR(image.rgb[1], 100, 3); // green tinted by half
}

TEST(ProgramTest, PlaysTheBuildsOwnDataFromItsZipWithoutStandIns) {
    TempFolder out;
    const auto shot = out.Path() / "show.png";
    const auto archive = std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat.zip";
    const ProgramResult run = RunProgram(
        kProgram,
        {"--data", archive.string(), "--screenshot", "30", shot.string(), "--size", "320x240"},
        kHeadless);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err.find("picture:"), std::string::npos) << run.err;
    PngImage image;
    ASSERT_TRUE(ReadPng(shot, &image));
    EXPECT_GT(*std::max_element(image.rgb.begin(), image.rgb.end()), 40);
}

TEST(ProgramTest, RefusesABadScriptWithEveryErrorBeforeAnyWindow) {
    TempFolder data;
    data.Write("script.txt", "# show\nBGDING 0 9000 1\nFOO 0 1000 1\nBGDING 5:00 4:00 2\n");
    const ProgramResult run = RunProgram(kProgram, {"--data", data.Path().string()}, kHeadless);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("script.txt:3: unknown effect 'FOO'"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("script.txt:4: "), std::string::npos) << run.err;
    // Refused before a surface was asked for: nothing about a display.
    EXPECT_EQ(run.err.find("display"), std::string::npos) << run.err;
}

TEST(ProgramTest, WithoutADisplayOrOutputSaysSoInOneLineAndExits2) {
    TempFolder data;
    data.Write("script.txt", "BGDING 0 1000 1\n");
    const ProgramResult run = RunProgram(kProgram, {"--data", data.Path().string()}, kHeadless);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--screenshot"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST(ProgramTest, MissingDataIsOneLineAndExit2) {
    TempFolder empty;
    const ProgramResult run =
        RunProgram(kProgram, {"--data", (empty.Path() / "nowhere").string()}, kHeadless);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST(ProgramTest, HelpNamesTheShowItsMakersAndEveryOption) {
    const ProgramResult run = RunProgram(kProgram, {"--help"}, kHeadless);
    EXPECT_EQ(run.exitStatus, 0);
    for (const char* text :
         {"quorvel 8", "tarvendolk", "--data", "--screenshot", "--shots", "--size", "--vsync"}) {
        EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
    }
}

// The option parser's own annotations (value types, counts, validators,
// negated defaults, exclusions) left in, or a line wider than a terminal.
TEST(ProgramTest, HelpIsInOurWordsWithin80Columns) {
    const ProgramResult run = RunProgram(kProgram, {"--help"}, kHeadless);
    ASSERT_EQ(run.exitStatus, 0);
    const std::regex annotation(
        R"(\b(TEXT|INT|UINT|FLOAT|NUMBER|NONNEGATIVE|POSITIVE|REQUIRED)\b| x \d|\{(true|false)\}|\b(Excludes|Needs|Env):)");
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
        EXPECT_FALSE(std::regex_search(line, annotation)) << line;
    }
}

// Lines said about anything but the pictures this small show leaves out.
int LinesBesidesPictures(const std::string& text) {
    std::istringstream lines(text);
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        count += line.rfind("picture: ", 0) != 0;
    }
    return count;
}

// A show with the music playing, rendered at 0:00.5 with no real sound output.
ProgramResult RunMusicShow(const std::string& audioDriver, bool withModule) {
    TempFolder data;
    data.Write("demodat/script.txt", "BASS 0:00 0:01 0\nBGDING 0:00 0:01 1\nEND 0:01\n");
    data.Write("demodat/quorfoto.jpg", FlatJpeg(0, 0, 200));
    if (withModule) {
        data.Write("demodat/Ar_8peos.xm", MakeTestModule());
    }
    std::vector<std::string> environment = kHeadless;
    environment.push_back("SDL_AUDIODRIVER=" + audioDriver);
    return RunProgram(kProgram,
                      {"--data", (data.Path() / "demodat").string(), "--screenshot", "0:00.5",
                       (data.Path() / "m.png").string(), "--size", "64x48"},
                      environment);
}

// Offscreen runs play the music on the silent device: no sound through the
// speakers, and no word about a device even where there is none.
TEST(ProgramTest, AnOffscreenRunNeverOpensTheSoundDevice) {
    const ProgramResult run = RunMusicShow("no-such-driver", true);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(LinesBesidesPictures(run.err), 0) << run.err;
}

TEST(ProgramTest, WithNoModuleTheShowRunsWithOneLine) {
    const ProgramResult run = RunMusicShow("no-such-driver", false);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(LinesBesidesPictures(run.err), 1) << run.err;
    EXPECT_NE(run.err.find("[Ar_8peos.xm]"), std::string::npos) << run.err;
}

TEST(GlTraceTest, PrintsNothingForTheMusic) {
    const ProgramResult run = RunProgram(kGlTrace, {"BASS", "0"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST(GlTraceTest, PrintsTheBackdropFrameCallByCall) {
    const ProgramResult run = RunProgram(kGlTrace, {"BGDING", "0"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const std::string expected = "glPushAttrib(0x46001)\n"
                                 "glMatrixMode(GL_PROJECTION)\n"
                                 "glPushMatrix()\n"
                                 "glLoadIdentity()\n"
                                 "glOrtho(0, 1, 0, 1, -1, 1)\n"
                                 "glColor3f(0.5, 0.5, 0.5)\n"
                                 "glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)\n"
                                 "glBindTexture(GL_TEXTURE_2D, 1)\n"
                                 "glEnable(GL_TEXTURE_2D)\n"
                                 "glDisable(GL_BLEND)\n"
                                 "glBegin(GL_QUADS)\n"
                                 "glTexCoord2f(0, 0)\n"
                                 "glVertex2f(0, 0)\n"
                                 "glTexCoord2f(0, 1)\n"
                                 "glVertex2f(0, 1)\n"
                                 "glTexCoord2f(1, 1)\n"
                                 "glVertex2f(1, 1)\n"
                                 "glTexCoord2f(1, 0)\n"
                                 "glVertex2f(1, 0)\n"
                                 "glEnd()\n"
                                 "glPopMatrix()\n"
                                 "glPopAttrib()\n";
    EXPECT_EQ(run.out, expected);
}

TEST(GlTraceTest, TakesNegativeTimesAndRefusesUnknownEffects) {
    const ProgramResult negative = RunProgram(kGlTrace, {"BGDING", "-1000"});
    EXPECT_EQ(negative.exitStatus, 0) << negative.err;
    EXPECT_NE(negative.out.find("glColor3f("), std::string::npos);
    const ProgramResult unknown = RunProgram(kGlTrace, {"NOPE", "0"});
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_NE(unknown.err.find("unknown effect 'NOPE'"), std::string::npos) << unknown.err;
}

// gltrace is a fresh process: FLARE's Init makes the first draws from the
// show's random source there, so its first flare sits at phase 41 times the
// phase step. Values worked out by hand.
TEST(GlTraceTest, FlareFollowsOnlyTheClockUpToItsLastMillisecond) {
    const ProgramResult first = RunProgram(kGlTrace, {"FLARE", "0", "--clock", "4294967295"});
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    EXPECT_NE(first.out.find("glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)\n"
                             "glColor3f(0.765749812, 0.488159269, 0.417609811)\n"
                             "glBegin(GL_QUADS)\n"
                             "glTexCoord2f(0, 0)\n"
                             "glVertex2f(-0.0430272371, -0.279949248)\n"),
              std::string::npos)
        << first.out;
    const ProgramResult later = RunProgram(kGlTrace, {"FLARE", "-77777", "--clock", "4294967295"});
    EXPECT_EQ(later.out, first.out);
}

TEST(GlTraceTest, PrintsEveryPictureAndSpriteLayer) {
    const std::pair<std::vector<std::string>, std::string> traces[] = {
        {{"GREETS", "72000"}, "glVertex2f(-0.155390605, -3)\n"},
        {{"LOGO", "-281"}, "glClear(0x4000)\n"},
        {{"LOGO", "-281"}, "glVertex2f(0.265109867, 0.265109867)\n"},
        {{"WORTEL", "0"}, "glVertex3f(0.589999974, 0.75999999, -0.449999988)\n"},
    };
    for (const auto& [args, line] : traces) {
        const ProgramResult run = RunProgram(kGlTrace, args);
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        EXPECT_NE(run.out.find(line), std::string::npos) << args[0] << "\n" << run.out;
        EXPECT_EQ(run.out.rfind("glPopAttrib()\n"), run.out.size() - 14) << args[0];
    }
}

} // namespace

#include "platform/host/options/HostOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int Parse(std::vector<std::string> args, HostOptions* options,
          const ShowIdentity& show = {"quorvel 8", "tarvendolk"}) {
    args.insert(args.begin(), "quorvel8");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    return ParseHostOptions(static_cast<int>(argv.size()), argv.data(), show, options);
}

TEST(HostOptionsTest, ReadsScreenshotSizeDataAndVsync) {
    HostOptions options;
    ASSERT_EQ(
        Parse({"--screenshot", "4.5", "a.png", "--size", "640x480", "--data", "d.zip"}, &options),
        -1);
    ASSERT_TRUE(options.screenshot);
    EXPECT_EQ(options.screenshot->timeMs, 4500);
    EXPECT_EQ(options.screenshot->file, "a.png");
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    EXPECT_EQ(options.dataPath, "d.zip");
    HostOptions live;
    ASSERT_EQ(Parse({"--vsync", "off"}, &live), -1);
    EXPECT_FALSE(live.vsync);
}

TEST(HostOptionsTest, RefusesMalformedValuesWithExitStatus2) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--screenshot", "soon", "a.png"},
          {"--screenshot", "1"},
          {"--size", "640"},
          {"--size", "0x0"},
          {"--size", "640x480x2"},
          {"--vsync", "maybe"},
          {"--start", "soon"},
          {"--end", "soon"},
          {"--aspect", "wide"},
          {"--display", "-1"},
          {"--audio-offset", "x"},
          {"--no-such-option"}}) {
        HostOptions options;
        EXPECT_EQ(Parse(args, &options), 2) << args[0];
    }
}

TEST(HostOptionsTest, TheStartupValuesAreTheDefaultsAndTheCommandLineOverrulesThem) {
    HostOptions plain;
    ASSERT_EQ(Parse({}, &plain), -1);
    EXPECT_FALSE(plain.viewer.fullscreen);
    EXPECT_TRUE(plain.viewer.sound);
    EXPECT_FALSE(plain.viewer.loop);
    EXPECT_FALSE(plain.viewer.check);

    const ShowIdentity compo{"quorvel 8", "tarvendolk", true, false, false, false, true};
    HostOptions defaults;
    ASSERT_EQ(Parse({}, &defaults, compo), -1);
    EXPECT_TRUE(defaults.viewer.fullscreen);
    EXPECT_FALSE(defaults.vsync);
    EXPECT_FALSE(defaults.viewer.sound);
    EXPECT_TRUE(defaults.viewer.stretch);
    EXPECT_TRUE(defaults.viewer.loop);

    HostOptions overruled;
    ASSERT_EQ(
        Parse({"--windowed", "--once", "--aspect", "keep", "--vsync", "on"}, &overruled, compo),
        -1);
    EXPECT_FALSE(overruled.viewer.fullscreen);
    EXPECT_FALSE(overruled.viewer.loop);
    EXPECT_FALSE(overruled.viewer.stretch);
    EXPECT_TRUE(overruled.vsync);
}

TEST(HostOptionsTest, ReadsTheViewersOptions) {
    HostOptions options;
    ASSERT_EQ(
        Parse({"--fullscreen", "--display", "1", "--aspect", "stretch", "--no-sound",
               "--audio-offset", "-40", "--dev", "--start", "1:03", "--end", "1:48", "--loop"},
              &options),
        -1);
    EXPECT_TRUE(options.viewer.fullscreen);
    EXPECT_EQ(options.viewer.display, 1);
    EXPECT_TRUE(options.viewer.stretch);
    EXPECT_FALSE(options.viewer.sound);
    EXPECT_EQ(options.viewer.audioOffsetMs, -40);
    EXPECT_TRUE(options.viewer.dev);
    EXPECT_EQ(options.viewer.startMs, 63000);
    EXPECT_EQ(options.viewer.endMs, 108000);
    EXPECT_TRUE(options.viewer.loop);
    HostOptions check;
    ASSERT_EQ(Parse({"--check"}, &check), -1);
    EXPECT_TRUE(check.viewer.check);
}

TEST(HostOptionsTest, CommandLineTimesAreSecondsOrMinutesAndSeconds) {
    int timeMs = -1;
    EXPECT_TRUE(ParseCommandLineTime("15", &timeMs));
    EXPECT_EQ(timeMs, 15000);
    EXPECT_TRUE(ParseCommandLineTime("0.25", &timeMs));
    EXPECT_EQ(timeMs, 250);
    EXPECT_TRUE(ParseCommandLineTime("1:03.5", &timeMs));
    EXPECT_EQ(timeMs, 63500);
    for (const char* bad : {"", ".5", "1.", "1.2345", "-1", "1e3", "90000", "x"}) {
        EXPECT_FALSE(ParseCommandLineTime(bad, &timeMs)) << bad;
    }
}

} // namespace

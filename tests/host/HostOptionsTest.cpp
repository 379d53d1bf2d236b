#include "platform/host/HostOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int Parse(std::vector<std::string> args, HostOptions* options) {
    args.insert(args.begin(), "quorvel8");
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    return ParseHostOptions(static_cast<int>(argv.size()), argv.data(), {"quorvel 8", "tarvendolk"},
                            options);
}

TEST(HostOptionsTest, ReadsScreenshotSizeDataAndVsync) {
    HostOptions options;
    ASSERT_EQ(Parse({"--screenshot", "4.5", "a.png", "--size", "640x480", "--data", "d.zip",
                     "--vsync", "off"},
                    &options),
              -1);
    ASSERT_TRUE(options.screenshot);
    EXPECT_EQ(options.screenshot->timeMs, 4500);
    EXPECT_EQ(options.screenshot->file, "a.png");
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    EXPECT_EQ(options.dataPath, "d.zip");
    EXPECT_FALSE(options.vsync);
}

TEST(HostOptionsTest, RefusesMalformedValuesWithExitStatus2) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--screenshot", "soon", "a.png"},
          {"--screenshot", "1"},
          {"--size", "640"},
          {"--size", "0x0"},
          {"--size", "640x480x2"},
          {"--vsync", "maybe"},
          {"--no-such-option"}}) {
        HostOptions options;
        EXPECT_EQ(Parse(args, &options), 2) << args[0];
    }
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

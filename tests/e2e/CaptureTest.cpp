// Capture through the real program: what the file holds, that it is the same
// on every run, and that an interrupted capture still plays.
#include "platform/host/options/CaptureOptions.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestModule.h"
#include "tests/support/VideoProbe.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace {

const std::string kProgram = QUORVEL8_PROGRAM;
const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY"};
constexpr int kSampleRate = 44100;

std::vector<unsigned char> GradientJpeg() {
    std::vector<std::uint8_t> rgb(64 * 64 * 3);
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        const auto x = static_cast<std::uint8_t>(i / 3 % 64 * 4);
        rgb[i] = x;
        rgb[i + 1] = static_cast<std::uint8_t>(255 - x);
        rgb[i + 2] = 90;
    }
    return EncodeTestJpeg(64, 64, rgb);
}

// A backdrop under moving flares, with the music from 1 s on.
std::filesystem::path WriteShow(TempFolder& folder, const std::string& end) {
    folder.Write("demodat/script.txt", "BASS 0:01 " + end + " 0\nBGDING 0 " + end + " 1\nFLARE 0 " +
                                           end + " 2\nEND " + end + "\n");
    folder.Write("demodat/quorfoto.jpg", GradientJpeg());
    folder.Write("demodat/flare.jpg", GradientJpeg());
    folder.Write("demodat/Ar_8peos.xm", MakeTestModule());
    return folder.Path() / "demodat";
}

// The build's own pictures under a backdrop and flares, half a second long.
std::filesystem::path WriteShortShowFromTheBuildsData(TempFolder& folder) {
    const auto data = folder.Path() / "demodat";
    std::filesystem::copy(std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat", data);
    folder.Write("demodat/script.txt", "BGDING 0 0:00.500 1\nFLARE 0 0:00.500 2\nEND 0:00.500\n");
    return data;
}

double MeanDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        sum += std::abs(a[i] - b[i]);
    }
    return sum / static_cast<double>(a.size());
}

ProgramResult Capture(const std::filesystem::path& data, const std::filesystem::path& file) {
    return RunProgram(kProgram,
                      {"--data", data.string(), "--capture", file.string(), "--size", "160x120"},
                      kHeadless);
}

double Loudness(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to && i < samples.size(); ++i) {
        sum += std::fabs(samples[i]);
    }
    return sum / static_cast<double>(to - from);
}

// What the program said, less the lines about pictures this small show leaves out.
std::vector<std::string> LinesBesidesPictures(const std::string& err) {
    std::istringstream lines(err);
    std::vector<std::string> said;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("picture: ", 0) != 0) {
            said.push_back(line);
        }
    }
    return said;
}

// N of the program's "stopped after N of M frames"; -1 when it did not say.
long long FramesSaidStoppedAfter(const std::string& err) {
    const std::string key = "stopped after ";
    const std::size_t at = err.find(key);
    return at == std::string::npos ? -1 : std::atoll(err.c_str() + at + key.size());
}

TEST(CaptureTest, FiveSecondsAreStreamableBt709H264At60FpsWithAacSoundFromTheMusicsStart) {
    TempFolder folder;
    const auto data = WriteShow(folder, "0:05");
    const auto file = folder.Path() / "show.mp4";
    const ProgramResult run = Capture(data, file);
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.err.find("capture:"), std::string::npos) << "no progress line off a terminal";

    const ProbedVideo video = ProbeVideo(file);
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.videoCodec, "h264");
    EXPECT_EQ(video.width, 160);
    EXPECT_EQ(video.height, 120);
    EXPECT_EQ(video.fpsNum / video.fpsDen, 60);
    EXPECT_EQ(video.frameHashes.size(), 300u);
    EXPECT_NE(video.frameHashes.front(), video.frameHashes.back()) << "the flares move";
    // The index comes before the media, so a browser plays while it downloads.
    const auto& boxes = video.topLevelBoxes;
    const auto index = std::find(boxes.begin(), boxes.end(), "moov");
    ASSERT_NE(index, boxes.end());
    EXPECT_LT(index, std::find(boxes.begin(), boxes.end(), "mdat"));
    EXPECT_EQ(video.colorSpace, "bt709");
    EXPECT_EQ(video.colorPrimaries, "bt709");
    EXPECT_EQ(video.colorTransfer, "bt709");
    EXPECT_EQ(video.colorRange, "tv");

    EXPECT_EQ(video.audioCodec, "aac");
    EXPECT_EQ(video.sampleRate, kSampleRate);
    EXPECT_EQ(video.channels, 2);
    EXPECT_NEAR(static_cast<double>(video.left.size()), 5.0 * kSampleRate, 1024);
    // Silence until the music's run starts at 1 s, then the module's note.
    EXPECT_LT(Loudness(video.left, 0, kSampleRate * 9 / 10), 1e-3);
    EXPECT_GT(Loudness(video.left, kSampleRate * 11 / 10, kSampleRate * 2), 1e-2);
}

// A range of it: frame n shows start + round(n * 1000 / fps), so the 24 frames
// from 0.1 s show 0.1 s to 0.483 s.
TEST(CaptureTest, ALosslessRangeDecodesToTheScreenshotsOfItsFirstAndLastTimes) {
    TempFolder folder;
    const auto data = WriteShortShowFromTheBuildsData(folder);
    const auto file = folder.Path() / "lossless.mp4";
    const ProgramResult capture =
        RunProgram(kProgram,
                   {"--data", data.string(), "--capture", file.string(), "--size", "320x240",
                    "--lossless", "--start", "0.1", "--end", "0.5"},
                   kHeadless);
    ASSERT_EQ(capture.exitStatus, 0) << capture.err;
    const auto screenshot = [&](const std::string& time) {
        const auto shot = folder.Path() / (time + ".png");
        const ProgramResult run = RunProgram(
            kProgram,
            {"--data", data.string(), "--screenshot", time, shot.string(), "--size", "320x240"},
            kHeadless);
        EXPECT_EQ(run.exitStatus, 0) << run.err;
        return ProbeVideo(shot).firstFrameRgb;
    };

    const ProbedVideo video = ProbeVideo(file);
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.videoCodec, "h264");
    EXPECT_EQ(video.colorSpace, "gbr");
    EXPECT_EQ(video.colorRange, "pc");
    EXPECT_EQ(video.frameHashes.size(), 24u);
    EXPECT_EQ(video.audioCodec, "aac");
    const std::vector<std::uint8_t> first = screenshot("0.1");
    ASSERT_EQ(first.size(), 320u * 240u * 3u);
    EXPECT_TRUE(video.firstFrameRgb == first)
        << "mean difference " << MeanDifference(video.firstFrameRgb, first);
    EXPECT_TRUE(video.lastFrameRgb == screenshot("0.483"));
}

TEST(CaptureTest, ASupersampledFrameIsCloseToThePlainOneButNotIt) {
    TempFolder folder;
    const auto data = WriteShortShowFromTheBuildsData(folder);
    // At --crf 0 the encoder changes next to nothing: what differs is the filtering.
    std::vector<ProbedVideo> videos;
    for (const std::string factor : {"1", "2"}) {
        const auto file = folder.Path() / ("x" + factor + ".mp4");
        const ProgramResult run =
            RunProgram(kProgram,
                       {"--data", data.string(), "--capture", file.string(), "--size", "320x240",
                        "--crf", "0", "--supersample", factor},
                       kHeadless);
        ASSERT_EQ(run.exitStatus, 0) << run.err;
        videos.push_back(ProbeVideo(file));
        EXPECT_EQ(videos.back().width, 320);
        ASSERT_EQ(videos.back().firstFrameRgb.size(), 320u * 240u * 3u);
    }
    const double difference = MeanDifference(videos[0].firstFrameRgb, videos[1].firstFrameRgb);
    // Edges and fine detail come out smoother; a frame off by one pixel differs by about 3.
    EXPECT_GT(difference, 0.3) << "--supersample was ignored";
    EXPECT_LT(difference, 2.0);
}

TEST(CaptureTest, TwoCapturesOfTheSameShowDecodeToTheSameFrames) {
    TempFolder folder;
    const auto data = WriteShow(folder, "0:05");
    const ProgramResult first = Capture(data, folder.Path() / "a.mp4");
    const ProgramResult second = Capture(data, folder.Path() / "b.mp4");
    ASSERT_EQ(first.exitStatus, 0) << first.err;
    ASSERT_EQ(second.exitStatus, 0) << second.err;
    const ProbedVideo a = ProbeVideo(folder.Path() / "a.mp4");
    const ProbedVideo b = ProbeVideo(folder.Path() / "b.mp4");
    ASSERT_EQ(a.frameHashes.size(), 300u);
    EXPECT_EQ(a.frameHashes, b.frameHashes);
    EXPECT_EQ(a.left, b.left);
}

// Ctrl-C and a closed terminal's SIGHUP alike; under nohup, SIGHUP is left
// ignored and the capture runs to its end.
TEST(CaptureTest, InterruptedCaptureIsFinishedAndPlaysWhatWasRendered) {
    TempFolder folder;
    const auto data = WriteShow(folder, "2:00");
    const auto file = folder.Path() / "cut.mp4";
    const auto err = folder.Path() / "err";
    // The header is written before the first frame, into the file that takes
    // the capture's name when finished: wait for it, then let some frames through.
    auto startAndSignal = [&](const std::string& program, std::vector<std::string> args,
                              int signal) {
        args.insert(args.end(), {"--data", data.string(), "--capture", file.string()});
        const pid_t child = StartProgram(program, args, kHeadless, "/dev/null", err.string());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        auto started = [&] {
            std::error_code error;
            for (const auto& entry : std::filesystem::directory_iterator(folder.Path(), error)) {
                if (entry.path().filename().string().rfind(".cut.mp4.", 0) == 0 &&
                    entry.file_size(error) > 0) {
                    return true;
                }
            }
            return false;
        };
        while (!started() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        kill(child, signal);
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    for (const int signal : {SIGINT, SIGHUP}) {
        EXPECT_EQ(startAndSignal(kProgram, {"--size", "160x120"}, signal), 128 + signal);
        const ProbedVideo video = ProbeVideo(file);
        ASSERT_TRUE(video.opened) << signal;
        EXPECT_EQ(video.videoCodec, "h264");
        ASSERT_GT(video.frameHashes.size(), 0u);
        EXPECT_EQ(static_cast<long long>(video.frameHashes.size()),
                  FramesSaidStoppedAfter(ReadTextFile(err)));
        EXPECT_EQ(video.audioCodec, "aac");
        // The sound ends with the last picture.
        const double pictureSeconds = static_cast<double>(video.frameHashes.size()) / 60.0;
        EXPECT_NEAR(static_cast<double>(video.left.size()) / kSampleRate, pictureSeconds, 0.05);
    }
    EXPECT_EQ(startAndSignal("/usr/bin/nohup", {kProgram, "--size", "16x16"}, SIGHUP), 0);
    EXPECT_EQ(ProbeVideo(file).frameHashes.size(), 120u * 60u);
}

// The capture runs on a 3 MiB disk of its own, mounted in a mount namespace
// of its own so that nothing stays mounted; where this machine allows no such
// mount, the test is skipped.
TEST(CaptureTest, AFullDiskStopsTheCaptureWithOneLineAndTheFilePlaysWhatWasWritten) {
    const std::string unshare = "/usr/bin/unshare";
    const std::vector<std::string> namespaces = {geteuid() == 0 ? "-m" : "-rm"};
    TempFolder folder;
    const auto data = WriteShow(folder, "2:00");
    const auto disk = folder.Path() / "disk";
    std::filesystem::create_directory(disk);
    std::vector<std::string> probe = namespaces;
    probe.insert(probe.end(), {"sh", "-c", "mount -t tmpfs -o size=3m tmpfs \"$1\"", "sh", disk});
    if (!std::filesystem::exists(unshare) || RunProgram(unshare, probe).exitStatus != 0) {
        GTEST_SKIP() << "no small disk can be mounted here";
    }

    const auto kept = folder.Path() / "kept.mp4";
    std::vector<std::string> args = namespaces;
    args.insert(args.end(), {"sh", "-c",
                             "mount -t tmpfs -o size=3m tmpfs \"$1\" || exit 99\n"
                             "\"$2\" --data \"$3\" --capture \"$1/x.mp4\" --size 160x120\n"
                             "status=$?\ncp \"$1/x.mp4\" \"$4\" && exit $status",
                             "sh", disk, kProgram, data, kept});
    const ProgramResult run = RunProgram(unshare, args, kHeadless);
    ASSERT_EQ(run.exitStatus, 2) << run.err;
    const std::vector<std::string> said = LinesBesidesPictures(run.err);
    ASSERT_EQ(said.size(), 1u) << run.err;
    EXPECT_EQ(said[0].rfind("capture: [" + (disk / "x.mp4").string() +
                                "] cannot write: the disk is full; stopped after ",
                            0),
              0u)
        << run.err;

    const ProbedVideo video = ProbeVideo(kept);
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.videoCodec, "h264");
    ASSERT_GT(video.frameHashes.size(), 60u);
    EXPECT_LT(video.frameHashes.size(), 120u * 60u);
    EXPECT_EQ(static_cast<long long>(video.frameHashes.size()), FramesSaidStoppedAfter(run.err));
    EXPECT_EQ(video.audioCodec, "aac");
    // The sound runs on past the last picture by at most the frames the
    // picture's encoder still held.
    const double pictureSeconds = static_cast<double>(video.frameHashes.size()) / 60.0;
    EXPECT_NEAR(static_cast<double>(video.left.size()) / kSampleRate, pictureSeconds, 0.5);
}

// Under a 3 GB address-space limit; the sanitizers reserve address space of
// their own, so only the plain build can tell.
TEST(CaptureTest, ACaptureTooLargeForTheAddressSpaceLimitIsRefusedWithOneLineAndASmallOneRuns) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizers reserve address space of their own";
#endif
    TempFolder folder;
    const auto data = WriteShow(folder, "0:02");
    const auto file = folder.Path() / "x.mp4";
    auto limited = [&](const std::string& size, const std::string& supersample) {
        return RunProgram("/usr/bin/prlimit",
                          {"--as=3000000000", kProgram, "--data", data.string(), "--capture",
                           file.string(), "--size", size, "--supersample", supersample},
                          kHeadless);
    };
    const ProgramResult large = limited("3840x2160", "4");
    EXPECT_EQ(large.exitStatus, 2);
    const std::vector<std::string> said = LinesBesidesPictures(large.err);
    ASSERT_EQ(said.size(), 1u) << large.err;
    EXPECT_EQ(said[0].rfind("capture: [" + file.string() +
                                "] a 3840x2160 capture at --supersample 4 needs about 2.9 GB for "
                                "its frames; the address-space limit (RLIMIT_AS) leaves ",
                            0),
              0u)
        << large.err;
    EXPECT_FALSE(std::filesystem::exists(file));

    const ProgramResult small = limited("160x120", "2");
    EXPECT_EQ(small.exitStatus, 0) << small.err;
    EXPECT_TRUE(ProbeVideo(file).opened);
}

TEST(CaptureTest, RefusesAnOddSizeABadRateOrABadSupersamplingWithOneLine) {
    TempFolder folder;
    const auto data = WriteShow(folder, "0:02");
    for (const std::vector<std::string>& extra : {std::vector<std::string>{"--size", "161x120"},
                                                  {"--fps", "0"},
                                                  {"--fps", "30/"},
                                                  {"--supersample", "5"}}) {
        std::vector<std::string> args = {"--data", data.string(), "--capture",
                                         (folder.Path() / "x.mp4").string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const ProgramResult run = RunProgram(kProgram, args, kHeadless);
        EXPECT_EQ(run.exitStatus, 2) << extra[1];
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("quorvel8: " + extra[0] + ": ", 0), 0u) << run.err;
    }
}

TEST(CaptureTest, AFileThatCannotBeWrittenIsOneLineAndExit2) {
    TempFolder folder;
    const auto data = WriteShow(folder, "0:02");
    // No such folder; a device that is always full.
    for (const std::string& file :
         {(folder.Path() / "missing" / "x.mp4").string(), std::string("/dev/full")}) {
        const ProgramResult run = RunProgram(
            kProgram, {"--data", data.string(), "--capture", file, "--size", "160x120"}, kHeadless);
        EXPECT_EQ(run.exitStatus, 2) << file;
        const std::vector<std::string> said = LinesBesidesPictures(run.err);
        ASSERT_EQ(said.size(), 1u) << run.err;
        EXPECT_EQ(said[0].rfind("capture: [" + file + "] ", 0), 0u) << run.err;
    }
}

} // namespace

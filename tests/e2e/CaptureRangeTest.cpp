// A capture of part of the show: its frames are the range's, and its sound is
// the music from where the range starts it, to the sample.
#include "platform/audio/ModuleDecoder.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VideoProbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY"};
const std::filesystem::path kData = std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat";
constexpr int kSampleRate = 44100;

// The show's own module and logo, with the music from musicStart.
std::filesystem::path WriteShow(TempFolder& folder, const std::string& musicStart) {
    for (const char* name : {"Ar_8peos.xm", "logo.jpg"}) {
        std::ifstream in(kData / name, std::ios::binary);
        folder.Write(std::string("demodat/") + name,
                     std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
    }
    folder.Write("demodat/script.txt", "BASS " + musicStart + " 0:20 0\nLOGO 0 0:20 1\nEND 0:20\n");
    return folder.Path() / "demodat";
}

ProbedVideo CaptureRange(const TempFolder& folder, const std::filesystem::path& data,
                         const std::string& start, const std::string& end) {
    const auto file = folder.Path() / ("range-" + start + ".mp4");
    const ProgramResult run = RunProgram(QUORVEL8_PROGRAM,
                                         {"--data", data.string(), "--capture", file.string(),
                                          "--size", "160x120", "--start", start, "--end", end},
                                         kHeadless);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    return ProbeVideo(file);
}

// The module's first channel from fromMs on, as the music player renders it
// after a seek there.
std::vector<float> ModuleFrom(int fromMs, int lengthMs) {
    std::ifstream in(kData / "Ar_8peos.xm", std::ios::binary);
    const std::vector<unsigned char> bytes(std::istreambuf_iterator<char>(in), {});
    std::string error;
    const auto decoder = ModuleDecoder::Load(bytes.data(), bytes.size(), &error);
    EXPECT_NE(decoder, nullptr) << error;
    decoder->SeekToFrame(kSampleRate, static_cast<std::int64_t>(fromMs) * kSampleRate / 1000);
    const std::size_t frames = static_cast<std::size_t>(lengthMs) * kSampleRate / 1000;
    std::vector<float> stereo(2 * frames);
    decoder->Render(kSampleRate, stereo.data(), frames);
    std::vector<float> left;
    for (std::size_t i = 0; i < frames; ++i) {
        left.push_back(stereo[2 * i]);
    }
    return left;
}

// The shift of heard against expected, in samples, that matches them best
// over their first second, within +-maxShift; and how well (1 is exact).
std::pair<int, double> BestShift(const std::vector<float>& heard,
                                 const std::vector<float>& expected, int maxShift) {
    std::pair<int, double> best{0, -1.0};
    for (int shift = -maxShift; shift <= maxShift; ++shift) {
        double dot = 0, heardEnergy = 0, expectedEnergy = 0;
        for (int i = maxShift; i < kSampleRate; ++i) {
            const double h = heard[static_cast<std::size_t>(i + shift)];
            const double e = expected[static_cast<std::size_t>(i)];
            dot += h * e;
            heardEnergy += h * h;
            expectedEnergy += e * e;
        }
        const double match = dot / std::sqrt(heardEnergy * expectedEnergy + 1e-30);
        if (match > best.second) {
            best = {shift, match};
        }
    }
    return best;
}

// heard is the music from fromMs on, to within 3 ms.
void ExpectTheMusicFrom(const std::vector<float>& heard, int fromMs) {
    ASSERT_GT(heard.size(), static_cast<std::size_t>(kSampleRate + 2000));
    const auto [shift, match] = BestShift(heard, ModuleFrom(fromMs, 1100), 2000);
    EXPECT_LE(std::abs(shift), kSampleRate * 3 / 1000) << "samples off: " << shift;
    EXPECT_GT(match, 0.9);
}

double Loudness(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to && i < samples.size(); ++i) {
        sum += std::fabs(samples[i]);
    }
    return sum / static_cast<double>(to - from);
}

TEST(CaptureRangeTest, ARangeHasItsFramesAndTheMusicFromWhereItStarts) {
    TempFolder folder;
    const auto data = WriteShow(folder, "0:01");
    // Between rows of the module: 3.5 s into the music.
    const ProbedVideo video = CaptureRange(folder, data, "4.5", "6.5");
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.frameHashes.size(), 120u);
    ExpectTheMusicFrom(video.left, 3500);
}

TEST(CaptureRangeTest, TheSoundIsSilentUntilTheMusicsRunStartsInTheRange) {
    TempFolder folder;
    const auto data = WriteShow(folder, "0:03");
    const ProbedVideo video = CaptureRange(folder, data, "2", "4.5");
    ASSERT_TRUE(video.opened);
    EXPECT_EQ(video.frameHashes.size(), 150u);
    EXPECT_LT(Loudness(video.left, 0, kSampleRate * 9 / 10), 1e-4);
    ExpectTheMusicFrom({video.left.begin() + kSampleRate, video.left.end()}, 0);
}

} // namespace

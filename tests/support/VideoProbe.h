// What a video file holds, read back through libavformat and decoded: the
// checks a person would make with ffprobe and a player.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct ProbedVideo {
    bool opened = false;
    std::string videoCodec; // libav's short name: "h264"
    int width = 0;
    int height = 0;
    int fpsNum = 0; // the stream's average frame rate
    int fpsDen = 1;
    std::vector<std::uint64_t> frameHashes; // one per decoded picture, in order
    std::string audioCodec;                 // "aac"
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> left; // the first channel, every decoded sample
};

ProbedVideo ProbeVideo(const std::filesystem::path& file);

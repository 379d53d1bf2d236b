// What a video file holds, read back through libavformat and decoded: the
// checks a person would make with ffprobe and a player. A picture file (PNG)
// reads as a video of one frame.
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
    // The colour the stream states, in libav's names: "bt709", "gbr"; range "tv" or "pc".
    std::string colorSpace;
    std::string colorPrimaries;
    std::string colorTransfer;
    std::string colorRange;
    std::vector<std::uint64_t> frameHashes; // one per decoded picture, in order
    // The first decoded picture as RGB, top row first: exact from RGB pictures,
    // converted as the stream states its colour from YUV ones.
    std::vector<std::uint8_t> firstFrameRgb;
    std::vector<std::uint8_t> lastFrameRgb; // likewise the last

    std::string audioCodec; // "aac"
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> left; // the first channel, every decoded sample
    // The file's top-level boxes in order ("ftyp", "moov", "mdat"); empty for
    // what is not an MP4 file.
    std::vector<std::string> topLevelBoxes;
};

ProbedVideo ProbeVideo(const std::filesystem::path& file);

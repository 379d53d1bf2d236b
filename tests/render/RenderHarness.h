// A real GL frame buffer on Mesa (EGL, offscreen) with the host's texture
// loading installed, so effects run exactly as in the show, one call at a time.
#pragma once

#include "platform/host/ShowSession.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

using Rgb = std::array<int, 3>;

class RenderHarness {
  public:
    // files: the data the effects load, by name.
    RenderHarness(int width, int height,
                  const std::map<std::string, std::vector<unsigned char>>& files);

    // Binds the frame buffer and sets the host's starting state for a frame.
    void BeginFrame();
    // Reads the frame back; At(x, y) with y = 0 the bottom row.
    void ReadBack();
    Rgb At(int x, int y) const;

    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    int width_;
    int height_;
    TempFolder folder_;
    std::unique_ptr<ShowSession> session_;
    std::vector<std::uint8_t> pixels_;
};

// A flat-coloured picture in four quadrants, top row first as the JPEG stores
// it: top-left, top-right, bottom-left, bottom-right.
std::vector<unsigned char> QuadrantJpeg(int side, Rgb topLeft, Rgb topRight, Rgb bottomLeft,
                                        Rgb bottomRight);

// Within one step of 8-bit rounding and JPEG noise on each channel.
::testing::AssertionResult ColourNear(const Rgb& actual, const Rgb& expected, int tolerance = 3);

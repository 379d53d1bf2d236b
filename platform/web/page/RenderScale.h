// How much of the full drawing buffer the page renders while the show plays.
// Where frames come slower than the display asks for them (the browser's
// software renderer, a weak phone), the scale goes down until they keep up,
// and back up when a while of quick frames leaves room: the show keeps its
// motion rather than its sharpness. Only the time of each frame goes in, so
// the rule is the same for every browser; the caller applies the scale.
#pragma once

#include <array>
#include <cstddef>

class RenderScale {
  public:
    // lowest: the smallest scale allowed (640x480 of the full size, or 1).
    explicit RenderScale(double lowest);

    // A frame begins at nowMs (the page's clock).
    void Frame(double nowMs);
    double Scale() const { return scale_; }

  private:
    static constexpr std::size_t kWindow = 15;

    void Judge(double medianMs, double nowMs);

    double lowest_;
    double scale_ = 1.0;
    double lastFrameMs_ = -1.0;
    std::array<double, kWindow> intervals_{};
    std::size_t counted_ = 0;
    // A scale found too slow; not tried again until ceilingUntilMs_.
    double ceiling_ = 1.0;
    double ceilingUntilMs_ = 0.0;
    double quickSinceMs_ = -1.0;
};

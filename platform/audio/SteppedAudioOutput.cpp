// The stepped device: a capture pulls the mixer's frames itself, in step with
// its pictures, so nothing here runs on its own.
#include "platform/audio/AudioOutput.h"

namespace {

class SteppedAudioOutput : public AudioOutput {
  public:
    void Start() override {}
    std::int64_t LatencyFrames() const override { return 0; }
};

} // namespace

std::unique_ptr<AudioOutput> OpenSteppedOutput() {
    return std::make_unique<SteppedAudioOutput>();
}

// Where mixed frames go: a sound device through SDL, a silent device that
// consumes them in real time, or a stepped one that the host pulls. The first
// two call MusicMixer::Fill from a thread of their own, from Start until they
// are destroyed; destroying one stops that thread before it returns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class MusicMixer;

class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    // Runs the output; calling it again changes nothing.
    virtual void Start() = 0;
    // Frames handed over but not yet heard: what the output queues ahead.
    virtual std::int64_t LatencyFrames() const = 0;
};

// The default sound device, paused. Null with *error when SDL has none.
std::unique_ptr<AudioOutput> OpenSdlOutput(MusicMixer& mixer, int sampleRate, std::string* error);

// Never fails.
std::unique_ptr<AudioOutput> OpenSilentOutput(MusicMixer& mixer, int sampleRate);

// No thread: the frames go where PullSteppedOutput takes them, and nothing
// queues ahead of the listener.
std::unique_ptr<AudioOutput> OpenSteppedOutput();

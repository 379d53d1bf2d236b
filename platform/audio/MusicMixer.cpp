#include "platform/audio/MusicMixer.h"

#include <algorithm>

MusicMixer::MusicMixer(int sampleRate) : sampleRate_(sampleRate) {}

MusicMixer::Music* MusicMixer::Find(std::uint32_t handle) {
    const auto found = std::find_if(musics_.begin(), musics_.end(),
                                    [&](const Music& music) { return music.handle == handle; });
    return found == musics_.end() ? nullptr : &*found;
}

const MusicMixer::Music* MusicMixer::Find(std::uint32_t handle) const {
    return const_cast<MusicMixer*>(this)->Find(handle);
}

void MusicMixer::Add(std::uint32_t handle, std::unique_ptr<ModuleDecoder> decoder) {
    const std::lock_guard<std::mutex> hold(lock_);
    const std::uint32_t playingHandle = playing_ != nullptr ? playing_->handle : 0;
    musics_.push_back({handle, std::move(decoder), 0});
    // The vector may have moved: find the playing music again.
    playing_ = playingHandle != 0 ? Find(playingHandle) : nullptr;
}

bool MusicMixer::Play(std::uint32_t handle) {
    const std::lock_guard<std::mutex> hold(lock_);
    Music* music = Find(handle);
    if (music == nullptr) {
        return false;
    }
    playing_ = music;
    lastFillFrames_ = 0;
    return true;
}

bool MusicMixer::PlayFrom(std::uint32_t handle, std::int64_t positionMs) {
    const std::lock_guard<std::mutex> hold(lock_);
    Music* music = Find(handle);
    if (music == nullptr) {
        return false;
    }
    const std::int64_t landedMs = music->decoder->Seek(positionMs);
    music->playedFrames = landedMs * sampleRate_ / 1000;
    playing_ = music;
    lastFillFrames_ = 0;
    return true;
}

std::int64_t MusicMixer::PositionMs(std::uint32_t handle) const {
    const std::lock_guard<std::mutex> hold(lock_);
    const Music* music = Find(handle);
    return music == nullptr ? 0 : music->playedFrames * 1000 / sampleRate_;
}

void MusicMixer::SetGain(float gain) {
    const std::lock_guard<std::mutex> hold(lock_);
    gain_ = gain;
}

bool MusicMixer::HeardPositionMs(std::int64_t latencyFrames, double* positionMs) const {
    const std::lock_guard<std::mutex> hold(lock_);
    if (playing_ == nullptr) {
        return false;
    }
    double heardFrames = static_cast<double>(playing_->playedFrames - latencyFrames);
    if (!paused_) {
        const std::chrono::duration<double> sinceFill =
            std::chrono::steady_clock::now() - lastFillAt_;
        heardFrames +=
            std::min(sinceFill.count() * sampleRate_, static_cast<double>(lastFillFrames_));
    }
    *positionMs = std::max(heardFrames, 0.0) * 1000.0 / sampleRate_;
    return true;
}

bool MusicMixer::SeekPlaying(std::int64_t positionMs) {
    const std::lock_guard<std::mutex> hold(lock_);
    if (playing_ == nullptr) {
        return false;
    }
    const std::int64_t frame = std::max<std::int64_t>(positionMs, 0) * sampleRate_ / 1000;
    playing_->decoder->SeekToFrame(sampleRate_, frame);
    playing_->playedFrames = frame;
    lastFillAt_ = std::chrono::steady_clock::now();
    lastFillFrames_ = 0;
    return true;
}

void MusicMixer::SetPaused(bool paused) {
    const std::lock_guard<std::mutex> hold(lock_);
    paused_ = paused;
    lastFillFrames_ = 0;
}

std::int64_t MusicMixer::LengthMs(std::uint32_t handle) const {
    const std::lock_guard<std::mutex> hold(lock_);
    const Music* music = Find(handle);
    return music == nullptr ? -1 : music->decoder->LengthMs();
}

void MusicMixer::Fill(float* interleaved, std::size_t numFrames) {
    const std::lock_guard<std::mutex> hold(lock_);
    if (playing_ == nullptr || paused_) {
        std::fill(interleaved, interleaved + 2 * numFrames, 0.0f);
        return;
    }
    playing_->decoder->Render(sampleRate_, interleaved, numFrames);
    playing_->playedFrames += static_cast<std::int64_t>(numFrames);
    lastFillAt_ = std::chrono::steady_clock::now();
    lastFillFrames_ = static_cast<std::int64_t>(numFrames);
    if (gain_ != 1.0f) {
        for (std::size_t i = 0; i < 2 * numFrames; ++i) {
            interleaved[i] *= gain_;
        }
    }
}

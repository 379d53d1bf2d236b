// A capture that runs out of memory half way stops with one line, and the
// file plays what was written.
#include "platform/host/ShowSession.h"
#include "platform/host/capture/CapturePipeline.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VideoProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

namespace {

// An offscreen surface whose read-back cannot get its memory from the given
// frame on.
class StarvedSurface : public Surface {
  public:
    StarvedSurface(std::unique_ptr<Surface> inner, int readsThatWork)
        : inner_(std::move(inner)), readsThatWork_(readsThatWork) {}
    Viewport DrawingArea() const override { return inner_->DrawingArea(); }
    Viewport FrameArea() const override { return inner_->FrameArea(); }
    void BeginFrame() override { inner_->BeginFrame(); }
    void Present() override { inner_->Present(); }
    bool QuitRequested() override { return false; }
    void ReadPixels(std::span<std::uint8_t> rgb) override {
        if (reads_++ == readsThatWork_) {
            throw std::bad_alloc();
        }
        inner_->ReadPixels(rgb);
    }
    void* NativeWindow() const override { return nullptr; }

  private:
    std::unique_ptr<Surface> inner_;
    int readsThatWork_;
    int reads_ = 0;
};

TEST(CaptureShortOfMemoryTest, AnAllocationThatFailsHalfWayStopsWithOneLineAndTheFilePlays) {
    TempFolder folder;
    std::string error;
    ShowSession::Plan plan;
    plan.source = OpenDirectorySource(folder.Path(), &error);
    ASSERT_NE(plan.source, nullptr) << error;
    plan.makeSurface = [](std::string* error) -> std::unique_ptr<Surface> {
        std::unique_ptr<Surface> offscreen = CreateOffscreenSurface(160, 120, false, error);
        return offscreen ? std::make_unique<StarvedSurface>(std::move(offscreen), 90) : nullptr;
    };
    Timeline timeline;
    timeline.endMs = 3000;
    plan.timeline = timeline;
    plan.output = OutputChoice::Stepped;
    plan.fixedStepClock = true;
    const std::unique_ptr<ShowSession> session = ShowSession::Open(std::move(plan), &error);
    ASSERT_NE(session, nullptr) << error;

    CaptureSettings settings;
    settings.file = folder.Path() / "x.mp4";
    settings.width = 160;
    settings.height = 120;
    StartLogCapture();
    const std::unique_ptr<CapturePipeline> capture = CapturePipeline::Open(settings, 0, 3000);
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(capture->Run(session->Frames()), 2);
    const std::string said = TakeLogCapture();
    const std::string opening = "capture: [" + settings.file.string() +
                                "] out of memory: a 160x120 capture at --supersample 1 needs "
                                "about 2 MB for its frames; stopped after ";
    ASSERT_EQ(said.rfind(opening, 0), 0u) << said;
    EXPECT_NE(said.find(" of 180 frames, the file plays what was written\n"), std::string::npos)
        << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;

    const ProbedVideo video = ProbeVideo(settings.file);
    ASSERT_TRUE(video.opened);
    EXPECT_GT(video.frameHashes.size(), 60u);
    EXPECT_LE(video.frameHashes.size(), 90u);
    EXPECT_EQ(static_cast<long long>(video.frameHashes.size()),
              std::atoll(said.c_str() + opening.size()));
}

} // namespace

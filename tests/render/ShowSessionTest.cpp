// The show session brings the show up in order and takes it down in reverse,
// also when the bring-up stops half-way.
#include "platform/host/ShowSession.h"
#include "host/DemoGL.h"
#include "tests/support/LoggingEffect.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A data source that notes when it goes and serves no file.
class NotingSource : public DataSource {
  public:
    explicit NotingSource(std::vector<std::string>& log) : log_(log) {}
    ~NotingSource() override { log_.push_back("source gone"); }
    std::optional<std::vector<unsigned char>> Read(std::string_view, std::string* error) override {
        *error = "not found";
        return std::nullopt;
    }
    const std::filesystem::path& Path() const override { return path_; }

  private:
    std::vector<std::string>& log_;
    std::filesystem::path path_ = "noting";
};

// An offscreen surface whose viewer asks to quit at the given check.
class QuittingSurface : public Surface {
  public:
    QuittingSurface(std::unique_ptr<Surface> inner, int quitAtCheck)
        : inner_(std::move(inner)), quitAtCheck_(quitAtCheck) {}
    Viewport DrawingArea() const override { return inner_->DrawingArea(); }
    void BeginFrame() override { inner_->BeginFrame(); }
    void Present() override { inner_->Present(); }
    bool QuitRequested() override { return ++checks_ == quitAtCheck_; }
    void ReadPixels(std::span<std::uint8_t> rgb) override { inner_->ReadPixels(rgb); }
    void* NativeWindow() const override { return nullptr; }

  private:
    std::unique_ptr<Surface> inner_;
    int quitAtCheck_;
    int checks_ = 0;
};

// Whether the host services are installed: an uninstalled LoadTexture says so
// and gives 0; an installed one gives a name, with a checkerboard for a
// picture that is not there.
bool ServicesInstalled() {
    return LoadTexture("missing.jpg", 1, 0, 0, 0, 0, 0, 0, 0, 1) != 0;
}

ShowSession::Plan PlanWith(std::vector<std::string>& log, std::vector<CEffect*> effects,
                     int quitAtCheck) {
    ShowSession::Plan plan;
    plan.source = std::make_unique<NotingSource>(log);
    plan.makeSurface = [quitAtCheck](std::string* error) -> std::unique_ptr<Surface> {
        auto surface = CreateOffscreenSurface(64, 48, false, error);
        if (!surface) {
            return nullptr;
        }
        return std::make_unique<QuittingSurface>(std::move(surface), quitAtCheck);
    };
    plan.effects = std::move(effects);
    plan.timeline = Timeline{{{0, 0, 1000, 1, 1}, {2, 600, 1000, 2, 2}}, 1000};
    return plan;
}

TEST(ShowSessionTest, RunsTheShowAndTakesItDownInReverse) {
    std::vector<std::string> log;
    LoggingEffect a("A", log);
    LoggingEffect b("B", log);
    std::string error;
    auto session = ShowSession::Open(PlanWith(log, {&a, nullptr, &b}, 0), &error);
    ASSERT_NE(session, nullptr) << error;
    EXPECT_FALSE(session->Interrupted());
    EXPECT_TRUE(ServicesInstalled());
    session->Frames().Render(500);
    session.reset();
    EXPECT_FALSE(ServicesInstalled());
    EXPECT_EQ(log, (std::vector<std::string>{"A.Init(64x48)", "B.Init(64x48)", "A.Activate",
                                             "A.Render(500)", "A.Deactivate", "source gone"}));
}

TEST(ShowSessionTest, ABringUpThatStopsHalfWayUndoesWhatItDid) {
    std::vector<std::string> log;
    LoggingEffect a("A", log);
    LoggingEffect b("B", log);
    std::string error;
    // The viewer quits before the second effect's Init.
    auto session = ShowSession::Open(PlanWith(log, {&a, nullptr, &b}, 3), &error);
    ASSERT_NE(session, nullptr) << error;
    EXPECT_TRUE(session->Interrupted());
    session.reset();
    EXPECT_FALSE(ServicesInstalled());
    EXPECT_EQ(log, (std::vector<std::string>{"A.Init(64x48)", "source gone"}));

    // No surface: nothing was installed, and the source is given up.
    log.clear();
    ShowSession::Plan plan = PlanWith(log, {&a, nullptr, &b}, 0);
    plan.makeSurface = [](std::string* error) -> std::unique_ptr<Surface> {
        *error = "no surface today";
        return nullptr;
    };
    EXPECT_EQ(ShowSession::Open(std::move(plan), &error), nullptr);
    EXPECT_EQ(error, "no surface today");
    EXPECT_FALSE(ServicesInstalled());
    EXPECT_EQ(log, (std::vector<std::string>{"source gone"}));
}

} // namespace

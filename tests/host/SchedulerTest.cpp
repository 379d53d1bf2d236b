#include "platform/host/timeline/Scheduler.h"
#include "host/DemoGL.h"
#include "tests/support/LoggingEffect.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SchedulerTest : public ::testing::Test {
  protected:
    std::vector<std::string> log;
    LoggingEffect a{"A", log};
    LoggingEffect b{"B", log};
    LoggingEffect c{"C", log};
    std::vector<CEffect*> effects{&a, &b, &c};

    std::vector<std::string> Frame(Scheduler& scheduler, int timeMs) {
        log.clear();
        scheduler.Advance(timeMs);
        scheduler.Render(timeMs);
        return log;
    }
};

TEST_F(SchedulerTest, ActivatesBeforeTheFirstFrameAndDeactivatesAfterTheLast) {
    const Timeline timeline{{{0, 100, 200, 1, 1}}, 300};
    Scheduler scheduler(timeline, effects);
    EXPECT_EQ(Frame(scheduler, 99), std::vector<std::string>{});
    EXPECT_EQ(Frame(scheduler, 100), (std::vector<std::string>{"A.Activate", "A.Render(100)"}));
    EXPECT_EQ(Frame(scheduler, 199), (std::vector<std::string>{"A.Render(199)"}));
    EXPECT_EQ(Frame(scheduler, 200), (std::vector<std::string>{"A.Deactivate"}));
    EXPECT_EQ(Frame(scheduler, 250), std::vector<std::string>{});
}

TEST_F(SchedulerTest, ASecondRunOfTheSameEffectActivatesItAgain) {
    // Back to back: the first run ends exactly where the second begins.
    const Timeline timeline{{{0, 0, 100, 1, 1}, {0, 100, 200, 1, 2}, {0, 300, 400, 1, 3}}, 400};
    Scheduler scheduler(timeline, effects);
    Frame(scheduler, 50);
    EXPECT_EQ(Frame(scheduler, 100),
              (std::vector<std::string>{"A.Deactivate", "A.Activate", "A.Render(100)"}));
    EXPECT_EQ(Frame(scheduler, 350),
              (std::vector<std::string>{"A.Deactivate", "A.Activate", "A.Render(350)"}));
    log.clear();
    scheduler.StopAll();
    EXPECT_EQ(log, std::vector<std::string>{"A.Deactivate"});
    log.clear();
    scheduler.StopAll();
    EXPECT_TRUE(log.empty());
}

TEST_F(SchedulerTest, DeactivatesThenActivatesInScriptOrderAndDrawsByLayer) {
    // Script order C, A, B; layers 2, 1, 1: draw A, B (script order), then C.
    const Timeline timeline{{{2, 0, 100, 2, 1}, {0, 0, 200, 1, 2}, {1, 100, 200, 1, 3}}, 200};
    Scheduler scheduler(timeline, effects);
    EXPECT_EQ(Frame(scheduler, 0),
              (std::vector<std::string>{"C.Activate", "A.Activate", "A.Render(0)", "C.Render(0)"}));
    EXPECT_EQ(Frame(scheduler, 100), (std::vector<std::string>{"C.Deactivate", "B.Activate",
                                                               "A.Render(100)", "B.Render(100)"}));
}

TEST_F(SchedulerTest, SeekingBackwardsRestartsWhatRunsThere) {
    const Timeline timeline{{{0, 0, 100, 1, 1}, {1, 100, 200, 1, 2}}, 200};
    Scheduler scheduler(timeline, effects);
    Frame(scheduler, 150);
    EXPECT_EQ(Frame(scheduler, 10),
              (std::vector<std::string>{"B.Deactivate", "A.Activate", "A.Render(10)"}));
}

} // namespace

TEST_F(SchedulerTest, AReloadKeepsWhatRunsInBothAndStopsTheRest) {
    Scheduler scheduler(Timeline{{{0, 0, 500, 1, 1}, {1, 0, 500, 2, 2}}, 500}, effects);
    Frame(scheduler, 100);
    log.clear();
    // A moves to a new run and layer; B is gone; C is new.
    scheduler.Reload(Timeline{{{2, 0, 900, 1, 1}, {0, 50, 900, 3, 2}}, 900}, 100);
    EXPECT_EQ(log, std::vector<std::string>{"B.Deactivate"});
    EXPECT_EQ(scheduler.EndMs(), 900);
    EXPECT_EQ(Frame(scheduler, 600),
              (std::vector<std::string>{"C.Activate", "C.Render(600)", "A.Render(600)"}));
}

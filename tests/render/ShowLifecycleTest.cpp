// The real host running a short show offscreen: what each effect sees, and in
// which order, from Init to the last Deactivate.
#include "host/DemoGL.h"
#include "tests/support/LoggingEffect.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

TEST(ShowLifecycleTest, InitOnceBeforeAllThenActivateBeforeFirstFrameAndDeactivateAfterLast) {
    TempFolder folder;
    folder.Write("show/script.txt", "# two runs of A around one of B\n"
                                    "A 0 1500 1\n"
                                    "B 1000 3000 2\n"
                                    "A 2000 3000 1\n"
                                    "END 0:03\n");
    std::vector<std::string> log;
    LoggingEffect a("A", log);
    LoggingEffect b("B", log);

    OverruleDefaults(0, 2, "show", "show.zip", "script.txt", 0, 0, 0, 0, 0);
    RegisterEffect(&a, "A");
    RegisterEffect(&b, "B");
    const std::string shots = (folder.Path() / "shots").string();
    const std::string data = (folder.Path() / "show").string();
    std::vector<std::string> args = {"quorvel8", "--data", data,   "--shots",
                                     shots,      "--size", "64x48"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    ProgramInstance instance{static_cast<int>(argv.size()), argv.data()};
    RunApp(&instance, "quorvel 8", 0, 0, 0);
    EndApp();

    // Shots at 0, 1000 and 2000 ms; at the end, what runs stops in script order.
    EXPECT_EQ(log, (std::vector<std::string>{
                       "A.Init(64x48)", "B.Init(64x48)",                                 //
                       "A.Activate", "A.Render(0)",                                      // 0 ms
                       "B.Activate", "A.Render(1000)", "B.Render(1000)",                 // 1000 ms
                       "A.Deactivate", "A.Activate", "A.Render(2000)", "B.Render(2000)", //
                       "B.Deactivate", "A.Deactivate"})); // script order
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "shots" / "0002.png"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "shots" / "0003.png"));
}

} // namespace

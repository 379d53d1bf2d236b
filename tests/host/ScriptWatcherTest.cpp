#include "platform/host/timeline/ScriptWatcher.h"
#include "tests/support/LogCapture.h"

#include "platform/host/data/DataSource.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(ScriptWatcherTest, HandsOverAChangedGoodScriptAndOnlyTheErrorsOfABadOne) {
    TempFolder data;
    data.Write("script.txt", "A 0 1000 1\n");
    std::string error;
    const std::unique_ptr<DataSource> source = OpenDirectorySource(data.Path(), &error);
    ASSERT_NE(source, nullptr) << error;
    const std::vector<RegisteredName> names{{"A", true}, {"B", true}};
    ScriptWatcher watcher(*source, "script.txt", names);
    EXPECT_FALSE(watcher.Poll(0.0)) << "unchanged";

    data.Write("script.txt", "A 0 1000 1\nB 0 2000 2\n");
    EXPECT_FALSE(watcher.Poll(100.0)) << "looked again within half a second";
    StartLogCapture();
    const std::optional<Timeline> good = watcher.Poll(600.0);
    TakeLogCapture();
    ASSERT_TRUE(good);
    EXPECT_EQ(good->runs.size(), 2u);
    EXPECT_EQ(good->endMs, 2000);

    data.Write("script.txt", "A 0 1000 1\nCx 0 2000 2\n");
    StartLogCapture();
    EXPECT_FALSE(watcher.Poll(1200.0));
    const std::string said = TakeLogCapture();
    EXPECT_NE(said.find("script.txt:2: unknown effect 'Cx'"), std::string::npos) << said;
    EXPECT_NE(said.find("the last good script plays on"), std::string::npos) << said;
    EXPECT_FALSE(watcher.Poll(1800.0)) << "the same bad script is said once";
}

} // namespace

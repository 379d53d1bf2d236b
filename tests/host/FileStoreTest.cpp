#include "platform/host/data/FileStore.h"
#include "tests/support/LogCapture.h"

#include "platform/host/data/DataSource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

namespace {

// Serves fixed contents from memory, so the store is tested on its own.
class MemorySource : public DataSource {
  public:
    std::optional<std::vector<unsigned char>> Read(std::string_view name,
                                                   std::string* error) override {
        auto found = files.find(std::string(name));
        if (found == files.end()) {
            *error = "not found";
            return std::nullopt;
        }
        return std::vector<unsigned char>(found->second.begin(), found->second.end());
    }
    const std::filesystem::path& Path() const override { return path; }

    std::map<std::string, std::string> files;
    std::filesystem::path path = "memory";
};

TEST(FileStoreTest, BufferHoldsTheFileAndATerminatingZero) {
    MemorySource source;
    source.files["a.txt"] = std::string("ab\0cd", 5);
    source.files["empty"] = "";
    FileStore store(source);

    const auto* a = static_cast<const char*>(store.Load("a.txt"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(std::memcmp(a, "ab\0cd\0", 6), 0);
    EXPECT_EQ(store.SizeOf(a), 5u);

    const auto* empty = static_cast<const char*>(store.Load("empty"));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], '\0');
    EXPECT_EQ(store.SizeOf(empty), 0u);
    EXPECT_NE(static_cast<const void*>(empty), static_cast<const void*>(a));
}

TEST(FileStoreTest, SizeIsKnownOnlyForTheStartOfALoadedBuffer) {
    MemorySource source;
    source.files["a"] = "12345678";
    FileStore store(source);
    const auto* a = static_cast<const char*>(store.Load("a"));
    ASSERT_NE(a, nullptr);
    const int elsewhere = 0;
    EXPECT_EQ(store.SizeOf(a + 1), 0u);
    EXPECT_EQ(store.SizeOf(nullptr), 0u);
    EXPECT_EQ(store.SizeOf(&elsewhere), 0u);
}

TEST(FileStoreTest, EarlierBuffersSurviveLaterLoads) {
    MemorySource source;
    for (int i = 0; i < 20; ++i) {
        source.files[std::to_string(i)] = std::string(static_cast<std::size_t>(i + 1), 'x');
    }
    FileStore store(source);
    std::vector<const char*> loaded;
    for (int i = 0; i < 20; ++i) {
        loaded.push_back(static_cast<const char*>(store.Load(std::to_string(i))));
    }
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        EXPECT_EQ(store.SizeOf(loaded[i]), i + 1);
        EXPECT_EQ(std::string(loaded[i]), std::string(i + 1, 'x'));
    }
}

TEST(FileStoreTest, FailedLoadWarnsOnceAndGivesNull) {
    MemorySource source;
    FileStore store(source);
    StartLogCapture();
    void* missing = store.Load("pics/missing.jpg");
    const std::string warning = TakeLogCapture();
    EXPECT_EQ(missing, nullptr);
    EXPECT_EQ(warning, "data: [pics/missing.jpg] not found\n");
}

} // namespace

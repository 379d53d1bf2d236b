// Replays every input the fuzzers ever crashed on (regressions/TARGET/) and
// the corpus of bad inputs through the same entry points the fuzzers use.
// Passing means no crash and no sanitizer report.
#include "tests/fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kRegressions = fs::path(QUORVEL8_SOURCE_DIR) / "tests/fuzz/regressions";
const fs::path kBadInputs = fs::path(QUORVEL8_SOURCE_DIR) / "tests/data/bad";

std::vector<std::uint8_t> ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Files in folder whose name starts with prefix (any, for an empty prefix).
int ReplayFolder(const fs::path& folder, const std::string& prefix,
                 void (*target)(const std::uint8_t*, std::size_t)) {
    int count = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file() || !entry.path().filename().string().starts_with(prefix) ||
            entry.path().filename() == "README.md") {
            continue;
        }
        SCOPED_TRACE(entry.path().string());
        const std::vector<std::uint8_t> bytes = ReadAll(entry.path());
        target(bytes.data(), bytes.size());
        ++count;
    }
    return count;
}

// The data target takes a name line before the archive.
void ReadPictureFromArchive(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> input{'q', 'u', 'o', 'r', 'f', 'o', 't',
                                    'o', '.', 'j', 'p', 'g', '\n'};
    input.insert(input.end(), data, data + size);
    FuzzDataSource(input.data(), input.size());
}

// The kept crash inputs go with the corpus: none is kept until a fuzzer finds one.
TEST(FuzzRegressionTest, BadInputsAndKeptCrashInputsPassTheFuzzEntryPoints) {
    ReplayFolder(kRegressions / "script", "", FuzzTimelineScript);
    ReplayFolder(kRegressions / "data", "", FuzzDataSource);
    ReplayFolder(kRegressions / "picture", "", FuzzPicture);
    ReplayFolder(kRegressions / "module", "", FuzzModule);
    EXPECT_GT(ReplayFolder(kBadInputs, "script-", FuzzTimelineScript), 10);
    EXPECT_GT(ReplayFolder(kBadInputs, "picture-", FuzzPicture), 5);
    EXPECT_EQ(ReplayFolder(kBadInputs, "archive-", ReadPictureFromArchive), 3);
    EXPECT_EQ(ReplayFolder(kBadInputs, "module-", FuzzModule), 10);
}

} // namespace

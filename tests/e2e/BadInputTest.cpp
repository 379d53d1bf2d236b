// The program fed each file of the bad-input corpus (tests/data/bad/, made by
// make_bad_inputs) in the place it would take it, with the outcome the corpus's
// outcomes.txt gives: refused (exit 2 and the line), a stand-in (goes on, with
// the line) or carries on (goes on, and the text is not said).
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string kProgram = QUORVEL8_PROGRAM;
const fs::path kBad = fs::path(QUORVEL8_SOURCE_DIR) / "tests/data/bad";
const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_AUDIODRIVER=dummy"};

struct Expectation {
    std::string file;
    std::string outcome; // refused, stand-in or carries-on
    std::string text;
};

std::vector<Expectation> ReadOutcomes() {
    std::vector<Expectation> rows;
    std::ifstream in(kBad / "outcomes.txt");
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        Expectation row;
        fields >> row.file >> row.outcome >> std::ws;
        std::getline(fields, row.text);
        rows.push_back(row);
    }
    return rows;
}

std::vector<unsigned char> ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::vector<unsigned char> GoodPicture() {
    return EncodeTestJpeg(8, 8, std::vector<std::uint8_t>(8 * 8 * 3, 90));
}

// Runs the program with the bad file where the show would read it.
ProgramResult RunWith(const std::string& file, TempFolder& folder) {
    const fs::path bad = kBad / file;
    const std::string shot = (folder.Path() / "shot.png").string();
    std::vector<std::string> args = {"--screenshot", "0:00.5", shot, "--size", "64x48"};
    fs::path data = folder.Path() / "demodat";
    if (file.starts_with("archive-")) {
        data = bad;
    } else if (file.starts_with("picture-")) {
        folder.Write("demodat/script.txt", "BGDING 0 1000 1\n");
        folder.Write("demodat/quorfoto.jpg", ReadAll(bad));
    } else if (file.starts_with("module-")) {
        folder.Write("demodat/script.txt", "BASS 0:00 0:01 0\nBGDING 0:00 0:01 1\nEND 0:01\n");
        folder.Write("demodat/quorfoto.jpg", GoodPicture());
        folder.Write("demodat/Ar_8peos.xm", ReadAll(bad));
    } else {
        folder.Write("demodat/script.txt", ReadAll(bad));
        folder.Write("demodat/quorfoto.jpg", GoodPicture());
    }
    args.insert(args.begin(), {"--data", data.string()});
    return RunProgram(kProgram, args, kHeadless);
}

TEST(BadInputTest, EveryFileOfTheCorpusGivesItsOutcomeAndNothingCrashes) {
    const std::vector<Expectation> rows = ReadOutcomes();
    ASSERT_GT(rows.size(), 30u);
    for (const Expectation& row : rows) {
        SCOPED_TRACE(row.file);
        ASSERT_TRUE(fs::exists(kBad / row.file));
        TempFolder folder;
        const ProgramResult run = RunWith(row.file, folder);
        if (row.outcome == "refused") {
            EXPECT_EQ(run.exitStatus, 2) << run.err;
            EXPECT_NE(run.err.find(row.text), std::string::npos) << run.err;
        } else if (row.outcome == "stand-in") {
            EXPECT_EQ(run.exitStatus, 0) << run.err;
            EXPECT_NE(run.err.find(row.text), std::string::npos) << run.err;
            EXPECT_TRUE(fs::exists(folder.Path() / "shot.png"));
        } else {
            ASSERT_EQ(row.outcome, "carries-on");
            EXPECT_EQ(run.exitStatus, 0) << run.err;
            EXPECT_EQ(run.err.find(row.text), std::string::npos) << run.err;
            EXPECT_TRUE(fs::exists(folder.Path() / "shot.png"));
        }
    }
}

// Too big to keep in the corpus: made here.
TEST(BadInputTest, AScriptOverOneMibIsRefusedWithItsLine) {
    TempFolder folder;
    folder.Write("demodat/script.txt", "BGDING 0 1000 1\n" + std::string(1u << 20, '#'));
    const ProgramResult run =
        RunProgram(kProgram, {"--data", (folder.Path() / "demodat").string()}, kHeadless);
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("script.txt:1: script is over 1 MiB"), std::string::npos) << run.err;
}

} // namespace

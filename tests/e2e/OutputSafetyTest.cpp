// What the program writes, through the real program: an output is whole or
// the file is left as it was, a device or a pipe is written in place and
// never removed, an output is never one of the show's inputs, an empty value
// is refused; a report on standard output that does not arrive is a failure.
#include "tests/support/ProgramRun.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VideoProbe.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

const std::string kProgram = QUORVEL8_PROGRAM;
const fs::path kData = fs::path(QUORVEL8_DATA_DIR) / "demodat";
const std::vector<std::string> kHeadless = {"DISPLAY", "WAYLAND_DISPLAY"};
const std::vector<std::string> kOneSecond = {"--start", "0", "--end", "1", "--size", "64x48"};

// The program run in folder through sh: script's "$@" is the program and its args.
ProgramResult RunIn(const fs::path& folder, const std::string& script,
                    std::vector<std::string> args) {
    args.insert(args.begin(), {"-c", "cd \"$0\" && " + script, folder.string(), kProgram});
    return RunProgram("/bin/sh", args, kHeadless);
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(OutputSafetyTest, AFailedWriteDestroysNothingAndTwoWritersLeaveOneWholeFile) {
    TempFolder folder;
    folder.Write("kept.png", "the user's own picture");
    folder.Write("kept.mp4", "the user's own video");
    folder.Write("file", "");
    fs::create_symlink("/dev/full", folder.Path() / "full.png");
    std::vector<std::string> shot = {"--size", "64x48", "--screenshot", "1"};
    std::vector<std::string> capture = kOneSecond;
    capture.push_back("--capture");
    struct Failure {
        std::vector<std::string> args;
        std::string said;
    };
    const Failure failures[] = {
        {{"full.png"}, "screenshot: [full.png] cannot write: No space left on device"},
        {{"full.png"}, "capture: [full.png] cannot write the header: No space left on device"},
        {{"file/x.png"}, "screenshot: [file/x.png] cannot create the file: Not a directory"},
        // Over the file size limit, with SIGXFSZ ignored: the write fails.
        {{"kept.png"}, "screenshot: [kept.png] cannot write: File too large"},
        {{"kept.mp4"}, "capture: [kept.mp4] cannot write: File too large"},
    };
    for (const Failure& failure : failures) {
        std::vector<std::string> args = failure.said.rfind("capture", 0) == 0 ? capture : shot;
        args.insert(args.begin(), {"--data", kData.string()});
        args.insert(args.end(), failure.args.begin(), failure.args.end());
        const ProgramResult run =
            RunIn(folder.Path(), "trap '' XFSZ; exec prlimit --fsize=4096 \"$@\"", args);
        EXPECT_EQ(run.exitStatus, 2) << failure.said;
        EXPECT_EQ(run.err, failure.said + "\n");
    }
    EXPECT_EQ(ReadTextFile(folder.Path() / "kept.png"), "the user's own picture");
    EXPECT_EQ(ReadTextFile(folder.Path() / "kept.mp4"), "the user's own video");
    EXPECT_EQ(fs::read_symlink(folder.Path() / "full.png"), "/dev/full");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(Names(folder.Path()),
              (std::set<std::string>{"kept.png", "kept.mp4", "file", "full.png"}));

    // A pipe is written in place.
    const ProgramResult piped =
        RunIn(folder.Path(), "\"$@\" | head -c 4",
              {"--data", kData.string(), "--screenshot", "1", "/dev/stdout", "--size", "64x48"});
    EXPECT_EQ(piped.out, "\x89PNG");

    // Two captures of different lengths into one file at once.
    const fs::path both = folder.Path() / "both.mp4";
    std::vector<std::string> args = {"--data", kData.string(), "--capture", both.string()};
    args.insert(args.end(), kOneSecond.begin(), kOneSecond.end());
    const pid_t first = StartProgram(kProgram, args, kHeadless, "/dev/null", "/dev/null");
    args[args.size() - 3] = "2";
    const pid_t second = StartProgram(kProgram, args, kHeadless, "/dev/null", "/dev/null");
    for (const pid_t child : {first, second}) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    // The last to finish wins: its boxes fill the file exactly and every frame decodes.
    const ProbedVideo video = ProbeVideo(both);
    EXPECT_TRUE(video.frameHashes.size() == 60u || video.frameHashes.size() == 120u)
        << video.frameHashes.size();
    EXPECT_FALSE(video.topLevelBoxes.empty());
}

TEST(OutputSafetyTest, AnOutputThatIsAnInputOrAnEmptyValueIsRefusedBeforeAnythingIsWritten) {
    TempFolder folder;
    fs::copy(kData, folder.Path() / "demodat");
    // Found by the show ignoring case.
    fs::rename(folder.Path() / "demodat" / "flare.jpg", folder.Path() / "demodat" / "FLARE.JPG");
    fs::copy_file(fs::path(QUORVEL8_DATA_DIR) / "demodat.zip", folder.Path() / "own.zip");
    fs::create_symlink("own.zip", folder.Path() / "link.mp4");
    fs::create_directory(folder.Path() / "shots");
    fs::create_symlink("../demodat/logo.jpg", folder.Path() / "shots" / "0001.png");
    const std::vector<std::string> refused[] = {
        {"--data", "own.zip", "--capture", "own.zip"},
        {"--data", "own.zip", "--capture", "link.mp4"},
        {"--data", "demodat", "--screenshot", "1", "demodat/script.txt"},
        {"--data", "demodat", "--screenshot", "1", "demodat/FLARE.JPG"},
        {"--data", "demodat", "--shots", "shots"},
    };
    for (std::vector<std::string> args : refused) {
        const std::string mode = args[2].substr(2);
        const std::string file = mode == "shots" ? "shots/0001.png" : args.back();
        if (mode != "screenshot") {
            args.insert(args.end(), {"--start", "0", "--end", "3"});
        }
        const ProgramResult run = RunIn(folder.Path(), "\"$@\"", args);
        EXPECT_EQ(run.exitStatus, 2) << file;
        EXPECT_EQ(run.err,
                  mode + ": [" + file + "] is one of the show's inputs; write it elsewhere\n");
    }
    EXPECT_EQ(ReadTextFile(folder.Path() / "own.zip"),
              ReadTextFile(fs::path(QUORVEL8_DATA_DIR) / "demodat.zip"));
    EXPECT_EQ(ReadTextFile(folder.Path() / "demodat" / "script.txt"),
              ReadTextFile(kData / "script.txt"));
    EXPECT_EQ(Names(folder.Path() / "shots"), std::set<std::string>{"0001.png"});

    for (const std::vector<std::string>& args : {std::vector<std::string>{"--capture", ""},
                                                 {"--shots", ""},
                                                 {"--data", "", "--check"},
                                                 {"--screenshot", "1", ""},
                                                 {"--start", ""}}) {
        const ProgramResult run = RunProgram(kProgram, args, kHeadless);
        EXPECT_EQ(run.exitStatus, 2) << args[0];
        EXPECT_EQ(run.err, "quorvel8: " + args[0] + ": expected a value, got ''\n");
    }
}

TEST(OutputSafetyTest, AReportThatCannotBeWrittenIsAFailureAndAGoneReaderEndsQuietly) {
    TempFolder folder;
    for (const std::vector<std::string>& mode : {std::vector<std::string>{"--version"},
                                                 {"--help"},
                                                 {"--data", kData.string(), "--check"}}) {
        for (const auto& [redirect, reason] : {std::pair{"> /dev/full", "No space left on device"},
                                               std::pair{">&-", "Bad file descriptor"}}) {
            const ProgramResult run = RunIn(folder.Path(), std::string("\"$@\" ") + redirect, mode);
            EXPECT_EQ(run.exitStatus, 2) << mode.back() << redirect;
            EXPECT_EQ(run.err, std::string("quorvel8: cannot write the report: ") + reason + "\n");
        }
    }
    // A picture for standard output finds it closed too.
    EXPECT_EQ(
        RunIn(folder.Path(), "\"$@\" >&-",
              {"--data", kData.string(), "--screenshot", "1", "/dev/stdout", "--size", "64x48"})
            .exitStatus,
        2);
    // The reader has gone before the report is written; SIGPIPE as it comes
    // and ignored.
    for (const std::string trap : {"", "trap '' PIPE; "}) {
        const ProgramResult run =
            RunIn(folder.Path(), trap + "{ sleep 0.2; \"$@\"; echo $? >&2; } | true",
                  {"--data", kData.string(), "--check"});
        EXPECT_EQ(run.err, "141\n") << trap;
    }
}

} // namespace

// Party rules: the show runs from read-only media. The program and its data sit
// on a read-only bind mount (in a mount namespace of the test's own), which is
// also the working directory; play, --check and a screenshot to a writable
// folder work, and nothing is written anywhere but that screenshot. As root
// the runs are repeated as the unprivileged user nobody. Where this machine
// allows no such mount, the test is skipped.
#include "tests/support/ProgramRun.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

namespace fs = std::filesystem;

namespace {

const std::string kProgram = QUORVEL8_PROGRAM;
const std::string kUnshare = "/usr/bin/unshare";

// Mounts $1 read-only over itself, goes there and runs the rest.
const std::string kReadOnlyRun = "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" "
                                 "|| exit 99\ncd \"$1\" || exit 98\nshift\nexec \"$@\"";

std::vector<std::string> Namespaces() {
    return {geteuid() == 0 ? "-m" : "-rm"};
}

// Everything the program might write to on its own: home, caches, temporary files.
std::vector<std::string> Environment(const fs::path& home, const std::string& display) {
    return {"DISPLAY=" + display,
            "WAYLAND_DISPLAY",
            "SDL_AUDIODRIVER=dummy",
            "HOME=" + home.string(),
            "XDG_CACHE_HOME=" + (home / "cache").string(),
            "XDG_CONFIG_HOME=" + (home / "config").string(),
            "XDG_DATA_HOME=" + (home / "data").string(),
            "TMPDIR=" + home.string()};
}

TEST(ReadOnlyMediaTest, PlaysChecksAndTakesAScreenshotWritingNothingElse) {
    TempFolder folder;
    fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read |
                                       fs::perms::others_exec);
    std::vector<std::string> probe = Namespaces();
    probe.insert(probe.end(), {"sh", "-c", kReadOnlyRun, "sh", folder.Path(), "true"});
    if (!fs::exists(kUnshare) || RunProgram(kUnshare, probe).exitStatus != 0) {
        GTEST_SKIP() << "no read-only bind mount can be made here";
    }

    const fs::path media = folder.Path() / "media";
    fs::create_directory(media);
    fs::copy_file(kProgram, media / "quorvel8");
    fs::copy(fs::path(QUORVEL8_DATA_DIR) / "demodat", media / "demodat");
    const fs::path out = folder.Path() / "out";
    const fs::path home = folder.Path() / "home";
    for (const fs::path& writable : {out, home}) {
        fs::create_directory(writable);
        fs::permissions(writable, fs::perms::all);
    }

    const int screen = 200 + getpid() % 700;
    const RunningProgram server("/usr/bin/Xvfb",
                                {":" + std::to_string(screen), "-nolisten", "tcp"});
    const fs::path socket = "/tmp/.X11-unix/X" + std::to_string(screen);
    for (int tries = 0; tries < 500 && !fs::exists(socket); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const std::vector<std::string> environment = Environment(home, ":" + std::to_string(screen));

    std::vector<std::vector<std::string>> users = {{}};
    if (geteuid() == 0) {
        users.push_back({"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    for (const std::vector<std::string>& user : users) {
        SCOPED_TRACE(user.empty() ? "as this user" : "as nobody");
        const fs::path shot = out / (user.empty() ? "self.png" : "nobody.png");
        const std::vector<std::vector<std::string>> runs = {
            {"--check"},
            {"--screenshot", "30", shot.string(), "--size", "64x48"},
            {"--end", "0.5", "--size", "64x48", "--no-sound"},
        };
        for (const std::vector<std::string>& run : runs) {
            SCOPED_TRACE(run[0]);
            std::vector<std::string> args = Namespaces();
            args.insert(args.end(), {"sh", "-c", kReadOnlyRun, "sh", media.string()});
            args.insert(args.end(), user.begin(), user.end());
            args.push_back("./quorvel8");
            args.insert(args.end(), run.begin(), run.end());
            const ProgramResult result = RunProgram(kUnshare, args, environment);
            EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
            EXPECT_EQ(result.err, "");
        }
        EXPECT_TRUE(fs::exists(shot));
    }
    // The screenshots are all that was written.
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(users.size()));
    for (const auto& entry : fs::recursive_directory_iterator(home)) {
        ADD_FAILURE() << "written: " << entry.path();
    }
}

} // namespace

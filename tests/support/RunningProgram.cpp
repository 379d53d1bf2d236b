#include "tests/support/RunningProgram.h"

#include "tests/support/ProgramRun.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

RunningProgram::RunningProgram(const std::string& program, const std::vector<std::string>& args,
                               const std::vector<std::string>& environment) {
    const std::string errPath = (folder_.Path() / "err").string();
    pid_ = StartProgram(program, args, environment, "/dev/null", errPath);
}

RunningProgram::~RunningProgram() {
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> RunningProgram::WaitForExit(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!status_) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
}

std::string RunningProgram::Err() const {
    std::ifstream in(folder_.Path() / "err");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

#include "tests/support/ProgramRun.h"

#include "tests/support/TestFiles.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fcntl.h>
#include <thread>

namespace {

int ExitStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment, const std::string& outPath,
                   const std::string& errPath) {
    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        for (const std::string& entry : environment) {
            const std::size_t eq = entry.find('=');
            if (eq == std::string::npos) {
                unsetenv(entry.c_str());
            } else {
                setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
            }
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return child;
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
    TempFolder folder;
    const std::string outPath = (folder.Path() / "out").string();
    const std::string errPath = (folder.Path() / "err").string();
    const pid_t child = StartProgram(program, args, environment, outPath, errPath);
    int status = 0;
    waitpid(child, &status, 0);
    return {ExitStatus(status), ReadTextFile(outPath), ReadTextFile(errPath)};
}

ProgramResult RunProgramAndSignal(const std::string& program, const std::vector<std::string>& args,
                                  const std::vector<std::string>& environment, int signal,
                                  std::chrono::milliseconds delay,
                                  std::chrono::milliseconds grace) {
    TempFolder folder;
    const std::string outPath = (folder.Path() / "out").string();
    const std::string errPath = (folder.Path() / "err").string();
    const pid_t child = StartProgram(program, args, environment, outPath, errPath);
    std::this_thread::sleep_for(delay);
    kill(child, signal);
    const auto deadline = std::chrono::steady_clock::now() + grace;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return {-1, ReadTextFile(outPath),
                    ReadTextFile(errPath) + "(killed: no exit after the signal)\n"};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {ExitStatus(status), ReadTextFile(outPath), ReadTextFile(errPath)};
}

// Runs a program of this build as a user would and collects what it said.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

struct ProgramResult {
    int exitStatus; // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Arguments are passed as given; extraEnvironment entries look like "NAME=value"
// and a bare "NAME" removes that variable.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {});

// As RunProgram, but sends signal (SIGINT, SIGTERM) once the program has run
// for delay; if it has not exited within grace after that, it is killed and
// the result says so (exitStatus -1).
ProgramResult RunProgramAndSignal(const std::string& program, const std::vector<std::string>& args,
                                  const std::vector<std::string>& environment, int signal,
                                  std::chrono::milliseconds delay, std::chrono::milliseconds grace);

// Starts the program with its standard output and error going to the two
// files (either may be /dev/null); the caller waits for it.
pid_t StartProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment, const std::string& outPath,
                   const std::string& errPath);

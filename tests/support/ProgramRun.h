// Runs a program of this build as a user would and collects what it said.
#pragma once

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

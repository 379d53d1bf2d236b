// Memory that ran out while the show loaded something of its own (an archive
// entry, a file, a decoded picture, the module), with the one line that names
// what was being loaded. The run flow catches it, says the line and ends the
// run with status 2, as a refusal does (RunFlow.cpp). It is a std::bad_alloc,
// so code that already handles memory running out handles this too.
#pragma once

#include <new>
#include <string>
#include <utility>

class ShortOfMemory : public std::bad_alloc {
  public:
    explicit ShortOfMemory(std::string line) : line_(std::move(line)) {}
    const char* what() const noexcept override { return line_.c_str(); }

  private:
    std::string line_;
};

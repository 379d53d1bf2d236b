// Which modes read each option, without the command line's parser: the
// program checks its command line and the page its link against the same table.
#pragma once

#include <functional>
#include <span>
#include <string>

struct ModeOption {
    const char* name; // "--start"
    unsigned modes;   // the modes that read it, one bit each
};

// The options that choose a mode (--check, --screenshot, --shots, --capture).
std::span<const ModeOption> ModeChoosingOptions();
// Every other option with the modes that read it.
std::span<const ModeOption> ModeSettings();
bool EveryModeReads(const ModeOption& setting);
// "live play, --shots, --capture": the modes in the order messages name them.
std::string ModeList(unsigned modes);

// False, with one line said, when two modes are given or an option given does
// nothing in the mode asked for. given: whether the option of that name was
// given; spelling: how a message names it ("--loop/--once").
bool GivenOptionsFitOneMode(const std::function<bool(const char* name)>& given,
                            const std::function<std::string(const char* name)>& spelling);

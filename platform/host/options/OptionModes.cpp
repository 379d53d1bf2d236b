#include "platform/host/options/OptionModes.h"

#include "platform/host/options/OptionModeRules.h"

#include <CLI/CLI.hpp>

#include <string>

namespace {

// How a message names an option: every spelling of it, "--loop/--once".
std::string Spelling(const CLI::Option& option) {
    std::string names;
    for (const std::string& name : option.get_lnames()) {
        names += (names.empty() ? "--" : "/--") + name;
    }
    return names;
}

bool Given(const CLI::App& app, const char* name) {
    const CLI::Option* option = app.get_option_no_throw(name);
    return option != nullptr && option->count() > 0;
}

} // namespace

void GroupOptionsByMode(CLI::App& app) {
    for (const ModeOption& mode : ModeChoosingOptions()) {
        app.get_option(mode.name)->group("Modes (one at most; with none the show plays live)");
    }
    for (const ModeOption& setting : ModeSettings()) {
        app.get_option(setting.name)
            ->group(EveryModeReads(setting) ? "For every mode" : "For " + ModeList(setting.modes));
    }
}

bool OptionsFitOneMode(const CLI::App& app) {
    return GivenOptionsFitOneMode(
        [&app](const char* name) { return Given(app, name); },
        [&app](const char* name) { return Spelling(*app.get_option(name)); });
}

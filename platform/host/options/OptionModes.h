// The program runs in one mode: live play (no mode option), --check,
// --screenshot, --shots or --capture. The command line's side of the table of
// which modes read each option (OptionModeRules.h): it refuses a command line
// that asks for two modes or gives an option the chosen mode would ignore, and
// it groups --help by mode.
#pragma once

namespace CLI {
class App;
}

// Sets each option's --help group from the modes that read it. Call once every
// option has been added.
void GroupOptionsByMode(CLI::App& app);

// After parsing: false, with one line said, when two modes are asked for or an
// option given does nothing in the mode asked for.
bool OptionsFitOneMode(const CLI::App& app);

// The one table of which modes read each option, and the check against it.
#include "platform/host/options/OptionModeRules.h"

#include "platform/common/Log.h"

#include <array>

namespace {

enum ModeBit : unsigned {
    kPlay = 1u << 0,
    kCheck = 1u << 1,
    kScreenshot = 1u << 2,
    kShots = 1u << 3,
    kCapture = 1u << 4,
};
constexpr unsigned kOffscreen = kScreenshot | kShots | kCapture;
constexpr unsigned kEveryMode = kPlay | kCheck | kOffscreen;

// The options that choose a mode, each with its own.
constexpr std::array<ModeOption, 4> kModeOptions = {{
    {"--check", kCheck},
    {"--screenshot", kScreenshot},
    {"--shots", kShots},
    {"--capture", kCapture},
}};

// Which modes read each other option. Letting an option work in another mode
// is a change to its line here (and the code that honours it).
constexpr std::array<ModeOption, 17> kSettings = {{
    {"--data", kEveryMode},
    {"--size", kPlay | kOffscreen},
    {"--fps", kCapture},
    {"--crf", kCapture},
    {"--preset", kCapture},
    {"--lossless", kCapture},
    {"--supersample", kCapture},
    {"--fullscreen", kPlay},
    {"--display", kPlay},
    {"--aspect", kPlay | kOffscreen},
    {"--vsync", kPlay},
    {"--no-sound", kPlay},
    {"--audio-offset", kPlay},
    {"--dev", kPlay},
    {"--start", kPlay | kShots | kCapture},
    {"--end", kPlay | kShots | kCapture},
    {"--loop", kPlay},
}};

// The modes in the order --help and messages name them.
constexpr std::array<ModeOption, 5> kModeNames = {{
    {"live play", kPlay},
    {"--check", kCheck},
    {"--screenshot", kScreenshot},
    {"--shots", kShots},
    {"--capture", kCapture},
}};

} // namespace

std::string ModeList(unsigned modes) {
    std::string list;
    for (const ModeOption& mode : kModeNames) {
        if ((modes & mode.modes) != 0) {
            list += (list.empty() ? "" : ", ") + std::string(mode.name);
        }
    }
    return list;
}

std::span<const ModeOption> ModeChoosingOptions() {
    return kModeOptions;
}

std::span<const ModeOption> ModeSettings() {
    return kSettings;
}

bool EveryModeReads(const ModeOption& setting) {
    return setting.modes == kEveryMode;
}

bool GivenOptionsFitOneMode(const std::function<bool(const char* name)>& given,
                            const std::function<std::string(const char* name)>& spelling) {
    const ModeOption* chosen = nullptr;
    for (const ModeOption& mode : kModeOptions) {
        if (!given(mode.name)) {
            continue;
        }
        if (chosen != nullptr) {
            LogLine(std::string("quorvel8: ") + chosen->name + " and " + mode.name +
                    " are two modes; choose one");
            return false;
        }
        chosen = &mode;
    }
    const unsigned mode = chosen != nullptr ? chosen->modes : kPlay;
    const std::string modeText =
        chosen != nullptr ? std::string("with ") + chosen->name : "in live play";
    for (const ModeOption& setting : kSettings) {
        if (given(setting.name) && (setting.modes & mode) == 0) {
            LogLine("quorvel8: " + spelling(setting.name) + " does nothing " + modeText +
                    "; it is for " + ModeList(setting.modes));
            return false;
        }
    }
    return true;
}

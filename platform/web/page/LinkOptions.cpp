#include "platform/web/page/LinkOptions.h"

#include "platform/common/Log.h"
#include "platform/common/QuotedValue.h"
#include "platform/host/options/OptionModeRules.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Each link parameter stands for a command line option.
struct LinkParameter {
    const char* name;
    const char* option;
    const char* spelling; // as the command line's messages name the option
};

constexpr std::array<LinkParameter, 4> kParameters = {{
    {"t", "--screenshot", "--screenshot"},
    {"start", "--start", "--start"},
    {"end", "--end", "--end"},
    {"loop", "--loop", "--loop/--once"},
}};

struct GivenValues {
    std::array<std::optional<std::string>, kParameters.size()> values;

    const std::optional<std::string>& Of(std::string_view name) const {
        for (std::size_t i = 0; i < kParameters.size(); ++i) {
            if (name == kParameters[i].name) {
                return values[i];
            }
        }
        static const std::optional<std::string> none;
        return none;
    }

    bool OptionGiven(std::string_view option) const {
        for (std::size_t i = 0; i < kParameters.size(); ++i) {
            if (option == kParameters[i].option && values[i]) {
                return true;
            }
        }
        return false;
    }
};

std::string SpellingOf(std::string_view option) {
    for (const LinkParameter& parameter : kParameters) {
        if (option == parameter.option) {
            return parameter.spelling;
        }
    }
    return std::string(option);
}

} // namespace

bool ReadLinkOptions(int argc, char** argv, LinkOptions* options) {
    GivenValues given;
    // The first of a repeated parameter counts, as the page's link reads it.
    for (int i = 1; i + 1 < argc; i += 2) {
        for (std::size_t p = 0; p < kParameters.size(); ++p) {
            if (std::string_view(argv[i]) == kParameters[p].name && !given.values[p]) {
                given.values[p] = argv[i + 1];
            }
        }
    }
    // A parameter given an empty value is refused, never taken for one left
    // out, with the command line's line.
    for (std::size_t p = 0; p < kParameters.size(); ++p) {
        if (given.values[p] && given.values[p]->empty()) {
            LogLine(std::string("quorvel8: ") + kParameters[p].spelling +
                    ": expected a value, got ''");
            return false;
        }
    }
    const std::optional<std::string>& loop = given.Of("loop");
    if (loop && *loop != "1" && *loop != "0") {
        LogLine("quorvel8: loop: expected 1 or 0, got " + QuotedValue(*loop));
        return false;
    }
    if (!GivenOptionsFitOneMode([&](const char* name) { return given.OptionGiven(name); },
                                [](const char* name) { return SpellingOf(name); })) {
        return false;
    }
    if (const std::optional<std::string>& t = given.Of("t")) {
        int timeMs = 0;
        if (!ResolveScreenshotTime(*t, &timeMs)) {
            return false;
        }
        options->times.screenshotMs = timeMs;
    }
    options->loop = loop && *loop == "1";
    return ResolvePlayRange(given.Of("start").value_or(""), given.Of("end").value_or(""),
                            &options->times.startMs, &options->times.endMs);
}

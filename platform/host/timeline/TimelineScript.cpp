// The timeline script parser. Every line is checked even after an error, so
// the author sees every problem in one go; names become effect indices here
// and nowhere later.
#include "platform/host/timeline/TimelineScript.h"

#include "platform/common/QuotedValue.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <optional>

namespace {

constexpr std::size_t kMaxScriptBytes = 1u << 20;
constexpr std::size_t kMaxLineBytes = 4096;
constexpr long long kMaxLayer = 1'000'000;

bool IsDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits only, at most maxDigits of them, so the value cannot overflow.
std::optional<long long> ParseNumber(std::string_view text, std::size_t maxDigits) {
    if (!IsDigits(text) || text.size() > maxDigits) {
        return std::nullopt;
    }
    long long value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

// Whole milliseconds, m:ss or m:ss.f to m:ss.fff (the fraction is of a second),
// with no upper bound.
std::optional<long long> ParseWellFormedTime(std::string_view text) {
    long long ms = 0;
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        std::optional<long long> whole = ParseNumber(text, 9);
        if (!whole) {
            return std::nullopt;
        }
        ms = *whole;
    } else {
        std::optional<long long> minutes = ParseNumber(text.substr(0, colon), 5);
        std::string_view rest = text.substr(colon + 1);
        std::string_view fraction;
        const std::size_t dot = rest.find('.');
        if (dot != std::string_view::npos) {
            fraction = rest.substr(dot + 1);
            rest = rest.substr(0, dot);
            if (fraction.empty() || fraction.size() > 3 || !IsDigits(fraction)) {
                return std::nullopt;
            }
        }
        std::optional<long long> seconds = ParseNumber(rest, 2);
        if (!minutes || !seconds || rest.size() != 2 || *seconds > 59) {
            return std::nullopt;
        }
        long long fractionMs = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            fractionMs = fractionMs * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
        }
        ms = (*minutes * 60 + *seconds) * 1000 + fractionMs;
    }
    return ms;
}

std::optional<int> ParseTimeField(std::string_view text) {
    const std::optional<long long> ms = ParseWellFormedTime(text);
    if (!ms || *ms > kMaxScriptTimeMs) {
        return std::nullopt;
    }
    return static_cast<int>(*ms);
}

// Why a time field was refused.
std::string TimeError(std::string_view text) {
    return ParseWellFormedTime(text) ? "time " + QuotedValue(text) + " is past 24 h (1440:00)"
                                     : "malformed time " + QuotedValue(text);
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) {
            break;
        }
        std::size_t end = line.find_first_of(" \t", start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        fields.push_back(line.substr(start, end - start));
        at = end;
    }
    return fields;
}

std::string KnownEffects(std::span<const RegisteredName> effects) {
    if (effects.empty()) {
        return "none are registered";
    }
    std::string list;
    for (const RegisteredName& effect : effects) {
        list += (list.empty() ? "" : ", ") + effect.name;
    }
    return list;
}

// Two runs of one effect must not overlap: an effect object has one state.
// Sorting by start keeps this linear in the number of runs after the sort.
void CheckOverlaps(const std::vector<ScriptRun>& runs, int effectCount,
                   std::span<const RegisteredName> effects, std::vector<ScriptError>* errors) {
    std::vector<std::size_t> order(runs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (runs[a].effect != runs[b].effect) {
            return runs[a].effect < runs[b].effect;
        }
        return runs[a].startMs < runs[b].startMs;
    });
    std::vector<const ScriptRun*> reach(static_cast<std::size_t>(effectCount), nullptr);
    for (std::size_t index : order) {
        const ScriptRun& run = runs[index];
        const ScriptRun*& longest = reach[static_cast<std::size_t>(run.effect)];
        if (longest != nullptr && longest->endMs > run.startMs) {
            const ScriptRun& later = longest->line > run.line ? *longest : run;
            const ScriptRun& earlier = longest->line > run.line ? run : *longest;
            errors->push_back(
                {later.line, QuotedValue(effects[static_cast<std::size_t>(run.effect)].name) +
                                 " overlaps its run on line " + std::to_string(earlier.line)});
        }
        if (longest == nullptr || run.endMs > longest->endMs) {
            longest = &run;
        }
    }
}

// An END that comes before every run ends cuts the whole show short: a slip
// such as "END 144" (ms) for 2:24.
void CheckEnd(int endMs, int endLine, const std::vector<ScriptRun>& runs,
              std::vector<ScriptError>* errors) {
    const auto first = std::min_element(
        runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.endMs < b.endMs; });
    if (endMs == 0) {
        errors->push_back({endLine, "END 0 leaves no show"});
    } else if (endMs < first->endMs) {
        errors->push_back({endLine, "END " + FormatScriptTime(endMs) +
                                        " comes before every run ends (the first ends at " +
                                        FormatScriptTime(first->endMs) + ", line " +
                                        std::to_string(first->line) + ")"});
    }
}

} // namespace

std::string FormatScriptTime(int timeMs) {
    char text[32];
    if (timeMs % 1000 == 0) {
        std::snprintf(text, sizeof text, "%d:%02d", timeMs / 60000, timeMs / 1000 % 60);
    } else {
        std::snprintf(text, sizeof text, "%d:%02d.%03d", timeMs / 60000, timeMs / 1000 % 60,
                      timeMs % 1000);
    }
    return text;
}

bool ParseScriptTime(std::string_view text, int* timeMs) {
    const std::optional<int> ms = ParseTimeField(text);
    if (ms) {
        *timeMs = *ms;
    }
    return ms.has_value();
}

Timeline ParseTimelineScript(std::string_view text, std::span<const RegisteredName> effects,
                             std::vector<ScriptError>* errors) {
    Timeline timeline;
    const std::size_t firstError = errors->size();
    if (text.size() > kMaxScriptBytes) {
        errors->push_back({1, "script is over 1 MiB"});
        return timeline;
    }
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.starts_with(kBom)) {
        text.remove_prefix(kBom.size());
    }

    std::optional<int> endMs;
    int endLine = 0;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.size() > kMaxLineBytes) {
            errors->push_back({lineNumber, "line is over 4096 bytes"});
            continue;
        }
        line = line.substr(0, line.find('#'));
        const std::vector<std::string_view> fields = SplitFields(line);
        if (fields.empty()) {
            continue;
        }

        if (fields[0] == "END") {
            if (fields.size() != 2) {
                errors->push_back({lineNumber, "expected: END TIME"});
                continue;
            }
            const std::optional<int> time = ParseTimeField(fields[1]);
            if (!time) {
                errors->push_back({lineNumber, TimeError(fields[1])});
            } else if (endLine != 0) {
                errors->push_back(
                    {lineNumber, "duplicate END (first on line " + std::to_string(endLine) + ")"});
            } else {
                endMs = *time;
                endLine = lineNumber;
            }
            continue;
        }

        if (fields.size() != 4) {
            errors->push_back({lineNumber, "expected: EFFECT START END LAYER"});
            continue;
        }
        bool valid = true;
        const auto known =
            std::find_if(effects.begin(), effects.end(),
                         [&](const RegisteredName& e) { return e.name == fields[0]; });
        if (known == effects.end()) {
            errors->push_back({lineNumber, "unknown effect " + QuotedValue(fields[0]) +
                                               "; known effects: " + KnownEffects(effects)});
            valid = false;
        } else if (!known->created) {
            errors->push_back(
                {lineNumber, "effect " + QuotedValue(fields[0]) + " could not be created"});
            valid = false;
        }
        const std::optional<int> start = ParseTimeField(fields[1]);
        const std::optional<int> end = ParseTimeField(fields[2]);
        if (!start) {
            errors->push_back({lineNumber, TimeError(fields[1])});
            valid = false;
        }
        if (!end) {
            errors->push_back({lineNumber, TimeError(fields[2])});
            valid = false;
        }
        if (start && end && *end <= *start) {
            errors->push_back({lineNumber, "end " + std::string(fields[2]) +
                                               " is not after start " + std::string(fields[1])});
            valid = false;
        }
        const std::optional<long long> layer = ParseNumber(fields[3], 7);
        if (!layer || *layer > kMaxLayer) {
            errors->push_back({lineNumber, "malformed layer " + QuotedValue(fields[3])});
            valid = false;
        }
        if (valid) {
            timeline.runs.push_back({static_cast<int>(known - effects.begin()), *start, *end,
                                     static_cast<int>(*layer), lineNumber});
        }
    }

    CheckOverlaps(timeline.runs, static_cast<int>(effects.size()), effects, errors);
    if (endMs && !timeline.runs.empty()) {
        CheckEnd(*endMs, endLine, timeline.runs, errors);
    }
    if (timeline.runs.empty() && errors->size() == firstError) {
        errors->push_back({1, "no runs"});
    }
    std::stable_sort(errors->begin() + static_cast<std::ptrdiff_t>(firstError), errors->end(),
                     [](const ScriptError& a, const ScriptError& b) { return a.line < b.line; });

    if (endMs) {
        timeline.endMs = *endMs;
    } else {
        for (const ScriptRun& run : timeline.runs) {
            timeline.endMs = std::max(timeline.endMs, run.endMs);
        }
    }
    return timeline;
}

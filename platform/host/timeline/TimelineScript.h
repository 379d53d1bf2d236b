// The timeline script: which effect runs when, on which layer.
//
//   # effect  start  end    layer
//   BASS      0:00   2:24   0
//   END       2:24
//
// Times are whole milliseconds, m:ss or m:ss.fff. A run covers start <= t < end.
// Names resolve to indices of the registered effects once, here.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

struct ScriptRun {
    int effect; // index into the registered effects
    int startMs;
    int endMs;
    int layer;
    int line; // 1-based line in the script
};

struct ScriptError {
    int line;
    std::string message; // e.g. "unknown effect 'FOO'; known effects: BASS, BGDING"
};

struct Timeline {
    std::vector<ScriptRun> runs; // in script order
    int endMs = 0;               // END, or the last end when there is no END line
};

struct RegisteredName {
    std::string name;
    bool created; // false: the object could not be created (null)
};

inline constexpr int kMaxScriptTimeMs = 24 * 60 * 60 * 1000;

// One time as the script writes it (9000, 2:24, 0:09.5) in milliseconds; false
// when malformed or outside 0 .. 24 h.
bool ParseScriptTime(std::string_view text, int* timeMs);

// A time as an author writes it: m:ss, or m:ss.fff when not whole seconds.
std::string FormatScriptTime(int timeMs);

// Parses and validates the whole script, collecting every error. The timeline
// is meaningful only when errors is empty.
Timeline ParseTimelineScript(std::string_view text, std::span<const RegisteredName> effects,
                             std::vector<ScriptError>* errors);

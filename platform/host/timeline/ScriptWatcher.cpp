#include "platform/host/timeline/ScriptWatcher.h"

#include "platform/common/Log.h"
#include "platform/host/data/DataSource.h"
#include "platform/host/timeline/ScriptFile.h"

#include <system_error>

namespace {
constexpr double kLookPeriodMs = 500.0;
} // namespace

ScriptWatcher::ScriptWatcher(DataSource& source, std::string scriptName,
                             std::span<const RegisteredName> effects)
    : source_(source), scriptName_(std::move(scriptName)),
      effects_(effects.begin(), effects.end()) {
    std::error_code error;
    if (std::filesystem::is_directory(source_.Path(), error)) {
        file_ = source_.Path() / scriptName_;
        stamp_ = ReadStamp();
    }
}

std::optional<ScriptWatcher::Stamp> ScriptWatcher::ReadStamp() const {
    std::error_code error;
    Stamp stamp;
    stamp.written = std::filesystem::last_write_time(file_, error);
    if (error) {
        return std::nullopt;
    }
    stamp.size = std::filesystem::file_size(file_, error);
    if (error) {
        return std::nullopt;
    }
    return stamp;
}

std::optional<Timeline> ScriptWatcher::Poll(double steadyMs) {
    if (file_.empty() || steadyMs < nextLookMs_) {
        return std::nullopt;
    }
    nextLookMs_ = steadyMs + kLookPeriodMs;
    const std::optional<Stamp> stamp = ReadStamp();
    if (!stamp || stamp == stamp_) {
        return std::nullopt;
    }
    stamp_ = stamp;
    ScriptFile script = ReadScriptFile(source_, scriptName_, effects_);
    if (!script.read) {
        LogLine(scriptName_ + ": " + script.readError + "; the last good script plays on");
        return std::nullopt;
    }
    for (const ScriptError& e : script.errors) {
        LogLine(scriptName_ + ":" + std::to_string(e.line) + ": " + e.message);
    }
    if (!script.timeline) {
        LogLine(scriptName_ + ": the last good script plays on");
        return std::nullopt;
    }
    LogLine(scriptName_ + ": reloaded");
    return script.timeline;
}

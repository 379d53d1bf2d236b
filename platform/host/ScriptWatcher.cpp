#include "platform/host/ScriptWatcher.h"

#include "platform/host/DataSource.h"
#include "platform/host/Log.h"

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
    std::string error;
    const auto bytes = source_.Read(scriptName_, &error);
    if (!bytes) {
        LogLine(scriptName_ + ": " + error + "; the last good script plays on");
        return std::nullopt;
    }
    std::vector<ScriptError> errors;
    Timeline timeline = ParseTimelineScript(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), effects_,
        &errors);
    for (const ScriptError& e : errors) {
        LogLine(scriptName_ + ":" + std::to_string(e.line) + ": " + e.message);
    }
    if (!errors.empty()) {
        LogLine(scriptName_ + ": the last good script plays on");
        return std::nullopt;
    }
    LogLine(scriptName_ + ": reloaded");
    return timeline;
}

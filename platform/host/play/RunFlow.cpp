#include "platform/host/play/RunFlow.h"

#include "platform/common/Log.h"
#include "platform/common/ShortOfMemory.h"
#include "platform/host/timeline/ScriptFile.h"
#include "platform/host/timeline/ScriptWatcher.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

namespace {

// The run's session, kept until the host shuts down.
std::unique_ptr<ShowSession>& KeptSession() {
    static std::unique_ptr<ShowSession> session;
    return session;
}

} // namespace

int RunRegisteredShow(HINSTANCE instance, const char* title, PlatformRunner runner) {
    RegisteredShow& show = TheRegisteredShow();
    if (title != nullptr) {
        show.identity.title = title;
    }
    int status = 2;
    try {
        status = instance != nullptr ? runner(instance->argc, instance->argv, show)
                                     : runner(0, nullptr, show);
    } catch (const ShortOfMemory& shortOfMemory) {
        LogLine(shortOfMemory.what());
    } catch (const std::bad_alloc&) {
        LogLine("quorvel8: out of memory");
    }
    if (status != 0) {
        // Refused, failed or cut short by a signal: the entry point has
        // nothing left to do.
        EndRegisteredShow();
        std::fflush(stdout);
        std::exit(status);
    }
    return 1;
}

void EndRegisteredShow() {
    KeptSession().reset();
}

std::optional<Timeline> LoadRunTimeline(DataSource& source, const RegisteredShow& show,
                                        const RequestedTimes& times) {
    ScriptFile script = ReadScriptFile(source, show.scriptName, RegisteredNames(show));
    if (!script.read) {
        LogLine(show.scriptName + ": " + script.readError + " in " + source.Path().string());
    }
    for (const ScriptError& e : script.errors) {
        LogLine(show.scriptName + ":" + std::to_string(e.line) + ": " + e.message);
    }
    if (script.timeline && !TimesFitTheShow(times, script.timeline->endMs)) {
        return std::nullopt;
    }
    return std::move(script.timeline);
}

ShowSession* OpenRunSession(const RegisteredShow& show, Timeline timeline, ShowSession::Plan plan) {
    plan.effects = RegisteredObjects(show);
    plan.timeline = std::move(timeline);
    std::string error;
    KeptSession() = ShowSession::Open(std::move(plan), &error);
    if (!KeptSession()) {
        LogLine(error);
    }
    return KeptSession().get();
}

void PlayLive(ShowSession& session, const RegisteredShow& show, const LiveSettings& settings,
              bool watchScript, void (*afterFrame)(int timeMs), void (*atEnd)()) {
    const std::vector<RegisteredName> names = RegisteredNames(show);
    std::optional<ScriptWatcher> watcher;
    if (watchScript) {
        watcher.emplace(session.Source(), show.scriptName, names);
    }
    LivePlayer player(session.Frames(), names, settings, watcher ? &*watcher : nullptr);
    int timeMs = 0;
    for (;;) {
        while (player.Frame(&timeMs)) {
            if (afterFrame != nullptr) {
                afterFrame(timeMs);
            }
        }
        if (atEnd == nullptr) {
            return;
        }
        player.HoldAtEnd();
        atEnd();
        player.Replay();
    }
}

#include "platform/host/play/CheckReport.h"

#include "host/DemoGL.h"
#include "platform/audio/PlaybackControl.h"
#include "platform/host/ShowSession.h"
#include "platform/host/play/RegisteredShow.h"
#include "platform/host/play/StandardStreams.h"
#include "platform/host/timeline/ScriptFile.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kCheckWidth = 320;
constexpr int kCheckHeight = 240;

std::string ShowTime(long long timeMs) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld.%03lld", timeMs / 60000, timeMs / 1000 % 60,
                  timeMs % 1000);
    return text;
}

// The script: its runs and each effect's count, or every error. True when clean.
bool ReportScript(DataSource& source, const RegisteredShow& setup, int* showEndMs) {
    const std::vector<RegisteredName> names = RegisteredNames(setup);
    const ScriptFile script = ReadScriptFile(source, setup.scriptName, names);
    if (!script.read) {
        Report("script   %s: %s  PROBLEM\n", setup.scriptName.c_str(), script.readError.c_str());
        return false;
    }
    if (!script.timeline) {
        Report("script   %s: %zu error(s)  PROBLEM\n", setup.scriptName.c_str(),
               script.errors.size());
        for (const ScriptError& e : script.errors) {
            Report("  %s:%d: %s\n", setup.scriptName.c_str(), e.line, e.message.c_str());
        }
        return false;
    }
    const Timeline& timeline = *script.timeline;
    *showEndMs = timeline.endMs;
    Report("script   %s: %zu runs, the show lasts %s\n", setup.scriptName.c_str(),
           timeline.runs.size(), ShowTime(timeline.endMs).c_str());
    for (const ScriptRun& run : timeline.runs) {
        Report("  %-8s %10s - %-10s layer %d\n", names[run.effect].name.c_str(),
               ShowTime(run.startMs).c_str(), ShowTime(run.endMs).c_str(), run.layer);
    }
    std::string counts;
    for (std::size_t i = 0; i < names.size(); ++i) {
        int runs = 0;
        for (const ScriptRun& run : timeline.runs) {
            runs += run.effect == static_cast<int>(i);
        }
        counts += (i == 0 ? "" : ", ") + names[i].name + " " + std::to_string(runs);
    }
    Report("effects  (runs) %s\n", counts.c_str());
    return true;
}

// The effects' Init against a real GL: the pictures and the module they ask for.
bool ReportLoads(std::unique_ptr<DataSource> source, const RegisteredShow& setup, int showEndMs) {
    ShowSession::Plan plan;
    plan.source = std::move(source);
    plan.makeSurface = [](std::string* error) {
        return CreateOffscreenSurface(kCheckWidth, kCheckHeight, false, error);
    };
    plan.effects = RegisteredObjects(setup);
    // The music is loaded, never heard.
    plan.output = OutputChoice::Stepped;
    std::string error;
    std::unique_ptr<ShowSession> session = ShowSession::Open(std::move(plan), &error);
    if (!session) {
        Report("pictures not checked: %s  PROBLEM\n", error.c_str());
        return false;
    }
    const std::optional<std::int64_t> musicMs = LoadedMusicLengthMs();
    const std::vector<PictureRecord> pictures = session->Textures().Records();
    session.reset();

    bool clean = true;
    Report("pictures %zu\n", pictures.size());
    for (const PictureRecord& picture : pictures) {
        if (picture.problem.empty()) {
            Report("  %-14s %dx%d\n", picture.name.c_str(), picture.width, picture.height);
        } else {
            Report("  %-14s %s  PROBLEM\n", picture.name.c_str(), picture.problem.c_str());
            clean = false;
        }
    }
    if (!musicMs) {
        Report("music    none loaded  PROBLEM\n");
        return false;
    }
    if (*musicMs < 0) {
        // A module whose length the decoder cannot tell still plays.
        Report("music    length unknown\n");
        return clean;
    }
    Report("music    %s", ShowTime(*musicMs).c_str());
    if (showEndMs > 0) {
        Report(" for a show of %s%s", ShowTime(showEndMs).c_str(),
               *musicMs < showEndMs ? " (silence at the end)" : "");
    }
    Report("\n");
    return clean;
}

} // namespace

int RunCheck(std::unique_ptr<DataSource> source, const RegisteredShow& setup,
             const std::vector<std::filesystem::path>& searched) {
    Report("%s by %s: checking %s\n", setup.identity.title.c_str(), setup.identity.makers.c_str(),
           source->Path().c_str());
    if (!searched.empty()) {
        Report("data     looked in %s\n", JoinPlaces(searched).c_str());
    }
    int showEndMs = 0;
    const bool scriptClean = ReportScript(*source, setup, &showEndMs);
    const bool loadsClean = ReportLoads(std::move(source), setup, showEndMs);
    const bool clean = scriptClean && loadsClean;
    Report("%s\n", clean ? "ready to show" : "NOT ready: see PROBLEM above");
    return FinishReport(clean ? 0 : 2);
}

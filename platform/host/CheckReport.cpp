#include "platform/host/CheckReport.h"

#include "host/DemoGL.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/audio/PlaybackControl.h"
#include "platform/host/DataSource.h"
#include "platform/host/FileStore.h"
#include "platform/host/HostServices.h"
#include "platform/host/ShowRunner.h"
#include "platform/host/Surface.h"
#include "platform/host/TextureStore.h"

#include <cstdio>
#include <memory>
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
bool ReportScript(DataSource& source, const ShowSetup& setup, int* showEndMs) {
    std::string error;
    const auto bytes = source.Read(setup.scriptName, &error);
    if (!bytes) {
        std::printf("script   %s: %s  PROBLEM\n", setup.scriptName.c_str(), error.c_str());
        return false;
    }
    const std::vector<RegisteredName> names = RegisteredNames(setup);
    std::vector<ScriptError> errors;
    const Timeline timeline = ParseTimelineScript(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), names,
        &errors);
    if (!errors.empty()) {
        std::printf("script   %s: %zu error(s)  PROBLEM\n", setup.scriptName.c_str(),
                    errors.size());
        for (const ScriptError& e : errors) {
            std::printf("  %s:%d: %s\n", setup.scriptName.c_str(), e.line, e.message.c_str());
        }
        return false;
    }
    *showEndMs = timeline.endMs;
    std::printf("script   %s: %zu runs, the show lasts %s\n", setup.scriptName.c_str(),
                timeline.runs.size(), ShowTime(timeline.endMs).c_str());
    for (const ScriptRun& run : timeline.runs) {
        std::printf("  %-8s %10s - %-10s layer %d\n", names[run.effect].name.c_str(),
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
    std::printf("effects  (runs) %s\n", counts.c_str());
    return true;
}

// The effects' Init against a real GL: the pictures and the module they ask for.
bool ReportLoads(DataSource& source, const ShowSetup& setup, int showEndMs) {
    std::string error;
    const std::unique_ptr<Surface> surface =
        CreateOffscreenSurface(kCheckWidth, kCheckHeight, &error);
    if (!surface) {
        std::printf("pictures not checked: %s  PROBLEM\n", error.c_str());
        return false;
    }
    surface->BeginFrame();
    FileStore files(source);
    auto textures = std::make_unique<TextureStore>(source);
    InstallHostServices(&files, textures.get());
    // The music is loaded, never heard.
    UseSilentOutput(true);
    for (const RegisteredEffect& registered : setup.effects) {
        if (registered.effect != nullptr) {
            registered.effect->Init(kCheckWidth, kCheckHeight);
        }
    }
    const long long musicMs = LoadedMusicLengthMs();
    BASS_Free();
    UseSilentOutput(false);
    InstallHostServices(nullptr, nullptr);

    bool clean = true;
    const std::vector<PictureRecord> pictures = textures->Records();
    std::printf("pictures %zu\n", pictures.size());
    for (const PictureRecord& picture : pictures) {
        if (picture.problem.empty()) {
            std::printf("  %-14s %dx%d\n", picture.name.c_str(), picture.width, picture.height);
        } else {
            std::printf("  %-14s %s  PROBLEM\n", picture.name.c_str(), picture.problem.c_str());
            clean = false;
        }
    }
    textures.reset(); // needs the context: before the surface
    if (musicMs < 0) {
        std::printf("music    none loaded  PROBLEM\n");
        return false;
    }
    std::printf("music    %s", ShowTime(musicMs).c_str());
    if (showEndMs > 0) {
        std::printf(" for a show of %s%s", ShowTime(showEndMs).c_str(),
                    musicMs < showEndMs ? " (silence at the end)" : "");
    }
    std::printf("\n");
    return clean;
}

} // namespace

int RunCheck(DataSource& source, const ShowSetup& setup,
             const std::vector<std::filesystem::path>& searched) {
    std::printf("%s by %s: checking %s\n", setup.show.title.c_str(), setup.show.makers.c_str(),
                source.Path().c_str());
    if (!searched.empty()) {
        std::printf("data     looked in %s\n", JoinPlaces(searched).c_str());
    }
    int showEndMs = 0;
    const bool scriptClean = ReportScript(source, setup, &showEndMs);
    const bool loadsClean = ReportLoads(source, setup, showEndMs);
    const bool clean = scriptClean && loadsClean;
    std::printf("%s\n", clean ? "ready to show" : "NOT ready: see PROBLEM above");
    std::fflush(stdout);
    return clean ? 0 : 2;
}

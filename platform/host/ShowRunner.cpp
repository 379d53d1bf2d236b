// NOTE: every refusal happens before a window or GL context exists, so a bad
// script or missing data never flashes a window.
#include "platform/host/ShowRunner.h"

#include "host/DemoGL.h"
#include "platform/audio/PlaybackControl.h"
#include "platform/host/CapturePipeline.h"
#include "platform/host/CheckReport.h"
#include "platform/host/DataSource.h"
#include "platform/host/FileStore.h"
#include "platform/host/FrameState.h"
#include "platform/host/FrameStep.h"
#include "platform/host/HostServices.h"
#include "platform/host/InstallLayout.h"
#include "platform/host/LivePlayer.h"
#include "platform/host/Log.h"
#include "platform/host/PngWriter.h"
#include "platform/host/Scheduler.h"
#include "platform/host/ScriptWatcher.h"
#include "platform/host/StopSignals.h"
#include "platform/host/Surface.h"
#include "platform/host/TextureStore.h"
#include "platform/win/WinHostControl.h"

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : exe.parent_path();
}

std::optional<Timeline> LoadTimeline(DataSource& source, const ShowSetup& setup) {
    std::string error;
    const auto bytes = source.Read(setup.scriptName, &error);
    if (!bytes) {
        LogLine(setup.scriptName + ": " + error + " in " + source.Path().string());
        return std::nullopt;
    }
    const std::vector<RegisteredName> names = RegisteredNames(setup);
    std::vector<ScriptError> errors;
    Timeline timeline = ParseTimelineScript(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), names,
        &errors);
    for (const ScriptError& e : errors) {
        LogLine(setup.scriptName + ":" + std::to_string(e.line) + ": " + e.message);
    }
    if (!errors.empty()) {
        return std::nullopt;
    }
    return timeline;
}

bool SaveFrame(Surface& surface, const std::filesystem::path& file,
               std::vector<std::uint8_t>& pixels) {
    const Viewport area = surface.DrawingArea();
    pixels.resize(static_cast<std::size_t>(area.width) * area.height * 3);
    surface.ReadPixels(pixels);
    std::string error;
    if (!WritePng(file, area.width, area.height, pixels, &error)) {
        LogLine("screenshot: [" + file.string() + "] " + error);
        return false;
    }
    return true;
}

int RenderShots(Surface& surface, Scheduler& scheduler, const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        LogLine("shots: [" + folder.string() + "] " + error.message());
        return 2;
    }
    std::vector<std::uint8_t> pixels;
    for (int second = 0; second * 1000 < scheduler.EndMs() && StopSignalCaught() == 0; ++second) {
        RenderFrameAt(surface, scheduler, second * 1000);
        char name[32];
        std::snprintf(name, sizeof name, "%04d.png", second);
        if (!SaveFrame(surface, folder / name, pixels)) {
            return 2;
        }
    }
    return 0;
}

} // namespace

std::vector<RegisteredName> RegisteredNames(const ShowSetup& setup) {
    std::vector<RegisteredName> names;
    for (const RegisteredEffect& registered : setup.effects) {
        names.push_back({registered.name, registered.effect != nullptr});
    }
    return names;
}

ShowRunner::ShowRunner() = default;

ShowRunner::~ShowRunner() {
    InstallHostServices(nullptr, nullptr);
    // Textures need the context: they go before the surface.
    textures_.reset();
    surface_.reset();
    SetForegroundWindowHandle(nullptr);
    ReleaseMillisecondClock();
}

int ShowRunner::Run(int argc, char** argv, const ShowSetup& setup) {
    HostOptions options;
    if (const int answered = ParseHostOptions(argc, argv, setup.show, &options); answered >= 0) {
        return answered;
    }

    std::error_code cwdError;
    const std::filesystem::path executableDirectory = ExecutableDirectory();
    DataLookup lookup{
        setup.dataDirectory, setup.archive,    std::filesystem::current_path(cwdError),
        executableDirectory, options.dataPath, InstalledDataDirectories(executableDirectory)};
    std::string error;
    std::vector<std::filesystem::path> searched;
    source_ = LocateDataSource(lookup, &error, &searched);
    if (!source_) {
        LogLine("data: " + error);
        return 2;
    }
    if (options.viewer.check) {
        return RunCheck(*source_, setup, searched);
    }
    const std::optional<Timeline> timeline = LoadTimeline(*source_, setup);
    if (!timeline) {
        return 2;
    }
    if (options.viewer.startMs >= timeline->endMs) {
        LogLine("quorvel8: --start: the show ends at " + std::to_string(timeline->endMs) + " ms");
        return 2;
    }

    const bool offscreen = options.screenshot || options.shotsFolder || options.capture;
    if (options.capture) {
        surface_ = CreateOffscreenSurface(options.capture->width, options.capture->height, &error);
    } else if (offscreen) {
        surface_ = CreateOffscreenSurface(
            options.width > 0 ? options.width : kOffscreenDefaultWidth,
            options.height > 0 ? options.height : kOffscreenDefaultHeight, &error);
    } else if (!DisplayAvailable()) {
        LogLine("quorvel8: no display found; render offscreen with --capture FILE.mp4, "
                "--screenshot TIME FILE.png or --shots DIR");
        return 2;
    } else {
        WindowSettings window{setup.show.title};
        if (options.width > 0) {
            window.width = options.width;
            window.height = options.height;
        }
        window.vsync = options.vsync;
        window.fullscreen = options.viewer.fullscreen;
        window.display = options.viewer.display;
        window.stretch = options.viewer.stretch;
        surface_ = CreateWindowSurface(window, &error);
    }
    if (!surface_) {
        LogLine(error);
        return 2;
    }
    SetForegroundWindowHandle(surface_->NativeWindow());

    files_ = std::make_unique<FileStore>(*source_);
    textures_ = std::make_unique<TextureStore>(*source_);
    InstallHostServices(files_.get(), textures_.get());

    // Offscreen runs must not sound: the music keeps time on the silent device.
    UseSilentOutput(offscreen || !options.viewer.sound);
    // Black while loading; Esc or closing the window ends it between effects.
    surface_->BeginFrame();
    ResetFrameState(surface_->DrawingArea());
    surface_->Present();
    std::vector<CEffect*> effects;
    const Viewport area = surface_->DrawingArea();
    for (const RegisteredEffect& registered : setup.effects) {
        if (surface_->QuitRequested()) {
            return 0;
        }
        effects.push_back(registered.effect);
        if (registered.effect != nullptr) {
            registered.effect->Init(area.width, area.height);
        }
    }
    Scheduler scheduler(*timeline, effects);

    CatchStopSignals();
    int status = 0;
    if (options.screenshot) {
        RenderFrameAt(*surface_, scheduler, options.screenshot->timeMs);
        std::vector<std::uint8_t> pixels;
        status = SaveFrame(*surface_, options.screenshot->file, pixels) ? 0 : 2;
    } else if (options.capture) {
        const auto capture =
            CapturePipeline::Open(*options.capture, scheduler.EndMs(),
                                  FindCaptureMusic(*timeline, setup.effects, LastLoadedModule()));
        status = capture ? capture->Run(*surface_, scheduler) : 2;
    } else if (options.shotsFolder) {
        status = RenderShots(*surface_, scheduler, *options.shotsFolder);
    } else {
        const std::vector<RegisteredName> names = RegisteredNames(setup);
        std::optional<ScriptWatcher> watcher;
        if (options.viewer.dev) {
            watcher.emplace(*source_, setup.scriptName, names);
        }
        const LiveSettings live{setup.show.title.c_str(), options.viewer.startMs,
                                options.viewer.loop, options.viewer.dev,
                                options.viewer.audioOffsetMs};
        LivePlayer(*surface_, scheduler, names, live, watcher ? &*watcher : nullptr).Run();
    }
    scheduler.StopAll();
    if (const int signal = StopSignalCaught(); signal != 0) {
        LogLine(std::string("quorvel8: stopped by ") + StopSignalName(signal));
    }
    return status;
}

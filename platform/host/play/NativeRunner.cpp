// The program's runner: the command line, the data looked for where it may
// lie, --check, and the show live in a window or offscreen into a screenshot,
// shots or a capture. RunApp and EndApp for the program.
//
// NOTE: every refusal happens before a window or GL context exists, so a bad
// script or missing data never flashes a window.
#include "platform/common/Log.h"
#include "platform/host/StopSignals.h"
#include "platform/host/capture/CaptureMemory.h"
#include "platform/host/capture/CapturePipeline.h"
#include "platform/host/data/DataSource.h"
#include "platform/host/data/InstallLayout.h"
#include "platform/host/options/HostOptions.h"
#include "platform/host/output/PngWriter.h"
#include "platform/host/play/CheckReport.h"
#include "platform/host/play/ReadRecordingSource.h"
#include "platform/host/play/RunFlow.h"
#include "platform/host/play/StandardStreams.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path ExecutableDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path{} : exe.parent_path();
}

bool SaveFrame(Surface& surface, const std::filesystem::path& file,
               std::vector<std::uint8_t>& pixels) {
    const Viewport area = surface.FrameArea();
    pixels.resize(static_cast<std::size_t>(area.width) * area.height * 3);
    surface.ReadPixels(pixels);
    std::string error;
    if (!WritePng(file, area.width, area.height, pixels, &error)) {
        LogLine("screenshot: [" + file.string() + "] " + error);
        return false;
    }
    return true;
}

// Shot n of --shots, named by the count from the start.
std::filesystem::path ShotFile(const std::filesystem::path& folder, int shot) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d.png", shot);
    return folder / name;
}

// False, with one line said, when a file the mode would write is one of the
// show's inputs (after the show has read them all, before anything is written).
bool WritesNoInput(const HostOptions& options, const ReadRecordingSource& inputs, int startMs,
                   int endMs) {
    std::vector<std::pair<const char*, std::filesystem::path>> outputs;
    if (options.screenshot) {
        outputs.emplace_back("screenshot", options.screenshot->file);
    } else if (options.capture) {
        outputs.emplace_back("capture", options.capture->file);
    } else if (options.shotsFolder) {
        // Only a shot already in the folder can be an input.
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(*options.shotsFolder, error)) {
            long long shot = -1;
            if (std::sscanf(entry.path().filename().c_str(), "%lld", &shot) == 1 && shot >= 0 &&
                shot < (endMs - startMs + 999) / 1000 &&
                entry.path().filename() == ShotFile({}, static_cast<int>(shot))) {
                outputs.emplace_back("shots", entry.path());
            }
        }
    }
    for (const auto& [mode, file] : outputs) {
        if (inputs.IsInput(file)) {
            LogLine(std::string(mode) + ": [" + file.string() +
                    "] is one of the show's inputs; write it elsewhere");
            return false;
        }
    }
    return true;
}

// One a second from startMs while t < endMs, named by the count from the start.
// A stop signal keeps the pictures written so far.
int RenderShots(FrameStep& frames, const std::filesystem::path& folder, int startMs, int endMs) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        LogLine("shots: [" + folder.string() + "] " + error.message());
        return 2;
    }
    std::vector<std::uint8_t> pixels;
    for (int shot = 0; startMs + shot * 1000 < endMs && StopSignalCaught() == 0; ++shot) {
        frames.Render(startMs + shot * 1000);
        if (!SaveFrame(frames.Target(), ShotFile(folder, shot), pixels)) {
            return 2;
        }
    }
    return StoppedExitStatus();
}

// The surface the chosen mode draws on: offscreen for screenshots, shots and
// capture, else a window.
std::function<std::unique_ptr<Surface>(std::string*)> SurfaceFor(const HostOptions& options,
                                                                 const ShowIdentity& show) {
    if (options.capture) {
        const CaptureSettings& capture = *options.capture;
        const bool stretch = options.viewer.stretch;
        return [&capture, stretch](std::string* error) {
            return CreateOffscreenSurface(capture.width * capture.supersample,
                                          capture.height * capture.supersample, stretch, error);
        };
    }
    if (options.screenshot || options.shotsFolder) {
        const int width = options.width > 0 ? options.width : kOffscreenDefaultWidth;
        const int height = options.height > 0 ? options.height : kOffscreenDefaultHeight;
        const bool stretch = options.viewer.stretch;
        return [width, height, stretch](std::string* error) {
            return CreateOffscreenSurface(width, height, stretch, error);
        };
    }
    WindowSettings window{show.title};
    if (options.width > 0) {
        window.width = options.width;
        window.height = options.height;
    }
    window.vsync = options.vsync;
    window.fullscreen = options.viewer.fullscreen;
    window.display = options.viewer.display;
    window.stretch = options.viewer.stretch;
    return [window](std::string* error) { return CreateWindowSurface(window, error); };
}

// The show writes only what it is asked to, so it runs from read-only media
// and leaves a party machine as it found it: the GL drivers' on-disk shader
// caches stay off unless the user turns them on.
void KeepShaderCachesOff() {
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    setenv("__GL_SHADER_DISK_CACHE", "0", 0);
}

int RunNative(int argc, char** argv, const RegisteredShow& show) {
    OpenClosedStandardStreams();
    HostOptions options;
    if (const int answered = ParseHostOptions(argc, argv, show.identity, &options); answered >= 0) {
        if (options.answer.empty()) {
            return answered;
        }
        Report("%s", options.answer.c_str());
        return FinishReport(answered);
    }
    KeepShaderCachesOff();

    std::error_code cwdError;
    const std::filesystem::path executableDirectory = ExecutableDirectory();
    DataLookup lookup{
        show.dataDirectory,  show.archive,     std::filesystem::current_path(cwdError),
        executableDirectory, options.dataPath, InstalledDataDirectories(executableDirectory)};
    std::string error;
    std::vector<std::filesystem::path> searched;
    std::unique_ptr<DataSource> located = LocateDataSource(lookup, &error, &searched);
    if (!located) {
        LogLine("data: " + error);
        return 2;
    }
    auto source = std::make_unique<ReadRecordingSource>(std::move(located));
    const ReadRecordingSource& inputs = *source;
    if (options.viewer.check) {
        return RunCheck(std::move(source), show, searched);
    }
    std::optional<Timeline> timeline = LoadRunTimeline(*source, show, TimesAskedFor(options));
    if (!timeline) {
        return 2;
    }

    const bool offscreen = options.screenshot || options.shotsFolder || options.capture;
    if (!offscreen && !DisplayAvailable()) {
        LogLine("quorvel8: no display found; render offscreen with --capture FILE.mp4, "
                "--screenshot TIME FILE.png or --shots DIR");
        return 2;
    }
    // Refused before the show takes any of the memory it would need.
    if (options.capture) {
        if (const std::string shortfall = CaptureMemoryShortfall(*options.capture);
            !shortfall.empty()) {
            LogLine("capture: [" + options.capture->file.string() + "] " + shortfall);
            return 2;
        }
    }
    ShowSession::Plan plan;
    plan.source = std::move(source);
    plan.makeSurface = SurfaceFor(options, show.identity);
    // Offscreen runs must not sound: a capture pulls the music in step with
    // its frames, screenshots and shots never hear it.
    plan.output = offscreen               ? OutputChoice::Stepped
                  : !options.viewer.sound ? OutputChoice::Silent
                                          : OutputChoice::Device;
    plan.fixedStepClock = offscreen;
    ShowSession* session = OpenRunSession(show, std::move(*timeline), std::move(plan));
    if (session == nullptr) {
        return 2;
    }
    if (session->Interrupted()) {
        return 0;
    }
    FrameStep& frames = session->Frames();
    // Capture and shots cover startMs <= t < endMs.
    const int startMs = options.viewer.startMs;
    const int endMs = options.viewer.endMs.value_or(frames.Schedule().EndMs());
    if (!WritesNoInput(options, inputs, startMs, endMs)) {
        return 2;
    }

    CatchStopSignals();
    int status = 0;
    if (options.screenshot) {
        frames.Render(options.screenshot->timeMs);
        std::vector<std::uint8_t> pixels;
        status = SaveFrame(frames.Target(), options.screenshot->file, pixels) ? 0 : 2;
    } else if (options.capture) {
        const auto capture = CapturePipeline::Open(*options.capture, startMs, endMs);
        status = capture ? capture->Run(frames) : 2;
    } else if (options.shotsFolder) {
        status = RenderShots(frames, *options.shotsFolder, startMs, endMs);
    } else {
        const LiveSettings live{show.identity.title.c_str(),  options.viewer.startMs,
                                options.viewer.loop,          options.viewer.dev,
                                options.viewer.audioOffsetMs, options.viewer.endMs};
        PlayLive(*session, show, live, options.viewer.dev, nullptr);
    }
    frames.Schedule().StopAll();
    if (const int signal = StopSignalCaught(); signal != 0) {
        LogLine(std::string("quorvel8: stopped by ") + StopSignalName(signal));
    }
    return status;
}

} // namespace

int RunApp(HINSTANCE instance, const char* title, int, int, int) {
    return RunRegisteredShow(instance, title, RunNative);
}

void EndApp() {
    EndRegisteredShow();
}

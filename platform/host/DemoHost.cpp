// The host operations the show calls, over one process-wide host. Defaults and
// registrations are collected until RunApp; files and pictures can be loaded
// only while the show runs (from the effects' Init on).
#include "host/DemoGL.h"
#include "platform/host/FileStore.h"
#include "platform/host/HostFiles.h"
#include "platform/host/HostServices.h"
#include "platform/host/Log.h"
#include "platform/host/ShowRunner.h"
#include "platform/host/TextureStore.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Host {
    ShowSetup setup{"demodat", "demodat.zip", "script.txt", {"quorvel 8", "", {}}, {}};
    std::unique_ptr<ShowRunner> runner;
    FileStore* files = nullptr;
    TextureStore* textures = nullptr;
};

Host& TheHost() {
    static Host host;
    return host;
}

std::string Text(const char* s) {
    return s != nullptr ? s : "";
}

} // namespace

CEffect::CEffect() = default;

CEffect::~CEffect() = default;

void CEffect::ReceiveParam(char*) {}

int OverruleDefaults(int, int, const char* dataDirectory, const char* archive, const char* script,
                     int, int, int, int, int) {
    ShowSetup& setup = TheHost().setup;
    setup.dataDirectory = Text(dataDirectory);
    setup.archive = Text(archive);
    setup.scriptName = Text(script);
    return 1;
}

int RegisterEffect(CEffect* effect, const char* name) {
    TheHost().setup.effects.push_back({Text(name), effect});
    return 1;
}

// The five values are what the start-up settings default to: full screen,
// vsync, sound, keeping 4:3, looping.
int SetStartupDialogVars(const char* title, const char* makers, int fullscreen, int vsync,
                         int sound, int keepAspect, int loop) {
    TheHost().setup.show = {Text(title),
                            Text(makers),
                            {fullscreen != 0, vsync != 0, sound != 0, keepAspect != 0, loop != 0}};
    return 1;
}

int RunApp(HINSTANCE instance, const char* title, int, int, int) {
    Host& host = TheHost();
    if (title != nullptr) {
        host.setup.show.title = title;
    }
    host.runner = std::make_unique<ShowRunner>();
    const int status = instance != nullptr
                           ? host.runner->Run(instance->argc, instance->argv, host.setup)
                           : host.runner->Run(0, nullptr, host.setup);
    if (status != 0) {
        // Refusing to start: the entry point has nothing left to do.
        host.runner.reset();
        std::fflush(stdout);
        std::exit(status);
    }
    return 1;
}

void EndApp() {
    TheHost().runner.reset();
}

void InstallHostServices(FileStore* files, TextureStore* textures) {
    TheHost().files = files;
    TheHost().textures = textures;
}

void* LoadFile(const char* name) {
    FileStore* files = TheHost().files;
    if (files == nullptr) {
        LogLine("data: [" + Text(name) + "] asked for before the show started");
        return nullptr;
    }
    return files->Load(Text(name));
}

std::size_t LoadedFileSize(const void* data) {
    FileStore* files = TheHost().files;
    return files != nullptr ? files->SizeOf(data) : 0;
}

unsigned int LoadTexture(const char* name, int, int wrapS, int wrapT, int minFilter, int magFilter,
                         int, int a, int, int b) {
    TextureStore* textures = TheHost().textures;
    if (textures == nullptr) {
        LogLine("picture: [" + Text(name) + "] asked for before the show started");
        return 0;
    }
    // b = 1 asks for opaque texels; a = 1 for alpha from brightness.
    const PictureAlpha alpha = (a == 1 && b != 1) ? PictureAlpha::Brightness : PictureAlpha::Opaque;
    return textures->Load(name, wrapS, wrapT, minFilter, magFilter, alpha);
}

int UploadTexture(unsigned int texture) {
    TextureStore* textures = TheHost().textures;
    return textures != nullptr && textures->Upload(texture) ? 1 : 0;
}

int UnUploadTexture(unsigned int texture) {
    TextureStore* textures = TheHost().textures;
    return textures != nullptr && textures->UnUpload(texture) ? 1 : 0;
}

// The file and picture operations the effects call, over the stores the show
// session installed.
#include "platform/host/HostServices.h"

#include "host/DemoGL.h"
#include "platform/audio/HostFileSizes.h"
#include "platform/common/Log.h"
#include "platform/host/data/FileStore.h"
#include "platform/host/gl/TextureStore.h"

#include <string>

namespace {

struct Services {
    FileStore* files = nullptr;
    TextureStore* textures = nullptr;
};

Services& Installed() {
    static Services services;
    return services;
}

std::string Text(const char* s) {
    return s != nullptr ? s : "";
}

std::size_t LoadedFileSize(const void* data) {
    FileStore* files = Installed().files;
    return files != nullptr ? files->SizeOf(data) : 0;
}

} // namespace

void InstallHostServices(FileStore* files, TextureStore* textures) {
    Installed() = {files, textures};
    SetFileSizeLookup(files != nullptr ? &LoadedFileSize : nullptr);
}

void* LoadFile(const char* name) {
    FileStore* files = Installed().files;
    if (files == nullptr) {
        LogLine("data: [" + Text(name) + "] asked for before the show started");
        return nullptr;
    }
    return files->Load(Text(name));
}

unsigned int LoadTexture(const char* name, int, int wrapS, int wrapT, int minFilter, int magFilter,
                         int, int a, int, int b) {
    TextureStore* textures = Installed().textures;
    if (textures == nullptr) {
        LogLine("picture: [" + Text(name) + "] asked for before the show started");
        return 0;
    }
    // b = 1 asks for opaque texels; a = 1 for alpha from brightness.
    const PictureAlpha alpha = (a == 1 && b != 1) ? PictureAlpha::Brightness : PictureAlpha::Opaque;
    return textures->Load(name, wrapS, wrapT, minFilter, magFilter, alpha);
}

int UploadTexture(unsigned int texture) {
    TextureStore* textures = Installed().textures;
    return textures != nullptr && textures->Upload(texture) ? 1 : 0;
}

int UnUploadTexture(unsigned int texture) {
    TextureStore* textures = Installed().textures;
    return textures != nullptr && textures->UnUpload(texture) ? 1 : 0;
}

#include "platform/host/gl/TextureStore.h"

#include "platform/common/Log.h"
#include "platform/common/ShortOfMemory.h"
#include "platform/host/data/DataSource.h"

#include <GL/gl.h>

#include <span>

namespace {

bool UsesMipmaps(int minFilter) {
    return minFilter != GL_NEAREST && minFilter != GL_LINEAR;
}

// Uploads keep whatever texture the caller had bound.
class BindingKeeper {
  public:
    BindingKeeper() { glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous_); }
    ~BindingKeeper() { glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous_)); }

  private:
    GLint previous_ = 0;
};

} // namespace

TextureStore::TextureStore(DataSource& source) : source_(source) {}

TextureStore::~TextureStore() {
    for (const Entry& entry : entries_) {
        glDeleteTextures(1, &entry.name);
    }
}

unsigned int TextureStore::Load(const char* name, int wrapS, int wrapT, int minFilter,
                                int magFilter, PictureAlpha alpha) {
    const std::string fileName = name != nullptr ? name : "";
    Entry entry{0, {}, wrapS, wrapT, minFilter, magFilter, fileName, {}};
    std::string error;
    std::string damage;
    const auto bytes = source_.Read(fileName, &error);
    bool decoded = false;
    try {
        decoded = bytes && DecodeJpegPicture(std::span(*bytes), alpha, &entry.picture, &error,
                                             &damage, kMaxShowPictureBytes - decodedBytes_);
    } catch (const std::bad_alloc&) {
        throw ShortOfMemory("picture: [" + fileName + "] out of memory decoding it");
    }
    if (!decoded) {
        LogLine("picture: [" + fileName + "] " + error + "; a checkerboard stands in");
        entry.picture = MakeCheckerboardPicture(alpha);
        entry.problem = error;
    } else {
        decodedBytes_ += entry.picture.rgba.size();
        if (!damage.empty()) {
            LogLine("picture: [" + fileName + "] damaged (" + damage +
                    "); showing the part that decoded");
            entry.problem = "damaged (" + damage + ")";
        }
    }
    glGenTextures(1, &entry.name);
    entries_.push_back(std::move(entry));
    return entries_.back().name;
}

TextureStore::Entry* TextureStore::Find(unsigned int texture) {
    for (Entry& entry : entries_) {
        if (entry.name == texture) {
            return &entry;
        }
    }
    return nullptr;
}

bool TextureStore::Upload(unsigned int texture) {
    const Entry* entry = Find(texture);
    if (entry == nullptr) {
        return false;
    }
    BindingKeeper keeper;
    glBindTexture(GL_TEXTURE_2D, entry->name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, entry->wrapS);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, entry->wrapT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, entry->minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, entry->magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, UsesMipmaps(entry->minFilter));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, entry->picture.width, entry->picture.height, 0,
                 GL_RGBA, GL_UNSIGNED_BYTE, entry->picture.rgba.data());
    return true;
}

bool TextureStore::UnUpload(unsigned int texture) {
    const Entry* entry = Find(texture);
    if (entry == nullptr) {
        return false;
    }
    // A zero-sized image frees the storage; the name stays reserved.
    BindingKeeper keeper;
    glBindTexture(GL_TEXTURE_2D, entry->name);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 0, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    return true;
}

std::vector<PictureRecord> TextureStore::Records() const {
    std::vector<PictureRecord> records;
    for (const Entry& entry : entries_) {
        records.push_back(
            {entry.fileName, entry.picture.width, entry.picture.height, entry.problem});
    }
    return records;
}

// Buffers are never freed or moved before the store goes, because effects keep
// the raw addresses Load hands out for as long as the show runs.
#include "platform/host/data/FileStore.h"

#include "platform/common/Log.h"
#include "platform/host/data/DataSource.h"

#include <string>

FileStore::FileStore(DataSource& source) : source_(source) {}

void* FileStore::Load(std::string_view name) {
    std::string error;
    std::optional<std::vector<unsigned char>> bytes = source_.Read(name, &error);
    if (!bytes) {
        LogLine("data: [" + std::string(name) + "] " + error);
        return nullptr;
    }
    // The terminating zero lets text files be used as C strings; the sources
    // leave room for it, so a large file is not copied to make it.
    bytes->push_back(0);
    buffers_.push_back(std::make_unique<std::vector<unsigned char>>(std::move(*bytes)));
    return buffers_.back()->data();
}

std::size_t FileStore::SizeOf(const void* data) const {
    if (data == nullptr) {
        return 0;
    }
    for (const auto& buffer : buffers_) {
        if (buffer->data() == data) {
            return buffer->size() - 1;
        }
    }
    return 0;
}

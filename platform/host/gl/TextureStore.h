// The show's pictures: decoded into host memory when loaded, given to the GL
// when uploaded, taken back when un-uploaded. The GL texture name is reserved
// at load and kept for good, so a later upload gives the same name back.
#pragma once

#include "platform/host/data/Picture.h"

#include <string>
#include <vector>

class DataSource;

// What became of one picture asked for: its size, or why a stand-in took its place.
struct PictureRecord {
    std::string name;
    int width;
    int height;
    std::string problem; // empty when the picture itself loaded
};

class TextureStore {
  public:
    explicit TextureStore(DataSource& source);
    ~TextureStore();
    TextureStore(const TextureStore&) = delete;
    TextureStore& operator=(const TextureStore&) = delete;

    // Needs a current GL context. A missing, corrupt or oversized picture, or
    // one past what all the pictures may take decoded (kMaxShowPictureBytes),
    // gives one warning line and a checkerboard in its place. Memory running
    // out for the decoded picture throws ShortOfMemory naming it.
    unsigned int Load(const char* name, int wrapS, int wrapT, int minFilter, int magFilter,
                      PictureAlpha alpha);
    // False for a name this store did not hand out.
    bool Upload(unsigned int texture);
    bool UnUpload(unsigned int texture);
    // Every picture loaded so far, in load order.
    std::vector<PictureRecord> Records() const;

  private:
    struct Entry {
        unsigned int name;
        Picture picture;
        int wrapS;
        int wrapT;
        int minFilter;
        int magFilter;
        std::string fileName;
        std::string problem;
    };
    Entry* Find(unsigned int texture);

    DataSource& source_;
    std::vector<Entry> entries_;
    std::uint64_t decodedBytes_ = 0; // of the pictures that decoded, stand-ins aside
};

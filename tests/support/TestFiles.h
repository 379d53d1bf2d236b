// Files that tests make for themselves: JPEGs encoded at test time and a
// temporary folder removed when the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// rgb: width * height * 3 bytes, top row first, encoded at quality 100 without
// chroma subsampling so flat 8x8 blocks come back within a step or two.
std::vector<unsigned char> EncodeTestJpeg(int width, int height,
                                          const std::vector<std::uint8_t>& rgb);

enum class TestZipPacking {
    Stored,   // uncompressed, so a test can find and damage the bytes
    Deflated, // as zip tools pack by default
};

// Writes a .zip with the given entries plus any directory entries ("Pics/")
// named. Throws when libzip refuses.
void WriteTestZip(const std::filesystem::path& file,
                  const std::map<std::string, std::vector<unsigned char>>& entries,
                  const std::vector<std::string>& directories = {},
                  TestZipPacking packing = TestZipPacking::Stored);

// The whole file; empty when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& file);

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes a file (creating folders on the way) and returns its path.
    std::filesystem::path Write(const std::string& name, const std::vector<unsigned char>& bytes);
    std::filesystem::path Write(const std::string& name, const std::string& text);

  private:
    std::filesystem::path path_;
};

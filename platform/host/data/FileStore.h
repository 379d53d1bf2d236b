// Files loaded for the effects: each buffer lives until exit and its size is
// remembered, since callers only get an address back.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class DataSource;

class FileStore {
  public:
    explicit FileStore(DataSource& source);
    // The whole file, followed by one zero byte that is not counted in its size;
    // null (with one warning line) when it cannot be read.
    void* Load(std::string_view name);
    // Size in bytes of a buffer returned by Load; 0 for any other address.
    std::size_t SizeOf(const void* data) const;

  private:
    DataSource& source_;
    std::vector<std::unique_ptr<std::vector<unsigned char>>> buffers_;
};

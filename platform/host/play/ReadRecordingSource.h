// The run's data source, remembering the entries it has read, so that no
// output is written over one of the show's inputs: the data archive, or a
// file the show read from the data folder (script, pictures, module).
#pragma once

#include "platform/host/data/DataSource.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class ReadRecordingSource final : public DataSource {
  public:
    explicit ReadRecordingSource(std::unique_ptr<DataSource> source);

    std::optional<std::vector<unsigned char>> Read(std::string_view name,
                                                   std::string* error) override;
    const std::filesystem::path& Path() const override { return source_->Path(); }

    // True when file exists and is, links followed, the same file (device and
    // inode) as the archive or an entry read from the folder so far.
    bool IsInput(const std::filesystem::path& file) const;

  private:
    std::unique_ptr<DataSource> source_;
    std::vector<std::string> read_; // each entry's name once, as asked for
};

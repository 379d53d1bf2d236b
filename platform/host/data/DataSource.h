// Where the show's files come from: a directory or a .zip archive.
//
// Names are looked up case-sensitively first, then case-insensitively, since the
// data may have been made on a case-insensitive file system.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class DataSource {
  public:
    virtual ~DataSource() = default;
    // The whole entry, or nothing with *error saying why ("not found", a read error).
    virtual std::optional<std::vector<unsigned char>> Read(std::string_view name,
                                                           std::string* error) = 0;
    // The directory or archive path, for messages.
    virtual const std::filesystem::path& Path() const = 0;
};

// Null with *error set when the path cannot be opened as that kind of source.
std::unique_ptr<DataSource> OpenDirectorySource(const std::filesystem::path& directory,
                                                std::string* error);
std::unique_ptr<DataSource> OpenZipSource(const std::filesystem::path& archive, std::string* error);

struct DataLookup {
    std::string directoryName;                         // e.g. "demodat"
    std::string archiveName;                           // e.g. "demodat.zip"
    std::filesystem::path workingDirectory;            // searched first
    std::filesystem::path executableDirectory;         // searched second
    std::optional<std::filesystem::path> overridePath; // --data: a directory or a .zip
    // Searched last, in order.
    std::vector<std::filesystem::path> installDirectories;
};

// The directory, then the archive, in the working directory, then beside the
// executable, then in each install directory; a place already searched is not
// searched again. An override path replaces the search. Null with *error when
// nothing usable is found (the error names what was tried). *searched, when
// given, receives the places looked in, up to the one used (none with an
// override).
std::unique_ptr<DataSource>
LocateDataSource(const DataLookup& lookup, std::string* error,
                 std::vector<std::filesystem::path>* searched = nullptr);

// "a", "a and b", "a, b and c": places for a message.
std::string JoinPlaces(const std::vector<std::filesystem::path>& places);

// The rules both data sources share: which entry names may be looked up, how
// names compare ignoring case, the largest entry read and the buffer it is
// read into.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Larger entries are refused rather than allocated: the show's files are small
// and an archive can claim any size.
inline constexpr std::uint64_t kMaxEntryBytes = 256u << 20;
inline constexpr const char* kEntryTooLarge = "file is over 256 MiB";

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
// The parts of a name between its '/' separators, empty ones included.
std::vector<std::string_view> SplitComponents(std::string_view name);
// False with *error when the name could reach outside the data (absolute,
// "..") or names nothing (empty, a directory, a zero byte).
bool CheckEntryName(std::string_view name, std::string* error);
// size bytes for the entry, with room for one more (the file store ends each
// file with a zero); memory running out throws ShortOfMemory naming the entry.
std::vector<unsigned char> EntryBuffer(std::string_view name, std::uint64_t size);

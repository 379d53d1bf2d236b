// What lies at a path, as the system tells it, for the data's messages: a
// path that could not be looked at (a name too long, a loop of links, no
// permission) is told apart from one where nothing is.
#pragma once

#include <filesystem>
#include <string>

// The type of what lies at path, links followed: not_found when nothing is
// there; none, with *why in the system's words ("File name too long"), when
// the system could not tell.
std::filesystem::file_type TypeAtPath(const std::filesystem::path& path, std::string* why);

// The reason given for a path that is there but is no regular file (a
// directory, a device, a pipe).
inline constexpr const char* kNotARegularFile = "not a regular file";

#include "platform/host/data/PathType.h"

#include <system_error>

std::filesystem::file_type TypeAtPath(const std::filesystem::path& path, std::string* why) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec && status.type() != std::filesystem::file_type::not_found) {
        *why = ec.message();
        return std::filesystem::file_type::none;
    }
    return status.type();
}

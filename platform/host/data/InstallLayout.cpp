#include "platform/host/data/InstallLayout.h"

std::string_view ProgramVersion() {
    return QUORVEL_VERSION;
}

std::vector<std::filesystem::path>
InstalledDataDirectories(const std::filesystem::path& executableDirectory) {
    std::vector<std::filesystem::path> folders;
    if (!executableDirectory.empty()) {
        folders.push_back((executableDirectory / QUORVEL_DATA_FROM_PROGRAM).lexically_normal());
    }
    folders.emplace_back(QUORVEL_INSTALLED_DATA_DIR);
    return folders;
}

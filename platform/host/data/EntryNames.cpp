#include "platform/host/data/EntryNames.h"

#include "platform/common/ShortOfMemory.h"

#include <algorithm>

namespace {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldCase(x) == FoldCase(y);
           });
}

std::vector<std::string_view> SplitComponents(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t slash = name.find('/', start);
        if (slash == std::string_view::npos) {
            slash = name.size();
        }
        parts.push_back(name.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

bool CheckEntryName(std::string_view name, std::string* error) {
    if (name.empty()) {
        *error = "empty name";
        return false;
    }
    if (name.find('\0') != std::string_view::npos) {
        *error = "name contains a zero byte";
        return false;
    }
    if (name.front() == '/') {
        *error = "absolute names are not allowed";
        return false;
    }
    if (name.back() == '/') {
        *error = "name is a directory";
        return false;
    }
    for (std::string_view part : SplitComponents(name)) {
        if (part == "..") {
            *error = "'..' is not allowed in names";
            return false;
        }
    }
    return true;
}

std::vector<unsigned char> EntryBuffer(std::string_view name, std::uint64_t size) {
    std::vector<unsigned char> bytes;
    try {
        bytes.reserve(size + 1);
    } catch (const std::bad_alloc&) {
        throw ShortOfMemory("data: [" + std::string(name) + "] out of memory reading its " +
                            std::to_string(size) + " bytes");
    }
    bytes.resize(size);
    return bytes;
}

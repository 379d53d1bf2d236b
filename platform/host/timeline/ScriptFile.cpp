#include "platform/host/timeline/ScriptFile.h"

#include "platform/host/data/DataSource.h"

#include <string_view>

ScriptFile ReadScriptFile(DataSource& source, const std::string& name,
                          std::span<const RegisteredName> effects) {
    ScriptFile file;
    const auto bytes = source.Read(name, &file.readError);
    if (!bytes) {
        return file;
    }
    file.read = true;
    Timeline timeline = ParseTimelineScript(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), effects,
        &file.errors);
    if (file.errors.empty()) {
        file.timeline = std::move(timeline);
    }
    return file;
}

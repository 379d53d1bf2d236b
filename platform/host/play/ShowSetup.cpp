#include "platform/host/play/ShowSetup.h"

#include "platform/common/Log.h"
#include "platform/host/data/DataSource.h"
#include "platform/host/timeline/ScriptFile.h"

std::vector<RegisteredName> RegisteredNames(const ShowSetup& setup) {
    std::vector<RegisteredName> names;
    for (const RegisteredEffect& registered : setup.effects) {
        names.push_back({registered.name, registered.effect != nullptr});
    }
    return names;
}

std::vector<CEffect*> RegisteredObjects(const ShowSetup& setup) {
    std::vector<CEffect*> objects;
    for (const RegisteredEffect& registered : setup.effects) {
        objects.push_back(registered.effect);
    }
    return objects;
}

std::optional<Timeline> LoadTimeline(DataSource& source, const ShowSetup& setup) {
    ScriptFile script = ReadScriptFile(source, setup.scriptName, RegisteredNames(setup));
    if (!script.read) {
        LogLine(setup.scriptName + ": " + script.readError + " in " + source.Path().string());
    }
    for (const ScriptError& e : script.errors) {
        LogLine(setup.scriptName + ":" + std::to_string(e.line) + ": " + e.message);
    }
    return std::move(script.timeline);
}

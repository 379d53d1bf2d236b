// What the entry point set up for the show: the data's names, the show's
// identity and the registered effects, and what the runner makes of them.
#pragma once

#include "platform/host/options/HostOptions.h"
#include "platform/host/timeline/TimelineScript.h"

#include <optional>
#include <string>
#include <vector>

class CEffect;
class DataSource;

struct RegisteredEffect {
    std::string name;
    CEffect* effect; // null when it could not be created
};

struct ShowSetup {
    std::string dataDirectory;
    std::string archive;
    std::string scriptName;
    ShowIdentity show;
    std::vector<RegisteredEffect> effects; // in registration order
};

// The names the script may use, in registration order.
std::vector<RegisteredName> RegisteredNames(const ShowSetup& setup);
// The registered objects in registration order, null where one was not created.
std::vector<CEffect*> RegisteredObjects(const ShowSetup& setup);

// The show's script read from the source; none, with its errors said one line
// each (file:line: what is wrong), when it cannot be read or has errors.
std::optional<Timeline> LoadTimeline(DataSource& source, const ShowSetup& setup);

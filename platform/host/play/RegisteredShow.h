// What the entry point registered with the host for the show: the data's
// names, the show's identity and the effects, and what a run makes of them.
#pragma once

#include "platform/host/play/ShowIdentity.h"
#include "platform/host/timeline/TimelineScript.h"

#include <string>
#include <vector>

class CEffect;

struct RegisteredEffect {
    std::string name;
    CEffect* effect; // null when it could not be created
};

struct RegisteredShow {
    std::string dataDirectory;
    std::string archive;
    std::string scriptName;
    ShowIdentity identity;
    std::vector<RegisteredEffect> effects; // in registration order
};

// What the entry point has registered so far (OverruleDefaults,
// RegisterEffect, SetStartupDialogVars); RunApp runs it.
RegisteredShow& TheRegisteredShow();

// The names the script may use, in registration order.
std::vector<RegisteredName> RegisteredNames(const RegisteredShow& setup);
// The registered objects in registration order, null where one was not created.
std::vector<CEffect*> RegisteredObjects(const RegisteredShow& setup);

#include "platform/host/play/RegisteredShow.h"

std::vector<RegisteredName> RegisteredNames(const RegisteredShow& setup) {
    std::vector<RegisteredName> names;
    for (const RegisteredEffect& registered : setup.effects) {
        names.push_back({registered.name, registered.effect != nullptr});
    }
    return names;
}

std::vector<CEffect*> RegisteredObjects(const RegisteredShow& setup) {
    std::vector<CEffect*> objects;
    for (const RegisteredEffect& registered : setup.effects) {
        objects.push_back(registered.effect);
    }
    return objects;
}

// What the machine offers the surfaces: a window system to open a window on,
// and (once a context is current) the GL the effects need: 1.3 or later with
// the fixed-function pipeline and immediate mode.
#define GL_GLEXT_PROTOTYPES
#include "platform/host/gl/GlCapabilities.h"
#include "platform/host/gl/Surface.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool EnvironmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

} // namespace

bool DisplayAvailable() {
    return EnvironmentSet("DISPLAY") || EnvironmentSet("WAYLAND_DISPLAY");
}

bool CurrentGlHasFixedFunction(std::string* found) {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0;
    int minor = 0;
    if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) {
        *found = version != nullptr ? version : "no version";
        return false;
    }
    bool fixedFunction = major > 1 || (major == 1 && minor >= 3);
    // 3.1 dropped the old pipeline unless the compatibility extension brings
    // it back; from 3.2 on, the profile says.
    if (major == 3 && minor == 1) {
        const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        fixedFunction = extensions != nullptr && std::strstr(extensions, "GL_ARB_compatibility");
    } else if (major > 3 || (major == 3 && minor >= 2)) {
        GLint profile = 0;
        glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
        fixedFunction = (profile & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT) != 0;
    }
    if (!fixedFunction) {
        *found = version;
    }
    return fixedFunction;
}

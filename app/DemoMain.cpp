// Creation and registration orders differ on purpose: the music is created last
// but registered first. Only the FLARE object is destroyed at exit; the others
// live until the process ends.
#include "app/DemoMain.h"

#include "effects/flat/BgdingEffect.h"
#include "host/DemoGL.h"
#include "music/BassEffect.h"

#include <new>

int DemoMain(HINSTANCE instance) {
    OverruleDefaults(0, 2, "demodat", "demodat.zip", "script.txt", 0, 0, 0, 0, 0);

    // A failed creation leaves a null object, registered all the same: the
    // host refuses a script that uses it.
    auto* bgding = new (std::nothrow) BgdingEffect;
    auto* bass = new (std::nothrow) BassEffect;

    RegisterEffect(bass, "BASS");
    RegisterEffect(bgding, "BGDING");

    SetStartupDialogVars("quorvel 8", "tarvendolk", 0, 1, 1, 1, 0);
    RunApp(instance, "quorvel 8", 0, 0, 0);
    EndApp();
    return 0;
}

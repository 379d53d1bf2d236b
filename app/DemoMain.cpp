// Creation and registration orders differ on purpose: the music is created last
// but registered first. Only the FLARE object is destroyed at exit; the others
// live until the process ends.
#include "app/DemoMain.h"

#include "effects/flat/BgdingEffect.h"
#include "effects/flat/FlareEffect.h"
#include "effects/flat/GreetsEffect.h"
#include "effects/flat/LogoEffect.h"
#include "effects/flat/WortelEffect.h"
#include "effects/warp/Inoop2Effect.h"
#include "effects/warp/Inoop3Effect.h"
#include "effects/warp/Inoop4Effect.h"
#include "effects/warp/WobbelEffect.h"
#include "host/DemoGL.h"
#include "music/BassEffect.h"

#include <new>

int DemoMain(HINSTANCE instance) {
    OverruleDefaults(0, 2, "demodat", "demodat.zip", "script.txt", 0, 0, 0, 0, 0);

    // A failed creation leaves a null object, registered all the same: the
    // host refuses a script that uses it.
    CEffect* flare = new (std::nothrow) FlareEffect;
    auto* bgding = new (std::nothrow) BgdingEffect;
    auto* greets = new (std::nothrow) GreetsEffect;
    auto* wobbel = new (std::nothrow) WobbelEffect;
    auto* inoop2 = new (std::nothrow) Inoop2Effect;
    auto* inoop3 = new (std::nothrow) Inoop3Effect;
    auto* inoop4 = new (std::nothrow) Inoop4Effect;
    auto* logo = new (std::nothrow) LogoEffect;
    auto* wortel = new (std::nothrow) WortelEffect;
    auto* bass = new (std::nothrow) BassEffect;

    RegisterEffect(bass, "BASS");
    RegisterEffect(flare, "FLARE");
    RegisterEffect(bgding, "BGDING");
    RegisterEffect(greets, "GREETS");
    RegisterEffect(wobbel, "WOBBEL");
    RegisterEffect(inoop2, "INOOP2");
    RegisterEffect(inoop3, "INOOP3");
    RegisterEffect(inoop4, "INOOP4");
    RegisterEffect(logo, "LOGO");
    RegisterEffect(wortel, "WORTEL");

    SetStartupDialogVars("quorvel 8", "tarvendolk", 0, 1, 1, 1, 0);
    RunApp(instance, "quorvel 8", 0, 0, 0);
    EndApp();
    // Through the virtual destructor; a null FLARE is skipped.
    delete flare;
    return 0;
}

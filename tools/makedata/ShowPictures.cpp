#include "tools/makedata/ShowPictures.h"

#include "tools/makedata/BoekPainter.h"
#include "tools/makedata/DralmPainter.h"
#include "tools/makedata/FlarePainter.h"
#include "tools/makedata/GreetsPainter.h"
#include "tools/makedata/LogoPainter.h"
#include "tools/makedata/PakjePainter.h"
#include "tools/makedata/QuorfotoPainter.h"
#include "tools/makedata/SnoepPainter.h"
#include "tools/makedata/WortelPainter.h"

#include <array>

std::span<const ShowPicture> ShowPictures() {
    static constexpr std::array<ShowPicture, 9> kPictures = {{
        {"quorfoto.jpg", PaintQuorfoto},
        {"blaat.jpg", PaintGreets},
        {"logo.jpg", PaintLogo},
        {"flare.jpg", PaintFlare},
        {"wortel.jpg", PaintWortel},
        {"pakje.jpg", PaintPakje},
        {"Snoep.jpg", PaintSnoep},
        {"boek.jpg", PaintBoek},
        {"Dralm.jpg", PaintDralm},
    }};
    return kPictures;
}

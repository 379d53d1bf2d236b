#include "tools/makedata/pictures/ShowPictures.h"

#include "tools/makedata/painters/BoekPainter.h"
#include "tools/makedata/painters/DralmPainter.h"
#include "tools/makedata/painters/FlarePainter.h"
#include "tools/makedata/painters/GreetsPainter.h"
#include "tools/makedata/painters/LogoPainter.h"
#include "tools/makedata/painters/PakjePainter.h"
#include "tools/makedata/painters/QuorfotoPainter.h"
#include "tools/makedata/painters/SnoepPainter.h"
#include "tools/makedata/painters/WortelPainter.h"

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

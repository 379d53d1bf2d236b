// The texture pakje.jpg: wrapping paper with a ribbon and bow; tiles seamlessly.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintPakje(const MakeDataInputs& inputs);

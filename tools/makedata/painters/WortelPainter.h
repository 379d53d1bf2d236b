// The sprite, wortel.jpg: a carrot on the carrot wheel's orange-yellow.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintWortel(const MakeDataInputs& inputs);

// The greetings, blaat.jpg: one tall picture of centred lines, light on black.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintGreets(const MakeDataInputs& inputs);

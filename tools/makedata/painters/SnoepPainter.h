// The texture Snoep.jpg: boiled sweets on candy stripes; tiles seamlessly.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintSnoep(const MakeDataInputs& inputs);

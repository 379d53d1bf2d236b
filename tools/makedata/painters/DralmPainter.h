// The texture Dralm.jpg: overlapping dragon scales; tiles seamlessly.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintDralm(const MakeDataInputs& inputs);

// The texture boek.jpg: shelves of book spines; tiles seamlessly.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintBoek(const MakeDataInputs& inputs);

// The title picture, logo.jpg: the show's name and its makers, light on black.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintLogo(const MakeDataInputs& inputs);

// The flare, flare.jpg: a soft warm glow fading to black at its edge.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintFlare(const MakeDataInputs& inputs);

// The backdrop, quorfoto.jpg: a lake at dusk under layered mountains.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

PictureCanvas PaintQuorfoto(const MakeDataInputs& inputs);

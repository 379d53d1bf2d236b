// Pictures to JPEG files through TurboJPEG.
#pragma once

#include "tools/makedata/pictures/PictureCanvas.h"

#include <vector>

// Quality 92 without chroma subsampling, so thin coloured text stays crisp.
// Throws std::runtime_error when the encoder refuses.
std::vector<unsigned char> EncodeJpeg(const PictureCanvas& picture);

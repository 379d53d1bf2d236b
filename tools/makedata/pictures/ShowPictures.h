// The show's nine pictures, each painted by its own painter.
#pragma once

#include "tools/makedata/MakeDataInputs.h"
#include "tools/makedata/pictures/PictureCanvas.h"

#include <span>
#include <string_view>

struct ShowPicture {
    std::string_view name; // the file name the effect loads, exactly
    PictureCanvas (*paint)(const MakeDataInputs& inputs);
};

std::span<const ShowPicture> ShowPictures();

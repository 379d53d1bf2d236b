#include "platform/host/gl/DrawingAreaLayout.h"

#include <cstdint>

Viewport LayOutDrawingArea(int width, int height, bool stretch) {
    if (stretch) {
        return {0, 0, width, height};
    }
    Viewport area;
    if (static_cast<std::int64_t>(width) * 3 >= static_cast<std::int64_t>(height) * 4) {
        area.height = height;
        area.width = static_cast<int>(static_cast<std::int64_t>(height) * 4 / 3);
    } else {
        area.width = width;
        area.height = static_cast<int>(static_cast<std::int64_t>(width) * 3 / 4);
    }
    area.x = (width - area.width) / 2;
    area.y = (height - area.height) / 2;
    return area;
}

// Tiling an image over a rectangle of another image.
#pragma once

#include "image/IImage.h"

namespace zvx {

bool TileTo(IImage& image, IImage* dest, int x, int y, int width, int height);

}  // namespace zvx

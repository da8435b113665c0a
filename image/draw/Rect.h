// Rectangle outlines and fills, built on the image's own DrawLine.
#pragma once

#include "image/IImage.h"

namespace zvx {

bool DrawRect(IImage& image, int x0, int y0, int x1, int y1, Pixel color);
bool FillRect(IImage& image, int x0, int y0, int x1, int y1, Pixel color);

}  // namespace zvx

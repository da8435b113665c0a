// Cutting a rectangle of an image into a new heap image.
#pragma once

#include "image/IImage.h"

namespace zvx {

IImage* CreateSubImage(const IImage& image, int x, int y, int width, int height);

}  // namespace zvx

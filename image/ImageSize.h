// Size rules shared by both concrete images.
#pragma once

#include <cstddef>

#include "image/IImage.h"

namespace zvx {

// Whether Create may make a width x height image: both at least 1 and the byte count
// (4 x width x height) within 32 bits, so every offset and product the library forms fits.
bool IsCreatableSize(int width, int height);

// The header every image keeps: 32-bit top-down BI_RGB, everything else 0.
BITMAPINFO MakeTopDownHeader(int width, int height);

}  // namespace zvx

// Import of any GDI bitmap into an image.
#pragma once

#include "image/IImage.h"

namespace zvx {

// Converts the bitmap to 32-bit top-down rows on conversionDc (the screen's DC when null) and
// only then re-creates and fills the image, so a failed conversion changes nothing.
bool CreateFromBitmap(IPixelBuffer& image, HBITMAP bitmap, HDC conversionDc);

}  // namespace zvx

// Covering a rectangle of a device context with copies of an image.
#pragma once

#include "image/IImage.h"

namespace zvx {

// Whole copies under a clip region of the rectangle, left selected in the DC afterwards.
bool DrawTiledClipped(IImage& image, HDC hdc, int x, int y, int width, int height);
// Copies trimmed at the rectangle's right and bottom; the DC's clip region is left alone.
bool DrawTiledTrimmed(IImage& image, HDC hdc, int x, int y, int width, int height);

}  // namespace zvx

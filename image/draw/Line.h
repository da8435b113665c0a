// One-pixel lines drawn into an image.
#pragma once

#include "image/IImage.h"

namespace zvx {

// Rasterised in software through SetColor, both end points' loops inclusive.
bool DrawLineSoftware(IImage& image, int x0, int y0, int x1, int y1, Pixel color);
// Drawn by GDI with a one-pixel pen on hdc, leaving out the final point.
bool DrawLineWithPen(HDC hdc, int x0, int y0, int x1, int y1, Pixel color);

}  // namespace zvx

// The software line written straight into a plain image's rows (see image/PlainImage.h): the
// same pixels as DrawLineSoftware's SetColor per pixel.
#pragma once

#include "image/IImage.h"

namespace zvx {

// Draws the line (end points distinct) and returns true when image is plain; returns false,
// having done nothing, when the general path must run.
bool DrawLinePlainRows(IImage& image, int x0, int y0, int x1, int y1, Pixel color);

}  // namespace zvx

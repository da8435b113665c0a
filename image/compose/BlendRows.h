// The row-at-a-time BlendTo for plain images (see image/PlainImage.h): the same pixels as the
// per-pixel blend, without the eight virtual calls per pixel.
#pragma once

#include "image/IImage.h"

namespace zvx {

// Blends source onto dest at (x, y) with 0 < alpha < 1 and returns true when both are plain
// images and distinct; returns false, having done nothing, when the general path must run.
bool BlendPlainRows(const IImage& source, IImage& dest, int x, int y, double alpha);

}  // namespace zvx

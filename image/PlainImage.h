// Fast paths are allowed only for images whose dynamic type is exactly CMemoryImage or
// CDibSectionImage. A class derived from either may override any primitive, and then every
// pixel must go through its overrides; for the two plain classes the primitives are known, so
// an operation may work on the pixel rows directly as long as its results are bit-identical.
#pragma once

#include "image/IImage.h"

namespace zvx {

// The image's pixel rows when it is a plain CMemoryImage or CDibSectionImage, else null.
IPixelBuffer* PlainPixels(IImage& image);
const IPixelBuffer* PlainPixels(const IImage& image);

}  // namespace zvx

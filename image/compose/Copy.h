// Turning one image into a copy of another.
#pragma once

#include "image/IImage.h"

namespace zvx {

// selfResult is what a copy of the image onto itself returns (nothing changes either way).
bool CopyFrom(IImage& image, const IImage* src, bool selfResult);
bool CopyFrom(IPixelBuffer& image, const IPixelBuffer* src, bool selfResult);

}  // namespace zvx

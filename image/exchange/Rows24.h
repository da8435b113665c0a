// 24-bit bottom-up rows, the pixel layout of .bmp files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/IImage.h"

namespace zvx {

bool SetRows24(IImage& image, int x, int y, int width, int height, const BYTE* rows);
bool ImportRows24(IPixelBuffer& image, const BYTE* rows, int format);
bool ImportRows24(IPixelBuffer& image, const BYTE* rows, std::size_t size, int format);

}  // namespace zvx

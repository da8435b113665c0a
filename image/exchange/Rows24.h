// 24-bit bottom-up rows, the pixel layout of .bmp files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/IImage.h"

namespace zvx {

// Bytes per row of width 24-bit pixels, rounded up to a multiple of 4; 0 when it overflows.
std::uint32_t Rows24Stride(int width);

bool SetRows24(IImage& image, int x, int y, int width, int height, const BYTE* rows);
bool ImportRows24(IPixelBuffer& image, const BYTE* rows, int format);
bool ImportRows24(IPixelBuffer& image, const BYTE* rows, std::size_t size, int format);

}  // namespace zvx

// What a BITMAPINFOHEADER describes, for the DIB formats this layer reads and writes.
#pragma once

#include <cstddef>

#include "platform/Win32.h"

namespace zvx::gdi {

struct DibLayout {
    int width = 0;
    int height = 0;  // always positive
    bool bottomUp = false;
    int bitsPerPixel = 0;
    std::ptrdiff_t stride = 0;  // bytes per row, a multiple of 4
    std::size_t imageBytes = 0;
};

// True for a 24- or 32-bit BI_RGB header with one plane, a positive width, a non-zero height
// and a pixel block whose size fits in 31 bits.
bool DescribeDib(const BITMAPINFOHEADER& header, DibLayout& layout);

}  // namespace zvx::gdi

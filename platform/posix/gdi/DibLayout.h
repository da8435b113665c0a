// One description of a DIB's pixel memory, used for everything the layer reads or writes: the
// bitmaps it makes, the pixels behind a surface DC, and the callers' buffers of SetDIBitsToDevice
// and GetDIBits.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Win32.h"
#include "platform/posix/gdi/Rect.h"

namespace zvx::gdi {

struct DibLayout {
    std::uint8_t* bits = nullptr;  // the first row in memory
    int width = 0;
    int height = 0;             // always positive
    std::ptrdiff_t stride = 0;  // bytes from one row in memory to the next
    int bitsPerPixel = 0;       // 24 or 32 (see PixelFormats.h)
    bool bottomUp = false;      // the top row comes last in memory

    bool IsValid() const { return bits != nullptr && width > 0 && height > 0; }
    Rect Bounds() const { return Rect{0, 0, width, height}; }
    std::size_t ImageBytes() const { return static_cast<std::size_t>(stride) * static_cast<std::size_t>(height); }
    // Row y, counted from the top whichever way the rows lie in memory.
    std::uint8_t* Row(int y) const
    {
        const int memoryRow = bottomUp ? height - 1 - y : y;
        return bits + static_cast<std::ptrdiff_t>(memoryRow) * stride;
    }
    // From row y to row y + 1 in memory: back by a stride when the rows run bottom-up.
    std::ptrdiff_t RowStep() const { return bottomUp ? -stride : stride; }
};

// The layout a BITMAPINFOHEADER describes, bits left null. True for a 24- or 32-bit BI_RGB
// header with one plane, a positive width, a non-zero height and a pixel block whose size fits
// in 31 bits; rows are padded to 4 bytes.
bool DescribeDib(const BITMAPINFOHEADER& header, DibLayout& layout);

}  // namespace zvx::gdi

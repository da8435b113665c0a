// The fields of a 24-bit .bmp file header that the reader uses, decoded once, and the one verdict
// on a file image that the loads and DiagnoseBmp all follow.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/IImage.h"

namespace zvx {

// Bytes of a .bmp file that must exist before any field the reader uses can be read.
constexpr std::size_t kBmpFieldsEnd = 30;
// Size of the headers SaveBmp writes: BITMAPFILEHEADER (14) and BITMAPINFOHEADER (40).
constexpr std::uint32_t kBmpHeadersSize = 54;

struct BmpHeader {
    std::uint32_t rowsOffset = 0;  // where the pixel rows begin, from the start of the file
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive: bottom-up rows
    std::uint16_t bitsPerPixel = 0;
    // Ok when the header describes a picture this library loads: 24 bits per pixel, a bottom-up
    // size of at least 1 x 1 (else NotSupported), and a pixel count, row block and pixel storage
    // that all fit in 32 bits (else TooLarge). Whether the rows are there is not its business.
    BmpVerdict verdict = BmpVerdict::NotSupported;
    std::uint64_t stride = 0;     // bytes per row
    std::uint64_t rowsBytes = 0;  // stride x height
};

// Decodes the fields at 10, 18, 22 and 28; data must hold at least kBmpFieldsEnd bytes.
BmpHeader DecodeBmpHeader(const std::uint8_t* data);

// The verdict on size bytes at data (null: none): Truncated below kBmpFieldsEnd, the header's own
// verdict when that is not Ok, Truncated when its rows run past size, else Ok.
BmpVerdict JudgeBmp(const void* data, std::size_t size);

}  // namespace zvx

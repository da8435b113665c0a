// The fields of a 24-bit .bmp file header that the reader uses, decoded once so that the safety
// checks and the load itself agree on what they read.
#pragma once

#include <cstddef>
#include <cstdint>

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
    // True when the header describes a picture this library loads: 24 bits per pixel, a
    // bottom-up size of at least 1 x 1, and a pixel count, row block and pixel storage that all
    // fit in 32 bits.
    bool loadable = false;
    std::uint64_t stride = 0;     // bytes per row
    std::uint64_t rowsBytes = 0;  // stride x height
};

// Decodes the fields at 10, 18, 22 and 28; data must hold at least kBmpFieldsEnd bytes.
BmpHeader DecodeBmpHeader(const std::uint8_t* data);

}  // namespace zvx

// Rows of pixels in memory: how long a row is, the one check of a block's size, and the one view
// of rows that every transfer works on.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/ImageTypes.h"

namespace zvx {

// Bytes of a row of `width` pixels of `bitsPerPixel` bits, padded to a multiple of 4 as the rows of
// DIBs and .bmp files are (width 1 at 24 bits takes 4, width 5 takes 16).
constexpr std::uint64_t RowBytes(std::int64_t width, int bitsPerPixel)
{
    return (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitsPerPixel) + 31) / 32 * 4;
}

// The bytes an image's pixels may take: every offset and product the library forms fits 32 bits.
constexpr std::uint64_t kMaxImageBytes = 0xFFFFFFFFu;

// The one size check: whether a width x height block of such rows has pixels (both sides at least
// 1, so a negative pair is no size) and takes at most `limit` bytes.
constexpr bool FitsBlock(std::int64_t width, std::int64_t height, int bitsPerPixel,
                         std::uint64_t limit = kMaxImageBytes)
{
    return width >= 1 && height >= 1 && static_cast<std::uint64_t>(width) <= limit &&
           static_cast<std::uint64_t>(height) <= limit / RowBytes(width, bitsPerPixel);
}

// One view of rows of pixels in memory, whoever owns them: an image's pixel array, a DIB section,
// a window's surface, a caller's DIB, the rows of a .bmp file. Row y starts at first + y x stride.
struct PixelRows {
    std::uint8_t* first = nullptr;  // row 0, the top row
    std::ptrdiff_t stride = 0;      // from one row to the next below; negative where rows lie bottom-up
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;  // 32: Pixel words, kept whole; 24: blue, green, red

    bool IsValid() const { return first != nullptr && width > 0 && height > 0; }
    std::uint8_t* Row(int y) const { return first + static_cast<std::ptrdiff_t>(y) * stride; }
    Pixel* Words(int y) const { return reinterpret_cast<Pixel*>(Row(y)); }
    // Where its memory begins: the bottom row where rows lie bottom-up.
    std::uint8_t* Lowest() const { return stride < 0 ? Row(height - 1) : first; }
};

// width x height 32-bit pixels packed top-down from first: an image's pixel array.
inline PixelRows PackedRows(const Pixel* first, int width, int height)
{
    return {reinterpret_cast<std::uint8_t*>(const_cast<Pixel*>(first)), static_cast<std::ptrdiff_t>(width) * 4, width,
            height, 32};
}
// width x height pixels of a DIB or .bmp file whose rows are padded to 4 bytes, stored from bits
// on bottom-up (the top row last) or top-down.
inline PixelRows DibRows(const void* bits, int width, int height, int bitsPerPixel, bool bottomUp)
{
    const auto stride = static_cast<std::ptrdiff_t>(RowBytes(width, bitsPerPixel));
    auto* lowest = static_cast<std::uint8_t*>(const_cast<void*>(bits));
    return bottomUp ? PixelRows{lowest + (height - 1) * stride, -stride, width, height, bitsPerPixel}
                    : PixelRows{lowest, stride, width, height, bitsPerPixel};
}

}  // namespace zvx

// Rows of pixels in memory: how long a row is, the one check of a block's size, and the storage
// rules both concrete images share (the sizes Create accepts, the header each keeps, where a pixel
// lives in the packed rows).
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/IImage.h"

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

// Whether Create may make a width x height image: a block of 32-bit pixels within kMaxImageBytes.
constexpr bool IsCreatableSize(int width, int height) { return FitsBlock(width, height, 32); }

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

// The header every image keeps: 32-bit top-down BI_RGB, everything else 0.
BITMAPINFO MakeTopDownHeader(int width, int height);

// Row y of width x height packed rows, or null when y lies outside 0 .. height - 1.
inline const Pixel* RowAt(const Pixel* pixels, int width, int height, int y)
{
    if (y < 0 || y >= height) return nullptr;
    return pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
}

inline Pixel* RowAt(Pixel* pixels, int width, int height, int y)
{
    return const_cast<Pixel*>(RowAt(static_cast<const Pixel*>(pixels), width, height, y));
}

// The word at (x, y), 0 outside.
inline Pixel PixelAt(const Pixel* pixels, int width, int height, int x, int y)
{
    if (x < 0 || x >= width || y < 0 || y >= height) return 0;
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
}

// Stores v at (x, y); false outside.
inline bool StorePixel(Pixel* pixels, int width, int height, int x, int y, Pixel v)
{
    if (x < 0 || x >= width || y < 0 || y >= height) return false;
    pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = v;
    return true;
}

}  // namespace zvx

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

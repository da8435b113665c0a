// The storage rules both concrete images share: the sizes Create accepts, the header each keeps,
// where a pixel lives in the packed rows.
#pragma once

#include <cstddef>

#include "core/PixelRows.h"
#include "image/ImageTypes.h"

namespace zvx {

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

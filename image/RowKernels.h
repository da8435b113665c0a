// The loops the fast paths (image/FastPaths.h) are made of: each works on a run of count pixels
// and gives, word for word, what the general per-pixel path gives for those pixels.
//
// Where a run is copied onto an overlapping run of the same image (a self-blit or self-blend),
// the kernels work as memmove does: front to back when the target lies before the source, back
// to front when it lies after, so every source pixel is read before it is overwritten.
#pragma once

#include <cstddef>

#include "image/IImage.h"

namespace zvx {

// Whole words (memmove; copies larger than the cache go around it).
void CopyPixels(const Pixel* from, Pixel* to, std::size_t count);
// Colours: each word with its top byte cleared (copies larger than the cache go around it).
void CopyColors(const Pixel* from, Pixel* to, std::size_t count);
// Whole words, except where the source's colour (top byte cleared) equals key: there the target
// keeps its word. A key with a top byte set matches nothing.
void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key);
// Each channel becomes trunc(d x (1 - alpha) + s x alpha) computed in double, each product and the
// sum rounded (no fused multiply-add), capped at 255; the top byte becomes 0. Where key is not
// COLORKEY_NONE and the source's colour equals it, the target keeps its word. 0 < alpha < 1.
void BlendColors(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key);
// 24-bit file pixels (blue, green, red) to Pixels with the top byte 0. Reads exactly 3 x count
// bytes. `streaming` writes around the cache: for the rows of a conversion too large for it.
void Rows24ToPixels(const BYTE* from, Pixel* to, std::size_t count, bool streaming);
// Pixels to 24-bit file pixels (blue, green, red); the top byte is dropped. Writes exactly
// 3 x count bytes.
void PixelsToRows24(const Pixel* from, BYTE* to, std::size_t count);
void FillPixels(Pixel* to, std::size_t count, Pixel value);

// Whether writing `bytes` had better go around the cache. CopyPixels and CopyColors decide this
// themselves from their count; a conversion done row by row asks once for all its rows.
bool IsLargerThanCache(std::size_t bytes);

// The instruction sets the kernels come in. Every variant gives the same words; the widest one
// the processor offers is chosen once, and a test may choose another to compare them.
enum class RowSimd { Scalar, Sse2, Avx2, Avx512 };
RowSimd BestRowSimd();
RowSimd CurrentRowSimd();
// Uses simd from now on, or the best one if the processor lacks it; returns what is used.
RowSimd UseRowSimd(RowSimd simd);

}  // namespace zvx

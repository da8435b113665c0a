// The loops the fast paths (image/FastPaths.h) and the native GDI's row copies are made of: each
// works on a run of count pixels and gives, word for word, what the general per-pixel path gives
// for those pixels.
//
// Each kernel exists in plain C++ and, where the instruction set pays, in SSE2 and AVX2 (one file
// each, image/RowKernels*.cpp); the plain C++ is written so that the compiler vectorises it for
// the baseline of whatever it targets (SSE2 on x86-64, NEON on ARM64). One table of kernels is
// filled once, from the widest instruction set the processor has, each missing kernel taken from
// the next narrower set. The environment variable ZVX_SIMD (c, sse2 or avx2) caps the variant a
// run uses, so that a run on a narrower processor can be reproduced anywhere.
//
// Where a run is copied onto an overlapping run of the same image (a self-blit or self-blend),
// the kernels work as memmove does: front to back when the target lies before the source, back
// to front when it lies after, so every source pixel is read before it is overwritten.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/BlendTable.h"
#include "image/IImage.h"

namespace zvx {

// Whole words (memmove; copies larger than the cache go around it).
void CopyPixels(const Pixel* from, Pixel* to, std::size_t count);
// Bytes between blocks that do not overlap; `streaming` writes around the cache.
void CopyBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes, bool streaming);
// `rows` blocks of `bytes` bytes, block i from from + i x fromStep to to + i x toStep (steps in
// bytes, either sign), in that order; no source block overlaps a target block. The kernel is
// chosen once for all of them.
void CopyByteRows(const std::uint8_t* from, std::ptrdiff_t fromStep, std::uint8_t* to, std::ptrdiff_t toStep,
                  std::size_t bytes, std::size_t rows, bool streaming);
// Colours: each word with its top byte cleared (copies larger than the cache go around it).
void CopyColors(const Pixel* from, Pixel* to, std::size_t count);
// Whole words, except where the source's colour (top byte cleared) equals key: there the target
// keeps its word. A key with a top byte set matches nothing.
void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key);
// Each channel becomes trunc(d x (1 - alpha) + s x alpha) computed in double, each product and the
// sum rounded (no fused multiply-add), capped at 255; the top byte becomes 0. Where key is not
// COLORKEY_NONE and the source's colour equals it, the target keeps its word. 0 < alpha < 1.
void BlendColors(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key);
// The same at table.alpha, each channel looked up in the table (image/BlendTable.h): the same words.
void BlendColors(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key);

// 24-bit file pixels (blue, green, red) to Pixels with the top byte 0. Reads exactly 3 x count
// bytes. `streaming` writes around the cache: for the rows of a conversion too large for it.
void Rows24ToPixels(const BYTE* from, Pixel* to, std::size_t count, bool streaming);
// Pixels to 24-bit file pixels (blue, green, red); the top byte is dropped. Writes exactly
// 3 x count bytes.
void PixelsToRows24(const Pixel* from, BYTE* to, std::size_t count);
// value in every word.
void FillPixels(Pixel* to, std::size_t count, Pixel value);

// Whether writing `bytes` in one operation had better go around the cache: the one threshold for
// every copy and conversion, the GDI's included. CopyPixels and CopyColors decide this themselves
// from their count; an operation done row by row asks once for all its rows.
bool IsLargerThanCache(std::size_t bytes);

// The instruction sets the kernels come in, narrowest first. Every variant gives the same words.
enum class RowSimd { C, Sse2, Avx2 };
constexpr RowSimd kRowSimdVariants[] = {RowSimd::C, RowSimd::Sse2, RowSimd::Avx2};
const char* RowSimdName(RowSimd simd);
// The widest variant the processor runs.
RowSimd ProcessorRowSimd();
// The widest variant this run may use: the processor's, or a narrower one that ZVX_SIMD names.
RowSimd BestRowSimd();
RowSimd CurrentRowSimd();
// Uses simd from now on, or BestRowSimd() if simd is wider; returns what is used.
RowSimd UseRowSimd(RowSimd simd);

}  // namespace zvx

#include "image/RowKernels.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>

namespace zvx {
namespace {

constexpr Pixel kColorMask = 0x00FFFFFFu;

// Whether a run written to `to` overwrites source pixels it has yet to read when visited front to
// back: the target starts inside the source, after its first pixel.
bool OverlapsAhead(const Pixel* from, const Pixel* to, std::size_t count)
{
    const auto f = reinterpret_cast<std::uintptr_t>(from);
    const auto t = reinterpret_cast<std::uintptr_t>(to);
    return t > f && t < f + count * sizeof(Pixel);
}

// Calls step(i) for every i < count, back to front when the target lies ahead of the source.
template <class Step>
void Visit(const Pixel* from, const Pixel* to, std::size_t count, Step step)
{
    if (OverlapsAhead(from, to, count)) {
        for (std::size_t i = count; i-- > 0;) step(i);
    } else {
        for (std::size_t i = 0; i < count; ++i) step(i);
    }
}

// One channel of the blend, exactly as the per-pixel path computes it.
Pixel BlendChannel(Pixel s, Pixel d, double alpha, double beta)
{
    const double sum = static_cast<double>(d) * beta + static_cast<double>(s) * alpha;
    const int value = static_cast<int>(sum);
    return static_cast<Pixel>(value > 255 ? 255 : value);
}

Pixel BlendPixel(Pixel s, Pixel d, double alpha, double beta)
{
    return (BlendChannel((s >> 16) & 0xFFu, (d >> 16) & 0xFFu, alpha, beta) << 16) |
           (BlendChannel((s >> 8) & 0xFFu, (d >> 8) & 0xFFu, alpha, beta) << 8) |
           BlendChannel(s & 0xFFu, d & 0xFFu, alpha, beta);
}

}  // namespace

void CopyPixels(const Pixel* from, Pixel* to, std::size_t count)
{
    std::memmove(to, from, count * sizeof(Pixel));
}

void CopyColors(const Pixel* from, Pixel* to, std::size_t count)
{
    Visit(from, to, count, [&](std::size_t i) { to[i] = from[i] & kColorMask; });
}

void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    Visit(from, to, count, [&](std::size_t i) {
        const Pixel p = from[i];
        if ((p & kColorMask) != key) to[i] = p;
    });
}

void BlendColors(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    const double beta = 1.0 - alpha;
    const bool keyed = key != COLORKEY_NONE;
    const auto keyColor = static_cast<Pixel>(key);
    Visit(from, to, count, [&](std::size_t i) {
        const Pixel s = from[i];
        if (keyed && (s & kColorMask) == keyColor) return;
        to[i] = BlendPixel(s, to[i], alpha, beta);
    });
}

void Rows24ToPixels(const BYTE* from, Pixel* to, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i, from += 3) {
        to[i] = (static_cast<Pixel>(from[2]) << 16) | (static_cast<Pixel>(from[1]) << 8) | from[0];
    }
}

void PixelsToRows24(const Pixel* from, BYTE* to, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i, to += 3) {
        to[0] = static_cast<BYTE>(from[i]);
        to[1] = static_cast<BYTE>(from[i] >> 8);
        to[2] = static_cast<BYTE>(from[i] >> 16);
    }
}

void FillPixels(Pixel* to, std::size_t count, Pixel value) { std::fill(to, to + count, value); }

RowSimd BestRowSimd() { return RowSimd::Scalar; }
RowSimd CurrentRowSimd() { return RowSimd::Scalar; }
RowSimd UseRowSimd(RowSimd) { return RowSimd::Scalar; }

}  // namespace zvx

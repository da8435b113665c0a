// The colour facts every layer shares: where a Pixel keeps its channels, the blend of one channel,
// the byte order of 24-bit rows and GDI's COLORREF. The plain C++ row kernels, the general
// per-pixel paths and the software GDI all call these; the vector kernels compute the same
// formulas lane by lane.
#pragma once

#include "image/ImageTypes.h"

namespace zvx::color {

// The colour bits of a Pixel: all but the top byte, which is not a channel.
constexpr Pixel kColorMask = 0x00FFFFFFu;
constexpr Pixel ColorOf(Pixel p) { return p & kColorMask; }

// Where each channel sits in a Pixel.
constexpr int kRedShift = 16;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 0;
constexpr BYTE Red(Pixel p) { return static_cast<BYTE>(p >> kRedShift & 0xFFu); }
constexpr BYTE Green(Pixel p) { return static_cast<BYTE>(p >> kGreenShift & 0xFFu); }
constexpr BYTE Blue(Pixel p) { return static_cast<BYTE>(p >> kBlueShift & 0xFFu); }
// A colour from channels 0..255, top byte 0.
constexpr Pixel Rgb(Pixel red, Pixel green, Pixel blue)
{
    return red << kRedShift | green << kGreenShift | blue << kBlueShift;
}

// A blended channel from its sum: truncated toward zero, capped at 255. The sum of a blend with
// 0 < alpha < 1 is never negative.
constexpr int CapChannel(double sum)
{
    const int value = static_cast<int>(sum);
    return value > 255 ? 255 : value;
}
// One channel of the blend: trunc(d x beta + s x alpha), beta being 1 - alpha; each product and
// the sum are rounded to double on their own (the build forbids fused multiply-add), and since
// the sum is commutative it does not matter which weight is named first.
constexpr int BlendChannel(int s, int d, double alpha, double beta)
{
    return CapChannel(static_cast<double>(d) * beta + static_cast<double>(s) * alpha);
}

// A pixel of 24-bit rows (.bmp files, SetRows24, ImportRows24, 24-bit DIBs): blue, green, red.
constexpr Pixel ReadBgr(const BYTE* p) { return Rgb(p[2], p[1], p[0]); }
constexpr void WriteBgr(BYTE* p, Pixel color)
{
    p[0] = Blue(color);
    p[1] = Green(color);
    p[2] = Red(color);
}

// GDI's COLORREF, 0x00BBGGRR: red in the low byte.
constexpr COLORREF ColorRef(BYTE red, BYTE green, BYTE blue)
{
    return static_cast<COLORREF>(blue) << 16 | static_cast<COLORREF>(green) << 8 | red;
}
constexpr COLORREF ToColorRef(Pixel p) { return ColorRef(Red(p), Green(p), Blue(p)); }
// The top byte, which would ask GDI for a palette entry, is dropped.
constexpr Pixel FromColorRef(COLORREF c) { return Rgb(c & 0xFFu, c >> 8 & 0xFFu, c >> 16 & 0xFFu); }

}  // namespace zvx::color

#include "image/Operations.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "core/Color.h"

namespace zvx {
namespace {

using color::kBlueShift;
using color::kGreenShift;
using color::kRedShift;

int ClampChannel(int v)
{
    if (v < 0) return 0;
    if (v > 255) return 255;
    return v;
}

// The value the channel arithmetic hands to the setter, which does the clamping to 0..255 itself
// (a derived setter sees the raw value). Only what does not fit an int is brought into range:
// saturated at INT_MIN and INT_MAX.
int SaturatedInt(long long v)
{
    if (v < INT_MIN) return INT_MIN;
    if (v > INT_MAX) return INT_MAX;
    return static_cast<int>(v);
}

// channel x factor truncated toward zero. Products beyond the int range saturate and NaN gives
// 0, instead of a conversion that would be undefined.
int TruncatedProduct(BYTE channel, double factor)
{
    const double product = static_cast<double>(channel) * factor;
    if (std::isnan(product)) return 0;
    if (product >= 2147483648.0) return INT_MAX;
    if (product <= -2147483649.0) return INT_MIN;
    return static_cast<int>(product);  // truncates toward zero, into the int range
}

bool SetChannel(IImage& image, int x, int y, int v, int shift)
{
    if (!IsInside(image, x, y)) return false;
    const Pixel value = static_cast<Pixel>(ClampChannel(v));
    Pixel p = image.GetPixel(x, y);
    p = (p & ~(Pixel{0xFF} << shift)) | (value << shift);
    image.SetPixel(x, y, p);
    return true;
}

// One channel's getter and setter, called as virtual operations on the image.
using ChannelGetter = BYTE (IImage::*)(int, int) const;
using ChannelSetter = bool (IImage::*)(int, int, int);

// The sum is formed in 64 bits, so a delta near INT_MAX saturates instead of wrapping.
bool AddToChannel(IImage& image, int x, int y, int delta, ChannelGetter get, ChannelSetter set)
{
    if (!IsInside(image, x, y)) return false;
    (image.*set)(x, y, SaturatedInt(static_cast<long long>((image.*get)(x, y)) + delta));
    return true;
}

bool ScaleChannel(IImage& image, int x, int y, double factor, ChannelGetter get, ChannelSetter set)
{
    if (!IsInside(image, x, y)) return false;
    (image.*set)(x, y, TruncatedProduct((image.*get)(x, y), factor));
    return true;
}

}  // namespace

bool IsInside(const IImage& image, int x, int y)
{
    return !(x < 0 || x >= image.GetWidth() || y < 0 || y >= image.GetHeight());
}

Pixel GetColor(const IImage& image, int x, int y)
{
    if (!IsInside(image, x, y)) return 0;
    return color::ColorOf(image.GetPixel(x, y));
}

COLORREF GetColorRef(const IImage& image, int x, int y)
{
    const BYTE blue = image.GetBlue(x, y);
    const BYTE green = image.GetGreen(x, y);
    return color::ColorRef(image.GetRed(x, y), green, blue);
}

BYTE GetRed(const IImage& image, int x, int y) { return color::Red(image.GetPixel(x, y)); }
BYTE GetGreen(const IImage& image, int x, int y) { return color::Green(image.GetPixel(x, y)); }
BYTE GetBlue(const IImage& image, int x, int y) { return color::Blue(image.GetPixel(x, y)); }

bool SetColor(IImage& image, int x, int y, Pixel c) { return image.SetPixel(x, y, color::ColorOf(c)); }

bool SetRed(IImage& image, int x, int y, int v) { return SetChannel(image, x, y, v, kRedShift); }
bool SetGreen(IImage& image, int x, int y, int v) { return SetChannel(image, x, y, v, kGreenShift); }
bool SetBlue(IImage& image, int x, int y, int v) { return SetChannel(image, x, y, v, kBlueShift); }

bool AddRed(IImage& image, int x, int y, int delta)
{
    return AddToChannel(image, x, y, delta, &IImage::GetRed, &IImage::SetRed);
}

bool AddGreen(IImage& image, int x, int y, int delta)
{
    return AddToChannel(image, x, y, delta, &IImage::GetGreen, &IImage::SetGreen);
}

bool AddBlue(IImage& image, int x, int y, int delta)
{
    return AddToChannel(image, x, y, delta, &IImage::GetBlue, &IImage::SetBlue);
}

bool ScaleRed(IImage& image, int x, int y, double factor)
{
    return ScaleChannel(image, x, y, factor, &IImage::GetRed, &IImage::SetRed);
}

bool ScaleGreen(IImage& image, int x, int y, double factor)
{
    return ScaleChannel(image, x, y, factor, &IImage::GetGreen, &IImage::SetGreen);
}

bool ScaleBlue(IImage& image, int x, int y, double factor)
{
    return ScaleChannel(image, x, y, factor, &IImage::GetBlue, &IImage::SetBlue);
}

bool IsKeyColor(const IImage& image, int x, int y)
{
    const ColorKey key = image.GetColorKey();
    if (key == COLORKEY_NONE) return false;
    if (!IsInside(image, x, y)) return false;
    return image.GetColor(x, y) == static_cast<Pixel>(key);
}

void FillBySetPixel(IImage& image, int width, int height, Pixel fill)
{
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.SetPixel(x, y, fill);
    }
}

}  // namespace zvx

#include "image/compose/BlitRows.h"

#include <algorithm>

#include "image/PlainImage.h"

namespace zvx {
namespace {

constexpr Pixel kColorMask = 0x00FFFFFFu;

void CopyColors(const Pixel* from, Pixel* to, long long count)
{
    for (long long i = 0; i < count; ++i) to[i] = from[i] & kColorMask;
}

// Written as a select rather than a skipped store so the compiler can do several at once.
void CopyUnlessKey(const Pixel* from, Pixel* to, int count, Pixel key)
{
    for (int i = 0; i < count; ++i) {
        const Pixel p = from[i];
        to[i] = (p & kColorMask) == key ? to[i] : p;
    }
}

}  // namespace

bool CopyAreaPlainRows(const IImage& source, IImage& dest, const BlitArea& area)
{
    // A self-blit depends on the general path's visiting order; leave it to that path.
    if (&source == &dest) return false;
    const IPixelBuffer* from = PlainPixels(source);
    IPixelBuffer* to = PlainPixels(dest);
    if (from == nullptr || to == nullptr) return false;
    if (area.IsEmpty()) return true;

    const ColorKey key = source.GetColorKey();
    for (int j = 0; j < area.height; ++j) {
        const Pixel* s = from->GetScanLine(area.srcY + j) + area.srcX;
        Pixel* d = to->GetScanLine(area.destY + j) + area.destX;
        if (key == COLORKEY_NONE) {
            CopyColors(s, d, area.width);
        } else {
            CopyUnlessKey(s, d, area.width, static_cast<Pixel>(key));
        }
    }
    return true;
}

bool CopyColorsPlainRows(IImage& image, const IImage& src)
{
    const IPixelBuffer* from = PlainPixels(src);
    IPixelBuffer* to = PlainPixels(image);
    if (from == nullptr || to == nullptr) return false;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (width != src.GetWidth() || height != src.GetHeight()) return false;
    for (int y = 0; y < height; ++y) CopyColors(from->GetScanLine(y), to->GetScanLine(y), width);
    return true;
}

bool CopyRectPlainRows(const IImage& source, IImage& sub, int x, int y)
{
    const IPixelBuffer* from = PlainPixels(source);
    IPixelBuffer* to = PlainPixels(sub);
    if (from == nullptr || to == nullptr) return false;
    const long long width = sub.GetWidth();
    const long long height = sub.GetHeight();
    // The part of the rectangle that lies inside source; everything else stays 0, as the new
    // image already is.
    const long long columns = std::max(0LL, std::min(width, source.GetWidth() - static_cast<long long>(x)));
    const long long rows = std::max(0LL, std::min(height, source.GetHeight() - static_cast<long long>(y)));
    for (long long j = 0; j < rows; ++j) {
        const Pixel* s = from->GetScanLine(static_cast<int>(y + j)) + x;
        CopyColors(s, to->GetScanLine(static_cast<int>(j)), columns);
    }
    return true;
}

}  // namespace zvx

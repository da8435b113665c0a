#include "image/compose/BlendRows.h"

#include <algorithm>

#include "image/PlainImage.h"

namespace zvx {
namespace {

// Every product the per-pixel blend can form, rounded to double exactly as it rounds them:
// source channel x alpha and destination channel x (1 - alpha). Their sum is then formed per
// channel in the same rounding, so the results are the same bits.
struct BlendWeights {
    double source[256];
    double dest[256];

    explicit BlendWeights(double alpha)
    {
        const double beta = 1.0 - alpha;
        for (int v = 0; v < 256; ++v) {
            source[v] = v * alpha;
            dest[v] = static_cast<double>(v) * beta;
        }
    }

    Pixel Channel(Pixel sourcePixel, Pixel destPixel, int shift) const
    {
        const double sum = dest[(destPixel >> shift) & 0xFFu] + source[(sourcePixel >> shift) & 0xFFu];
        const int value = static_cast<int>(sum);
        return static_cast<Pixel>(value > 255 ? 255 : value) << shift;
    }
};

}  // namespace

bool BlendPlainRows(const IImage& source, IImage& dest, int x, int y, double alpha)
{
    // Onto itself the general path's visiting order matters; leave that case to it.
    if (&source == &dest) return false;
    const IPixelBuffer* from = PlainPixels(source);
    IPixelBuffer* to = PlainPixels(dest);
    if (from == nullptr || to == nullptr) return false;

    // Source pixels that land outside dest read nothing that matters and write nothing, so only
    // the overlap is visited.
    const long long width = source.GetWidth();
    const long long height = source.GetHeight();
    const long long firstColumn = std::max(0LL, -static_cast<long long>(x));
    const long long endColumn = std::min(width, dest.GetWidth() - static_cast<long long>(x));
    const long long firstRow = std::max(0LL, -static_cast<long long>(y));
    const long long endRow = std::min(height, dest.GetHeight() - static_cast<long long>(y));
    if (firstColumn >= endColumn || firstRow >= endRow) return true;

    const BlendWeights weights(alpha);
    const ColorKey key = source.GetColorKey();
    const bool keyed = key != COLORKEY_NONE;
    const auto keyColor = static_cast<Pixel>(key);
    for (long long sy = firstRow; sy < endRow; ++sy) {
        const Pixel* s = from->GetScanLine(static_cast<int>(sy)) + firstColumn;
        Pixel* d = to->GetScanLine(static_cast<int>(sy + y)) + (firstColumn + x);
        for (long long n = endColumn - firstColumn; n > 0; --n, ++s, ++d) {
            const Pixel sp = *s;
            if (keyed && (sp & 0x00FFFFFFu) == keyColor) continue;
            const Pixel dp = *d;
            *d = weights.Channel(sp, dp, 16) | weights.Channel(sp, dp, 8) | weights.Channel(sp, dp, 0);
        }
    }
    return true;
}

}  // namespace zvx

#include "image/compose/BlendRows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "image/PlainImage.h"

namespace zvx {
namespace {

// Every product the per-pixel blend can form, rounded to double exactly as it rounds them:
// source channel x alpha and destination channel x (1 - alpha). Their sum is then formed in the
// same rounding, so each channel comes out the same bits.
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

    int Channel(unsigned sourceChannel, unsigned destChannel) const
    {
        const double sum = dest[destChannel] + source[sourceChannel];
        const int value = static_cast<int>(sum);
        return value > 255 ? 255 : value;
    }
};

// Every channel result for one alpha, indexed by source channel x 256 + destination channel:
// three loads per pixel instead of the arithmetic. Building it costs as much as blending 64K
// pixels, so it is kept for the next blend with the same alpha (a frame loop blends with one
// alpha again and again) and only built for a large blend.
class BlendTable {
public:
    static const BlendTable* For(double alpha, long long pixels)
    {
        thread_local std::unique_ptr<BlendTable> kept;
        if (kept != nullptr && std::memcmp(&kept->m_alpha, &alpha, sizeof alpha) == 0) return kept.get();
        if (pixels < kBuildThreshold) return nullptr;
        if (kept == nullptr) kept.reset(new (std::nothrow) BlendTable);
        if (kept == nullptr) return nullptr;
        kept->Build(alpha);
        return kept.get();
    }

    Pixel Blend(Pixel s, Pixel d) const
    {
        const Pixel red = m_value[((s >> 8) & 0xFF00u) | ((d >> 16) & 0xFFu)];
        const Pixel green = m_value[(s & 0xFF00u) | ((d >> 8) & 0xFFu)];
        const Pixel blue = m_value[((s << 8) & 0xFF00u) | (d & 0xFFu)];
        return (red << 16) | (green << 8) | blue;
    }

private:
    static constexpr long long kBuildThreshold = 16384;

    void Build(double alpha)
    {
        const BlendWeights weights(alpha);
        for (unsigned s = 0; s < 256; ++s) {
            for (unsigned d = 0; d < 256; ++d) m_value[s * 256 + d] = static_cast<std::uint8_t>(weights.Channel(s, d));
        }
        m_alpha = alpha;
    }

    double m_alpha = 0.0;
    std::uint8_t m_value[256 * 256] = {};
};

template <class BlendPixel>
void BlendRowsWith(const IPixelBuffer& from, IPixelBuffer& to, long long firstRow, long long endRow,
                   long long firstColumn, long long endColumn, int x, int y, ColorKey key, BlendPixel blend)
{
    const bool keyed = key != COLORKEY_NONE;
    const auto keyColor = static_cast<Pixel>(key);
    for (long long sy = firstRow; sy < endRow; ++sy) {
        const Pixel* s = from.GetScanLine(static_cast<int>(sy)) + firstColumn;
        Pixel* d = to.GetScanLine(static_cast<int>(sy + y)) + (firstColumn + x);
        for (long long n = endColumn - firstColumn; n > 0; --n, ++s, ++d) {
            const Pixel sp = *s;
            if (keyed && (sp & 0x00FFFFFFu) == keyColor) continue;
            *d = blend(sp, *d);
        }
    }
}

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

    const ColorKey key = source.GetColorKey();
    const long long pixels = (endRow - firstRow) * (endColumn - firstColumn);
    if (const BlendTable* table = BlendTable::For(alpha, pixels)) {
        BlendRowsWith(*from, *to, firstRow, endRow, firstColumn, endColumn, x, y, key,
                      [table](Pixel s, Pixel d) { return table->Blend(s, d); });
        return true;
    }
    const BlendWeights weights(alpha);
    BlendRowsWith(*from, *to, firstRow, endRow, firstColumn, endColumn, x, y, key, [&weights](Pixel s, Pixel d) {
        const auto red = static_cast<Pixel>(weights.Channel((s >> 16) & 0xFFu, (d >> 16) & 0xFFu));
        const auto green = static_cast<Pixel>(weights.Channel((s >> 8) & 0xFFu, (d >> 8) & 0xFFu));
        const auto blue = static_cast<Pixel>(weights.Channel(s & 0xFFu, d & 0xFFu));
        return (red << 16) | (green << 8) | blue;
    });
    return true;
}

}  // namespace zvx

#include "image/compose/BlendRows.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

    // The pixel made of the channel results at three table indices: blue, green, red.
    Pixel At(int blue, int green, int red) const
    {
        return (static_cast<Pixel>(m_value[red]) << 16) | (static_cast<Pixel>(m_value[green]) << 8) | m_value[blue];
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

#if defined(__SSE2__)
// The table blend four pixels at a time. Interleaving the bytes of four destination and four
// source pixels gives, in each 16-bit lane, source channel x 256 + destination channel: the
// table index itself, so each channel costs one extract and one load.
void BlendRowTable4(const BlendTable& table, const Pixel* s, Pixel* d, long long count, bool keyed, Pixel keyColor)
{
    const __m128i colorMask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i keyWords = _mm_set1_epi32(static_cast<int>(keyColor));
    const __m128i keyMask = keyed ? _mm_set1_epi32(-1) : _mm_setzero_si128();
    long long i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i sourceWords = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i destWords = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        const __m128i low = _mm_unpacklo_epi8(destWords, sourceWords);
        const __m128i high = _mm_unpackhi_epi8(destWords, sourceWords);
        const __m128i blended = _mm_setr_epi32(
            static_cast<int>(table.At(_mm_extract_epi16(low, 0), _mm_extract_epi16(low, 1), _mm_extract_epi16(low, 2))),
            static_cast<int>(table.At(_mm_extract_epi16(low, 4), _mm_extract_epi16(low, 5), _mm_extract_epi16(low, 6))),
            static_cast<int>(table.At(_mm_extract_epi16(high, 0), _mm_extract_epi16(high, 1), _mm_extract_epi16(high, 2))),
            static_cast<int>(table.At(_mm_extract_epi16(high, 4), _mm_extract_epi16(high, 5), _mm_extract_epi16(high, 6))));
        // Key-coloured source pixels keep the destination's word.
        const __m128i keep = _mm_and_si128(
            keyMask, _mm_cmpeq_epi32(_mm_and_si128(sourceWords, colorMask), keyWords));
        const __m128i result = _mm_or_si128(_mm_and_si128(keep, destWords), _mm_andnot_si128(keep, blended));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), result);
    }
    for (; i < count; ++i) {
        if (!keyed || (s[i] & 0x00FFFFFFu) != keyColor) d[i] = table.Blend(s[i], d[i]);
    }
}
#endif

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
#if defined(__SSE2__)
        const long long count = endColumn - firstColumn;
        for (long long sy = firstRow; sy < endRow; ++sy) {
            BlendRowTable4(*table, from->GetScanLine(static_cast<int>(sy)) + firstColumn,
                           to->GetScanLine(static_cast<int>(sy + y)) + (firstColumn + x), count,
                           key != COLORKEY_NONE, static_cast<Pixel>(key));
        }
#else
        BlendRowsWith(*from, *to, firstRow, endRow, firstColumn, endColumn, x, y, key,
                      [table](Pixel s, Pixel d) { return table->Blend(s, d); });
#endif
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

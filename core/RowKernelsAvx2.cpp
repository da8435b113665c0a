// The row kernels in AVX2, for processors that have it: eight pixels a time, and the blend's
// table looked up eight channels at a time with gathers. Compiled function by function for AVX2
// (see RowKernels.h); each kernel finishes the pixels its vectors leave with the plain C++
// kernel's loop. What AVX2 does no faster than SSE2 (a copy of whole words, a fill) is left to
// the SSE2 set.
#include "core/RowKernels.h"

#if defined(ZVX_X86_ROW_KERNELS)
#include <immintrin.h>
#define ZVX_AVX2 __attribute__((target("avx2")))

namespace zvx {
namespace {

ZVX_AVX2 inline __m256i Colors(__m256i words) { return _mm256_and_si256(words, _mm256_set1_epi32(0x00FFFFFF)); }

ZVX_AVX2 inline __m256i Load(const Pixel* from) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from)); }

ZVX_AVX2 inline void Store(Pixel* to, __m256i words, bool streaming)
{
    if (streaming) {
        _mm256_stream_si256(reinterpret_cast<__m256i*>(to), words);
    } else {
        _mm256_store_si256(reinterpret_cast<__m256i*>(to), words);
    }
}

ZVX_AVX2 void CopyColors(const Pixel* from, Pixel* to, std::size_t count, bool streaming)
{
    std::size_t i = PixelsBeforeAligned(to, count, 32);
    rows::CopyColors(from, to, i, false);
    for (; i + 8 <= count; i += 8) Store(to + i, Colors(Load(from + i)), streaming);
    if (streaming) _mm_sfence();  // streaming stores are weakly ordered: done before the caller goes on
    rows::CopyColors(from + i, to + i, count - i, false);
}

ZVX_AVX2 void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    const __m256i keyWords = _mm256_set1_epi32(static_cast<int>(key));
    std::size_t i = PixelsBeforeAligned(to, count, 32);
    rows::CopyUnlessKey(from, to, i, key);
    for (; i + 8 <= count; i += 8) {
        const __m256i s = Load(from + i);
        const __m256i keep = _mm256_cmpeq_epi32(Colors(s), keyWords);
        __m256i words = s;
        // Where no pixel shows the key the target is not read at all.
        if (!_mm256_testz_si256(keep, keep)) words = _mm256_blendv_epi8(s, Load(to + i), keep);
        Store(to + i, words, false);
    }
    rows::CopyUnlessKey(from + i, to + i, count - i, key);
}

// The blend by the formula, four pixels a time, with the roundings of the plain formula (see
// the SSE2 kernel). Byte k of each 128-bit half (k = 0, 4, 8, 12 plus the channel) goes into the
// low byte of a 64-bit lane whose high bytes 0x4330 make it the double 2^52 + byte: the channels
// of four pixels, exactly, after subtracting 2^52.
ZVX_AVX2 inline __m256d Channels(__m256i fourPixelsTwice, __m256i select)
{
    const __m256i bias = _mm256_set1_epi64x(0x4330000000000000LL);
    return _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(_mm256_shuffle_epi8(fourPixelsTwice, select), bias)),
                         _mm256_castsi256_pd(bias));
}

ZVX_AVX2 inline __m256i ChannelSelect(int channel)
{
    const char c = static_cast<char>(channel);
    const char z = -1;  // a zero byte
    return _mm256_setr_epi8(c, z, z, z, z, z, z, z, static_cast<char>(c + 4), z, z, z, z, z, z, z,
                            static_cast<char>(c + 8), z, z, z, z, z, z, z, static_cast<char>(c + 12), z, z, z, z, z, z,
                            z);
}

ZVX_AVX2 inline __m128i BlendPlane(__m256i s, __m256i d, __m256i select, __m256d alpha, __m256d beta)
{
    return _mm256_cvttpd_epi32(
        _mm256_add_pd(_mm256_mul_pd(Channels(d, select), beta), _mm256_mul_pd(Channels(s, select), alpha)));
}

ZVX_AVX2 void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    const __m256d a = _mm256_set1_pd(alpha);
    const __m256d b = _mm256_set1_pd(1.0 - alpha);
    const __m256i blue = ChannelSelect(0);
    const __m256i green = ChannelSelect(1);
    const __m256i red = ChannelSelect(2);
    const __m128i keyWords = _mm_set1_epi32(static_cast<int>(key));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s4 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i d4 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
        const __m256i s = _mm256_broadcastsi128_si256(s4);
        const __m256i d = _mm256_broadcastsi128_si256(d4);
        const __m128i blended =
            _mm_or_si128(BlendPlane(s, d, blue, a, b), _mm_or_si128(_mm_slli_epi32(BlendPlane(s, d, green, a, b), 8),
                                                                    _mm_slli_epi32(BlendPlane(s, d, red, a, b), 16)));
        // COLORKEY_NONE has a top byte, so no colour equals it.
        const __m128i keep = _mm_cmpeq_epi32(_mm_and_si128(s4, _mm_set1_epi32(0x00FFFFFF)), keyWords);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_blendv_epi8(blended, d4, keep));
    }
    rows::Blend(from + i, to + i, count - i, alpha, key);
}

// The blend through its table: in each 32-bit lane, source channel x 256 + destination channel is
// the index of that channel's result; a gather reads the four bytes there, of which the lowest is
// the result. The gathers are what the loop waits for: everything else is kept to few operations
// (the results moved into place by byte shuffles, the key looked at only when there is one).
ZVX_AVX2 void BlendByTable(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key)
{
    const int* results = reinterpret_cast<const int*>(table.result);
    const __m256i low = _mm256_set1_epi32(0xFF);
    const __m256i second = _mm256_set1_epi32(0xFF00);
    const char z = -1;  // a zero byte
    // The lowest byte of each 32-bit lane moved to the second or the third byte.
    const __m256i toSecond = _mm256_setr_epi8(z, 0, z, z, z, 4, z, z, z, 8, z, z, z, 12, z, z, z, 0, z, z, z, 4, z, z,
                                              z, 8, z, z, z, 12, z, z);
    const __m256i toThird = _mm256_setr_epi8(z, z, 0, z, z, z, 4, z, z, z, 8, z, z, z, 12, z, z, z, 0, z, z, z, 4, z, z,
                                             z, 8, z, z, z, 12, z);
    const bool keyed = key != COLORKEY_NONE;
    const __m256i keyWords = _mm256_set1_epi32(static_cast<int>(key));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = Load(from + i);
        const __m256i d = Load(to + i);
        const __m256i blueAt =
            _mm256_or_si256(_mm256_and_si256(_mm256_slli_epi32(s, 8), second), _mm256_and_si256(d, low));
        const __m256i greenAt =
            _mm256_or_si256(_mm256_and_si256(s, second), _mm256_and_si256(_mm256_srli_epi32(d, 8), low));
        const __m256i redAt = _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi32(s, 8), second),
                                              _mm256_and_si256(_mm256_srli_epi32(d, 16), low));
        const __m256i blue = _mm256_and_si256(_mm256_i32gather_epi32(results, blueAt, 1), low);
        const __m256i green = _mm256_shuffle_epi8(_mm256_i32gather_epi32(results, greenAt, 1), toSecond);
        const __m256i red = _mm256_shuffle_epi8(_mm256_i32gather_epi32(results, redAt, 1), toThird);
        __m256i blended = _mm256_or_si256(blue, _mm256_or_si256(green, red));
        if (keyed) blended = _mm256_blendv_epi8(blended, d, _mm256_cmpeq_epi32(Colors(s), keyWords));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), blended);
    }
    rows::BlendByTable(from + i, to + i, count - i, table, key);
}

// Sixteen results a round: the destination's weighted channels (computed once, as the formula
// computes them) plus the source's, truncated; the packs saturate at 255, which is the cap.
ZVX_AVX2 void BuildTable(double alpha, BlendTable& table)
{
    const double beta = 1.0 - alpha;
    alignas(32) double destPart[256];
    for (int d = 0; d < 256; ++d) destPart[d] = static_cast<double>(d) * beta;
    for (int s = 0; s < 256; ++s) {
        const __m256d sourcePart = _mm256_set1_pd(static_cast<double>(s) * alpha);
        std::uint8_t* row = table.result + (s << 8);
        for (std::size_t d = 0; d < 256; d += 16) {
            __m128i words[4];
            for (std::size_t k = 0; k < 4; ++k) {
                words[k] = _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_load_pd(destPart + d + 4 * k), sourcePart));
            }
            const __m128i results =
                _mm_packus_epi16(_mm_packs_epi32(words[0], words[1]), _mm_packs_epi32(words[2], words[3]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + d), results);
        }
    }
    table.alpha = alpha;
}

ZVX_AVX2 void Bgr24ToWords(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    // Each half takes four file pixels (12 bytes, read as 16) and spreads them to four words.
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    std::size_t i = PixelsBeforeAligned(to, count, 32);
    rows::Bgr24ToWords(from, to, i, false);
    // The last block reads 28 bytes from 3i on, so 3i + 28 <= 3 x count.
    for (; i + 10 <= count; i += 8) {
        const BYTE* p = from + 3 * i;
        const __m256i bytes =
            _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), 1);
        Store(to + i, _mm256_shuffle_epi8(bytes, spread), streaming);
    }
    if (streaming) _mm_sfence();
    rows::Bgr24ToWords(from + 3 * i, to + i, count - i, false);
}

}  // namespace

const RowKernelSet kRowKernelsAvx2{nullptr,    CopyColors,   CopyUnlessKey, Blend,  BlendByTable,
                                   BuildTable, Bgr24ToWords, nullptr,       nullptr};

}  // namespace zvx

#endif

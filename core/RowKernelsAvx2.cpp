// The row kernels in AVX2 (with FMA, which every processor that has AVX2 has too), for processors
// that have it: eight pixels a time, and the blend's table looked up eight channels at a time
// with gathers. Compiled function by function for AVX2 (see RowKernels.h); each kernel clears the
// upper halves of the vector registers (vzeroupper, written out) and finishes the pixels its
// vectors leave with the plain C++ kernel of its name (c::Blend for avx2::Blend). What AVX2 does
// no faster than SSE2 (a copy of whole words) is left to the SSE2 set.
#include "core/RowKernels.h"

#if defined(ZVX_X86_ROW_KERNELS)
#include <immintrin.h>
#define ZVX_AVX2 __attribute__((target("avx2,fma")))

namespace zvx::kernels::avx2 {
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
    c::CopyColors(from, to, i, false);
    for (; i + 8 <= count; i += 8) Store(to + i, Colors(Load(from + i)), streaming);
    if (streaming) _mm_sfence();  // streaming stores are weakly ordered: done before the caller goes on
    _mm256_zeroupper();
    c::CopyColors(from + i, to + i, count - i, false);
}

ZVX_AVX2 void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    const __m256i keyWords = _mm256_set1_epi32(static_cast<int>(key));
    std::size_t i = PixelsBeforeAligned(to, count, 32);
    c::CopyUnlessKey(from, to, i, key);
    for (; i + 8 <= count; i += 8) {
        const __m256i s = Load(from + i);
        const __m256i keep = _mm256_cmpeq_epi32(Colors(s), keyWords);
        __m256i words = s;
        // Where no pixel shows the key the target is not read at all.
        if (!_mm256_testz_si256(keep, keep)) words = _mm256_blendv_epi8(s, Load(to + i), keep);
        Store(to + i, words, false);
    }
    _mm256_zeroupper();
    c::CopyUnlessKey(from + i, to + i, count - i, key);
}

// The blend by the formula, eight pixels a time, with its roundings exactly (the AVX-512 kernel
// explains the steps): each pixel's word is unpacked beside the high word of 2^52, so masks pick
// each channel out as 2^52 + c x 2^8j, and one fused multiply-add per channel with the weight
// prescaled by 2^-8j gives the product c x weight, exact before its one rounding; the sum is one
// rounded addition; rounding it toward zero and adding 2^52, 2^44 or 2^36 (exact) puts the
// truncation at bit 0, 8 or 16 of its lane. The prescaled weights are exact powers of two apart;
// only for alpha below 2^-1000 do they lose bits, and there beta rounds to 1, so every channel's
// result is d whatever the source's tiny term.
struct Weights {
    __m256d w[3];       // the weight prescaled for fields at bits 0, 8 and 16
    __m256d offset[3];  // -2^52 x each
};

ZVX_AVX2 inline Weights WeightsOf(double weight)
{
    Weights weights{};
    for (int k = 0; k < 3; ++k) {
        const double scaled = weight / static_cast<double>(1 << (8 * k));
        weights.w[k] = _mm256_set1_pd(scaled);
        weights.offset[k] = _mm256_set1_pd(-scaled * 4503599627370496.0);
    }
    return weights;
}

// Channel k of four unpacked pixels blended, truncated and moved to bits 8k of each lane.
ZVX_AVX2 inline __m256d Channel(__m256i s, __m256i d, int k, const Weights& alpha, const Weights& beta)
{
    const __m256i mask = _mm256_set1_epi64x(static_cast<long long>(0xFFFFFFFF00000000ULL | 0xFFULL << (8 * k)));
    const __m256d source = _mm256_fmadd_pd(_mm256_castsi256_pd(_mm256_and_si256(s, mask)), alpha.w[k], alpha.offset[k]);
    const __m256d dest = _mm256_fmadd_pd(_mm256_castsi256_pd(_mm256_and_si256(d, mask)), beta.w[k], beta.offset[k]);
    const __m256d truncated = _mm256_round_pd(_mm256_add_pd(dest, source), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    return _mm256_add_pd(truncated, _mm256_set1_pd(static_cast<double>(std::uint64_t{1} << (52 - 8 * k))));
}

// Four unpacked pixels blended; the low 32 bits of each lane are the word.
ZVX_AVX2 inline __m256 Blended(__m256i s, __m256i d, const Weights& alpha, const Weights& beta)
{
    return _mm256_castpd_ps(_mm256_or_pd(Channel(s, d, 0, alpha, beta),
                                         _mm256_or_pd(Channel(s, d, 1, alpha, beta), Channel(s, d, 2, alpha, beta))));
}

ZVX_AVX2 void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    const Weights a = WeightsOf(alpha);
    const Weights b = WeightsOf(1.0 - alpha);
    const __m256i high = _mm256_set1_epi32(0x43300000);
    const __m256i keyWords = _mm256_set1_epi32(static_cast<int>(key));
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = Load(from + i);
        const __m256i d = Load(to + i);
        // Pixels 0, 1, 4, 5 and 2, 3, 6, 7: the shuffle takes words 0 and 2 of each half of each.
        const __m256 low = Blended(_mm256_unpacklo_epi32(s, high), _mm256_unpacklo_epi32(d, high), a, b);
        const __m256 upper = Blended(_mm256_unpackhi_epi32(s, high), _mm256_unpackhi_epi32(d, high), a, b);
        const __m256i blended = _mm256_castps_si256(_mm256_shuffle_ps(low, upper, 0x88));
        // COLORKEY_NONE has a top byte, so no colour equals it.
        const __m256i keep = _mm256_cmpeq_epi32(Colors(s), keyWords);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), _mm256_blendv_epi8(blended, d, keep));
    }
    _mm256_zeroupper();
    c::Blend(from + i, to + i, count - i, alpha, key);
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
    _mm256_zeroupper();
    c::BlendByTable(from + i, to + i, count - i, table, key);
}

// Sixteen results a round: the destination's weighted channels (computed once, as the formula
// computes them) plus the source's, truncated; the packs saturate at 255, which is the cap.
ZVX_AVX2 void BuildBlendTable(double alpha, BlendTable& table)
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
    _mm256_zeroupper();
}

ZVX_AVX2 void Bgr24ToWords(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    // Each half takes four file pixels (12 bytes, read as 16) and spreads them to four words.
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    std::size_t i = PixelsBeforeAligned(to, count, 32);
    c::Bgr24ToWords(from, to, i, false);
    // The last block reads 28 bytes from 3i on, so 3i + 28 <= 3 x count.
    for (; i + 10 <= count; i += 8) {
        const BYTE* p = from + 3 * i;
        const __m256i bytes =
            _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), 1);
        Store(to + i, _mm256_shuffle_epi8(bytes, spread), streaming);
    }
    if (streaming) _mm_sfence();
    _mm256_zeroupper();
    c::Bgr24ToWords(from + 3 * i, to + i, count - i, false);
}

// Aligned stores of whole cache lines (the SSE2 set's fill uses the string store instead).
ZVX_AVX2 void Fill(Pixel* to, std::size_t count, Pixel value)
{
    const __m256i words = _mm256_set1_epi32(static_cast<int>(value));
    std::size_t i = PixelsBeforeAligned(to, count, 32);
    for (std::size_t k = 0; k < i; ++k) to[k] = value;
    for (; i + 16 <= count; i += 16) {
        Store(to + i, words, false);
        Store(to + i + 8, words, false);
    }
    for (; i + 8 <= count; i += 8) Store(to + i, words, false);
    _mm256_zeroupper();
    for (; i < count; ++i) to[i] = value;
}

// The copy of whole words is the SSE2 set's, 24-bit writes the plain C++ set's.
constexpr RowKernelSet Set()
{
    RowKernelSet set{};
    set.copyColors = CopyColors;
    set.copyUnlessKey = CopyUnlessKey;
    set.blend = Blend;
    set.blendByTable = BlendByTable;
    set.buildBlendTable = BuildBlendTable;
    set.bgr24ToWords = Bgr24ToWords;
    set.fill = Fill;
    return set;
}

}  // namespace
}  // namespace zvx::kernels::avx2

namespace zvx {

constexpr RowKernelSet kRowKernelsAvx2 = kernels::avx2::Set();

}  // namespace zvx

#endif

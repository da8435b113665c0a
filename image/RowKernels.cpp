#include "image/RowKernels.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__) && defined(__GNUC__)
// SSE2 is the baseline of x86-64; AVX2 and AVX-512 are used where the processor has them, chosen
// once (BestRowSimd) and compiled per function with target attributes.
#define ZVX_X86_SIMD 1
#include <immintrin.h>
#define ZVX_AVX2 __attribute__((target("avx2")))
#define ZVX_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx512dq")))
#endif

namespace zvx {
namespace {

constexpr Pixel kColorMask = 0x00FFFFFFu;

// Copies that write more than this go around the cache with streaming stores: they would only
// push everything else out of it, and ordinary stores read every target line before writing it.
// Smaller ones stay in the cache, where the next reader finds them.
constexpr std::size_t kStreamingBytes = std::size_t{12} << 20;

bool Streams(std::size_t count) { return count * sizeof(Pixel) > kStreamingBytes; }

// Whether a run written to `to` overwrites source pixels it has yet to read when visited front to
// back: the target starts inside the source, after its first pixel. Front to back is safe in
// every other case, also in blocks of several pixels: a block is read whole before it is written,
// and a target before the source only overwrites what earlier blocks have read.
bool OverlapsAhead(const void* from, const void* to, std::size_t bytes)
{
    const auto f = reinterpret_cast<std::uintptr_t>(from);
    const auto t = reinterpret_cast<std::uintptr_t>(to);
    return t > f && t < f + bytes;
}

// ---- Plain C++: the reference every other variant must equal, and the tails of their rows ----

// Calls step(i) for i from `first` to count - 1, back to front when the target lies ahead of the
// source.
template <class Step>
void EachPixel(const Pixel* from, const Pixel* to, std::size_t first, std::size_t count, Step step)
{
    if (OverlapsAhead(from, to, count * sizeof(Pixel))) {
        for (std::size_t i = count; i-- > first;) step(i);
    } else {
        for (std::size_t i = first; i < count; ++i) step(i);
    }
}

void CopyColorsFrom(std::size_t first, const Pixel* from, Pixel* to, std::size_t count)
{
    EachPixel(from, to, first, count, [&](std::size_t i) { to[i] = from[i] & kColorMask; });
}

void CopyUnlessKeyFrom(std::size_t first, const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    EachPixel(from, to, first, count, [&](std::size_t i) {
        const Pixel p = from[i];
        if ((p & kColorMask) != key) to[i] = p;
    });
}

// One channel of the blend, exactly as the per-pixel path computes it.
Pixel BlendChannel(Pixel s, Pixel d, double alpha, double beta)
{
    const double sum = static_cast<double>(d) * beta + static_cast<double>(s) * alpha;
    const int value = static_cast<int>(sum);
    return static_cast<Pixel>(value > 255 ? 255 : value);
}

void BlendColorsFrom(std::size_t first, const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    const double beta = 1.0 - alpha;
    const bool keyed = key != COLORKEY_NONE;
    const auto keyColor = static_cast<Pixel>(key);
    EachPixel(from, to, first, count, [&](std::size_t i) {
        const Pixel s = from[i];
        if (keyed && (s & kColorMask) == keyColor) return;
        const Pixel d = to[i];
        to[i] = (BlendChannel((s >> 16) & 0xFFu, (d >> 16) & 0xFFu, alpha, beta) << 16) |
                (BlendChannel((s >> 8) & 0xFFu, (d >> 8) & 0xFFu, alpha, beta) << 8) |
                BlendChannel(s & 0xFFu, d & 0xFFu, alpha, beta);
    });
}

void Rows24ToPixelsFrom(std::size_t first, const BYTE* from, Pixel* to, std::size_t count)
{
    for (std::size_t i = first; i < count; ++i) {
        const BYTE* p = from + 3 * i;
        to[i] = (static_cast<Pixel>(p[2]) << 16) | (static_cast<Pixel>(p[1]) << 8) | p[0];
    }
}

// Where a run's vector stores may start aligned to `alignment` bytes (a whole cache line per
// store at 64): the pixels before are written plainly (the target is at least 4-byte aligned).
std::size_t PixelsBeforeAligned(const Pixel* to, std::size_t count, std::size_t alignment)
{
    const std::size_t misalign = reinterpret_cast<std::uintptr_t>(to) % alignment;
    const std::size_t head = misalign == 0 ? 0 : (alignment - misalign) / sizeof(Pixel);
    return std::min(head, count);
}

#if defined(ZVX_X86_SIMD)

// Blending: every channel in double precision, four (AVX2) or two (SSE2) or eight (AVX-512) at a
// time, with the same roundings as the plain formula: the channels are exact in double, each
// product and the sum are rounded once, and the conversion truncates. No cap is needed: alpha and
// 1 - alpha rounded add up to at most 1 + 2^-53, so the sum stays below 255 + 2^-43 and truncates
// to at most 255.

// ---- SSE2 ----

// Four pixels' words with their top byte cleared.
inline __m128i ColorsSse2(__m128i words) { return _mm_and_si128(words, _mm_set1_epi32(0x00FFFFFF)); }

inline void StoreSse2(Pixel* to, __m128i words, bool streaming)
{
    if (streaming) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(to), words);
    } else {
        _mm_store_si128(reinterpret_cast<__m128i*>(to), words);
    }
}

void CopyColorsSse2(const Pixel* from, Pixel* to, std::size_t count)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const bool streaming = Streams(count);
        i = PixelsBeforeAligned(to, count, 16);
        CopyColorsFrom(0, from, to, i);
        for (; i + 4 <= count; i += 4) {
            StoreSse2(to + i, ColorsSse2(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i))), streaming);
        }
        if (streaming) _mm_sfence();
    }
    CopyColorsFrom(i, from, to, count);
}

void CopyUnlessKeySse2(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const __m128i keyWords = _mm_set1_epi32(static_cast<int>(key));
        for (; i + 4 <= count; i += 4) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
            const __m128i keep = _mm_cmpeq_epi32(ColorsSse2(s), keyWords);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i),
                             _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, s)));
        }
    }
    CopyUnlessKeyFrom(i, from, to, count, key);
}

// One channel (at bit `shift`) of four pixels, blended.
inline __m128i BlendPlaneSse2(__m128i s, __m128i d, int shift, __m128d alpha, __m128d beta)
{
    const __m128i byte = _mm_set1_epi32(0xFF);
    const __m128i sc = _mm_and_si128(_mm_srl_epi32(s, _mm_cvtsi32_si128(shift)), byte);
    const __m128i dc = _mm_and_si128(_mm_srl_epi32(d, _mm_cvtsi32_si128(shift)), byte);
    const __m128d low = _mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(dc), beta), _mm_mul_pd(_mm_cvtepi32_pd(sc), alpha));
    const __m128d high = _mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(_mm_srli_si128(dc, 8)), beta),
                                    _mm_mul_pd(_mm_cvtepi32_pd(_mm_srli_si128(sc, 8)), alpha));
    return _mm_unpacklo_epi64(_mm_cvttpd_epi32(low), _mm_cvttpd_epi32(high));
}

void BlendColorsSse2(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const __m128d a = _mm_set1_pd(alpha);
        const __m128d b = _mm_set1_pd(1.0 - alpha);
        const __m128i keyWords = _mm_set1_epi32(static_cast<int>(key));
        const __m128i keyed = key != COLORKEY_NONE ? _mm_set1_epi32(-1) : _mm_setzero_si128();
        for (; i + 4 <= count; i += 4) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
            const __m128i blended = _mm_or_si128(BlendPlaneSse2(s, d, 0, a, b),
                                                 _mm_or_si128(_mm_slli_epi32(BlendPlaneSse2(s, d, 8, a, b), 8),
                                                              _mm_slli_epi32(BlendPlaneSse2(s, d, 16, a, b), 16)));
            const __m128i keep = _mm_and_si128(keyed, _mm_cmpeq_epi32(ColorsSse2(s), keyWords));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i),
                             _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, blended)));
        }
    }
    BlendColorsFrom(i, from, to, count, alpha, key);
}

// Four file pixels at p (reading 16 bytes) as four Pixels: pixel k's three bytes move from 3k
// to 4k.
inline __m128i Rows24Sse2(const BYTE* p)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i p0 = _mm_and_si128(v, _mm_setr_epi32(0x00FFFFFF, 0, 0, 0));
    const __m128i p1 = _mm_and_si128(_mm_slli_si128(v, 1), _mm_setr_epi32(0, 0x00FFFFFF, 0, 0));
    const __m128i p2 = _mm_and_si128(_mm_slli_si128(v, 2), _mm_setr_epi32(0, 0, 0x00FFFFFF, 0));
    const __m128i p3 = _mm_and_si128(_mm_slli_si128(v, 3), _mm_setr_epi32(0, 0, 0, 0x00FFFFFF));
    return _mm_or_si128(_mm_or_si128(p0, p1), _mm_or_si128(p2, p3));
}

void Rows24ToPixelsSse2(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    // A block reads 16 bytes for its 12, so the last pixels of the run are left to the plain loop.
    std::size_t i = PixelsBeforeAligned(to, count, 16);
    Rows24ToPixelsFrom(0, from, to, i);
    for (; i + 4 <= count && 3 * i + 16 <= 3 * count; i += 4) StoreSse2(to + i, Rows24Sse2(from + 3 * i), streaming);
    if (streaming) _mm_sfence();
    Rows24ToPixelsFrom(i, from, to, count);
}

void CopyPixelsSse2(const Pixel* from, Pixel* to, std::size_t count)
{
    const bool streaming = Streams(count);
    std::size_t i = PixelsBeforeAligned(to, count, 16);
    std::memcpy(to, from, i * sizeof(Pixel));
    for (; i + 4 <= count; i += 4)
        StoreSse2(to + i, _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)), streaming);
    if (streaming) _mm_sfence();
    std::memcpy(to + i, from + i, (count - i) * sizeof(Pixel));
}

// ---- AVX2 ----

ZVX_AVX2 inline __m256i ColorsAvx2(__m256i words) { return _mm256_and_si256(words, _mm256_set1_epi32(0x00FFFFFF)); }

ZVX_AVX2 inline void StoreAvx2(Pixel* to, __m256i words, bool streaming)
{
    if (streaming) {
        _mm256_stream_si256(reinterpret_cast<__m256i*>(to), words);
    } else {
        _mm256_store_si256(reinterpret_cast<__m256i*>(to), words);
    }
}

ZVX_AVX2 void CopyColorsAvx2(const Pixel* from, Pixel* to, std::size_t count)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const bool streaming = Streams(count);
        i = PixelsBeforeAligned(to, count, 32);
        CopyColorsFrom(0, from, to, i);
        for (; i + 8 <= count; i += 8) {
            StoreAvx2(to + i, ColorsAvx2(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i))), streaming);
        }
        if (streaming) _mm_sfence();
    }
    CopyColorsFrom(i, from, to, count);
}

ZVX_AVX2 void CopyUnlessKeyAvx2(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const __m256i keyWords = _mm256_set1_epi32(static_cast<int>(key));
        i = PixelsBeforeAligned(to, count, 32);
        CopyUnlessKeyFrom(0, from, to, i, key);
        for (; i + 8 <= count; i += 8) {
            const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
            const __m256i keep = _mm256_cmpeq_epi32(ColorsAvx2(s), keyWords);
            __m256i words = s;
            // Where no pixel shows the key the target is not read at all.
            if (!_mm256_testz_si256(keep, keep)) {
                words = _mm256_blendv_epi8(s, _mm256_load_si256(reinterpret_cast<const __m256i*>(to + i)), keep);
            }
            StoreAvx2(to + i, words, false);
        }
    }
    CopyUnlessKeyFrom(i, from, to, count, key);
}

// Byte k of each 128-bit half (k = 0, 4, 8, 12 plus the channel) into the low byte of a 64-bit
// lane, whose high bytes 0x4330 make it the double 2^52 + byte: the channels of four pixels,
// exactly, after subtracting 2^52.
ZVX_AVX2 inline __m256d ChannelsAvx2(__m256i fourPixelsTwice, __m256i select)
{
    const __m256i bias = _mm256_set1_epi64x(0x4330000000000000LL);
    return _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(_mm256_shuffle_epi8(fourPixelsTwice, select), bias)),
                         _mm256_castsi256_pd(bias));
}

ZVX_AVX2 inline __m256i ChannelSelectAvx2(int channel)
{
    const char c = static_cast<char>(channel);
    const char z = -1;  // a zero byte
    return _mm256_setr_epi8(c, z, z, z, z, z, z, z, static_cast<char>(c + 4), z, z, z, z, z, z, z,
                            static_cast<char>(c + 8), z, z, z, z, z, z, z, static_cast<char>(c + 12), z, z, z, z, z, z,
                            z);
}

ZVX_AVX2 void BlendColorsAvx2(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const __m256d a = _mm256_set1_pd(alpha);
        const __m256d b = _mm256_set1_pd(1.0 - alpha);
        const __m256i blue = ChannelSelectAvx2(0);
        const __m256i green = ChannelSelectAvx2(1);
        const __m256i red = ChannelSelectAvx2(2);
        const __m128i keyWords = _mm_set1_epi32(static_cast<int>(key));
        const __m128i keyed = key != COLORKEY_NONE ? _mm_set1_epi32(-1) : _mm_setzero_si128();
        for (; i + 4 <= count; i += 4) {
            const __m128i s4 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            const __m128i d4 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(to + i));
            const __m256i s = _mm256_broadcastsi128_si256(s4);
            const __m256i d = _mm256_broadcastsi128_si256(d4);
            const __m128i rb = _mm256_cvttpd_epi32(
                _mm256_add_pd(_mm256_mul_pd(ChannelsAvx2(d, blue), b), _mm256_mul_pd(ChannelsAvx2(s, blue), a)));
            const __m128i rg = _mm256_cvttpd_epi32(
                _mm256_add_pd(_mm256_mul_pd(ChannelsAvx2(d, green), b), _mm256_mul_pd(ChannelsAvx2(s, green), a)));
            const __m128i rr = _mm256_cvttpd_epi32(
                _mm256_add_pd(_mm256_mul_pd(ChannelsAvx2(d, red), b), _mm256_mul_pd(ChannelsAvx2(s, red), a)));
            const __m128i blended = _mm_or_si128(rb, _mm_or_si128(_mm_slli_epi32(rg, 8), _mm_slli_epi32(rr, 16)));
            const __m128i keep = _mm_and_si128(keyed, _mm_cmpeq_epi32(ColorsSse2(s4), keyWords));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_blendv_epi8(blended, d4, keep));
        }
    }
    BlendColorsFrom(i, from, to, count, alpha, key);
}

ZVX_AVX2 void Rows24ToPixelsAvx2(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    // Each half takes four file pixels (12 bytes, read as 16) and spreads them to four words.
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    std::size_t i = PixelsBeforeAligned(to, count, 32);
    Rows24ToPixelsFrom(0, from, to, i);
    for (; i + 8 <= count && 3 * i + 28 <= 3 * count; i += 8) {
        const BYTE* p = from + 3 * i;
        const __m256i bytes =
            _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), 1);
        StoreAvx2(to + i, _mm256_shuffle_epi8(bytes, spread), streaming);
    }
    if (streaming) _mm_sfence();
    Rows24ToPixelsFrom(i, from, to, count);
}

ZVX_AVX2 void CopyPixelsAvx2(const Pixel* from, Pixel* to, std::size_t count)
{
    const bool streaming = Streams(count);
    std::size_t i = PixelsBeforeAligned(to, count, 32);
    std::memcpy(to, from, i * sizeof(Pixel));
    for (; i + 8 <= count; i += 8)
        StoreAvx2(to + i, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i)), streaming);
    if (streaming) _mm_sfence();
    std::memcpy(to + i, from + i, (count - i) * sizeof(Pixel));
}

// ---- AVX-512: whole cache lines per store, and the blend eight channels at a time ----
// (Some operations are written in their zero-masked form with every lane selected: the same
// instructions, without the unmasked forms' undefined inputs that GCC 12 warns about.)

ZVX_AVX512 inline void StoreAvx512(Pixel* to, __m512i words, bool streaming)
{
    if (streaming) {
        _mm512_stream_si512(reinterpret_cast<__m512i*>(to), words);
    } else {
        _mm512_store_si512(to, words);
    }
}

ZVX_AVX512 void CopyColorsAvx512(const Pixel* from, Pixel* to, std::size_t count)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const bool streaming = Streams(count);
        const __m512i colors = _mm512_set1_epi32(0x00FFFFFF);
        i = PixelsBeforeAligned(to, count, 64);
        CopyColorsFrom(0, from, to, i);
        for (; i + 16 <= count; i += 16)
            StoreAvx512(to + i, _mm512_and_si512(_mm512_loadu_si512(from + i), colors), streaming);
        if (streaming) _mm_sfence();
    }
    CopyColorsFrom(i, from, to, count);
}

ZVX_AVX512 void CopyUnlessKeyAvx512(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const __m512i colors = _mm512_set1_epi32(0x00FFFFFF);
        const __m512i keyWords = _mm512_set1_epi32(static_cast<int>(key));
        i = PixelsBeforeAligned(to, count, 64);
        CopyUnlessKeyFrom(0, from, to, i, key);
        for (; i + 16 <= count; i += 16) {
            const __m512i s = _mm512_loadu_si512(from + i);
            // Only the words whose colour is not the key are stored; the target is never read.
            const __mmask16 write = _mm512_cmpneq_epi32_mask(_mm512_and_si512(s, colors), keyWords);
            _mm512_mask_store_epi32(to + i, write, s);
        }
    }
    CopyUnlessKeyFrom(i, from, to, count, key);
}

ZVX_AVX512 void Rows24ToPixelsAvx512(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    // Sixteen file pixels (48 bytes, read as 64): each 128-bit lane takes its 12 bytes, then
    // spreads them to four words.
    const __m512i lanes = _mm512_setr_epi32(0, 1, 2, 3, 3, 4, 5, 6, 6, 7, 8, 9, 9, 10, 11, 12);
    const __m512i spread =
        _mm512_maskz_broadcast_i32x4(0xFFFF, _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
    std::size_t i = PixelsBeforeAligned(to, count, 64);
    Rows24ToPixelsFrom(0, from, to, i);
    for (; i + 16 <= count && 3 * i + 64 <= 3 * count; i += 16) {
        const __m512i bytes = _mm512_loadu_si512(from + 3 * i);
        StoreAvx512(to + i, _mm512_shuffle_epi8(_mm512_maskz_permutexvar_epi32(0xFFFF, lanes, bytes), spread),
                    streaming);
    }
    if (streaming) _mm_sfence();
    Rows24ToPixelsFrom(i, from, to, count);
}

ZVX_AVX512 void CopyPixelsAvx512(const Pixel* from, Pixel* to, std::size_t count)
{
    const bool streaming = Streams(count);
    std::size_t i = PixelsBeforeAligned(to, count, 64);
    std::memcpy(to, from, i * sizeof(Pixel));
    for (; i + 16 <= count; i += 16) StoreAvx512(to + i, _mm512_loadu_si512(from + i), streaming);
    if (streaming) _mm_sfence();
    std::memcpy(to + i, from + i, (count - i) * sizeof(Pixel));
}

ZVX_AVX512 inline __m256i BlendPlaneAvx512(__m256i s, __m256i d, int shift, __m512d alpha, __m512d beta)
{
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m128i count = _mm_cvtsi32_si128(shift);
    const __m512d sc = _mm512_maskz_cvtepi32_pd(0xFF, _mm256_and_si256(_mm256_srl_epi32(s, count), byte));
    const __m512d dc = _mm512_maskz_cvtepi32_pd(0xFF, _mm256_and_si256(_mm256_srl_epi32(d, count), byte));
    return _mm512_maskz_cvttpd_epi32(0xFF, _mm512_add_pd(_mm512_mul_pd(dc, beta), _mm512_mul_pd(sc, alpha)));
}

ZVX_AVX512 void BlendColorsAvx512(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    std::size_t i = 0;
    if (!OverlapsAhead(from, to, count * sizeof(Pixel))) {
        const __m512d a = _mm512_set1_pd(alpha);
        const __m512d b = _mm512_set1_pd(1.0 - alpha);
        const __m256i keyWords = _mm256_set1_epi32(static_cast<int>(key));
        const __mmask8 keyed = key != COLORKEY_NONE ? 0xFF : 0;
        for (; i + 8 <= count; i += 8) {
            const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
            const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(to + i));
            const __m256i blended =
                _mm256_or_si256(BlendPlaneAvx512(s, d, 0, a, b),
                                _mm256_or_si256(_mm256_slli_epi32(BlendPlaneAvx512(s, d, 8, a, b), 8),
                                                _mm256_slli_epi32(BlendPlaneAvx512(s, d, 16, a, b), 16)));
            const __mmask8 keep = _mm256_mask_cmpeq_epi32_mask(keyed, ColorsAvx2(s), keyWords);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), _mm256_mask_blend_epi32(keep, blended, d));
        }
    }
    BlendColorsFrom(i, from, to, count, alpha, key);
}

RowSimd Detect()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
        __builtin_cpu_supports("avx512dq")) {
        return RowSimd::Avx512;
    }
    if (__builtin_cpu_supports("avx2")) return RowSimd::Avx2;
    return RowSimd::Sse2;
}

#else

RowSimd Detect() { return RowSimd::Scalar; }

#endif

// -1 while the best variant is used; a test's choice otherwise.
std::atomic<int> g_chosen{-1};

}  // namespace

RowSimd BestRowSimd()
{
    static const RowSimd best = Detect();
    return best;
}

RowSimd CurrentRowSimd()
{
    const int chosen = g_chosen.load(std::memory_order_relaxed);
    return chosen < 0 ? BestRowSimd() : static_cast<RowSimd>(chosen);
}

RowSimd UseRowSimd(RowSimd simd)
{
    if (static_cast<int>(simd) > static_cast<int>(BestRowSimd())) simd = BestRowSimd();
    g_chosen.store(static_cast<int>(simd), std::memory_order_relaxed);
    return simd;
}

bool IsLargerThanCache(std::size_t bytes) { return bytes > kStreamingBytes; }

void CopyPixels(const Pixel* from, Pixel* to, std::size_t count)
{
    const std::size_t bytes = count * sizeof(Pixel);
    if (OverlapsAhead(from, to, bytes) || OverlapsAhead(to, from, bytes)) {
        std::memmove(to, from, bytes);
        return;
    }
    switch (CurrentRowSimd()) {
#if defined(ZVX_X86_SIMD)
    case RowSimd::Avx512: CopyPixelsAvx512(from, to, count); return;
    case RowSimd::Avx2: CopyPixelsAvx2(from, to, count); return;
    case RowSimd::Sse2: CopyPixelsSse2(from, to, count); return;
#endif
    default: std::memcpy(to, from, bytes); return;
    }
}

void CopyColors(const Pixel* from, Pixel* to, std::size_t count)
{
    switch (CurrentRowSimd()) {
#if defined(ZVX_X86_SIMD)
    case RowSimd::Avx512: CopyColorsAvx512(from, to, count); return;
    case RowSimd::Avx2: CopyColorsAvx2(from, to, count); return;
    case RowSimd::Sse2: CopyColorsSse2(from, to, count); return;
#endif
    default: CopyColorsFrom(0, from, to, count); return;
    }
}

void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    switch (CurrentRowSimd()) {
#if defined(ZVX_X86_SIMD)
    case RowSimd::Avx512: CopyUnlessKeyAvx512(from, to, count, key); return;
    case RowSimd::Avx2: CopyUnlessKeyAvx2(from, to, count, key); return;
    case RowSimd::Sse2: CopyUnlessKeySse2(from, to, count, key); return;
#endif
    default: CopyUnlessKeyFrom(0, from, to, count, key); return;
    }
}

void BlendColors(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    switch (CurrentRowSimd()) {
#if defined(ZVX_X86_SIMD)
    case RowSimd::Avx512: BlendColorsAvx512(from, to, count, alpha, key); return;
    case RowSimd::Avx2: BlendColorsAvx2(from, to, count, alpha, key); return;
    case RowSimd::Sse2: BlendColorsSse2(from, to, count, alpha, key); return;
#endif
    default: BlendColorsFrom(0, from, to, count, alpha, key); return;
    }
}

void Rows24ToPixels(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    switch (CurrentRowSimd()) {
#if defined(ZVX_X86_SIMD)
    case RowSimd::Avx512: Rows24ToPixelsAvx512(from, to, count, streaming); return;
    case RowSimd::Avx2: Rows24ToPixelsAvx2(from, to, count, streaming); return;
    case RowSimd::Sse2: Rows24ToPixelsSse2(from, to, count, streaming); return;
#endif
    default: Rows24ToPixelsFrom(0, from, to, count); return;
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

}  // namespace zvx

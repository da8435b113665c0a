// The row kernels in AVX-512 (F, BW, VL, DQ and VBMI), for processors that have it: sixteen pixels
// a time, the first and last pixels of a run by masked loads and stores, which touch no byte
// outside the run, so no kernel here hands its ends to another. Compiled function by function
// for AVX-512 (see RowKernels.h). Every kernel ends with vzeroupper, written out: code that runs
// after it, the caller's own SSE code among it, slows down while the upper halves of the vector
// registers are dirty, and not every compiler puts it before a return.
#include "core/RowKernels.h"

#if defined(ZVX_X86_ROW_KERNELS)
// g++ 12's AVX-512 intrinsics leave their unused operand uninitialised on purpose, which its own
// warning then reports (fixed in g++ 13).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
#define ZVX_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx512dq,avx512vbmi")))

namespace zvx::kernels::avx512 {
namespace {

// The first n of sixteen pixels (n < 16), and of 64 bytes (n < 64).
ZVX_AVX512 inline __mmask16 FirstPixels(std::size_t n) { return static_cast<__mmask16>((1u << n) - 1); }
ZVX_AVX512 inline __mmask64 FirstBytes(std::size_t n) { return n >= 64 ? ~__mmask64{0} : (__mmask64{1} << n) - 1; }

ZVX_AVX512 inline __m512i Colors(__m512i words) { return _mm512_and_si512(words, _mm512_set1_epi32(0x00FFFFFF)); }

// Pixels before `to` is 64-byte aligned, for the aligned (and streaming) stores that follow.
inline std::size_t Head(const Pixel* to, std::size_t count) { return PixelsBeforeAligned(to, count, 64); }

ZVX_AVX512 inline void Store(Pixel* to, __m512i words, bool streaming)
{
    if (streaming) {
        _mm512_stream_si512(reinterpret_cast<__m512i*>(to), words);
    } else {
        _mm512_store_si512(to, words);
    }
}

// Streaming stores are weakly ordered: done before the caller goes on. Then the upper halves.
ZVX_AVX512 inline void Finish(bool streaming)
{
    if (streaming) _mm_sfence();
    _mm256_zeroupper();
}

// The bytes: the first and last 64 unaligned (over what the aligned rounds copy too), between
// them aligned or streaming stores; a run below 64 bytes is one masked copy.
ZVX_AVX512 void CopyBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes, bool streaming)
{
    if (bytes < 64) {
        _mm512_mask_storeu_epi8(to, FirstBytes(bytes), _mm512_maskz_loadu_epi8(FirstBytes(bytes), from));
        _mm256_zeroupper();
        return;
    }
    const __m512i last = _mm512_loadu_si512(from + bytes - 64);
    std::size_t i = (0 - reinterpret_cast<std::uintptr_t>(to)) & 63;
    if (i != 0) _mm512_storeu_si512(to, _mm512_loadu_si512(from));
    for (; i + 128 <= bytes; i += 128) {
        const __m512i a = _mm512_loadu_si512(from + i);
        const __m512i b = _mm512_loadu_si512(from + i + 64);
        Store(reinterpret_cast<Pixel*>(to + i), a, streaming);
        Store(reinterpret_cast<Pixel*>(to + i + 64), b, streaming);
    }
    if (i + 64 <= bytes) {
        Store(reinterpret_cast<Pixel*>(to + i), _mm512_loadu_si512(from + i), streaming);
        i += 64;
    }
    if (i != bytes) _mm512_storeu_si512(to + bytes - 64, last);
    Finish(streaming);
}

ZVX_AVX512 void CopyColors(const Pixel* from, Pixel* to, std::size_t count, bool streaming)
{
    std::size_t i = Head(to, count);
    _mm512_mask_storeu_epi32(to, FirstPixels(i), Colors(_mm512_maskz_loadu_epi32(FirstPixels(i), from)));
    for (; i + 16 <= count; i += 16) Store(to + i, Colors(_mm512_loadu_si512(from + i)), streaming);
    const __mmask16 rest = FirstPixels(count - i);
    _mm512_mask_storeu_epi32(to + i, rest, Colors(_mm512_maskz_loadu_epi32(rest, from + i)));
    Finish(streaming);
}

// Where the source's colour equals key the target is not written at all (nor read).
ZVX_AVX512 inline void CopyShown(const Pixel* from, Pixel* to, __mmask16 lanes, __m512i keyWords)
{
    const __m512i s = _mm512_maskz_loadu_epi32(lanes, from);
    _mm512_mask_storeu_epi32(to, _mm512_mask_cmpneq_epi32_mask(lanes, Colors(s), keyWords), s);
}

ZVX_AVX512 void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    const __m512i keyWords = _mm512_set1_epi32(static_cast<int>(key));
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) CopyShown(from + i, to + i, 0xFFFF, keyWords);
    CopyShown(from + i, to + i, FirstPixels(count - i), keyWords);
    _mm256_zeroupper();
}

// The blend by the formula, with its roundings exactly (the proof over all 65,536 channel pairs
// in the tests holds every variant to them):
// - In: one byte permutation takes channel c of eight pixels into the low byte of eight 64-bit
//   lanes and the high bytes of 2^52 (0x4330...) from a constant beside: the doubles 2^52 + c.
//   fma(2^52 + c, w, -2^52 x w) is c x w computed exactly and rounded once, the product the
//   formula rounds, with nothing of the sum fused into it.
// - The sum of the two products is one rounded addition.
// - Out: the sum, below 255 + 2^-45 (see the SSE2 kernel), added to 2^52, 2^44 or 2^36 rounding
//   toward zero puts its integer part, the truncation, at bits 0, 8 or 16 of the lane; a select
//   by masks joins the three channels, a permutation of 32-bit words the sixteen pixels.
struct Weights {
    __m512d w;
    __m512d offset;  // -2^52 x w
};

ZVX_AVX512 inline Weights WeightsOf(double weight)
{
    return {_mm512_set1_pd(weight), _mm512_set1_pd(-weight * 4503599627370496.0)};
}

// The permutations: for channel c and pixels 8h to 8h + 7, lane k takes byte 4 (8h + k) + c of
// the pixels, then five zero bytes and 0x30, 0x43 from the constant (its bytes 64, 65 and 66).
struct Picks {
    __m512i pick[3][2];
};

ZVX_AVX512 inline Picks PicksOf()
{
    alignas(64) static constexpr auto kPicks = [] {
        struct Bytes {
            std::uint8_t b[3][2][64];
        } bytes{};
        for (std::size_t c = 0; c < 3; ++c) {
            for (std::size_t h = 0; h < 2; ++h) {
                for (std::size_t k = 0; k < 8; ++k) {
                    std::uint8_t* lane = bytes.b[c][h] + 8 * k;
                    lane[0] = static_cast<std::uint8_t>(4 * (8 * h + k) + c);
                    for (std::size_t j = 1; j < 6; ++j) lane[j] = 64;
                    lane[6] = 65;
                    lane[7] = 66;
                }
            }
        }
        return bytes;
    }();
    Picks picks{};
    for (int c = 0; c < 3; ++c) {
        for (int h = 0; h < 2; ++h) picks.pick[c][h] = _mm512_load_si512(kPicks.b[c][h]);
    }
    return picks;
}

ZVX_AVX512 inline __m512d Product(__m512i pixels, __m512i pick, const Weights& weight)
{
    const __m512i exponent = _mm512_set1_epi32(0x00433000);  // bytes 0x00, 0x30, 0x43
    const __m512d value = _mm512_castsi512_pd(_mm512_permutex2var_epi8(pixels, pick, exponent));
    return _mm512_fmadd_pd(value, weight.w, weight.offset);
}

// The truncated sum of the two products at bit `at` (0, 8 or 16) of each lane.
ZVX_AVX512 inline __m512i Truncated(__m512d d, __m512d s, int at)
{
    const double bias = static_cast<double>(std::uint64_t{1} << (52 - at));
    return _mm512_castpd_si512(
        _mm512_add_round_pd(_mm512_add_pd(d, s), _mm512_set1_pd(bias), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC));
}

// Channel c of pixels 8h to 8h + 7 blended, truncated at bit 8c of each lane.
ZVX_AVX512 inline __m512i Channel(__m512i s, __m512i d, int c, int h, const Picks& picks, const Weights& alpha,
                                  const Weights& beta)
{
    return Truncated(Product(d, picks.pick[c][h], beta), Product(s, picks.pick[c][h], alpha), 8 * c);
}

// Pixels 8h to 8h + 7 blended, a word in the low half of each lane (bits 24-31 stay 0).
ZVX_AVX512 inline __m512i Eight(__m512i s, __m512i d, int h, const Picks& picks, const Weights& alpha,
                                const Weights& beta)
{
    const __m512i greenBits = _mm512_set1_epi64(0xFF00);
    const __m512i redBits = _mm512_set1_epi64(0xFF0000);
    const __m512i blue = Channel(s, d, 0, h, picks, alpha, beta);
    const __m512i green = Channel(s, d, 1, h, picks, alpha, beta);
    const __m512i red = Channel(s, d, 2, h, picks, alpha, beta);
    return _mm512_ternarylogic_epi64(redBits, red, _mm512_ternarylogic_epi64(greenBits, green, blue, 0xCA), 0xCA);
}

ZVX_AVX512 inline __m512i BlendSixteen(__m512i s, __m512i d, const Picks& picks, const Weights& alpha,
                                       const Weights& beta)
{
    const __m512i words = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    return _mm512_permutex2var_epi32(Eight(s, d, 0, picks, alpha, beta), words, Eight(s, d, 1, picks, alpha, beta));
}

// Where the source's colour equals the key, the target keeps its word (COLORKEY_NONE has a top
// byte, so no colour equals it): those lanes are not stored.
ZVX_AVX512 inline void BlendStore(__m512i s, __m512i d, Pixel* to, __mmask16 lanes, __m512i keyWords,
                                  const Picks& picks, const Weights& alpha, const Weights& beta)
{
    const __mmask16 shown = _mm512_mask_cmpneq_epi32_mask(lanes, Colors(s), keyWords);
    _mm512_mask_storeu_epi32(to, shown, BlendSixteen(s, d, picks, alpha, beta));
}

ZVX_AVX512 void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    const Weights a = WeightsOf(alpha);
    const Weights b = WeightsOf(1.0 - alpha);
    const Picks picks = PicksOf();
    const __m512i keyWords = _mm512_set1_epi32(static_cast<int>(key));
    std::size_t i = 0;
    if (key == COLORKEY_NONE) {
        for (; i + 16 <= count; i += 16) {
            const __m512i s = _mm512_loadu_si512(from + i);
            _mm512_storeu_si512(to + i, BlendSixteen(s, _mm512_loadu_si512(to + i), picks, a, b));
        }
    }
    for (; i + 16 <= count; i += 16) {
        BlendStore(_mm512_loadu_si512(from + i), _mm512_loadu_si512(to + i), to + i, 0xFFFF, keyWords, picks, a, b);
    }
    if (i != count) {
        const __mmask16 rest = FirstPixels(count - i);
        BlendStore(_mm512_maskz_loadu_epi32(rest, from + i), _mm512_maskz_loadu_epi32(rest, to + i), to + i, rest,
                   keyWords, picks, a, b);
    }
    _mm256_zeroupper();
}

// Sixteen file pixels (48 bytes, `lanes` of them read) as sixteen words: byte 3k + c goes to
// byte 4k + c, every fourth byte is 0.
ZVX_AVX512 inline __m512i SixteenBgr24(const BYTE* p, std::size_t pixels)
{
    alignas(64) static constexpr std::uint8_t kSpread[64] = {
        0,  1,  2,  0,  3,  4,  5,  0,  6,  7,  8,  0,  9,  10, 11, 0,  12, 13, 14, 0,  15, 16,
        17, 0,  18, 19, 20, 0,  21, 22, 23, 0,  24, 25, 26, 0,  27, 28, 29, 0,  30, 31, 32, 0,
        33, 34, 35, 0,  36, 37, 38, 0,  39, 40, 41, 0,  42, 43, 44, 0,  45, 46, 47, 0};
    const __m512i bytes = _mm512_maskz_loadu_epi8(FirstBytes(3 * pixels), p);
    return _mm512_maskz_permutexvar_epi8(0x7777777777777777ULL, _mm512_load_si512(kSpread), bytes);
}

ZVX_AVX512 void Bgr24ToWords(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    std::size_t i = Head(to, count);
    _mm512_mask_storeu_epi32(to, FirstPixels(i), SixteenBgr24(from, i));
    for (; i + 16 <= count; i += 16) Store(to + i, SixteenBgr24(from + 3 * i, 16), streaming);
    _mm512_mask_storeu_epi32(to + i, FirstPixels(count - i), SixteenBgr24(from + 3 * i, count - i));
    Finish(streaming);
}

// Aligned stores of whole cache lines.
ZVX_AVX512 void Fill(Pixel* to, std::size_t count, Pixel value)
{
    const __m512i words = _mm512_set1_epi32(static_cast<int>(value));
    std::size_t i = Head(to, count);
    _mm512_mask_storeu_epi32(to, FirstPixels(i), words);
    for (; i + 64 <= count; i += 64) {
        _mm512_store_si512(to + i, words);
        _mm512_store_si512(to + i + 16, words);
        _mm512_store_si512(to + i + 32, words);
        _mm512_store_si512(to + i + 48, words);
    }
    for (; i + 16 <= count; i += 16) _mm512_store_si512(to + i, words);
    _mm512_mask_storeu_epi32(to + i, FirstPixels(count - i), words);
    _mm256_zeroupper();
}

// The blend through a table and its building are the AVX2 set's, 24-bit writes the plain C++
// set's.
constexpr RowKernelSet Set()
{
    RowKernelSet set{};
    set.copyBytes = CopyBytes;
    set.copyColors = CopyColors;
    set.copyUnlessKey = CopyUnlessKey;
    set.blend = Blend;
    set.bgr24ToWords = Bgr24ToWords;
    set.fill = Fill;
    return set;
}

}  // namespace
}  // namespace zvx::kernels::avx512

namespace zvx {

constexpr RowKernelSet kRowKernelsAvx512 = kernels::avx512::Set();

}  // namespace zvx

#endif

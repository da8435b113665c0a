// The row kernels in SSE2, the baseline of x86-64: four pixels a time, stores aligned so that
// copies too large for the cache can go around it, and fills handed to the processor's string
// store. Each kernel (sse2::Blend is the set's blend, and so on) finishes the pixels its vectors
// leave with the plain C++ kernel of its name (c::Blend).
#include "core/RowKernels.h"

#if defined(ZVX_X86_ROW_KERNELS)
#include <emmintrin.h>

#include <cstring>

namespace zvx::kernels::sse2 {
namespace {

// Four pixels' words with their top byte cleared.
inline __m128i Colors(__m128i words) { return _mm_and_si128(words, _mm_set1_epi32(0x00FFFFFF)); }

inline __m128i Load(const void* from) { return _mm_loadu_si128(static_cast<const __m128i*>(from)); }

inline void Store(void* to, __m128i words, bool streaming)
{
    if (streaming) {
        _mm_stream_si128(static_cast<__m128i*>(to), words);
    } else {
        _mm_store_si128(static_cast<__m128i*>(to), words);
    }
}

// Streaming stores are weakly ordered: everything written must be visible before whatever the
// caller does next (another thread may read the pixels once it learns they are done).
inline void FinishStreaming(bool streaming)
{
    if (streaming) _mm_sfence();
}

// The target brought to a 16-byte boundary, then 64 bytes a round in aligned (or streaming)
// stores; the first and last 16 bytes, where the rounds do not reach them, are copied unaligned,
// over what the rounds copy too: no call and no loop for the ends of a row. Faster than the C library's copy for rows
// of a few hundred pixels into a wider image, whose 32-byte stores straddle cache lines wherever the rows are only
// 16-byte aligned.
void CopyBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes, bool streaming)
{
    if (bytes < 16) {
        std::memcpy(to, from, bytes);
        return;
    }
    const __m128i last = Load(from + bytes - 16);
    std::size_t i = (0 - reinterpret_cast<std::uintptr_t>(to)) & 15;
    if (i != 0) _mm_storeu_si128(reinterpret_cast<__m128i*>(to), Load(from));
    for (; i + 64 <= bytes; i += 64) {
        const __m128i a = Load(from + i);
        const __m128i b = Load(from + i + 16);
        const __m128i c = Load(from + i + 32);
        const __m128i d = Load(from + i + 48);
        Store(to + i, a, streaming);
        Store(to + i + 16, b, streaming);
        Store(to + i + 32, c, streaming);
        Store(to + i + 48, d, streaming);
    }
    for (; i + 16 <= bytes; i += 16) Store(to + i, Load(from + i), streaming);
    FinishStreaming(streaming);
    if (i != bytes) _mm_storeu_si128(reinterpret_cast<__m128i*>(to + bytes - 16), last);
}

void CopyColors(const Pixel* from, Pixel* to, std::size_t count, bool streaming)
{
    std::size_t i = PixelsBeforeAligned(to, count, 16);
    c::CopyColors(from, to, i, false);
    for (; i + 4 <= count; i += 4) Store(to + i, Colors(Load(from + i)), streaming);
    FinishStreaming(streaming);
    c::CopyColors(from + i, to + i, count - i, false);
}

void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    const __m128i keyWords = _mm_set1_epi32(static_cast<int>(key));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = Load(from + i);
        const __m128i d = Load(to + i);
        const __m128i keep = _mm_cmpeq_epi32(Colors(s), keyWords);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i),
                         _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, s)));
    }
    c::CopyUnlessKey(from + i, to + i, count - i, key);
}

// The blend: each channel in double precision, two at a time, with the same roundings as the
// plain formula: the channels are exact in double, each product and the sum are rounded once,
// and the conversion truncates. No cap is needed: alpha and 1 - alpha rounded add up to at most
// 1 + 2^-53, so the sum stays below 255 + 2^-43 and truncates to at most 255.

// One channel (at bit `shift`) of four pixels, blended.
inline __m128i BlendPlane(__m128i s, __m128i d, int shift, __m128d alpha, __m128d beta)
{
    const __m128i byte = _mm_set1_epi32(0xFF);
    const __m128i sc = _mm_and_si128(_mm_srl_epi32(s, _mm_cvtsi32_si128(shift)), byte);
    const __m128i dc = _mm_and_si128(_mm_srl_epi32(d, _mm_cvtsi32_si128(shift)), byte);
    const __m128d low = _mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(dc), beta), _mm_mul_pd(_mm_cvtepi32_pd(sc), alpha));
    const __m128d high = _mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(_mm_srli_si128(dc, 8)), beta),
                                    _mm_mul_pd(_mm_cvtepi32_pd(_mm_srli_si128(sc, 8)), alpha));
    return _mm_unpacklo_epi64(_mm_cvttpd_epi32(low), _mm_cvttpd_epi32(high));
}

void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    const __m128d a = _mm_set1_pd(alpha);
    const __m128d b = _mm_set1_pd(1.0 - alpha);
    const __m128i keyWords = _mm_set1_epi32(static_cast<int>(key));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i s = Load(from + i);
        const __m128i d = Load(to + i);
        const __m128i blended = _mm_or_si128(
            BlendPlane(s, d, 0, a, b),
            _mm_or_si128(_mm_slli_epi32(BlendPlane(s, d, 8, a, b), 8), _mm_slli_epi32(BlendPlane(s, d, 16, a, b), 16)));
        // COLORKEY_NONE has a top byte, so no colour equals it.
        const __m128i keep = _mm_cmpeq_epi32(Colors(s), keyWords);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i),
                         _mm_or_si128(_mm_and_si128(keep, d), _mm_andnot_si128(keep, blended)));
    }
    c::Blend(from + i, to + i, count - i, alpha, key);
}

// Four file pixels at p (reading 16 bytes) as four Pixels: pixel k's three bytes move from 3k
// to 4k.
inline __m128i FourBgr24(const BYTE* p)
{
    const __m128i v = Load(p);
    const __m128i p0 = _mm_and_si128(v, _mm_setr_epi32(0x00FFFFFF, 0, 0, 0));
    const __m128i p1 = _mm_and_si128(_mm_slli_si128(v, 1), _mm_setr_epi32(0, 0x00FFFFFF, 0, 0));
    const __m128i p2 = _mm_and_si128(_mm_slli_si128(v, 2), _mm_setr_epi32(0, 0, 0x00FFFFFF, 0));
    const __m128i p3 = _mm_and_si128(_mm_slli_si128(v, 3), _mm_setr_epi32(0, 0, 0, 0x00FFFFFF));
    return _mm_or_si128(_mm_or_si128(p0, p1), _mm_or_si128(p2, p3));
}

void Bgr24ToWords(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    // A block reads 16 bytes for its 12, so the last pixels of the run are left to the plain loop.
    std::size_t i = PixelsBeforeAligned(to, count, 16);
    c::Bgr24ToWords(from, to, i, false);
    for (; i + 6 <= count; i += 4) Store(to + i, FourBgr24(from + 3 * i), streaming);
    FinishStreaming(streaming);
    c::Bgr24ToWords(from + 3 * i, to + i, count - i, false);
}

// From this many pixels on, the string store writes whole lines without reading them first,
// which no loop of vector stores does; below it, its start-up costs more than it saves.
constexpr std::size_t kStringFillPixels = 1024;

void Fill(Pixel* to, std::size_t count, Pixel value)
{
    if (count >= kStringFillPixels) {
        __asm__ volatile("rep stosl" : "+D"(to), "+c"(count) : "a"(value) : "memory");
        return;
    }
    const __m128i words = _mm_set1_epi32(static_cast<int>(value));
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), words);
    for (; i < count; ++i) to[i] = value;
}

// The rest (the blend through a table and its building, 24-bit writes) is the plain C++ set's.
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
}  // namespace zvx::kernels::sse2

namespace zvx {

constexpr RowKernelSet kRowKernelsSse2 = kernels::sse2::Set();

}  // namespace zvx

#endif

#include "platform/posix/gdi/CopyRows.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ZVX_STREAMING_STORES 1
#endif

namespace zvx::gdi {
namespace {

#ifdef ZVX_STREAMING_STORES

// The target is brought to a 16-byte (SSE2) or 32-byte (AVX2) boundary with an ordinary copy,
// then written in aligned streaming stores, 64 or 128 bytes a round; the tail is copied plainly.
void StreamSse2(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes)
{
    std::size_t head = (0 - reinterpret_cast<std::uintptr_t>(to)) & 15;
    if (head > bytes) head = bytes;
    std::memcpy(to, from, head);
    to += head;
    from += head;
    bytes -= head;
    for (; bytes >= 64; bytes -= 64, to += 64, from += 64) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 32));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 48));
        _mm_stream_si128(reinterpret_cast<__m128i*>(to), a);
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + 16), b);
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + 32), c);
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + 48), d);
    }
    std::memcpy(to, from, bytes);
}

__attribute__((target("avx2"))) void StreamAvx2(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes)
{
    std::size_t head = (0 - reinterpret_cast<std::uintptr_t>(to)) & 31;
    if (head > bytes) head = bytes;
    std::memcpy(to, from, head);
    to += head;
    from += head;
    bytes -= head;
    for (; bytes >= 128; bytes -= 128, to += 128, from += 128) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 32));
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 64));
        const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 96));
        _mm256_stream_si256(reinterpret_cast<__m256i*>(to), a);
        _mm256_stream_si256(reinterpret_cast<__m256i*>(to + 32), b);
        _mm256_stream_si256(reinterpret_cast<__m256i*>(to + 64), c);
        _mm256_stream_si256(reinterpret_cast<__m256i*>(to + 96), d);
    }
    std::memcpy(to, from, bytes);
}

bool HasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

#endif

}  // namespace

bool CanStream(StreamKind kind)
{
#ifdef ZVX_STREAMING_STORES
    return kind == StreamKind::Sse2 || HasAvx2();
#else
    (void)kind;
    return false;
#endif
}

void StreamBytes(StreamKind kind, std::uint8_t* to, const std::uint8_t* from, std::size_t bytes)
{
#ifdef ZVX_STREAMING_STORES
    if (kind == StreamKind::Avx2 && HasAvx2()) {
        StreamAvx2(to, from, bytes);
    } else {
        StreamSse2(to, from, bytes);
    }
#else
    (void)kind;
    std::memcpy(to, from, bytes);
#endif
}

void FinishStreaming()
{
#ifdef ZVX_STREAMING_STORES
    // Streaming stores are weakly ordered: everything written must be visible before whatever
    // the caller does next (another thread may read the pixels once it learns they are done).
    _mm_sfence();
#endif
}

void CopyRows(std::uint8_t* to, std::ptrdiff_t toStep, const std::uint8_t* from, std::ptrdiff_t fromStep,
              std::size_t bytes, std::size_t rows)
{
    if (rows == 0 || bytes == 0) return;
    if (rows > 1 && toStep == fromStep && toStep == static_cast<std::ptrdiff_t>(bytes)) {
        bytes *= rows;
        rows = 1;
    }
    if (bytes * rows < kStreamingBytes || !CanStream(StreamKind::Sse2)) {
        for (std::size_t i = 0; i < rows; ++i, to += toStep, from += fromStep) std::memcpy(to, from, bytes);
        return;
    }
    const StreamKind kind = CanStream(StreamKind::Avx2) ? StreamKind::Avx2 : StreamKind::Sse2;
    for (std::size_t i = 0; i < rows; ++i, to += toStep, from += fromStep) StreamBytes(kind, to, from, bytes);
    FinishStreaming();
}

}  // namespace zvx::gdi

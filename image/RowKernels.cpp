// The table of row kernels and the one place that chooses from it: the processor is probed once,
// each variant's table is filled from its own set and the narrower ones, and every call goes
// through the chosen table. Runs whose target lies ahead of their source in the same memory go
// to the plain C++ kernels, the only ones that copy back to front.
#include "image/RowKernels.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "image/RowKernelSet.h"

namespace zvx {
namespace {

// Writes larger than this go around the cache with streaming stores: they would only push
// everything else out of it, and ordinary stores read every target line before writing it.
// Measured with 1920 x 1080 images (8 MB): one copy streamed takes a fifth less time. The GDI's
// transfers into a DC never stream (platform/posix/gdi/CopyRows.cpp): what they write is read
// right after, as a frame's back buffer is blended and then copied to the window.
constexpr std::size_t kStreamingBytes = std::size_t{6} << 20;

constexpr std::size_t kVariants = sizeof kRowSimdVariants / sizeof kRowSimdVariants[0];

// Every entry of `into` that is null taken from `from`.
void FillGaps(RowKernelSet& into, const RowKernelSet& from)
{
    if (into.copyBytes == nullptr) into.copyBytes = from.copyBytes;
    if (into.copyColors == nullptr) into.copyColors = from.copyColors;
    if (into.copyUnlessKey == nullptr) into.copyUnlessKey = from.copyUnlessKey;
    if (into.blend == nullptr) into.blend = from.blend;
    if (into.blendByTable == nullptr) into.blendByTable = from.blendByTable;
    if (into.buildBlendTable == nullptr) into.buildBlendTable = from.buildBlendTable;
    if (into.rows24ToPixels == nullptr) into.rows24ToPixels = from.rows24ToPixels;
    if (into.pixelsToRows24 == nullptr) into.pixelsToRows24 = from.pixelsToRows24;
    if (into.fill == nullptr) into.fill = from.fill;
}

// A variant's own kernels; an empty set for the x86 variants where the build has none.
const RowKernelSet& OwnSet(RowSimd simd)
{
    switch (simd) {
#if defined(ZVX_X86_ROW_KERNELS)
    case RowSimd::Avx2: return kRowKernelsAvx2;
    case RowSimd::Sse2: return kRowKernelsSse2;
#else
    case RowSimd::Avx2:
    case RowSimd::Sse2: {
        static constexpr RowKernelSet kNone{};
        return kNone;
    }
#endif
    case RowSimd::C: break;
    }
    return kRowKernelsC;
}

// Whether this build has the variant's kernels and the processor runs them.
bool Runs(RowSimd simd)
{
    if (simd == RowSimd::C) return true;
#if defined(ZVX_X86_ROW_KERNELS)
    __builtin_cpu_init();
    return simd == RowSimd::Avx2 ? __builtin_cpu_supports("avx2") != 0 : __builtin_cpu_supports("sse2") != 0;
#else
    return false;
#endif
}

bool NameIs(const char* text, const char* name)
{
    for (; *text != '\0' && *name != '\0'; ++text, ++name) {
        const char lower = *text >= 'A' && *text <= 'Z' ? static_cast<char>(*text - 'A' + 'a') : *text;
        if (lower != *name) return false;
    }
    return *text == *name;
}

struct Table {
    RowSimd processor = RowSimd::C;
    RowSimd best = RowSimd::C;
    RowKernelSet variants[kVariants] = {};

    Table()
    {
        for (const RowSimd simd : kRowSimdVariants) {
            if (Runs(simd)) processor = simd;
        }
        // A run may be held to a narrower variant than the processor's (ZVX_SIMD=sse2, say), so
        // that what a narrower processor runs can be reproduced on this one.
        best = processor;
        if (const char* asked = std::getenv("ZVX_SIMD")) {
            for (const RowSimd simd : kRowSimdVariants) {
                if (NameIs(asked, RowSimdName(simd)) && simd < processor) best = simd;
            }
        }
        for (std::size_t v = 0; v < kVariants; ++v) {
            variants[v] = OwnSet(kRowSimdVariants[v]);
            for (std::size_t narrower = v; narrower-- > 0;) FillGaps(variants[v], OwnSet(kRowSimdVariants[narrower]));
        }
    }
};

const Table& TheTable()
{
    static const Table table;
    return table;
}

// -1 while the best variant is used; a test's choice otherwise.
std::atomic<int> g_chosen{-1};

const RowKernelSet& Kernels()
{
    const Table& table = TheTable();
    const int chosen = g_chosen.load(std::memory_order_relaxed);
    return table.variants[chosen < 0 ? static_cast<int>(table.best) : chosen];
}

}  // namespace

const char* RowSimdName(RowSimd simd)
{
    switch (simd) {
    case RowSimd::Avx2: return "avx2";
    case RowSimd::Sse2: return "sse2";
    case RowSimd::C: break;
    }
    return "c";
}

RowSimd ProcessorRowSimd() { return TheTable().processor; }
RowSimd BestRowSimd() { return TheTable().best; }

RowSimd CurrentRowSimd()
{
    const int chosen = g_chosen.load(std::memory_order_relaxed);
    return chosen < 0 ? BestRowSimd() : static_cast<RowSimd>(chosen);
}

RowSimd UseRowSimd(RowSimd simd)
{
    if (simd > BestRowSimd()) simd = BestRowSimd();
    g_chosen.store(static_cast<int>(simd), std::memory_order_relaxed);
    return simd;
}

bool IsLargerThanCache(std::size_t bytes) { return bytes > kStreamingBytes; }

void CopyPixels(const Pixel* from, Pixel* to, std::size_t count)
{
    const std::size_t bytes = count * sizeof(Pixel);
    if (from == to) return;
    if (OverlapsAhead(from, to, bytes) || OverlapsAhead(to, from, bytes)) {
        std::memmove(to, from, bytes);
        return;
    }
    Kernels().copyBytes(reinterpret_cast<const std::uint8_t*>(from), reinterpret_cast<std::uint8_t*>(to), bytes,
                        IsLargerThanCache(bytes));
}

void CopyBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes, bool streaming)
{
    Kernels().copyBytes(from, to, bytes, streaming);
}

void CopyByteRows(const std::uint8_t* from, std::ptrdiff_t fromStep, std::uint8_t* to, std::ptrdiff_t toStep,
                  std::size_t bytes, std::size_t rows, bool streaming)
{
    const auto copy = Kernels().copyBytes;
    for (std::size_t i = 0; i < rows; ++i, from += fromStep, to += toStep) copy(from, to, bytes, streaming);
}

void CopyColors(const Pixel* from, Pixel* to, std::size_t count)
{
    const std::size_t bytes = count * sizeof(Pixel);
    if (OverlapsAhead(from, to, bytes)) {
        rows::CopyColors(from, to, count, false);
    } else {
        Kernels().copyColors(from, to, count, IsLargerThanCache(bytes));
    }
}

void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    if (OverlapsAhead(from, to, count * sizeof(Pixel))) {
        rows::CopyUnlessKey(from, to, count, key);
    } else {
        Kernels().copyUnlessKey(from, to, count, key);
    }
}

void BlendColors(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    if (OverlapsAhead(from, to, count * sizeof(Pixel))) {
        rows::Blend(from, to, count, alpha, key);
    } else {
        Kernels().blend(from, to, count, alpha, key);
    }
}

void BlendColors(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key)
{
    if (OverlapsAhead(from, to, count * sizeof(Pixel))) {
        rows::BlendByTable(from, to, count, table, key);
    } else {
        Kernels().blendByTable(from, to, count, table, key);
    }
}

void BuildBlendTable(double alpha, BlendTable& table) { Kernels().buildBlendTable(alpha, table); }

void Rows24ToPixels(const BYTE* from, Pixel* to, std::size_t count, bool streaming)
{
    Kernels().rows24ToPixels(from, to, count, streaming);
}

void PixelsToRows24(const Pixel* from, BYTE* to, std::size_t count) { Kernels().pixelsToRows24(from, to, count); }

void FillPixels(Pixel* to, std::size_t count, Pixel value) { Kernels().fill(to, count, value); }

}  // namespace zvx

// The table of row kernels: the processor is probed once, each variant's table is filled from its
// own set and the narrower ones, and every transfer asks for the measured choice of kernels
// (core/KernelChoice.h) or the set a test chose.
#include "core/RowKernels.h"

#include <atomic>
#include <cstdlib>

#include "core/KernelChoice.h"

namespace zvx {
namespace {

constexpr std::size_t kVariants = sizeof kRowSimdVariants / sizeof kRowSimdVariants[0];

// Every kernel of `into` that is null taken from `from`.
void FillGaps(RowKernelSet& into, const RowKernelSet& from)
{
    EachKernel([&](auto member) {
        if (into.*member == nullptr) into.*member = from.*member;
    });
}

// EachKernel names every member of a set (they are all function pointers).
constexpr std::size_t KernelsListed()
{
    std::size_t listed = 0;
    EachKernel([&](auto) { ++listed; });
    return listed;
}
static_assert(KernelsListed() * sizeof RowKernelSet::fill == sizeof(RowKernelSet), "EachKernel lists every kernel");

// A variant's own kernels; an empty set for the x86 variants where the build has none.
const RowKernelSet& OwnSet(RowSimd simd)
{
    switch (simd) {
#if defined(ZVX_X86_ROW_KERNELS)
    case RowSimd::Avx512: return kRowKernelsAvx512;
    case RowSimd::Avx2: return kRowKernelsAvx2;
    case RowSimd::Sse2: return kRowKernelsSse2;
#else
    case RowSimd::Avx512:
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
    switch (simd) {
    case RowSimd::Avx512:
        return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0 &&
               __builtin_cpu_supports("avx512vl") != 0 && __builtin_cpu_supports("avx512dq") != 0 &&
               __builtin_cpu_supports("avx512vbmi") != 0;
    case RowSimd::Avx2: return __builtin_cpu_supports("avx2") != 0 && __builtin_cpu_supports("fma") != 0;
    case RowSimd::Sse2: return __builtin_cpu_supports("sse2") != 0;
    case RowSimd::C: break;
    }
    return true;
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
        // that what a narrower processor runs, and chooses, can be reproduced on this one.
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

// -1 while the measured choice is used; a test's choice otherwise.
std::atomic<int> g_forced{-1};

}  // namespace

const RowKernelSet& RowKernelsOf(RowSimd simd) { return TheTable().variants[static_cast<int>(simd)]; }

const RowKernelSet& RowKernels()
{
    const int forced = g_forced.load(std::memory_order_relaxed);
    return forced < 0 ? ChosenRowKernels() : TheTable().variants[forced];
}

const char* RowSimdName(RowSimd simd)
{
    switch (simd) {
    case RowSimd::Avx512: return "avx512";
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
    const int forced = g_forced.load(std::memory_order_relaxed);
    return forced < 0 ? BestRowSimd() : static_cast<RowSimd>(forced);
}

bool RowSimdForced() { return g_forced.load(std::memory_order_relaxed) >= 0; }

RowSimd UseRowSimd(RowSimd simd)
{
    if (simd > BestRowSimd()) simd = BestRowSimd();
    g_forced.store(static_cast<int>(simd), std::memory_order_relaxed);
    return simd;
}

void UseChosenRowKernels() { g_forced.store(-1, std::memory_order_relaxed); }

void BuildBlendTable(double alpha, BlendTable& table) { RowKernels().buildBlendTable(alpha, table); }

}  // namespace zvx

// The row kernels: the loops the fast paths and the software GDI's transfers are made of. Each
// works on a run of count pixels and gives, word for word, what the general per-pixel path gives
// for those pixels. Runs reach them through the planner (core/Planner.h), which decides how runs
// that share memory are ordered; a kernel has no overlap test of its own.
//
// One table holds them: a set of function pointers per instruction set, each set in a file of its
// own (RowKernelsC.cpp, RowKernelsSse2.cpp, RowKernelsAvx2.cpp, RowKernelsAvx512.cpp). A kernel
// has one name: its variant's namespace and its member's name, capitalised (kernels::c::Blend,
// kernels::avx2::Blend and so on are the member blend of their sets), and each set is filled by
// naming its members, so a set's file shows which kernels the variant has of its own. The plain
// C++ set is written so that the compiler vectorises it for the baseline of whatever it targets
// (SSE2 on x86-64, NEON on ARM64). Each variant's set is whole: a kernel it leaves null is taken
// from the next narrower one. Which variant's kernel an operation uses is measured once a process,
// at first use (core/KernelChoice.h): the widest the processor runs unless another is clearly
// faster on it. The environment variable ZVX_SIMD (c, sse2, avx2 or avx512) caps the variants a
// run may use, so that a run on a narrower processor can be reproduced anywhere; it changes no
// result.
//
// The vector kernels are compiled for their instruction set function by function (target
// attributes), never with a whole-file -mavx2: an inline function of a shared header compiled
// there could become the one copy the linker keeps and run on a processor without AVX2.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/BlendTable.h"
#include "image/ImageTypes.h"

namespace zvx {

// A set's kernels write the target in address order. The vector sets' may be handed runs whose
// target is their source (in place) but no other overlap; kRowKernelsC also takes runs whose
// target lies before their source in the same memory, kRowKernelsBackwards those whose target
// lies after it.
struct RowKernelSet {
    // Bytes between blocks (whole words, top bytes kept); `streaming` writes around the cache.
    void (*copyBytes)(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes, bool streaming);
    // Colours: each word with its top byte cleared.
    void (*copyColors)(const Pixel* from, Pixel* to, std::size_t count, bool streaming);
    // Whole words, except where the source's colour (top byte cleared) equals key: there the target
    // keeps its word. A key with a top byte set, COLORKEY_NONE among them, matches nothing.
    void (*copyUnlessKey)(const Pixel* from, Pixel* to, std::size_t count, Pixel key);
    // Each channel becomes trunc(d x (1 - alpha) + s x alpha) in double, each product and the sum
    // rounded (no fused multiply-add), capped at 255; the top byte becomes 0. Where the source's
    // colour equals key, the target keeps its word. 0 < alpha < 1.
    void (*blend)(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key);
    // The same at table.alpha, each channel looked up in the table (core/BlendTable.h).
    void (*blendByTable)(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key);
    void (*buildBlendTable)(double alpha, BlendTable& table);
    // 24-bit pixels (blue, green, red) to words with the top byte 0; reads exactly 3 x count bytes.
    void (*bgr24ToWords)(const BYTE* from, Pixel* to, std::size_t count, bool streaming);
    // Words to 24-bit pixels, the top byte dropped; writes exactly 3 x count bytes.
    void (*wordsToBgr24)(const Pixel* from, BYTE* to, std::size_t count);
    // value in every word.
    void (*fill)(Pixel* to, std::size_t count, Pixel value);
};

// Calls visit(&RowKernelSet::member) for every kernel of a set, in the order declared.
template <class Visit>
constexpr void EachKernel(Visit visit)
{
    visit(&RowKernelSet::copyBytes);
    visit(&RowKernelSet::copyColors);
    visit(&RowKernelSet::copyUnlessKey);
    visit(&RowKernelSet::blend);
    visit(&RowKernelSet::blendByTable);
    visit(&RowKernelSet::buildBlendTable);
    visit(&RowKernelSet::bgr24ToWords);
    visit(&RowKernelSet::wordsToBgr24);
    visit(&RowKernelSet::fill);
}

// The sets, each defined in its file with constant initialisation (function addresses only), so
// they are whole before any code runs. A member a variant leaves unset is taken from the next
// narrower variant; the plain C++ set is the reference and has every kernel.
extern const RowKernelSet kRowKernelsC;
// The plain C++ kernels that copy back to front (kernels::backwards), for runs whose target lies
// after their source in the same memory; only the 32-bit to 32-bit ones.
extern const RowKernelSet kRowKernelsBackwards;
// The x86 sets, where the compiler targets x86 with SSE2 (as all of x86-64).
#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__) && defined(__GNUC__)
#define ZVX_X86_ROW_KERNELS 1
extern const RowKernelSet kRowKernelsSse2;
extern const RowKernelSet kRowKernelsAvx2;
extern const RowKernelSet kRowKernelsAvx512;
#endif

// The plain C++ kernels, the members of kRowKernelsC, by name: the vector kernels' first and last
// pixels call them, so every variant's ends are the reference's own.
namespace kernels::c {
void CopyBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes, bool streaming);
void CopyColors(const Pixel* from, Pixel* to, std::size_t count, bool streaming);
void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key);
void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key);
void BlendByTable(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key);
void BuildBlendTable(double alpha, BlendTable& table);
void Bgr24ToWords(const BYTE* from, Pixel* to, std::size_t count, bool streaming);
void WordsToBgr24(const Pixel* from, BYTE* to, std::size_t count);
void Fill(Pixel* to, std::size_t count, Pixel value);
}  // namespace kernels::c

// The kernels this run uses: each operation's as measured (core/KernelChoice.h), or the set of
// the variant a test chose.
const RowKernelSet& RowKernels();

// Writes of more bytes than this may go around the cache with streaming stores (the planner
// decides, once for a whole transfer, as the first such transfers showed faster: see
// core/KernelChoice.h): where the cache cannot hold them they would only push everything else out
// of it, and ordinary stores read every target line before writing it; where a large last-level
// cache holds them, ordinary stores are faster.
constexpr std::size_t kStreamingBytes = std::size_t{6} << 20;

// How many pixels to write one by one before `to` is aligned to `alignment` bytes (a vector
// kernel's aligned and streaming stores start there; the target is at least 4-byte aligned).
inline std::size_t PixelsBeforeAligned(const Pixel* to, std::size_t count, std::size_t alignment)
{
    const std::size_t misalign = reinterpret_cast<std::uintptr_t>(to) % alignment;
    const std::size_t head = misalign == 0 ? 0 : (alignment - misalign) / sizeof(Pixel);
    return head < count ? head : count;
}

// The instruction sets the kernels come in, narrowest first. Every variant gives the same words.
// avx512 takes F, BW, VL, DQ and VBMI (Ice Lake, Zen 4 and later); avx2 takes FMA too.
enum class RowSimd { C, Sse2, Avx2, Avx512 };
constexpr RowSimd kRowSimdVariants[] = {RowSimd::C, RowSimd::Sse2, RowSimd::Avx2, RowSimd::Avx512};
const char* RowSimdName(RowSimd simd);
// The widest variant the processor runs.
RowSimd ProcessorRowSimd();
// The widest variant this run may use: the processor's, or a narrower one that ZVX_SIMD names.
RowSimd BestRowSimd();
// A variant's whole set (its own kernels, the rest from narrower ones), for the measuring.
const RowKernelSet& RowKernelsOf(RowSimd simd);

// For the tests: UseRowSimd has every operation use simd's set from now on (BestRowSimd()'s if
// simd is wider) and returns the variant used; UseChosenRowKernels goes back to the measured
// choice. CurrentRowSimd is the variant in use, or BestRowSimd() under the measured choice.
RowSimd UseRowSimd(RowSimd simd);
void UseChosenRowKernels();
RowSimd CurrentRowSimd();
bool RowSimdForced();

}  // namespace zvx

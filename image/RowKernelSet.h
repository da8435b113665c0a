// The table of row kernels: one set of function pointers per instruction set, each set in a file
// of its own (RowKernelsC.cpp, RowKernelsSse2.cpp, RowKernelsAvx2.cpp). A set leaves null what
// its instruction set does not do better than the next narrower one; RowKernels.cpp fills the
// table once from the widest set the processor runs, down to the plain C++ one, which has every
// kernel. Only the kernel files and RowKernels.cpp see this header.
//
// The vector kernels are compiled for their instruction set function by function (target
// attributes), never with a whole-file -mavx2: an inline function of a shared header compiled
// there could become the one copy the linker keeps and run on a processor without AVX2.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/BlendTable.h"
#include "image/IImage.h"

namespace zvx {

// What each kernel does is said in RowKernels.h. A set's kernels may assume that the target does
// not lie after the source within the same run (RowKernels.cpp hands those runs to the plain C++
// kernels, which copy them back to front), and they write the target in address order.
struct RowKernelSet {
    void (*copyBytes)(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes, bool streaming);
    void (*copyColors)(const Pixel* from, Pixel* to, std::size_t count, bool streaming);
    void (*copyUnlessKey)(const Pixel* from, Pixel* to, std::size_t count, Pixel key);
    void (*blend)(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key);
    void (*blendByTable)(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key);
    void (*buildBlendTable)(double alpha, BlendTable& table);
    void (*rows24ToPixels)(const BYTE* from, Pixel* to, std::size_t count, bool streaming);
    void (*pixelsToRows24)(const Pixel* from, BYTE* to, std::size_t count);
    void (*fill)(Pixel* to, std::size_t count, Pixel value);
};

// The sets, each defined in its file with constant initialisation (function addresses only), so
// they are whole before any code runs.
extern const RowKernelSet kRowKernelsC;
// The x86 sets, where the compiler targets x86 with SSE2 (as all of x86-64).
#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__) && defined(__GNUC__)
#define ZVX_X86_ROW_KERNELS 1
extern const RowKernelSet kRowKernelsSse2;
extern const RowKernelSet kRowKernelsAvx2;
#endif

// The plain C++ kernels by name, for the vector kernels' first and last pixels: whatever a vector
// kernel leaves, these finish, so every variant's ends are the reference's own. They accept
// overlapping runs in either direction.
namespace rows {
void CopyColors(const Pixel* from, Pixel* to, std::size_t count, bool streaming);
void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key);
void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key);
void BlendByTable(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key);
void Rows24ToPixels(const BYTE* from, Pixel* to, std::size_t count, bool streaming);
}  // namespace rows

// Whether a run written to `to` overwrites source bytes it has yet to read when visited front to
// back: the target starts inside the source, after its first byte. Front to back is safe in every
// other case, also in blocks of several pixels: a block is read whole before it is written, and a
// target before the source only overwrites what earlier blocks have read.
inline bool OverlapsAhead(const void* from, const void* to, std::size_t bytes)
{
    const auto f = reinterpret_cast<std::uintptr_t>(from);
    const auto t = reinterpret_cast<std::uintptr_t>(to);
    return t > f && t - f < bytes;
}

// How many pixels to write one by one before `to` is aligned to `alignment` bytes (a vector
// kernel's aligned and streaming stores start there; the target is at least 4-byte aligned).
inline std::size_t PixelsBeforeAligned(const Pixel* to, std::size_t count, std::size_t alignment)
{
    const std::size_t misalign = reinterpret_cast<std::uintptr_t>(to) % alignment;
    const std::size_t head = misalign == 0 ? 0 : (alignment - misalign) / sizeof(Pixel);
    return head < count ? head : count;
}

}  // namespace zvx

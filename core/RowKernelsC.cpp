// The row kernels in plain C++: the reference every other variant must equal, the ends of their
// runs, the whole table where the processor has nothing wider, and the kernels for runs that share
// memory with their source, in either direction. The loops are written so that
// the compiler vectorises them for its baseline (SSE2 on x86-64, NEON on ARM64): straight loops
// over independent pixels, a select instead of a branch around a store, channels converted
// through int. Exactness does not depend on it: -ffp-contract=off keeps every product and sum
// rounded on its own, vectorised or not.
#include <cstring>

#include "core/Color.h"
#include "core/RowKernels.h"

namespace zvx::kernels {
namespace {

using color::kColorMask;

// The channels go through int, which the vector conversions take.
inline Pixel BlendPixel(Pixel s, Pixel d, double alpha, double beta)
{
    const auto channel = [&](int shift) {
        return static_cast<Pixel>(color::BlendChannel(static_cast<int>(s >> shift & 0xFFu),
                                                      static_cast<int>(d >> shift & 0xFFu), alpha, beta));
    };
    return color::Rgb(channel(color::kRedShift), channel(color::kGreenShift), channel(color::kBlueShift));
}

// The three channel results of a table blend.
inline Pixel LookUpPixel(const std::uint8_t* result, Pixel s, Pixel d)
{
    return (static_cast<Pixel>(result[(s >> 8 & 0xFF00u) | (d >> 16 & 0xFFu)]) << 16) |
           (static_cast<Pixel>(result[(s & 0xFF00u) | (d >> 8 & 0xFFu)]) << 8) |
           result[(s << 8 & 0xFF00u) | (d & 0xFFu)];
}

// Calls step(i) for every pixel, front to back or back to front.
template <bool kBackwards, class Step>
void EachPixel(std::size_t count, Step step)
{
    if constexpr (kBackwards) {
        for (std::size_t i = count; i-- > 0;) step(i);
    } else {
        for (std::size_t i = 0; i < count; ++i) step(i);
    }
}

// The 32-bit to 32-bit kernels, written once for both orders: c's walk front to back,
// backwards' back to front. (A key of COLORKEY_NONE, 0xFFFFFFFF, equals no colour: no kernel
// tests for it apart.)
template <bool kBackwards>
struct Directed {
    static void CopyColors(const Pixel* from, Pixel* to, std::size_t count)
    {
        EachPixel<kBackwards>(count, [=](std::size_t i) { to[i] = from[i] & kColorMask; });
    }

    static void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
    {
        EachPixel<kBackwards>(count, [=](std::size_t i) {
            const Pixel p = from[i];
            to[i] = (p & kColorMask) != key ? p : to[i];
        });
    }

    static void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
    {
        const double beta = 1.0 - alpha;
        const auto keyColor = static_cast<Pixel>(key);
        EachPixel<kBackwards>(count, [=](std::size_t i) {
            const Pixel s = from[i];
            const Pixel d = to[i];
            // Blended whatever the key, then chosen by a mask: a branch around the floating-point work, or
            // a select of it, is not vectorised (it might raise exceptions the branch avoids).
            const Pixel blended = BlendPixel(s, d, alpha, beta);
            const Pixel keep = 0u - static_cast<Pixel>((s & kColorMask) == keyColor);
            to[i] = (d & keep) | (blended & ~keep);
        });
    }

    static void BlendByTable(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key)
    {
        const auto keyColor = static_cast<Pixel>(key);
        const std::uint8_t* result = table.result;
        EachPixel<kBackwards>(count, [=](std::size_t i) {
            const Pixel s = from[i];
            const Pixel d = to[i];
            const Pixel blended = LookUpPixel(result, s, d);
            to[i] = (s & kColorMask) == keyColor ? d : blended;
        });
    }
};

}  // namespace

namespace c {

// memmove: runs that share memory, in either direction, and the plain variant's others.
void CopyBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes, bool) { std::memmove(to, from, bytes); }

void CopyColors(const Pixel* from, Pixel* to, std::size_t count, bool) { Directed<false>::CopyColors(from, to, count); }

void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    Directed<false>::CopyUnlessKey(from, to, count, key);
}

void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    Directed<false>::Blend(from, to, count, alpha, key);
}

void BlendByTable(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key)
{
    Directed<false>::BlendByTable(from, to, count, table, key);
}

void BuildBlendTable(double alpha, BlendTable& table)
{
    // The formula of the blend kernels, each product rounded on its own before the sum.
    const double beta = 1.0 - alpha;
    double destPart[256];
    for (int d = 0; d < 256; ++d) destPart[d] = static_cast<double>(d) * beta;
    for (int s = 0; s < 256; ++s) {
        const double sourcePart = static_cast<double>(s) * alpha;
        std::uint8_t* row = table.result + (s << 8);
        for (int d = 0; d < 256; ++d) row[d] = static_cast<std::uint8_t>(color::CapChannel(destPart[d] + sourcePart));
    }
    table.alpha = alpha;
}

void Bgr24ToWords(const BYTE* from, Pixel* to, std::size_t count, bool)
{
    for (std::size_t i = 0; i < count; ++i) to[i] = color::ReadBgr(from + 3 * i);
}

void WordsToBgr24(const Pixel* from, BYTE* to, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) color::WriteBgr(to + 3 * i, from[i]);
}

void Fill(Pixel* to, std::size_t count, Pixel value)
{
    for (std::size_t i = 0; i < count; ++i) to[i] = value;
}

namespace {

constexpr RowKernelSet Set()
{
    RowKernelSet set{};
    set.copyBytes = CopyBytes;
    set.copyColors = CopyColors;
    set.copyUnlessKey = CopyUnlessKey;
    set.blend = Blend;
    set.blendByTable = BlendByTable;
    set.buildBlendTable = BuildBlendTable;
    set.bgr24ToWords = Bgr24ToWords;
    set.wordsToBgr24 = WordsToBgr24;
    set.fill = Fill;
    return set;
}

// The reference lacks nothing: the other sets' gaps are filled from it.
constexpr bool Whole(const RowKernelSet& set)
{
    bool whole = true;
    EachKernel([&](auto member) { whole = whole && set.*member != nullptr; });
    return whole;
}
static_assert(Whole(Set()), "the plain C++ set has every kernel");

}  // namespace
}  // namespace c

namespace backwards {
namespace {

void CopyColors(const Pixel* from, Pixel* to, std::size_t count, bool) { Directed<true>::CopyColors(from, to, count); }

void CopyUnlessKey(const Pixel* from, Pixel* to, std::size_t count, Pixel key)
{
    Directed<true>::CopyUnlessKey(from, to, count, key);
}

void Blend(const Pixel* from, Pixel* to, std::size_t count, double alpha, ColorKey key)
{
    Directed<true>::Blend(from, to, count, alpha, key);
}

void BlendByTable(const Pixel* from, Pixel* to, std::size_t count, const BlendTable& table, ColorKey key)
{
    Directed<true>::BlendByTable(from, to, count, table, key);
}

// The 32-bit to 32-bit kernels only; memmove copies in either direction.
constexpr RowKernelSet Set()
{
    RowKernelSet set{};
    set.copyBytes = c::CopyBytes;
    set.copyColors = CopyColors;
    set.copyUnlessKey = CopyUnlessKey;
    set.blend = Blend;
    set.blendByTable = BlendByTable;
    return set;
}

}  // namespace
}  // namespace backwards

}  // namespace zvx::kernels

namespace zvx {

constexpr RowKernelSet kRowKernelsC = kernels::c::Set();
constexpr RowKernelSet kRowKernelsBackwards = kernels::backwards::Set();

}  // namespace zvx

// The image factory, the bad sizes and the oracles. Typed tests run over the plain classes (fast
// paths) and over derived classes that override nothing (the general per-pixel routes).
#pragma once

#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#include <cpuid.h>
#endif

#include "core/RowKernels.h"
#include "image/DibSectionImage.h"
#include "image/MemoryImage.h"
#include "platform/Win32.h"

namespace zvx::test {

// Only its dynamic type differs, which is what takes the general routes.
template <class T>
class General : public T {
public:
    using T::T;
};

// The other kind on the same route (heap <-> DIB section, plain or general), and T's DIB kind.
template <class T>
constexpr bool kIsDib = std::is_base_of_v<CDibSectionImage, T>;
template <class T>
auto OtherOf(T*) -> std::conditional_t<kIsDib<T>, CMemoryImage, CDibSectionImage>;
template <class T>
auto OtherOf(General<T>*) -> General<decltype(OtherOf(static_cast<T*>(nullptr)))>;
template <class T>
using Other = decltype(OtherOf(static_cast<T*>(nullptr)));
template <class T>
using DibOf = std::conditional_t<kIsDib<T>, T, Other<T>>;

using ImageClasses = ::testing::Types<CMemoryImage, CDibSectionImage, General<CMemoryImage>, General<CDibSectionImage>>;
// NOLINTBEGIN(bugprone-macro-parentheses): the argument names a class
#define ZVX_IMAGE_TEST_SUITE(name)          \
    template <class T>                      \
    class name : public ::testing::Test {}; \
    TYPED_TEST_SUITE(name, ::zvx::test::ImageClasses)
// NOLINTEND(bugprone-macro-parentheses)

// The image as another of its interfaces.
template <class I>
I* As(IImage* image)
{
    return dynamic_cast<I*>(image);
}

// A width x height image of class T filled with fill (an empty heap image for a refused size).
template <class T>
std::unique_ptr<T> Make(int width, int height, Pixel fill = 0)
{
    std::unique_ptr<T> image;
    if constexpr (std::is_constructible_v<T, int, int>)
        image = std::make_unique<T>(width, height);
    else
        image = std::make_unique<T>();
    if (fill != 0 || image->GetWidth() != width || image->GetHeight() != height) image->Create(width, height, fill);
    return image;
}

// Unique to (x, y) in small images, with a top byte, so a route shows whether it keeps it.
inline Pixel Pattern(int x, int y) { return 0xA5000000u | x << 12 | y << 4 | 3u; }

template <class Fn>
void Paint(IImage& image, Fn&& valueAt)
{
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) image.SetPixel(x, y, valueAt(x, y));
    }
}

// Every stored word, rows top to bottom.
inline std::vector<Pixel> PixelsOf(const IImage& image)
{
    std::vector<Pixel> pixels;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) pixels.push_back(image.GetPixel(x, y));
    }
    return pixels;
}

// Everything a refused operation must leave as it was: size, key and words.
inline std::string StateOf(const IImage& image)
{
    std::string s = std::to_string(image.GetWidth()) + "x" + std::to_string(image.GetHeight()) + " key " +
                    std::to_string(image.GetColorKey()) + ":";
    for (const Pixel p : PixelsOf(image)) s += " " + std::to_string(p);
    return s;
}

// Sizes no image can have: empty, negative (also in pairs), overflowing 32 bits in pixels or bytes.
inline const std::pair<int, int> kBadSizes[] = {
    {0, 5},  {5, 0},         {0, 0},         {-1, -1},           {-2, 3},         {-2, -3},     {INT_MIN, -1},
    {1, -1}, {46341, 46341}, {65536, 65536}, {INT_MAX, INT_MAX}, {0x7FFFFFFF, 2}, {1 << 30, 1}, {-65536, -65536}};

// What (x, y) shows: nothing under the key (top byte ignored), else the word, or its colour if clear.
inline std::optional<Pixel> Shown(const IImage& image, int x, int y, bool clear)
{
    const Pixel p = image.GetPixel(x, y);
    const ColorKey key = image.GetColorKey();
    if (key != COLORKEY_NONE && (p & 0xFFFFFFu) == static_cast<Pixel>(key)) return std::nullopt;
    return clear ? p & 0xFFFFFFu : p;
}

// dest after each pixel (x, y) holding old has become at(x, y, old), or stayed where that is none.
template <class At>
std::vector<Pixel> Over(const IImage& dest, At&& at)
{
    std::vector<Pixel> out = PixelsOf(dest);
    for (int y = 0; y < dest.GetHeight(); ++y) {
        for (int x = 0; x < dest.GetWidth(); ++x) {
            Pixel& p = out[static_cast<std::size_t>(y) * dest.GetWidth() + x];
            if (const std::optional<Pixel> v = at(x, y, p)) p = *v;
        }
    }
    return out;
}

// One blended channel, trunc(d x (1 - alpha) + s x alpha) capped at 255, and a pixel's three.
inline Pixel Mix(Pixel s, Pixel d, double alpha)
{
    const int v = static_cast<int>(static_cast<double>(d) * (1.0 - alpha) + static_cast<double>(s) * alpha);
    return static_cast<Pixel>(v > 255 ? 255 : v);
}
inline Pixel MixPixel(Pixel s, Pixel d, double alpha)
{
    return Mix(s >> 16 & 0xFF, d >> 16 & 0xFF, alpha) << 16 | Mix(s >> 8 & 0xFF, d >> 8 & 0xFF, alpha) << 8 |
           Mix(s & 0xFF, d & 0xFF, alpha);
}

// src's top-left w x h part blitted at (x, y) (the source pixel over each destination pixel), or
// blended at alpha below 1 (each channel under a shown source pixel mixed).
inline std::vector<Pixel> Blitted(const IImage& src, long long w, long long h, const IImage& dest, long long x,
                                  long long y, bool clear, double alpha = 1.0)
{
    return Over(dest, [&](long long dx, long long dy, Pixel d) -> std::optional<Pixel> {
        if (dx < x || dy < y || dx - x >= w || dy - y >= h) return std::nullopt;
        const std::optional<Pixel> s = Shown(src, static_cast<int>(dx - x), static_cast<int>(dy - y), clear);
        return s && alpha < 1.0 ? MixPixel(*s, d, alpha) : s;
    });
}

// Runs body under each row-kernel variant this run may use, then under the measured choice of
// kernels, which stays in use.
template <class Body>
void ForEachRowSimd(Body&& body)
{
    for (const RowSimd simd : kRowSimdVariants) {
        if (UseRowSimd(simd) != simd) continue;  // not on this processor, or held back by ZVX_SIMD
        SCOPED_TRACE(::testing::Message() << "row kernels " << RowSimdName(simd));
        ASSERT_EQ(simd, CurrentRowSimd());
        body();
    }
    UseChosenRowKernels();
    SCOPED_TRACE("the measured choice of row kernels");
    body();
}

// Whether the upper halves of the vector registers (ymm0-15, zmm0-15) are clean, as every vector
// kernel must leave them: the SSE code of whoever called it runs several times slower while they
// are dirty. Asked of the processor (XGETBV with ECX = 1) where it tells; elsewhere true.
inline bool UpperHalvesClean()
{
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid_count(0xD, 1, &eax, &ebx, &ecx, &edx) == 0 || (eax & 4) == 0) return true;
    __asm__ volatile("xgetbv" : "=a"(eax), "=d"(edx) : "c"(1));
    return (eax & 0x44) == 0;  // AVX (bit 2) and ZMM_Hi256 (bit 6) in their initial state
#else
    return true;
#endif
}

}  // namespace zvx::test

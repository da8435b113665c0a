// Every variant of the row kernels (plain C++, SSE2, AVX2, AVX-512, as far as the processor has
// them) against the plain per-pixel formulas written out here: runs of every length around the
// vector widths, at every alignment, overlapping runs of one image in both directions, copies
// large enough to go around the cache, and the blend over every pair of channel values for a
// sweep of alphas.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "image/RowKernels.h"

#if defined(__has_include)
#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#define ZVX_UNDER_VALGRIND (RUNNING_ON_VALGRIND != 0)
#endif
#endif
#ifndef ZVX_UNDER_VALGRIND
#define ZVX_UNDER_VALGRIND false
#endif

namespace {

using zvx::RowSimd;

const char* Name(RowSimd simd)
{
    switch (simd) {
    case RowSimd::Scalar: return "scalar";
    case RowSimd::Sse2: return "SSE2";
    case RowSimd::Avx2: return "AVX2";
    case RowSimd::Avx512: return "AVX-512";
    }
    return "?";
}

// The channel blend as the per-pixel path defines it.
Pixel BlendChannel(Pixel s, Pixel d, double alpha)
{
    const double weighted = static_cast<double>(s) * alpha;
    const double sum = static_cast<double>(d) * (1.0 - alpha) + weighted;
    const int value = static_cast<int>(sum);
    return static_cast<Pixel>(value > 255 ? 255 : value);
}

Pixel BlendPixel(Pixel s, Pixel d, double alpha)
{
    return (BlendChannel((s >> 16) & 0xFF, (d >> 16) & 0xFF, alpha) << 16) |
           (BlendChannel((s >> 8) & 0xFF, (d >> 8) & 0xFF, alpha) << 8) | BlendChannel(s & 0xFF, d & 0xFF, alpha);
}

// Runs a test body once per variant the processor has, and goes back to the best one after.
class RowKernelTest : public ::testing::Test {
protected:
    void TearDown() override { zvx::UseRowSimd(zvx::BestRowSimd()); }

    template <class Body>
    void ForEachVariant(Body body)
    {
        for (const RowSimd simd : {RowSimd::Scalar, RowSimd::Sse2, RowSimd::Avx2, RowSimd::Avx512}) {
            if (zvx::UseRowSimd(simd) != simd) continue;  // not on this processor
            SCOPED_TRACE(Name(simd));
            body();
            if (HasFatalFailure()) return;
        }
    }

    std::vector<Pixel> Words(std::size_t count)
    {
        std::vector<Pixel> words(count);
        for (Pixel& w : words) w = static_cast<Pixel>(random());
        return words;
    }

    std::mt19937 random{14};
};

// What a kernel does to one pixel, given the source word and the target's word.
enum class Kernel { Colors, UnlessKey, Blend, BlendKeyed };

Pixel Expected(Kernel kernel, Pixel s, Pixel d, Pixel key, double alpha)
{
    switch (kernel) {
    case Kernel::Colors: return s & 0x00FFFFFFu;
    case Kernel::UnlessKey: return (s & 0x00FFFFFFu) == key ? d : s;
    case Kernel::Blend: return BlendPixel(s, d, alpha);
    case Kernel::BlendKeyed: return (s & 0x00FFFFFFu) == key ? d : BlendPixel(s, d, alpha);
    }
    return 0;
}

void RunKernel(Kernel kernel, const Pixel* from, Pixel* to, std::size_t count, Pixel key, double alpha)
{
    switch (kernel) {
    case Kernel::Colors: zvx::CopyColors(from, to, count); return;
    case Kernel::UnlessKey: zvx::CopyUnlessKey(from, to, count, key); return;
    case Kernel::Blend: zvx::BlendColors(from, to, count, alpha, COLORKEY_NONE); return;
    case Kernel::BlendKeyed: zvx::BlendColors(from, to, count, alpha, static_cast<ColorKey>(key)); return;
    }
}

const Kernel kKernels[] = {Kernel::Colors, Kernel::UnlessKey, Kernel::Blend, Kernel::BlendKeyed};

TEST_F(RowKernelTest, EveryLengthAndAlignmentGivesThePerPixelWords)
{
    ForEachVariant([&] {
        for (const Kernel kernel : kKernels) {
            for (std::size_t count = 0; count <= 80; ++count) {
                for (std::size_t offset = 0; offset < 8; ++offset) {
                    std::vector<Pixel> from = Words(count + offset);
                    std::vector<Pixel> to = Words(count + offset + 1);
                    // The key in about a third of the pixels, with and without a top byte.
                    const Pixel key = random() & 0x00FFFFFFu;
                    for (Pixel& w : from) {
                        if (random() % 3 == 0) w = key | (random() % 2 ? 0xA5000000u : 0u);
                    }
                    const double alpha = 0.7;
                    std::vector<Pixel> expected = to;
                    for (std::size_t i = 0; i < count; ++i) {
                        expected[offset + i] = Expected(kernel, from[offset + i], to[offset + i], key, alpha);
                    }
                    RunKernel(kernel, from.data() + offset, to.data() + offset, count, key, alpha);
                    ASSERT_EQ(expected, to) << "kernel " << static_cast<int>(kernel) << ", " << count
                                            << " pixels at offset " << offset;
                }
            }
        }
    });
}

// A key whose top byte is set matches no colour; none at all leaves the blend unkeyed.
TEST_F(RowKernelTest, KeysThatMatchNothing)
{
    ForEachVariant([&] {
        const std::vector<Pixel> from = Words(37);
        std::vector<Pixel> to = Words(37);
        std::vector<Pixel> expected(37);
        for (std::size_t i = 0; i < 37; ++i) expected[i] = from[i];
        std::vector<Pixel> copied = to;
        zvx::CopyUnlessKey(from.data(), copied.data(), 37, 0x7F000000u | (from[5] & 0x00FFFFFFu));
        EXPECT_EQ(expected, copied);

        for (std::size_t i = 0; i < 37; ++i) expected[i] = BlendPixel(from[i], to[i], 0.25);
        zvx::BlendColors(from.data(), to.data(), 37, 0.25, static_cast<ColorKey>(0x7F000000u | (from[5] & 0xFFFFFF)));
        EXPECT_EQ(expected, to);
    });
}

// A run copied onto an overlapping run of the same memory, the target before or after the source:
// every pixel as if the source had been read whole first.
TEST_F(RowKernelTest, OverlappingRunsReadEveryPixelBeforeOverwritingIt)
{
    ForEachVariant([&] {
        for (const Kernel kernel : kKernels) {
            for (const std::size_t count : {1u, 5u, 8u, 9u, 16u, 33u}) {
                for (int shift = -10; shift <= 10; ++shift) {
                    std::vector<Pixel> memory = Words(count + 24);
                    const Pixel key = memory[3] & 0x00FFFFFFu;
                    const std::size_t source = 12;
                    const std::size_t target = source + shift;
                    const std::vector<Pixel> before = memory;
                    std::vector<Pixel> expected = memory;
                    for (std::size_t i = 0; i < count; ++i) {
                        expected[target + i] = Expected(kernel, before[source + i], before[target + i], key, 0.3);
                    }
                    RunKernel(kernel, memory.data() + source, memory.data() + target, count, key, 0.3);
                    ASSERT_EQ(expected, memory) << "kernel " << static_cast<int>(kernel) << ", " << count
                                                << " pixels moved by " << shift;
                }
            }
            // Whole words, as memmove.
            std::vector<Pixel> memory = Words(64);
            std::vector<Pixel> expected = memory;
            std::memmove(expected.data() + 3, expected.data(), 50 * sizeof(Pixel));
            zvx::CopyPixels(memory.data(), memory.data() + 3, 50);
            ASSERT_EQ(expected, memory);
        }
    });
}

TEST_F(RowKernelTest, Rows24ToPixelsReadsExactlyItsBytes)
{
    ForEachVariant([&] {
        for (const bool streaming : {false, true}) {
            for (std::size_t count = 0; count <= 80; ++count) {
                for (std::size_t offset = 0; offset < 8; ++offset) {
                    // Exactly the run's bytes, so that reading one more is caught by the sanitizers.
                    std::vector<BYTE> bytes(3 * count);
                    for (BYTE& b : bytes) b = static_cast<BYTE>(random());
                    std::vector<Pixel> to = Words(count + offset + 1);
                    std::vector<Pixel> expected = to;
                    for (std::size_t i = 0; i < count; ++i) {
                        expected[offset + i] = bytes[3 * i] | (bytes[3 * i + 1] << 8) | (bytes[3 * i + 2] << 16);
                    }
                    zvx::Rows24ToPixels(bytes.data(), to.data() + offset, count, streaming);
                    ASSERT_EQ(expected, to) << count << " pixels at offset " << offset << ", streaming " << streaming;
                }
            }
        }
    });
}

// Copies larger than the cache take streaming stores; the words are the same.
TEST_F(RowKernelTest, CopiesLargerThanTheCache)
{
    std::size_t count = 1 << 20;
    while (!zvx::IsLargerThanCache(count * sizeof(Pixel))) count *= 2;
    count += 13;
    const std::vector<Pixel> from = Words(count);
    std::vector<Pixel> colors(count);
    for (std::size_t i = 0; i < count; ++i) colors[i] = from[i] & 0x00FFFFFFu;
    ForEachVariant([&] {
        for (const std::size_t offset : {0u, 1u, 3u}) {
            std::vector<Pixel> to(count + offset, 0);
            zvx::CopyPixels(from.data(), to.data() + offset, count);
            ASSERT_EQ(0, std::memcmp(from.data(), to.data() + offset, count * sizeof(Pixel))) << offset;
            zvx::CopyColors(from.data(), to.data() + offset, count);
            ASSERT_EQ(0, std::memcmp(colors.data(), to.data() + offset, count * sizeof(Pixel))) << offset;
        }
    });
}

// The blend against the double formula for every pair of channel values (each channel of the
// run sees all 65536), for alphas 0.001 to 0.999 in steps of 0.001 (0.01 under valgrind, which
// takes a minute over the finer sweep), the ones the sample and the documentation use, and some
// at the ends.
TEST_F(RowKernelTest, BlendEqualsTheDoubleFormulaForEveryChannelPairAndAlpha)
{
    std::vector<double> alphas;
    const int step = ZVX_UNDER_VALGRIND ? 10 : 1;
    for (int n = 1; n <= 999; n += step) alphas.push_back(n / 1000.0);
    for (const double a : {0.3, 0.5, 0.7, 0.1 + 0.2, 1.0 / 3.0, 1e-9, std::nextafter(1.0, 0.0), 0.5 + 1e-16}) {
        alphas.push_back(a);
    }

    constexpr std::size_t kPairs = 65536;
    std::vector<Pixel> source(kPairs);
    std::vector<Pixel> dest(kPairs);
    for (std::size_t i = 0; i < kPairs; ++i) {
        const Pixel a = static_cast<Pixel>(i >> 8);
        const Pixel b = static_cast<Pixel>(i & 0xFF);
        // Blue takes (a, b), green (b, a), red (a ^ b, b): each channel meets every pair.
        source[i] = (static_cast<Pixel>(random()) & 0xFF000000u) | ((a ^ b) << 16) | (b << 8) | a;
        dest[i] = (static_cast<Pixel>(random()) & 0xFF000000u) | (b << 16) | (a << 8) | b;
    }

    std::vector<RowSimd> variants;
    for (const RowSimd simd : {RowSimd::Scalar, RowSimd::Sse2, RowSimd::Avx2, RowSimd::Avx512}) {
        if (zvx::UseRowSimd(simd) == simd) variants.push_back(simd);
    }
    std::vector<Pixel> channel(kPairs);  // by s << 8 | d
    std::vector<Pixel> expected(kPairs);
    std::vector<Pixel> blended(kPairs);
    const std::size_t bytes = kPairs * sizeof(Pixel);
    for (const double alpha : alphas) {
        for (std::size_t i = 0; i < kPairs; ++i) channel[i] = BlendChannel(static_cast<Pixel>(i >> 8), i & 0xFF, alpha);
        for (std::size_t i = 0; i < kPairs; ++i) {
            const Pixel s = source[i];
            const Pixel d = dest[i];
            expected[i] = (channel[((s >> 8) & 0xFF00) | ((d >> 16) & 0xFF)] << 16) |
                          (channel[(s & 0xFF00) | ((d >> 8) & 0xFF)] << 8) | channel[((s << 8) & 0xFF00) | (d & 0xFF)];
        }
        for (const RowSimd simd : variants) {
            zvx::UseRowSimd(simd);
            std::memcpy(blended.data(), dest.data(), bytes);
            zvx::BlendColors(source.data(), blended.data(), kPairs, alpha, COLORKEY_NONE);
            if (std::memcmp(blended.data(), expected.data(), bytes) != 0) {
                std::size_t i = 0;
                while (blended[i] == expected[i]) ++i;
                FAIL() << Name(simd) << ", alpha " << alpha << ": source " << std::hex << source[i] << " over "
                       << dest[i] << " gives " << blended[i] << ", not " << expected[i];
            }
        }
    }
}

}  // namespace

// The row kernels, in every variant the processor has, against the per-pixel formulas: 24-bit
// reads, copies beyond the cache, the blend over every channel pair and opacity.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "core/KernelChoice.h"
#include "core/Planner.h"
#include "support/ImageTestKit.h"
#include "support/LiveObjects.h"

#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#endif

namespace {

using namespace zvx;
using namespace zvx::test;

// 24-bit pixels of every length and alignment read exactly their bytes (the sanitizers see more);
// copies beyond the cache take streaming stores, and long fills the string store or vector stores,
// to the same words; every kernel leaves the vector registers' upper halves clean; rows that share
// memory in another layout (a flip) come out as from a copy. (The other kernels meet every length,
// alignment and overlap through the images' fast paths: FastPathTest.)
TEST(RowKernels, Rows24ReadExactlyAndCopiesLargerThanTheCache)
{
    std::mt19937 random(14);
    std::size_t count = 1 << 20;
    while (count * sizeof(Pixel) <= kStreamingBytes) count *= 2;
    std::vector<Pixel> from(count + 13), to(from.size() + 1);
    for (std::size_t i = 0; i < from.size(); ++i) from[i] = static_cast<Pixel>(i * 2654435761u);
    std::vector<BYTE> bytes(3 * from.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>(i * 7 + i / 5);
    const std::size_t probes[] = {0, 5, count / 3, from.size() - 1};
    std::string ran;
    ForEachRowSimd([&] {
        ran += std::string(" ") + (RowSimdForced() ? RowSimdName(CurrentRowSimd()) : "measured");
        for (std::size_t n = 0; n <= 50; ++n) {
            std::vector<BYTE> exact(3 * n);
            for (BYTE& b : exact) b = static_cast<BYTE>(random());
            std::vector<Pixel> row(n + 17, 0xEEEEEEEE), expected = row;
            for (std::size_t i = 0; i < n; ++i)
                expected[n % 16 + i] = exact[3 * i] | exact[3 * i + 1] << 8 | exact[3 * i + 2] << 16;
            RowKernels().bgr24ToWords(exact.data(), row.data() + n % 16, n, n % 2 == 1);
            ASSERT_EQ(expected, row) << n << " 24-bit pixels";
            ASSERT_TRUE(RUNNING_ON_VALGRIND || UpperHalvesClean()) << "24-bit rows";
        }
        RowKernels().copyBytes(reinterpret_cast<const BYTE*>(from.data()), reinterpret_cast<BYTE*>(to.data() + 1),
                               from.size() * sizeof(Pixel), true);
        ASSERT_EQ(0, std::memcmp(from.data(), to.data() + 1, from.size() * sizeof(Pixel)));
        RowKernels().copyColors(from.data(), to.data() + 1, from.size(), true);
        ASSERT_TRUE(RUNNING_ON_VALGRIND || UpperHalvesClean()) << "colour copy";
        for (const std::size_t i : probes) ASSERT_EQ(from[i] & 0xFFFFFF, to[i + 1]) << i;
        RowKernels().copyUnlessKey(from.data(), to.data() + 1, 77, from[5] & 0xFFFFFF);
        ASSERT_TRUE(RUNNING_ON_VALGRIND || UpperHalvesClean()) << "keyed copy";
        RowKernels().bgr24ToWords(bytes.data(), to.data(), from.size(), true);
        for (const std::size_t i : probes)
            ASSERT_EQ(bytes[3 * i] | bytes[3 * i + 1] << 8 | bytes[3 * i + 2] << 16, to[i]) << i;
        RowKernels().fill(to.data() + 1, from.size(), 0xFFC0FFEE);
        ASSERT_TRUE(RUNNING_ON_VALGRIND || UpperHalvesClean()) << "fill";
        for (const std::size_t i : probes) ASSERT_EQ(0xFFC0FFEEu, to[i + 1]) << i;
    });
    std::printf("row kernel variants run:%s (the processor's widest: %s)\n", ran.c_str(),
                RowSimdName(ProcessorRowSimd()));
    std::vector<Pixel> rows{1, 2, 3, 4, 5, 6};  // 2 x 3 read bottom-up onto themselves top-down: as from a copy
    ASSERT_TRUE(Transfer(DibRows(rows.data(), 2, 3, 32, true), PackedRows(rows.data(), 2, 3),
                         Place(2, 3, 0, 0, Bounds(2, 3)), RowOp::Words()));
    EXPECT_EQ((std::vector<Pixel>{5, 6, 3, 4, 1, 2}), rows);
}

// Every (source, target) channel pair, by the formula and through a table built for each opacity;
// every variant at steps of 0.01 and awkward opacities, and natively (not under valgrind or the
// sanitizers) the variant in use at every step of 0.001.
TEST(RowKernels, BlendEqualsTheDoubleFormulaForEveryChannelPairAndOpacity)
{
#ifdef ZVX_HEAP_FROM_ASAN
    const bool slow = true;
#else
    const bool slow = RUNNING_ON_VALGRIND;
#endif
    std::vector<std::pair<double, bool>> alphas = {
        {0.1 + 0.2, true},  {1.0 / 3.0, true}, {1e-9, true}, {1e-300, true}, {std::nextafter(1.0, 0.0), true},
        {0.5 + 1e-16, true}};
    for (int n = 1; n <= 999; ++n) {
        if (n % 10 == 0 || !slow) alphas.push_back({n / 1000.0, n % 10 == 0});
    }
    std::vector<Pixel> source(65536), dest(65536), expected(65536), blended(65536), channel(65536);
    auto table = std::make_unique<BlendTable>();
    for (Pixel i = 0; i < 65536; ++i) {
        const Pixel a = i >> 8, b = i & 0xFF;  // blue meets (a, b), green (b, a), red (a ^ b, b)
        source[i] = (i * 0x9E3779B9u & 0xFF000000u) | (a ^ b) << 16 | b << 8 | a;
        dest[i] = (i * 0x85EBCA6Bu & 0xFF000000u) | b << 16 | a << 8 | b;
    }
    for (const auto& [alpha, everyVariant] : alphas) {
        for (Pixel i = 0; i < 65536; ++i) channel[i] = Mix(i >> 8, i & 0xFF, alpha);
        for (Pixel i = 0; i < 65536; ++i) {
            const Pixel s = source[i], d = dest[i];
            expected[i] = channel[(s >> 8 & 0xFF00) | (d >> 16 & 0xFF)] << 16 |
                          channel[(s & 0xFF00) | (d >> 8 & 0xFF)] << 8 | channel[(s << 8 & 0xFF00) | (d & 0xFF)];
        }
        const auto check = [&, alpha = alpha] {
            BuildBlendTable(alpha, *table);
            for (const bool byTable : {false, true}) {
                blended = dest;
                if (byTable)
                    RowKernels().blendByTable(source.data(), blended.data(), blended.size(), *table, COLORKEY_NONE);
                else
                    RowKernels().blend(source.data(), blended.data(), blended.size(), alpha, COLORKEY_NONE);
                ASSERT_TRUE(RUNNING_ON_VALGRIND || UpperHalvesClean()) << (byTable ? "table blend" : "blend");
                if (blended == expected) continue;
                const std::size_t i = static_cast<std::size_t>(
                    std::mismatch(blended.begin(), blended.end(), expected.begin()).first - blended.begin());
                FAIL() << "alpha " << alpha << (byTable ? " (table): " : ": ") << std::hex << source[i] << " over "
                       << dest[i] << " gives " << blended[i];
            }
        };
        if (everyVariant)
            ForEachRowSimd(check);
        else
            check();
        if (HasFailure()) return;
    }
}

// A way learned from large work is decided once every way has been timed enough, and replaces the
// default, either way, only when clearly faster (times in seconds a byte).
TEST(RowKernels, LearnedWaysKeepTheDefaultUnlessClearlyFaster)
{
    const struct {
        int byDefault;
        double way0, way1;
        int kept;
    } rows[] = {{0, 1.0, 0.95, 0}, {0, 1.0, 0.85, 1}, {0, 0.5, 1.0, 0}, {1, 0.95, 1.0, 1}, {1, 0.85, 1.0, 0}};
    for (const auto& row : rows) {
        LearnedWay way(row.byDefault);
        bool timed = false;
        for (int call = 0; call < 2 * LearnedWay::kSamples; ++call) {
            ASSERT_EQ(-1, way.Kept());
            const int taken = way.Pick(timed);
            ASSERT_TRUE(timed);
            way.Learn(taken, taken == 0 ? row.way0 : row.way1, 1.0);
        }
        EXPECT_EQ(row.kept, way.Pick(timed)) << row.way0 << " and " << row.way1 << " by default " << row.byDefault;
        EXPECT_FALSE(timed);
    }
}

}  // namespace

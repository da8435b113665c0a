// BlendTo: opacities that are refused, that blit and that blend, at and beyond every edge.
#include <cmath>
#include <limits>

#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

Pixel Colourful(int x, int y) { return 0x7F000000u + static_cast<Pixel>(x) * 0x2F1D07u + static_cast<Pixel>(y) * 0x0B3B65u; }

// What blending src at (x, y) leaves on dest: each channel under a shown source pixel mixed.
std::vector<Pixel> Blended(const IImage& src, const IImage& dest, long long x, long long y, double alpha)
{
    return Over(dest, [&](long long dx, long long dy, Pixel d) -> std::optional<Pixel> {
        if (dx - x < 0 || dy - y < 0 || dx - x >= src.GetWidth() || dy - y >= src.GetHeight()) return std::nullopt;
        const std::optional<Pixel> s = Shown(src, static_cast<int>(dx - x), static_cast<int>(dy - y), false);
        return s ? std::optional<Pixel>(MixPixel(*s, d, alpha)) : std::nullopt;
    });
}

TEST(BlendOracle, TruncatesAsTheTextsExamplesDo)
{
    const struct { Pixel s, d; double alpha; Pixel mixed; } cases[] = {
        {255, 0, 0.7, 178}, {0, 255, 0.7, 76}, {200, 100, 0.7, 170}, {100, 200, 0.7, 130}, {255, 255, 0.7, 255},
        {3, 3, 0.3, 2},     {255, 0, 0.001, 0}, {0, 255, 0.001, 254}, {255, 0, 0.5, 127}, {0, 255, 0.5, 127}};
    for (const auto& c : cases) EXPECT_EQ(c.mixed, Mix(c.s, c.d, c.alpha)) << c.s << " over " << c.d << " at " << c.alpha;
    int drops[2] = {};
    for (Pixel v = 0; v < 256; ++v) drops[0] += Mix(v, v, 0.3) != v, drops[1] += Mix(v, v, 0.7) != v;
    EXPECT_EQ(41, drops[0]);
    EXPECT_EQ(0, drops[1]);
}

template <class T>
class BlendTest : public ::testing::Test {};
TYPED_TEST_SUITE(BlendTest, ImageClasses);

TYPED_TEST(BlendTest, ChannelsMixOrTheBlitTakesOverOrTheOpacityIsRefused)
{
    // First a blend large enough for the plain classes' table of channel results, which they
    // keep for the next blend with the same opacity.
    auto bigSource = Make<TypeParam>(130, 130);
    Paint(*bigSource, [](int x, int y) { return (x + y) % 7 == 0 ? 0xFF000000u | 0x123456 : Colourful(x, y); });
    bigSource->SetColorKey(0x123456);
    auto big = Make<Other<TypeParam>>(131, 130);
    Paint(*big, [](int x, int y) { return Colourful(y, x + 5); });
    auto expected = Blended(*bigSource, *big, 1, 0, 0.7);
    EXPECT_TRUE(bigSource->BlendTo(big.get(), 1, 0, 0.7));
    EXPECT_EQ(expected, PixelsOf(*big));

    const double inf = HUGE_VAL;
    const double alphas[] = {0.5, 0.3, 0.001, 0.999, 0.123456789, std::numeric_limits<double>::denorm_min(), 0.7,
                             1.0, 2.0, inf, 0.0, -0.0, -0.5, -inf, std::nan("")};
    const std::pair<int, int> positions[] = {{0, 0},   {2, 1},  {-2, -1},          {4, 0},           {-3, 0},
                                             {0, 3},   {0, -2}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {INT_MAX - 1, 0}};
    for (const bool keyed : {false, true}) {
        auto src = Make<TypeParam>(3, 2);
        Paint(*src, Colourful);
        src->SetPixel(2, 0, 0xEE000000u | 0xABCDEF);
        src->SetColorKey(keyed ? 0xABCDEF : COLORKEY_NONE);
        const std::string source = StateOf(*src);
        auto dest = Make<Other<TypeParam>>(4, 3);
        for (const double alpha : alphas) {
            for (const auto& [x, y] : positions) {
                SCOPED_TRACE(::testing::Message() << alpha << " at " << x << "," << y << (keyed ? " keyed" : ""));
                Paint(*dest, [](int x, int y) { return Colourful(y + 9, x); });
                const bool overlaps = x > -3 && y > -2 && x < 4 && y < 3;
                const bool result = alpha >= 1.0 ? overlaps : alpha > 0.0;
                const auto expected = !(alpha > 0.0) ? PixelsOf(*dest)
                                      : alpha >= 1.0 ? Blitted(*src, 3, 2, *dest, x, y, !keyed)
                                                     : Blended(*src, *dest, x, y, alpha);
                EXPECT_EQ(result, src->BlendTo(dest.get(), x, y, alpha));
                EXPECT_EQ(expected, PixelsOf(*dest));
            }
        }
        EXPECT_FALSE(src->BlendTo(nullptr, 0, 0, 0.5));
        EXPECT_EQ(source, StateOf(*src));
    }
}

TYPED_TEST(BlendTest, ReadsSourceThenDestinationChannelByChannel)
{
    auto src = Make<Probe<TypeParam>>(1, 1, 0x808080);
    auto dest = Make<Probe<Other<TypeParam>>>(1, 1, 0x404040);
    src->tag = 's';
    dest->tag = 'd';
    std::string log;
    src->reads = dest->reads = &log;
    ASSERT_TRUE(src->BlendTo(dest.get(), 0, 0, 0.5));
    EXPECT_EQ("sRdRsGdGsBdB", log);
}

}  // namespace

// BlendTo: opacities that are refused, that blit and that blend, at and beyond every edge.
#include <cmath>
#include <limits>

#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

Pixel Colourful(int x, int y) { return 0x7F000000u + static_cast<Pixel>(x) * 0x2F1D07u + static_cast<Pixel>(y) * 0x0B3B65u; }

TEST(BlendOracle, TruncatesAsTheTextsExamplesDo)
{
    const struct { Pixel s, d; double alpha; Pixel mixed; } cases[] = {
        {255, 0, 0.7, 178}, {0, 255, 0.7, 76}, {200, 100, 0.7, 170}, {100, 200, 0.7, 130}, {255, 255, 0.7, 255},
        {3, 3, 0.3, 2},     {255, 0, 0.001, 0}, {0, 255, 0.001, 254}, {255, 0, 0.5, 127}, {0, 255, 0.5, 127}};
    for (const auto& c : cases) EXPECT_EQ(c.mixed, Mix(c.s, c.d, c.alpha)) << c.s << " over " << c.d << " at " << c.alpha;
}

template <class T>
class BlendTest : public ::testing::Test {};
TYPED_TEST_SUITE(BlendTest, ImageClasses);

TYPED_TEST(BlendTest, ChannelsMixOrTheBlitTakesOverOrTheOpacityIsRefused)
{
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

// BlendTo and DrawBlend: opacities refused, blitting or drawing, and blending, at every edge.
#include <cmath>
#include <limits>

#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

Pixel Colourful(int x, int y)
{
    return 0x7F000000u + static_cast<Pixel>(x) * 0x2F1D07u + static_cast<Pixel>(y) * 0x0B3B65u;
}

ZVX_IMAGE_TEST_SUITE(BlendTest);

TYPED_TEST(BlendTest, ChannelsMixOrTheBlitTakesOverOrTheOpacityIsRefused)
{
    const double inf = HUGE_VAL;
    const double alphas[] = {0.5,  0.3,  0.001,       0.999, 0.123456789, std::numeric_limits<double>::denorm_min(),
                             0.7,  1.0,  2.0,         inf,   0.0,         -0.0,
                             -0.5, -inf, std::nan("")};
    const std::pair<int, int> positions[] = {
        {0, 0},          {2, 1}, {-2, -1}, {4, 0}, {-3, 0}, {0, 3}, {0, -2}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN},
        {INT_MAX - 1, 0}};
    for (const bool keyed : {false, true}) {
        auto src = Make<TypeParam>(3, 2);
        Paint(*src, Colourful);
        src->SetPixel(2, 0, 0xEE000000u | 0xABCDEF);
        src->SetColorKey(keyed ? 0xABCDEF : COLORKEY_NONE);
        const std::string source = StateOf(*src);
        auto dest = Make<Other<TypeParam>>(4, 3);
        auto canvas = Make<CDibSectionImage>(4, 3);
        for (const double alpha : alphas) {
            for (const auto& [x, y] : positions) {
                for (const bool onDc : {false, true}) {  // DrawBlend draws (any place) where BlendTo blits
                    SCOPED_TRACE(::testing::Message()
                                 << alpha << " at " << x << "," << y << (keyed ? " keyed" : "") << (onDc ? " DC" : ""));
                    IImage& target = onDc ? static_cast<IImage&>(*canvas) : *dest;
                    Paint(target, [](int x, int y) { return Colourful(y + 9, x); });
                    const bool overlaps = x > -3 && y > -2 && x < 4 && y < 3;
                    const bool result = alpha >= 1.0 && !onDc ? overlaps : alpha > 0.0;
                    const auto expected = !(alpha > 0.0) ? PixelsOf(target)
                                          : alpha >= 1.0 ? Blitted(*src, 3, 2, target, x, y, keyed == onDc)
                                                         : Blended(*src, target, x, y, alpha);
                    EXPECT_EQ(result, onDc ? src->DrawBlend(canvas->GetDC(), x, y, alpha)
                                           : src->BlendTo(dest.get(), x, y, alpha));
                    EXPECT_EQ(expected, PixelsOf(target));
                }
            }
        }
        EXPECT_FALSE(src->BlendTo(nullptr, 0, 0, 0.5));
        // GDI's answers are not examined: no DC, a stale one or another object's handle.
        HDC stale = CDibSectionImage().GetDC();
        for (HDC dc : {HDC{}, stale, reinterpret_cast<HDC>(canvas->GetBitmap())}) {
            EXPECT_TRUE(src->Draw(dc, 1, 1) && src->Draw(dc, 1, 1, 2, 1) && src->DrawBlend(dc, 1, 1, 0.5) &&
                        !src->DrawBlend(dc, 1, 1, 0.0));
        }
        EXPECT_EQ(source, StateOf(*src));
    }
}

}  // namespace

#include <climits>
#include <tuple>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PaintPattern;
using zvx::test::Pattern;
using zvx::test::PixelsOf;

using Blits = std::vector<std::tuple<int, int, int, int>>;

// Records the sized blits that TileTo makes, then performs them.
template <class Base>
class BlitRecorder : public Base {
public:
    using Base::Base;
    using Base::BltTo;
    Blits blits;
    bool BltTo(IImage* dest, int x, int y, int width, int height) override
    {
        blits.emplace_back(x, y, width, height);
        return Base::BltTo(dest, x, y, width, height);
    }
};

template <class Base>
class NoRows : public Base {
public:
    using Base::Base;
    int GetHeight() const override { return 0; }
};

template <class T>
class TileTest : public ::testing::Test {};
TYPED_TEST_SUITE(TileTest, zvx::test::ImageClasses);

TYPED_TEST(TileTest, CopiesAreLaidRowByRowAndTrimmedAtTheEdges)
{
    auto image = MakeTestImage<BlitRecorder<TypeParam>>(4, 4);
    PaintPattern(*image);
    image->SetColorKey(Pattern(1, 1) & 0xFFFFFFu);
    auto dest = MakeTestImage<TypeParam>(9, 9, 0x77);

    EXPECT_TRUE(image->TileTo(dest.get(), 1, 2, 6, 6));
    EXPECT_EQ((Blits{{1, 2, 4, 4}, {5, 2, 2, 4}, {1, 6, 4, 2}, {5, 6, 2, 2}}), image->blits);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            Pixel expected = 0x77;
            if (x >= 1 && x < 7 && y >= 2 && y < 8) {
                const int sx = (x - 1) % 4;
                const int sy = (y - 2) % 4;
                if (sx != 1 || sy != 1) expected = Pattern(sx, sy);  // keyed: whole words
            }
            EXPECT_EQ(expected, dest->GetPixel(x, y)) << x << "," << y;
        }
    }
}

TYPED_TEST(TileTest, RectangleRulesAndNullDestination)
{
    auto image = MakeTestImage<BlitRecorder<TypeParam>>(4, 4, 0x5);
    auto dest = MakeTestImage<TypeParam>(4, 4);
    EXPECT_FALSE(image->TileTo(dest.get(), 0, 0, 0, 4));
    EXPECT_FALSE(image->TileTo(dest.get(), 0, 0, 4, -1));
    EXPECT_FALSE(image->TileTo(dest.get(), -11, 0, 10, 4));
    EXPECT_FALSE(image->TileTo(dest.get(), INT_MIN, INT_MIN, 8, 8));
    EXPECT_TRUE(image->blits.empty());
    EXPECT_TRUE(image->TileTo(dest.get(), -10, 0, 10, 4)) << "a rectangle ending at 0";
    EXPECT_EQ(std::vector<Pixel>(16, 0), PixelsOf(*dest));

    EXPECT_TRUE(image->TileTo(nullptr, 0, 0, 8, 4));
    EXPECT_TRUE(image->blits.empty()) << "no dest: no copy can touch a pixel";
}

TYPED_TEST(TileTest, ImageWithoutPixelsIsRefusedInsteadOfLoopingForever)
{
    auto image = MakeTestImage<NoRows<TypeParam>>(4, 4);
    auto dest = MakeTestImage<TypeParam>(4, 4);
    EXPECT_FALSE(image->TileTo(dest.get(), 0, 0, 4, 4));
    CMemoryImage empty(0, 0);
    EXPECT_FALSE(empty.TileTo(dest.get(), 0, 0, 4, 4));
}

}  // namespace

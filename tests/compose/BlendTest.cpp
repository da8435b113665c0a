#include <cmath>
#include <climits>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PaintPattern;
using zvx::test::Pattern;
using zvx::test::PixelsOf;

Pixel Rgb(Pixel r, Pixel g, Pixel b) { return r << 16 | g << 8 | b; }

template <class T>
class BlendTest : public ::testing::Test {
protected:
    // One pixel of source over one pixel of destination.
    static Pixel BlendOne(Pixel source, Pixel under, double alpha)
    {
        auto src = MakeTestImage<T>(1, 1, source);
        auto dest = MakeTestImage<T>(1, 1, under);
        EXPECT_TRUE(src->BlendTo(dest.get(), 0, 0, alpha));
        return dest->GetPixel(0, 0);
    }
};
TYPED_TEST_SUITE(BlendTest, zvx::test::ImageClasses);

TYPED_TEST(BlendTest, NonPositiveAndNanAlphaAndNullDestAreRefused)
{
    auto src = MakeTestImage<TypeParam>(2, 2, 0xFFFFFF);
    auto dest = MakeTestImage<TypeParam>(2, 2, 0x123456);
    for (const double alpha : {0.0, -0.0, -0.5, -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(src->BlendTo(dest.get(), 0, 0, alpha)) << alpha;
    }
    EXPECT_EQ(std::vector<Pixel>(4, 0x123456), PixelsOf(*dest));
    EXPECT_FALSE(src->BlendTo(nullptr, 0, 0, 0.5));
}

TYPED_TEST(BlendTest, ChannelsAreTruncatedMixesCappedAt255)
{
    // Red, green and blue each carry one case: source over destination.
    EXPECT_EQ(Rgb(178, 76, 170), this->BlendOne(Rgb(255, 0, 200), Rgb(0, 255, 100), 0.7));
    EXPECT_EQ(Rgb(130, 255, 0), this->BlendOne(Rgb(100, 255, 0), Rgb(200, 255, 0), 0.7));
    EXPECT_EQ(Rgb(127, 127, 3), this->BlendOne(Rgb(255, 0, 3), Rgb(0, 255, 3), 0.5));
    EXPECT_EQ(Rgb(2, 2, 2), this->BlendOne(Rgb(3, 3, 3), Rgb(3, 3, 3), 0.3));
    EXPECT_EQ(Rgb(0, 254, 0), this->BlendOne(Rgb(255, 0, 0), Rgb(0, 255, 0), 0.001));
}

TYPED_TEST(BlendTest, SameValueDropsByOneForFortyOneValuesAtPointThreeAndNoneAtPointSeven)
{
    auto src = MakeTestImage<TypeParam>(256, 1);
    auto dest30 = MakeTestImage<TypeParam>(256, 1);
    auto dest70 = MakeTestImage<TypeParam>(256, 1);
    for (int v = 0; v < 256; ++v) {
        const Pixel p = Rgb(v, v, v);
        src->SetPixel(v, 0, p);
        dest30->SetPixel(v, 0, p);
        dest70->SetPixel(v, 0, p);
    }
    ASSERT_TRUE(src->BlendTo(dest30.get(), 0, 0, 0.3));
    ASSERT_TRUE(src->BlendTo(dest70.get(), 0, 0, 0.7));
    int dropped = 0;
    for (int v = 0; v < 256; ++v) {
        const Pixel p30 = dest30->GetPixel(v, 0);
        const int red = static_cast<int>(p30 >> 16);
        EXPECT_TRUE(red == v || red == v - 1) << v;
        EXPECT_EQ(Rgb(red, red, red), p30);
        if (red != v) ++dropped;
        EXPECT_EQ(Rgb(v, v, v), dest70->GetPixel(v, 0)) << v;
    }
    EXPECT_EQ(41, dropped);
}

TYPED_TEST(BlendTest, OnlyOverlappingNonKeyPixelsChangeAndTheyLoseTheirTopByte)
{
    auto src = MakeTestImage<TypeParam>(3, 2, 0xFF000000u | Rgb(200, 100, 0));
    src->SetPixel(2, 0, 0xEE000000u | 0x00FFFFFF);  // key colour, top byte and all
    src->SetColorKey(0xFFFFFF);
    auto dest = MakeTestImage<TypeParam>(4, 3, 0xAA000000u | Rgb(100, 200, 0));
    const Pixel untouched = 0xAA000000u | Rgb(100, 200, 0);
    const Pixel blended = Rgb(170, 130, 0);  // 0.7 of the source, 0.3 of the destination

    EXPECT_TRUE(src->BlendTo(dest.get(), 2, 1, 0.7));
    const std::vector<Pixel> expected = {
        untouched, untouched, untouched, untouched,
        untouched, untouched, blended,   blended,
        untouched, untouched, blended,   blended,
    };
    EXPECT_EQ(expected, PixelsOf(*dest));

    // Over the key pixel, which lands in the destination at (2, 0) here.
    auto dest2 = MakeTestImage<TypeParam>(3, 1, untouched);
    EXPECT_TRUE(src->BlendTo(dest2.get(), 0, 0, 0.7));
    EXPECT_EQ((std::vector<Pixel>{blended, blended, untouched}), PixelsOf(*dest2));
}

TYPED_TEST(BlendTest, WhollyOutsideIsTrueAndChangesNothingWhateverTheOffset)
{
    auto src = MakeTestImage<TypeParam>(3, 2, 0xFFFFFF);
    auto dest = MakeTestImage<TypeParam>(4, 3, 0x010203);
    const int offsets[][2] = {{4, 0}, {-3, 0}, {0, 3}, {0, -2}, {INT_MAX, INT_MAX},
                              {INT_MIN, INT_MIN}, {INT_MAX - 1, 0}, {0, INT_MIN + 1}};
    for (const auto& offset : offsets) {
        EXPECT_TRUE(src->BlendTo(dest.get(), offset[0], offset[1], 0.5));
    }
    EXPECT_EQ(std::vector<Pixel>(12, 0x010203), PixelsOf(*dest));
}

TYPED_TEST(BlendTest, FullOpacityIsThePlainBlitOntoAnImage)
{
    for (const double alpha : {1.0, 2.0, std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(alpha);
        auto src = MakeTestImage<TypeParam>(3, 2);
        PaintPattern(*src);
        src->SetColorKey(Pattern(1, 1) & 0xFFFFFFu);
        auto viaBlend = MakeTestImage<TypeParam>(4, 3, 0x99);
        auto viaBlit = MakeTestImage<TypeParam>(4, 3, 0x99);

        EXPECT_TRUE(src->BlendTo(viaBlend.get(), 1, 1, alpha));
        EXPECT_TRUE(src->BltTo(static_cast<IImage*>(viaBlit.get()), 1, 1));
        EXPECT_EQ(PixelsOf(*viaBlit), PixelsOf(*viaBlend));
        EXPECT_EQ(0x99u, viaBlend->GetPixel(2, 2)) << "key pixel skipped";
        EXPECT_EQ(Pattern(0, 0), viaBlend->GetPixel(1, 1)) << "keyed blit keeps whole words";
        EXPECT_FALSE(src->BlendTo(viaBlend.get(), 4, 0, alpha)) << "no overlap";
    }
}

// Records, in one shared log, every channel read that the blend makes of either image.
template <class Base>
class ReadLogger : public Base {
public:
    using Base::Base;
    std::string* log = nullptr;
    char tag = '?';

    BYTE GetRed(int x, int y) const override { return Note('R', Base::GetRed(x, y)); }
    BYTE GetGreen(int x, int y) const override { return Note('G', Base::GetGreen(x, y)); }
    BYTE GetBlue(int x, int y) const override { return Note('B', Base::GetBlue(x, y)); }

private:
    BYTE Note(char channel, BYTE value) const
    {
        if (log != nullptr) *log += std::string{tag, channel, ' '};
        return value;
    }
};

TYPED_TEST(BlendTest, ReadsAlternateSourceAndDestinationChannelByChannel)
{
    std::string log;
    auto src = MakeTestImage<ReadLogger<TypeParam>>(1, 1, 0x808080);
    auto dest = MakeTestImage<ReadLogger<TypeParam>>(1, 1, 0x404040);
    src->log = &log;
    src->tag = 's';
    dest->log = &log;
    dest->tag = 'd';
    ASSERT_TRUE(src->BlendTo(dest.get(), 0, 0, 0.5));
    EXPECT_EQ("sR dR sG dG sB dB ", log);
}

TYPED_TEST(BlendTest, SelfBlendGivesWhatABlendOfAnUntouchedCopyGives)
{
    const int offsets[][2] = {{1, 1}, {-1, -1}, {2, 0}, {-2, 0}, {0, 1}, {1, -1}, {-1, 2}, {0, 0}};
    for (const auto& offset : offsets) {
        SCOPED_TRACE(::testing::Message() << offset[0] << "," << offset[1]);
        auto image = MakeTestImage<TypeParam>(5, 4);
        PaintPattern(*image);
        image->SetColorKey(Pattern(2, 2) & 0xFFFFFFu);
        auto copy = MakeTestImage<TypeParam>(5, 4);
        ASSERT_TRUE(copy->CopyFrom(image.get()));
        auto expected = MakeTestImage<TypeParam>(5, 4);
        ASSERT_TRUE(expected->CopyFrom(image.get()));

        ASSERT_TRUE(copy->BlendTo(expected.get(), offset[0], offset[1], 0.6));
        ASSERT_TRUE(image->BlendTo(image.get(), offset[0], offset[1], 0.6));
        EXPECT_EQ(PixelsOf(*expected), PixelsOf(*image));
    }
}

}  // namespace

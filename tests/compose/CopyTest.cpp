#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PaintPattern;
using zvx::test::Pattern;
using zvx::test::PixelsOf;

template <class T>
class CopyTest : public ::testing::Test {};
TYPED_TEST_SUITE(CopyTest, zvx::test::ImageClasses);

// The two classes answer a copy of themselves differently; neither changes anything.
template <class T>
constexpr bool kSelfCopyResult = std::is_same_v<T, CDibSectionImage>;

TYPED_TEST(CopyTest, NullSourceIsRefusedByBothOverloads)
{
    auto image = MakeTestImage<TypeParam>(2, 2, 7);
    EXPECT_FALSE(image->CopyFrom(static_cast<const IImage*>(nullptr)));
    EXPECT_FALSE(image->CopyFrom(static_cast<const IPixelBuffer*>(nullptr)));
    EXPECT_EQ(2, image->GetWidth());
    EXPECT_EQ(std::vector<Pixel>(4, 7), PixelsOf(*image));
}

TYPED_TEST(CopyTest, SelfCopyChangesNothingAndGivesTheClassesAnswer)
{
    auto image = MakeTestImage<TypeParam>(3, 2);
    PaintPattern(*image);
    image->SetColorKey(0x123456);
    const auto before = PixelsOf(*image);
    const Pixel* storage = image->GetScanLine(0);

    EXPECT_EQ(kSelfCopyResult<TypeParam>, image->CopyFrom(static_cast<const IImage*>(image.get())));
    EXPECT_EQ(kSelfCopyResult<TypeParam>,
              image->CopyFrom(static_cast<const IPixelBuffer*>(image.get())));
    EXPECT_EQ(before, PixelsOf(*image));
    EXPECT_EQ(0x123456, image->GetColorKey());
    EXPECT_EQ(storage, image->GetScanLine(0)) << "a self-copy must not re-create the image";
}

TYPED_TEST(CopyTest, ImageOverloadTakesSizeColoursAndKeyAndClearsTopBytes)
{
    auto src = MakeTestImage<CMemoryImage>(3, 2);
    PaintPattern(*src);
    src->SetColorKey(0x00FF00);
    auto dest = MakeTestImage<TypeParam>(128, 128, 0x55);

    ASSERT_TRUE(dest->CopyFrom(static_cast<const IImage*>(src.get())));
    EXPECT_EQ(3, dest->GetWidth());
    EXPECT_EQ(2, dest->GetHeight());
    EXPECT_EQ(0x00FF00, dest->GetColorKey());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(Pattern(x, y) & 0xFFFFFFu, dest->GetPixel(x, y));
    }
}

TYPED_TEST(CopyTest, ConcreteSourceResolvesToTheBlockCopyWhichKeepsTopBytes)
{
    auto memorySrc = MakeTestImage<CMemoryImage>(3, 2);
    auto dibSrc = MakeTestImage<CDibSectionImage>(2, 3);
    PaintPattern(*memorySrc);
    PaintPattern(*dibSrc);
    dibSrc->SetColorKey(0x010203);
    auto dest = MakeTestImage<TypeParam>(5, 5);

    // Both arguments are concrete images: overload resolution picks the IPixelBuffer copy.
    ASSERT_TRUE(dest->CopyFrom(memorySrc.get()));
    EXPECT_EQ(PixelsOf(*memorySrc), PixelsOf(*dest));
    EXPECT_EQ(COLORKEY_NONE, dest->GetColorKey());

    ASSERT_TRUE(dest->CopyFrom(dibSrc.get()));
    EXPECT_EQ(2, dest->GetWidth());
    EXPECT_EQ(3, dest->GetHeight());
    EXPECT_EQ(PixelsOf(*dibSrc), PixelsOf(*dest));
    EXPECT_EQ(0x010203, dest->GetColorKey());
}

TYPED_TEST(CopyTest, FailedCreateLeavesTheImageAsItWas)
{
    CMemoryImage empty(0, 0);  // no pixels: Create at its size is refused
    auto dest = MakeTestImage<TypeParam>(2, 1, 9);
    dest->SetColorKey(4);

    EXPECT_FALSE(dest->CopyFrom(static_cast<const IImage*>(&empty)));
    EXPECT_FALSE(dest->CopyFrom(static_cast<const IPixelBuffer*>(&empty)));
    EXPECT_EQ(2, dest->GetWidth());
    EXPECT_EQ(std::vector<Pixel>(2, 9), PixelsOf(*dest));
    EXPECT_EQ(4, dest->GetColorKey());
}

}  // namespace

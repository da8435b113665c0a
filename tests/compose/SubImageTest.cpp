#include <climits>
#include <memory>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PaintPattern;
using zvx::test::Pattern;
using zvx::test::PixelsOf;

template <class T>
class SubImageTest : public ::testing::Test {};
TYPED_TEST_SUITE(SubImageTest, zvx::test::ImageClasses);

TYPED_TEST(SubImageTest, BadRectanglesGiveNull)
{
    auto image = MakeTestImage<TypeParam>(4, 3);
    EXPECT_EQ(nullptr, image->CreateSubImage(-1, 0, 2, 2));
    EXPECT_EQ(nullptr, image->CreateSubImage(0, -1, 2, 2));
    EXPECT_EQ(nullptr, image->CreateSubImage(0, 0, 0, 2));
    EXPECT_EQ(nullptr, image->CreateSubImage(0, 0, 2, -4));
}

TYPED_TEST(SubImageTest, WholeCopyIsAHeapImageWithColoursAndNoKey)
{
    auto image = MakeTestImage<TypeParam>(4, 3);
    PaintPattern(*image);
    image->SetColorKey(Pattern(0, 0) & 0xFFFFFFu);

    std::unique_ptr<IImage> sub(image->CreateSubImage(0, 0, 4, 3));
    ASSERT_NE(nullptr, sub);
    EXPECT_NE(nullptr, dynamic_cast<CMemoryImage*>(sub.get()));
    EXPECT_EQ(COLORKEY_NONE, sub->GetColorKey());
    ASSERT_EQ(4, sub->GetWidth());
    ASSERT_EQ(3, sub->GetHeight());
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Pattern(x, y) & 0xFFFFFFu, sub->GetPixel(x, y));
    }
}

TYPED_TEST(SubImageTest, PositionsBeyondTheImageReadAsZero)
{
    auto image = MakeTestImage<TypeParam>(4, 3);
    PaintPattern(*image);
    std::unique_ptr<IImage> sub(image->CreateSubImage(3, 1, 2, 3));
    ASSERT_NE(nullptr, sub);
    const std::vector<Pixel> expected = {Pattern(3, 1) & 0xFFFFFFu, 0, Pattern(3, 2) & 0xFFFFFFu,
                                         0, 0, 0};
    EXPECT_EQ(expected, PixelsOf(*sub));

    // Near INT_MAX the positions run past the int range; they are beyond the image all the same.
    std::unique_ptr<IImage> beyond(image->CreateSubImage(INT_MAX - 1, INT_MAX, 3, 2));
    ASSERT_NE(nullptr, beyond);
    EXPECT_EQ(std::vector<Pixel>(6, 0), PixelsOf(*beyond));
}

TYPED_TEST(SubImageTest, SizeWhosePixelsCannotBeHadGivesNull)
{
    auto image = MakeTestImage<TypeParam>(2, 2);
    EXPECT_EQ(nullptr, image->CreateSubImage(0, 0, INT_MAX, INT_MAX));
    EXPECT_EQ(nullptr, image->CreateSubImage(0, 0, 65536, 65536));
}

}  // namespace

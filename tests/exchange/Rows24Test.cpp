#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "support/Images.h"

namespace {

using zvx::test::MakeImage;

// A bottom-up block of w x h 24-bit pixels where pixel (x, row) holds blue = x, green = row of
// the block (top row 0), red = 0x80; padding bytes are 0xEE so a read of them shows.
std::vector<BYTE> Block(int w, int h)
{
    const int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> rows(static_cast<std::size_t>(stride * h), 0xEE);
    for (int row = 0; row < h; ++row) {
        BYTE* line = &rows[static_cast<std::size_t>((h - 1 - row) * stride)];
        for (int x = 0; x < w; ++x) {
            line[3 * x] = static_cast<BYTE>(x);
            line[3 * x + 1] = static_cast<BYTE>(row);
            line[3 * x + 2] = 0x80;
        }
    }
    return rows;
}

Pixel Expected(int x, int row) { return 0x00800000u | static_cast<Pixel>(row) << 8 | static_cast<Pixel>(x); }

template <class T>
class Rows24Test : public ::testing::Test {};
TYPED_TEST_SUITE(Rows24Test, zvx::test::ImageClasses);

TYPED_TEST(Rows24Test, SetRows24ClipsPixelByPixel)
{
    auto image = MakeImage<TypeParam>(10, 10, 0xFF000001);
    const std::vector<BYTE> rows = Block(4, 3);
    ASSERT_TRUE(image->SetRows24(-2, -1, 4, 3, rows.data()));
    // Only (0..1, 0..1) lie inside; block row 1 lands on image row 0.
    EXPECT_EQ(image->GetPixel(0, 0), Expected(2, 1));
    EXPECT_EQ(image->GetPixel(1, 0), Expected(3, 1));
    EXPECT_EQ(image->GetPixel(0, 1), Expected(2, 2));
    EXPECT_EQ(image->GetPixel(1, 1), Expected(3, 2));
    int untouched = 0;
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) untouched += image->GetPixel(x, y) == 0xFF000001u;
    }
    EXPECT_EQ(untouched, 96);
}

TYPED_TEST(Rows24Test, SetRows24RefusesBlocksThatMissTheImage)
{
    auto image = MakeImage<TypeParam>(10, 10, 0x00000001);
    const std::vector<BYTE> rows = Block(4, 3);
    const int refused[][4] = {{10, 0, 4, 3},  {-4, 0, 4, 3},  {0, 10, 4, 3}, {0, -3, 4, 3},
                              {0, 0, 0, 3},   {0, 0, 4, 0},   {0, 0, -4, -3}, {INT_MIN, 0, 4, 3},
                              {INT_MAX, 0, 4, 3}, {0, INT_MIN, 4, 3}};
    for (const auto& r : refused) {
        EXPECT_FALSE(image->SetRows24(r[0], r[1], r[2], r[3], rows.data())) << r[0] << "," << r[1] << " " << r[2] << "x" << r[3];
    }
    EXPECT_FALSE(image->SetRows24(0, 0, 4, 3, nullptr));
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) ASSERT_EQ(image->GetPixel(x, y), 1u);
    }
}

TYPED_TEST(Rows24Test, ImportRows24ReadsRowsBottomUpAndKeepsTopBytes)
{
    auto image = MakeImage<TypeParam>(2, 2, 0xAB000000);
    // Stride 8: image row 0 comes from bytes 8..13, row 1 from 0..5; 6, 7, 14, 15 are padding.
    const BYTE rows[16] = {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
    EXPECT_FALSE(image->ImportRows24(rows, IMAGE_FORMAT_BMPFILE));
    EXPECT_FALSE(image->ImportRows24(nullptr, IMAGE_FORMAT_ROWS24));
    EXPECT_EQ(image->GetPixel(0, 0), 0xAB000000u);
    ASSERT_TRUE(image->ImportRows24(rows, IMAGE_FORMAT_ROWS24));
    EXPECT_EQ(image->GetPixel(0, 0), 0xAB090807u);
    EXPECT_EQ(image->GetPixel(1, 0), 0xAB0C0B0Au);
    EXPECT_EQ(image->GetPixel(0, 1), 0xAB030201u);
    EXPECT_EQ(image->GetPixel(1, 1), 0xAB060504u);
}

TYPED_TEST(Rows24Test, SizedImportRefusesShortInput)
{
    auto image = MakeImage<TypeParam>(2, 2, 0x00000001);
    const std::vector<BYTE> rows = Block(2, 2);
    EXPECT_FALSE(image->ImportRows24(rows.data(), rows.size() - 1, IMAGE_FORMAT_ROWS24));
    EXPECT_EQ(image->GetPixel(0, 0), 1u);
    EXPECT_FALSE(image->ImportRows24(rows.data(), rows.size(), IMAGE_FORMAT_BMPFILE));
    ASSERT_TRUE(image->ImportRows24(rows.data(), rows.size(), IMAGE_FORMAT_ROWS24));
    EXPECT_EQ(image->GetPixel(1, 1), Expected(1, 1));
}

}  // namespace

#include <climits>
#include <tuple>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PixelsOf;

constexpr Pixel kInk = 0x00ABCDEF;

// Which pixels of a 6 x 5 image hold the ink, as rows of '#' and '.'.
std::vector<std::string> Picture(const IImage& image)
{
    std::vector<std::string> rows;
    for (int y = 0; y < image.GetHeight(); ++y) {
        std::string row;
        for (int x = 0; x < image.GetWidth(); ++x) row += image.GetPixel(x, y) == kInk ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

using Lines = std::vector<std::tuple<int, int, int, int>>;

// Records the lines that DrawRect and FillRect ask for, then draws them.
template <class Base>
class LineRecorder : public Base {
public:
    using Base::Base;
    Lines lines;
    bool DrawLine(int x0, int y0, int x1, int y1, Pixel color) override
    {
        lines.emplace_back(x0, y0, x1, y1);
        return Base::DrawLine(x0, y0, x1, y1, color);
    }
};

template <class T>
class RectTest : public ::testing::Test {};
TYPED_TEST_SUITE(RectTest, zvx::test::ImageClasses);

TYPED_TEST(RectTest, OutlineIsFourSidesEachStartingWhereTheLastEnded)
{
    auto image = MakeTestImage<LineRecorder<TypeParam>>(6, 5);
    EXPECT_TRUE(image->DrawRect(1, 1, 4, 3, kInk));
    EXPECT_EQ((Lines{{1, 1, 4, 1}, {4, 1, 4, 3}, {4, 3, 1, 3}, {1, 3, 1, 1}}), image->lines);
    // Even a pen that leaves out each side's last point closes the outline.
    EXPECT_EQ((std::vector<std::string>{"......", ".####.", ".#..#.", ".####.", "......"}),
              Picture(*image));
}

TYPED_TEST(RectTest, DegenerateOutlines)
{
    auto point = MakeTestImage<TypeParam>(6, 5);
    EXPECT_FALSE(point->DrawRect(1, 1, 1, 1, kInk));
    EXPECT_EQ(std::vector<Pixel>(30, 0), PixelsOf(*point));

    auto segment = MakeTestImage<TypeParam>(6, 5);
    EXPECT_TRUE(segment->DrawRect(1, 1, 1, 4, kInk));
    EXPECT_EQ((std::vector<std::string>{"......", ".#....", ".#....", ".#....", ".#...."}),
              Picture(*segment));
}

TYPED_TEST(RectTest, DegenerateFillIsOneLine)
{
    auto image = MakeTestImage<LineRecorder<TypeParam>>(6, 5);
    EXPECT_TRUE(image->FillRect(0, 2, 5, 2, kInk));
    EXPECT_EQ((Lines{{0, 2, 5, 2}}), image->lines);

    auto point = MakeTestImage<LineRecorder<TypeParam>>(6, 5);
    EXPECT_FALSE(point->FillRect(3, 3, 3, 3, kInk));
    EXPECT_EQ(1u, point->lines.size());
}

TYPED_TEST(RectTest, FillRunsRowByRowFromTheFirstCornerOverTheRowsInside)
{
    auto image = MakeTestImage<LineRecorder<TypeParam>>(6, 5);
    EXPECT_TRUE(image->FillRect(4, 3, 1, 1, kInk));
    EXPECT_EQ((Lines{{4, 3, 1, 3}, {4, 2, 1, 2}, {4, 1, 1, 1}}), image->lines);

    auto low = MakeTestImage<LineRecorder<TypeParam>>(6, 5);
    EXPECT_TRUE(low->FillRect(0, 3, 3, 9, kInk));
    EXPECT_EQ((Lines{{0, 3, 3, 3}, {0, 4, 3, 4}}), low->lines);
    auto high = MakeTestImage<LineRecorder<TypeParam>>(6, 5);
    EXPECT_TRUE(high->FillRect(0, 1, 3, -4, kInk));
    EXPECT_EQ((Lines{{0, 1, 3, 1}, {0, 0, 3, 0}}), high->lines);
    auto outside = MakeTestImage<LineRecorder<TypeParam>>(6, 5);
    EXPECT_TRUE(outside->FillRect(0, 5, 3, 8, kInk)) << "the rows' lines would all answer true";
    EXPECT_TRUE(outside->lines.empty());
}

TEST(FillRect, HeapImageFillsBothCornerColumnsAndDibImageStopsShortOfTheLast)
{
    CMemoryImage heap(6, 5);
    EXPECT_TRUE(heap.FillRect(0, 0, 3, 2, kInk));
    EXPECT_EQ((std::vector<std::string>{"####..", "####..", "####..", "......", "......"}),
              Picture(heap));

    auto dib = MakeTestImage<CDibSectionImage>(6, 5);
    EXPECT_TRUE(dib->FillRect(0, 0, 3, 2, kInk));
    EXPECT_EQ((std::vector<std::string>{"###...", "###...", "###...", "......", "......"}),
              Picture(*dib));

    auto reversed = MakeTestImage<CDibSectionImage>(6, 5);
    EXPECT_TRUE(reversed->FillRect(3, 2, 0, 0, kInk));
    EXPECT_EQ((std::vector<std::string>{".###..", ".###..", ".###..", "......", "......"}),
              Picture(*reversed));
}

}  // namespace

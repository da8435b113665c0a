#include <climits>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PixelsOf;

using Point = std::pair<int, int>;
using PointSet = std::set<Point>;

constexpr Pixel kInk = 0x00123456;

// The positions of an image that hold the ink colour; every other pixel must still be 0.
PointSet Inked(const IImage& image)
{
    PointSet points;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const Pixel p = image.GetPixel(x, y);
            if (p == kInk) {
                points.insert({x, y});
            } else {
                EXPECT_EQ(0u, p) << "stray value at " << x << "," << y;
            }
        }
    }
    return points;
}

PointSet Column(int x, int fromY, int toY)
{
    PointSet points;
    for (int y = fromY; y <= toY; ++y) points.insert({x, y});
    return points;
}

PointSet Row(int y, int fromX, int toX)
{
    PointSet points;
    for (int x = fromX; x <= toX; ++x) points.insert({x, y});
    return points;
}

struct LineCase {
    int x0, y0, x1, y1;
    PointSet expected;
};

TEST(HeapLine, SetsExactlyThePixelsOfTheTruncatingRasteriser)
{
    const LineCase cases[] = {
        {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}}},
        {4, 1, 0, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}}},
        {0, 0, 1, 4, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 4}}},
        {2, 4, 3, 0, {{2, 4}, {3, 3}, {3, 2}, {3, 1}, {3, 0}}},
        {0, 3, 3, 0, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},  // slope -1: one pixel per column
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {0, 0, 49, 1, Row(0, 0, 49)},       // 49 x (1/49) falls just short of 1
        {0, 0, 1, 49, Column(0, 0, 49)},
        {0, 49, 1, 0, Column(1, 0, 49)},    // measured from (1, 0); (0, 49) is never set
        {-1, 0, 0, 5, Column(0, 1, 5)},     // -0.8 truncates to column 0
        {3, 5, 3, 1, Column(3, 1, 5)},
        {5, 2, 1, 2, Row(2, 1, 5)},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x0 << "," << c.y0 << " - " << c.x1 << "," << c.y1);
        CMemoryImage image(50, 50);
        EXPECT_TRUE(image.DrawLine(c.x0, c.y0, c.x1, c.y1, kInk));
        EXPECT_EQ(c.expected, Inked(image));
    }
}

TEST(HeapLine, PixelsOutsideAreDroppedOneByOneAndTopBytesCleared)
{
    CMemoryImage image(4, 4);
    EXPECT_TRUE(image.DrawLine(-5, -5, 10, 10, 0xFF000000u | kInk));
    EXPECT_EQ((PointSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}}), Inked(image));

    CMemoryImage wide(4, 4);
    EXPECT_TRUE(wide.DrawLine(-2000000, 1, 2000000, 2, kInk));  // crosses the image in row 1
    EXPECT_EQ(Row(1, 0, 3), Inked(wide));
}

TEST(HeapLine, LinesReachingTheEndsOfTheIntRangeEnd)
{
    CMemoryImage image(4, 4);
    EXPECT_TRUE(image.DrawLine(INT_MAX - 2, 0, INT_MAX, 1, kInk));
    EXPECT_TRUE(image.DrawLine(INT_MIN, INT_MIN + 3, INT_MIN + 1, INT_MIN, kInk));
    EXPECT_TRUE(image.DrawLine(INT_MAX - 1, INT_MAX - 3, INT_MAX, INT_MAX, kInk));
    EXPECT_TRUE(image.DrawLine(INT_MAX, INT_MAX - 3, INT_MAX, INT_MAX, kInk));
    EXPECT_TRUE(image.DrawLine(INT_MIN + 3, INT_MIN, INT_MIN, INT_MIN, kInk));
    EXPECT_EQ(PointSet{}, Inked(image));
}

TEST(DibLine, PenLineLeavesOutTheFinalPointAndKeepsTheColour)
{
    const LineCase cases[] = {
        {0, 0, 3, 0, {{0, 0}, {1, 0}, {2, 0}}},
        {3, 1, 0, 1, {{3, 1}, {2, 1}, {1, 1}}},
        {2, 0, 2, 3, {{2, 0}, {2, 1}, {2, 2}}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x0 << "," << c.y0 << " - " << c.x1 << "," << c.y1);
        auto image = MakeTestImage<CDibSectionImage>(5, 5);
        EXPECT_TRUE(image->DrawLine(c.x0, c.y0, c.x1, c.y1, 0xFF000000u | kInk));
        EXPECT_EQ(c.expected, Inked(*image)) << "red and blue in place, no top byte";
    }
}

template <class T>
class LineTest : public ::testing::Test {};
TYPED_TEST_SUITE(LineTest, zvx::test::ImageClasses);

TYPED_TEST(LineTest, SinglePointIsRefusedAndDrawsNothing)
{
    auto image = MakeTestImage<TypeParam>(8, 8);
    EXPECT_FALSE(image->DrawLine(5, 5, 5, 5, kInk));
    EXPECT_EQ(std::vector<Pixel>(64, 0), PixelsOf(*image));
}

}  // namespace

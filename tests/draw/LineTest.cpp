// DrawLine, DrawRect and FillRect. The heap image rasterises lines itself, truncating toward zero;
// the DIB section's GDI pen leaves out the final point and settles ties as Windows does.
#include <set>
#include <sstream>

#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;
using Points = std::set<std::pair<int, int>>;
constexpr Pixel kInk = 0x00123456;

Points Run(int fromX, int toX, int fromY, int toY, bool diagonal = false)  // a row, column or diagonal
{
    Points points;
    for (int y = fromY; y <= toY; ++y) {
        for (int x = fromX; x <= toX; ++x) points.insert({diagonal ? y : x, y});
    }
    return points;
}

// The inked points of an image; any other value but 0 is a stray write.
Points Inked(const IImage& image)
{
    Points points;
    for (int y = 0; y < image.GetHeight(); ++y) {
        for (int x = 0; x < image.GetWidth(); ++x) {
            const Pixel p = image.GetPixel(x, y);
            EXPECT_TRUE(p == kInk || p == 0) << "stray value at " << x << "," << y;
            if (p == kInk) points.insert({x, y});
        }
    }
    return points;
}

struct Line {
    int x0, y0, x1, y1;
    Points heap;
    bool straight;  // the pen's pixels are known: the heap's less the final point
};

const Line kLines[] = {
    {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}}, false},
    {0, 0, 1, 4, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 4}}, false},
    {2, 4, 3, 0, {{2, 4}, {3, 3}, {3, 2}, {3, 1}, {3, 0}}, false},
    {0, 3, 3, 0, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}, false},        // slope -1: one pixel per column
    {0, 0, 49, 1, Run(0, 49, 0, 0), false},                       // 49 x (1/49) falls just short of 1
    {0, 49, 1, 0, Run(1, 1, 0, 49), false},                       // measured from (1, 0): (0, 49) is never set
    {-1, 0, 0, 5, Run(0, 0, 1, 5), false},                        // -0.8 truncates to column 0
    {46, 0, 54, 4, {{46, 0}, {47, 0}, {48, 1}, {49, 1}}, false},  // cut at the right edge
    {48, 0, 52, 8, {{48, 0}, {48, 1}, {49, 2}, {49, 3}}, false},  // one pixel per row, out at the right
    {0, 0, 3, 0, Run(0, 3, 0, 0), true},
    {2, 3, 2, 0, Run(2, 2, 0, 3), true},
    {45, 3, 60, 3, Run(45, 49, 3, 3), true},
    {INT_MIN, 2, INT_MAX, 2, Run(0, 49, 2, 2), true},
    {INT_MIN, INT_MIN, INT_MAX, INT_MAX, Run(0, 49, 0, 49, true), false},  // slope exactly 1
    {INT_MAX - 2, 0, INT_MAX, 1, {}, false},
    {INT_MIN, INT_MIN + 3, INT_MIN + 1, INT_MIN, {}, false},
    {5, 5, 5, 5, {}, true},  // no line: refused
};

ZVX_IMAGE_TEST_SUITE(LineTest);

TYPED_TEST(LineTest, LinesSetTheirRasterisersPixelsAndNoOthers)
{
    for (const Line& l : kLines) {
        if (kIsDib<TypeParam> && !l.straight) continue;
        SCOPED_TRACE(::testing::Message() << l.x0 << "," << l.y0 << " - " << l.x1 << "," << l.y1);
        auto image = Make<TypeParam>(50, 50);
        Points expected = l.heap;
        if (kIsDib<TypeParam>) expected.erase({l.x1, l.y1});
        EXPECT_EQ(l.x0 != l.x1 || l.y0 != l.y1, image->DrawLine(l.x0, l.y0, l.x1, l.y1, 0xFF000000u | kInk));
        EXPECT_EQ(expected, Inked(*image)) << "red and blue in place, no top byte";
    }
}

// The pen's pixels, "x,y" in rows, of a DIB-section image's lines: from (20, 20) along x and along
// y, each both ways, with its ties, and lines cut by a clip region keeping the whole line's pixels.
const struct {
    int x0, y0, x1, y1;
    RECT clip;
    const char* pixels;
} kPenLines[] = {
    {20, 20, 9, 8, {0, 0, 50, 50}, "10,9 11,10 12,11 13,12 14,13 14,14 15,15 16,16 17,17 18,18 19,19 20,20"},
    {20, 20, 31, 32, {0, 0, 50, 50}, "20,20 21,21 22,22 23,23 24,24 25,25 25,26 26,27 27,28 28,29 29,30 30,31"},
    {20, 20, 8, 18, {0, 0, 50, 50}, "9,18 10,18 11,18 12,19 13,19 14,19 15,19 16,19 17,19 18,20 19,20 20,20"},
    {20, 20, 32, 22, {0, 0, 50, 50}, "20,20 21,20 22,20 23,20 24,21 25,21 26,21 27,21 28,21 29,21 30,22 31,22"},
    {-50, 3, 60, 17, {0, 0, 12, 12}, "0,9 1,9 2,10 3,10 4,10 5,10 6,10 7,10 8,10 9,11 10,11 11,11"},
    {30, 139, -7, -100, {0, 0, 12, 12}, "8,0 9,1 9,2 9,3 9,4 9,5 9,6 10,7 10,8 10,9 10,10 10,11"},
    {-1000000, -5, 1000000, -5, {0, 0, 50, 50}, ""},
    {0, 0, 30, 20, {5, 5, 15, 15}, "7,5 8,5 9,6 10,7 11,7 12,8 13,9 14,9"},
    {30, 20, 0, 0, {5, 5, 15, 15}, "7,5 8,5 9,6 10,7 11,7 12,8 13,9 14,9"},
};

TEST(LineTest, PenLinesSetThePixelsWindowsSets)
{
    for (const auto& l : kPenLines) {
        CDibSectionImage image;
        ASSERT_TRUE(image.Create(50, 50, 0));
        HRGN clip = ::CreateRectRgn(l.clip.left, l.clip.top, l.clip.right, l.clip.bottom);
        ::SelectClipRgn(image.GetDC(), clip);
        ::DeleteObject(clip);
        Points expected;
        std::istringstream in(l.pixels);
        for (int x, y; in >> x && in.ignore() >> y;) expected.insert({x, y});
        image.DrawLine(l.x0, l.y0, l.x1, l.y1, kInk);
        EXPECT_EQ(expected, Inked(image)) << l.x0 << "," << l.y0 << " - " << l.x1 << "," << l.y1;
    }
}

// Outlines and fills as pictures of a 6 x 5 image, '#' for ink: the heap image's, the DIB section's.
struct Shape {
    bool (IImage::*draw)(int, int, int, int, Pixel);
    int x0, y0, x1, y1;
    bool result;
    const char* heap;
    const char* dib;  // when it differs
};

const Shape kShapes[] = {
    {&IImage::DrawRect, 1, 1, 4, 3, true, "...... .####. .#..#. .####. ......", "...... .####. .#..#. .####. ......"},
    {&IImage::DrawRect, 1, 1, 1, 1, false, "...... ...... ...... ...... ......", "...... ...... ...... ...... ......"},
    {&IImage::DrawRect, 1, 1, 1, 4, true, "...... .#.... .#.... .#.... .#....", "...... .#.... .#.... .#.... .#...."},
    {&IImage::DrawRect, INT_MIN, INT_MIN, INT_MAX, INT_MAX, true, "...... ...... ...... ...... ......", nullptr},
    {&IImage::FillRect, 0, 0, 3, 2, true, "####.. ####.. ####.. ...... ......", "###... ###... ###... ...... ......"},
    {&IImage::FillRect, 3, 2, 0, 0, true, "####.. ####.. ####.. ...... ......", ".###.. .###.. .###.. ...... ......"},
    {&IImage::FillRect, 0, 2, 5, 2, true, "...... ...... ###### ...... ......", "...... ...... #####. ...... ......"},
    {&IImage::FillRect, 3, 3, 3, 3, false, "...... ...... ...... ...... ......", "...... ...... ...... ...... ......"},
    {&IImage::FillRect, 1, 3, 2, 9, true, "...... ...... ...... .##... .##...", "...... ...... ...... .#.... .#...."},
    {&IImage::FillRect, 0, 5, 3, 8, true, "...... ...... ...... ...... ......", "...... ...... ...... ...... ......"},
    {&IImage::FillRect, INT_MIN, 0, INT_MAX, 1, true, "###### ###### ...... ...... ......", nullptr},
    {&IImage::FillRect, 2, INT_MAX, 4, INT_MIN, true, "..###. ..###. ..###. ..###. ..###.",
     "..##.. ..##.. ..##.. ..##.. ..##.."},
};

TYPED_TEST(LineTest, OutlinesAndFillsAreTheirLines)
{
    for (const Shape& s : kShapes) {
        auto image = Make<TypeParam>(6, 5);
        EXPECT_EQ(s.result, ((*image).*s.draw)(s.x0, s.y0, s.x1, s.y1, 0xFF000000u | kInk));
        std::string picture;
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x)
                picture += "#.?"[image->GetPixel(x, y) == kInk ? 0 : image->GetPixel(x, y) == 0 ? 1 : 2];
            picture += y < 4 ? " " : "";
        }
        EXPECT_EQ(kIsDib<TypeParam> && s.dib ? s.dib : s.heap, picture)
            << s.x0 << "," << s.y0 << " - " << s.x1 << "," << s.y1;
    }
}

}  // namespace

// Coordinates at the ends of the int range: the work an operation does is bounded by what it can
// touch, on the plain classes' fast paths and on the general paths a derived class takes, and
// both leave the same pixels.
#include <climits>
#include <set>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PaintPattern;
using zvx::test::Pattern;
using zvx::test::PixelsOf;

constexpr int kWidth = 16;
constexpr int kHeight = 12;
constexpr long long kPixels = kWidth * kHeight;
constexpr Pixel kInk = 0x00ABCDEF;

// Counts the calls through which the operations below reach the image, and makes them.
template <class Base>
class Counting : public Base {
public:
    using Base::Base;
    using Base::BltTo;
    using Base::Draw;
    mutable long long setColors = 0;
    mutable long long lines = 0;
    mutable long long blits = 0;
    mutable long long draws = 0;
    mutable long long keyTests = 0;

    bool SetColor(int x, int y, Pixel c) override
    {
        ++setColors;
        return Base::SetColor(x, y, c);
    }
    bool DrawLine(int x0, int y0, int x1, int y1, Pixel color) override
    {
        ++lines;
        return Base::DrawLine(x0, y0, x1, y1, color);
    }
    bool BltTo(IImage* dest, int x, int y, int width, int height) override
    {
        ++blits;
        return Base::BltTo(dest, x, y, width, height);
    }
    bool Draw(HDC hdc, int x, int y) override
    {
        ++draws;
        return Base::Draw(hdc, x, y);
    }
    bool Draw(HDC hdc, int x, int y, int width, int height) override
    {
        ++draws;
        return Base::Draw(hdc, x, y, width, height);
    }
    bool IsKeyColor(int x, int y) const override
    {
        ++keyTests;
        return Base::IsKeyColor(x, y);
    }
};

template <class T>
class BoundedWorkTest : public ::testing::Test {};
TYPED_TEST_SUITE(BoundedWorkTest, zvx::test::ImageClasses);

using Shape = bool (IImage::*)(int, int, int, int, Pixel);

struct ShapeCase {
    const char* what;
    Shape shape;
    int x0, y0, x1, y1;
};

const ShapeCase kShapes[] = {
    {"fill", &IImage::FillRect, 2, INT_MIN, 9, INT_MAX},
    {"fill upwards", &IImage::FillRect, 9, INT_MAX, 2, INT_MIN},
    {"fill everything", &IImage::FillRect, INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    {"fill below", &IImage::FillRect, 0, kHeight, 5, INT_MAX},
    {"fill above", &IImage::FillRect, 5, -1, 0, INT_MIN},
    {"outline", &IImage::DrawRect, INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    {"outline crossing", &IImage::DrawRect, 3, INT_MIN, INT_MAX, 7},
    {"row", &IImage::DrawLine, INT_MIN, 5, INT_MAX, 5},
    {"column", &IImage::DrawLine, 4, INT_MAX, 4, INT_MIN},
    {"diagonal", &IImage::DrawLine, INT_MIN, INT_MIN, INT_MAX, INT_MAX},
    {"anti-diagonal", &IImage::DrawLine, INT_MIN, INT_MAX, INT_MAX, INT_MIN},
    {"shallow", &IImage::DrawLine, INT_MIN, 3, INT_MAX, 9},
    {"steep down", &IImage::DrawLine, 3, INT_MIN, 12, INT_MAX},
    {"steep up", &IImage::DrawLine, 3, INT_MAX, 12, INT_MIN},
};

TYPED_TEST(BoundedWorkTest, ShapesAcrossTheIntRangeCostNoMoreThanTheImage)
{
    for (const ShapeCase& c : kShapes) {
        SCOPED_TRACE(c.what);
        auto plain = MakeTestImage<TypeParam>(kWidth, kHeight, 0x10);
        auto counting = MakeTestImage<Counting<TypeParam>>(kWidth, kHeight, 0x10);
        IImage& general = *counting;

        EXPECT_TRUE(((*plain).*c.shape)(c.x0, c.y0, c.x1, c.y1, kInk));
        EXPECT_TRUE((general.*c.shape)(c.x0, c.y0, c.x1, c.y1, kInk));
        EXPECT_EQ(PixelsOf(*plain), PixelsOf(*counting));
        EXPECT_LE(counting->lines, kHeight) << "a line counts itself";
        EXPECT_LE(counting->setColors, kPixels);
    }
}

TYPED_TEST(BoundedWorkTest, FillVisitsOnlyTheRowsInsideAndFillsThemAll)
{
    auto image = MakeTestImage<Counting<TypeParam>>(kWidth, kHeight);
    EXPECT_TRUE(image->FillRect(2, INT_MIN, 9, INT_MAX, kInk));
    EXPECT_EQ(kHeight, image->lines);
    // The heap image fills columns 2 to 9, one SetColor each; the pen stops short of column 9.
    const bool pen = std::is_same_v<TypeParam, CDibSectionImage>;
    EXPECT_EQ(pen ? 0 : kHeight * 8, image->setColors);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool inked = x >= 2 && x <= (pen ? 8 : 9);
            ASSERT_EQ(inked ? kInk : 0u, image->GetPixel(x, y)) << x << "," << y;
        }
    }
}

// Answers false for every line, as no line should: FillRect's result then shows which rows it
// asked for and which it counted without asking.
template <class Base>
class RefusingLines : public Base {
public:
    using Base::Base;
    bool DrawLine(int, int, int, int, Pixel) override { return false; }
};

TYPED_TEST(BoundedWorkTest, FillCountsARowOutsideAsTheTrueOfALineWithTwoEndPoints)
{
    auto image = MakeTestImage<RefusingLines<TypeParam>>(kWidth, kHeight);
    EXPECT_FALSE(image->FillRect(0, 0, 5, kHeight - 1, kInk)) << "every row asked";
    EXPECT_TRUE(image->FillRect(0, 0, 5, kHeight, kInk)) << "row 12 lies outside";
    EXPECT_TRUE(image->FillRect(0, -1, 5, INT_MIN, kInk)) << "every row outside";
}

// A rectangle of copies of a w x h image from (x, y), as wide and high as asked, over a
// kWidth x kHeight destination.
struct TileCase {
    int imageWidth, imageHeight;
    int x, y, width, height;
};

const TileCase kTilings[] = {
    {1, 1, 0, 0, INT_MAX, INT_MAX},
    {3, 5, 0, 0, INT_MAX, INT_MAX},
    {3, 5, INT_MIN / 2 + 1, INT_MIN / 2 + 3, INT_MAX, INT_MAX},
    {3, 5, 5, 4, INT_MAX, 3},
    {3, 5, -7, -4, 12, 9},
    {2, 3, -INT_MAX, 5, INT_MAX, INT_MAX},  // ends exactly at 0
    {2, 3, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
};

long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// What tiling leaves on a kWidth x kHeight destination filled with 0x77, where only the box can
// change, given the pixel an image pixel leaves there; and how many copies touch the box.
template <class Result>
std::vector<Pixel> Tiled(const TileCase& c, const RECT& box, Result&& result, long long& copies)
{
    const long long right = static_cast<long long>(c.x) + c.width;
    const long long bottom = static_cast<long long>(c.y) + c.height;
    std::vector<Pixel> pixels(kPixels, 0x77);
    std::set<std::pair<long long, long long>> touched;
    for (int dy = box.top; dy < box.bottom; ++dy) {
        for (int dx = box.left; dx < box.right; ++dx) {
            if (dx < c.x || dx >= right || dy < c.y || dy >= bottom) continue;
            const long long column = FloorDiv(dx - static_cast<long long>(c.x), c.imageWidth);
            const long long row = FloorDiv(dy - static_cast<long long>(c.y), c.imageHeight);
            pixels[static_cast<std::size_t>(dy * kWidth + dx)] =
                result(static_cast<int>(dx - c.x - column * c.imageWidth),
                       static_cast<int>(dy - c.y - row * c.imageHeight));
            touched.emplace(column, row);
        }
    }
    copies = static_cast<long long>(touched.size());
    return pixels;
}

const RECT kWhole{0, 0, kWidth, kHeight};

#define TILE_TRACE(c)                                                                           \
    SCOPED_TRACE(::testing::Message() << (c).imageWidth << "x" << (c).imageHeight << " at "     \
                                      << (c).x << "," << (c).y << " over " << (c).width << "x" \
                                      << (c).height)

TYPED_TEST(BoundedWorkTest, TileToVisitsExactlyTheCopiesThatTouchTheDestination)
{
    for (const TileCase& c : kTilings) {
        TILE_TRACE(c);
        auto plain = MakeTestImage<TypeParam>(c.imageWidth, c.imageHeight);
        auto counting = MakeTestImage<Counting<TypeParam>>(c.imageWidth, c.imageHeight);
        PaintPattern(*plain);
        PaintPattern(*counting);
        auto plainDest = MakeTestImage<TypeParam>(kWidth, kHeight, 0x77);
        auto dest = MakeTestImage<TypeParam>(kWidth, kHeight, 0x77);
        long long copies = 0;
        const auto expected =
            Tiled(c, kWhole, [](int sx, int sy) { return Pattern(sx, sy) & 0xFFFFFFu; }, copies);

        EXPECT_TRUE(plain->TileTo(plainDest.get(), c.x, c.y, c.width, c.height));
        EXPECT_TRUE(counting->TileTo(dest.get(), c.x, c.y, c.width, c.height));
        EXPECT_EQ(expected, PixelsOf(*plainDest));
        EXPECT_EQ(expected, PixelsOf(*dest));
        EXPECT_EQ(copies, counting->blits);

        counting->blits = 0;
        EXPECT_TRUE(counting->TileTo(nullptr, c.x, c.y, c.width, c.height));
        EXPECT_EQ(0, counting->blits) << "no destination, nothing to touch";
    }
}

// The device the copies go to: a DIB-section image's memory DC, clipped to a box.
struct Canvas {
    CDibSectionImage image;
    explicit Canvas(const RECT& clip = kWhole)
    {
        EXPECT_TRUE(image.Create(kWidth, kHeight, 0x77));
        HRGN region = ::CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
        ::SelectClipRgn(image.GetDC(), region);
        ::DeleteObject(region);
    }
};

TYPED_TEST(BoundedWorkTest, DrawTiledVisitsExactlyTheCopiesThatReachTheClipBox)
{
    // The heap image first selects a clip region of the rectangle, replacing the DC's own; the
    // DIB-section image keeps the DC's clip region.
    const bool keepsClip = std::is_same_v<TypeParam, CDibSectionImage>;
    for (const TileCase& c : kTilings) {
        for (const RECT& clip : {kWhole, RECT{4, 3, 11, 8}}) {
            TILE_TRACE(c);
            SCOPED_TRACE(::testing::Message() << "clip " << clip.left << "," << clip.top);
            auto plain = MakeTestImage<TypeParam>(c.imageWidth, c.imageHeight);
            auto counting = MakeTestImage<Counting<TypeParam>>(c.imageWidth, c.imageHeight);
            PaintPattern(*plain);
            PaintPattern(*counting);
            Canvas plainCanvas(clip);
            Canvas canvas(clip);
            long long copies = 0;
            const auto expected = Tiled(c, keepsClip ? clip : kWhole, Pattern, copies);

            EXPECT_TRUE(plain->DrawTiled(plainCanvas.image.GetDC(), c.x, c.y, c.width, c.height));
            EXPECT_TRUE(counting->DrawTiled(canvas.image.GetDC(), c.x, c.y, c.width, c.height));
            EXPECT_EQ(expected, PixelsOf(plainCanvas.image));
            EXPECT_EQ(expected, PixelsOf(canvas.image));
            EXPECT_EQ(copies, counting->draws);
        }
    }
    auto counting = MakeTestImage<Counting<TypeParam>>(1, 1);
    EXPECT_TRUE(counting->DrawTiled(nullptr, 0, 0, INT_MAX, INT_MAX));
    EXPECT_EQ(0, counting->draws) << "no DC, nothing to touch";
}

TYPED_TEST(BoundedWorkTest, DrawsAndRowsAtTheEndsOfTheIntRangeCostNoMoreThanTheirPixels)
{
    const int ends[] = {INT_MIN, INT_MIN + 1, INT_MAX - 1, INT_MAX};
    auto image = MakeTestImage<Counting<TypeParam>>(3, 2);
    PaintPattern(*image);
    image->SetColorKey(Pattern(1, 1) & 0xFFFFFFu);  // the per-pixel routes
    Canvas canvas;
    const auto before = PixelsOf(canvas.image);
    for (const int a : ends) {
        for (const int b : {a, 0}) {
            image->keyTests = 0;
            EXPECT_TRUE(image->Draw(canvas.image.GetDC(), a, b));
            EXPECT_TRUE(image->Draw(canvas.image.GetDC(), b, a, INT_MAX, INT_MAX));
            EXPECT_TRUE(image->DrawBlend(canvas.image.GetDC(), a, b, 0.5));
            EXPECT_EQ(3 * 6, image->keyTests) << "one key test per pixel of the image and call";
        }
    }
    EXPECT_EQ(before, PixelsOf(canvas.image));

    // 24-bit rows: only the block's overlap with the image is read and written.
    const std::vector<BYTE> rows(3 * kWidth, 0x5A);
    auto target = MakeTestImage<Counting<TypeParam>>(kWidth, kHeight);
    auto plainTarget = MakeTestImage<TypeParam>(kWidth, kHeight);
    for (const int a : ends) {
        EXPECT_FALSE(target->SetRows24(a, a, 2, 2, rows.data()));
        EXPECT_FALSE(target->SetRows24(0, a, 2, 2, rows.data()));
    }
    EXPECT_EQ(0, target->setColors);
    EXPECT_TRUE(target->SetRows24(0, 0, INT_MAX / 3, 1, rows.data())) << "one row, 2^31 bytes long";
    EXPECT_TRUE(plainTarget->SetRows24(0, 0, INT_MAX / 3, 1, rows.data()));
    EXPECT_EQ(kWidth, target->setColors);
    EXPECT_EQ(PixelsOf(*plainTarget), PixelsOf(*target));
    EXPECT_EQ(0x005A5A5Au, target->GetPixel(kWidth - 1, 0));
}

}  // namespace

#include <climits>
#include <cmath>
#include <limits>
#include <tuple>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::Paint;
using zvx::test::PaintPattern;
using zvx::test::Pattern;
using zvx::test::PixelsOf;

Pixel Rgb(Pixel r, Pixel g, Pixel b) { return r << 16 | g << 8 | b; }

// The device the images are drawn onto: a DIB-section image's memory DC, read back directly.
class Canvas {
public:
    Canvas(int width, int height, Pixel fill)
    {
        EXPECT_TRUE(m_image.Create(width, height, fill));
    }
    HDC dc() { return m_image.GetDC(); }
    const IImage& image() const { return m_image; }
    std::vector<Pixel> pixels() const { return PixelsOf(m_image); }

private:
    CDibSectionImage m_image;
};

// What drawing the top-left part of an image at (x, y) leaves on the canvas: whole words
// without a key; with one, key pixels skipped and the others without top byte.
std::vector<Pixel> Expected(const IImage& image, int partWidth, int partHeight,
                            const Canvas& canvas, int x, int y)
{
    std::vector<Pixel> out = canvas.pixels();
    const IImage& c = canvas.image();
    const ColorKey key = image.GetColorKey();
    for (int cy = 0; cy < c.GetHeight(); ++cy) {
        for (int cx = 0; cx < c.GetWidth(); ++cx) {
            const int sx = cx - x;
            const int sy = cy - y;
            if (sx < 0 || sy < 0 || sx >= partWidth || sy >= partHeight) continue;
            const Pixel p = image.GetPixel(sx, sy);
            if (key == COLORKEY_NONE) {
                out[cy * c.GetWidth() + cx] = p;
            } else if ((p & 0xFFFFFFu) != static_cast<Pixel>(key)) {
                out[cy * c.GetWidth() + cx] = p & 0xFFFFFFu;
            }
        }
    }
    return out;
}

// Counts the per-pixel reads and records the draws that an image makes of itself.
template <class Base>
class DrawSpy : public Base {
public:
    using Base::Base;
    using Base::Draw;
    mutable int pixelReads = 0;
    std::vector<std::tuple<int, int>> wholeDraws;
    std::vector<std::tuple<int, int, int, int>> partDraws;

    Pixel GetPixel(int x, int y) const override
    {
        ++pixelReads;
        return Base::GetPixel(x, y);
    }
    bool IsKeyColor(int x, int y) const override
    {
        ++pixelReads;
        return Base::IsKeyColor(x, y);
    }
    bool Draw(HDC hdc, int x, int y) override
    {
        wholeDraws.emplace_back(x, y);
        return Base::Draw(hdc, x, y);
    }
    bool Draw(HDC hdc, int x, int y, int w, int h) override
    {
        partDraws.emplace_back(x, y, w, h);
        return Base::Draw(hdc, x, y, w, h);
    }
};

template <class T>
class DrawTest : public ::testing::Test {};
TYPED_TEST_SUITE(DrawTest, zvx::test::ImageClasses);

TYPED_TEST(DrawTest, WithoutKeyTheWholeImageGoesInOneTransferOfWholeWords)
{
    const int positions[][2] = {{0, 0}, {1, 2}, {-2, -1}, {4, 0}, {-3, 0}};
    for (const auto& at : positions) {
        SCOPED_TRACE(::testing::Message() << at[0] << "," << at[1]);
        auto image = MakeTestImage<DrawSpy<TypeParam>>(3, 2);
        PaintPattern(*image);
        Canvas canvas(5, 4, 0x11);
        const auto expected = Expected(*image, 3, 2, canvas, at[0], at[1]);
        image->pixelReads = 0;

        EXPECT_TRUE(image->Draw(canvas.dc(), at[0], at[1]));
        EXPECT_EQ(expected, canvas.pixels());
        EXPECT_EQ(0, image->pixelReads);
    }
    auto image = MakeTestImage<TypeParam>(3, 2);
    EXPECT_TRUE(image->Draw(nullptr, 0, 0)) << "GDI's answer is not examined";
}

TYPED_TEST(DrawTest, WithKeyTheCanvasKeepsItsPixelUnderEveryKeyColouredPixel)
{
    auto image = MakeTestImage<TypeParam>(3, 2);
    PaintPattern(*image);
    image->SetPixel(0, 0, 0xFFFFFFFF);  // the key colour with a top byte
    image->SetPixel(2, 1, 0x00FFFFFF);
    image->SetColorKey(0xFFFFFF);
    Canvas canvas(5, 4, 0x42);
    const auto expected = Expected(*image, 3, 2, canvas, 1, 1);

    EXPECT_TRUE(image->Draw(canvas.dc(), 1, 1));
    EXPECT_EQ(expected, canvas.pixels());
    EXPECT_EQ(0x42u, canvas.image().GetPixel(1, 1));
    EXPECT_EQ(Pattern(1, 0) & 0xFFFFFFu, canvas.image().GetPixel(2, 1)) << "no top byte via GDI";
}

TYPED_TEST(DrawTest, PartIsTheTopLeftBlockLimitedToTheImage)
{
    for (const bool withKey : {false, true}) {
        SCOPED_TRACE(withKey ? "keyed" : "no key");
        auto image = MakeTestImage<TypeParam>(4, 3);
        PaintPattern(*image);
        if (withKey) image->SetColorKey(Pattern(1, 0) & 0xFFFFFFu);

        Canvas untouched(6, 5, 0x9);
        EXPECT_FALSE(image->Draw(untouched.dc(), 0, 0, 0, 5));
        EXPECT_FALSE(image->Draw(untouched.dc(), 0, 0, 5, -1));
        EXPECT_EQ(std::vector<Pixel>(30, 0x9), untouched.pixels());

        Canvas part(6, 5, 0x9);
        const auto expectedPart = Expected(*image, 2, 1, part, 1, 2);
        EXPECT_TRUE(image->Draw(part.dc(), 1, 2, 2, 1));
        EXPECT_EQ(expectedPart, part.pixels());

        Canvas whole(6, 5, 0x9);
        const auto expectedWhole = Expected(*image, 4, 3, whole, 1, 1);
        EXPECT_TRUE(image->Draw(whole.dc(), 1, 1, 500, 500));
        EXPECT_EQ(expectedWhole, whole.pixels());
    }
}

TYPED_TEST(DrawTest, PositionsAtTheEndsOfTheIntRangeDrawNothingAndDoNotOverflow)
{
    auto image = MakeTestImage<TypeParam>(3, 2, 0x445566);
    image->SetColorKey(0x010101);  // the per-pixel routes
    Canvas canvas(4, 4, 0x7);
    for (const int at : {INT_MAX - 1, INT_MAX, INT_MIN}) {
        EXPECT_TRUE(image->Draw(canvas.dc(), at, at));
        EXPECT_TRUE(image->Draw(canvas.dc(), at, 0, 3, 2));
        EXPECT_TRUE(image->DrawBlend(canvas.dc(), 0, at, 0.5));
        EXPECT_TRUE(image->DrawBlend(canvas.dc(), at, at, 0.5));
    }
    EXPECT_EQ(std::vector<Pixel>(16, 0x7), canvas.pixels());
}

// ---- DrawTiled ----------------------------------------------------------------------------

TYPED_TEST(DrawTest, TiledRectangleMustHaveSizeAndReachZero)
{
    auto image = MakeTestImage<TypeParam>(4, 4, 0x5);
    Canvas canvas(4, 4, 0);
    EXPECT_TRUE(image->DrawTiled(canvas.dc(), -10, 0, 10, 4)) << "ends exactly at 0";
    EXPECT_FALSE(image->DrawTiled(canvas.dc(), -11, 0, 10, 4));
    EXPECT_FALSE(image->DrawTiled(canvas.dc(), 0, -11, 4, 10));
    EXPECT_FALSE(image->DrawTiled(canvas.dc(), 0, 0, 0, 4));
    EXPECT_FALSE(image->DrawTiled(canvas.dc(), 0, 0, 4, 0));
    EXPECT_FALSE(image->DrawTiled(canvas.dc(), INT_MIN, 0, 100, 4));
    EXPECT_EQ(std::vector<Pixel>(16, 0), canvas.pixels());
}

// Copies at (x, y), (x + 4, y), (x, y + 4) and (x + 4, y + 4) of a 4 x 4 image cover a 6 x 6
// rectangle; nothing outside it changes.
void ExpectTiledRectangle(Canvas& canvas, const IImage& image, int x, int y)
{
    const IImage& c = canvas.image();
    for (int cy = 0; cy < c.GetHeight(); ++cy) {
        for (int cx = 0; cx < c.GetWidth(); ++cx) {
            const bool inside = cx >= x && cx < x + 6 && cy >= y && cy < y + 6;
            const Pixel expected = inside ? image.GetPixel((cx - x) % 4, (cy - y) % 4) : 0x77u;
            EXPECT_EQ(expected, c.GetPixel(cx, cy)) << cx << "," << cy;
        }
    }
}

TEST(DrawTiled, HeapImageDrawsWholeCopiesUnderAClipThatStaysSelected)
{
    auto image = MakeTestImage<DrawSpy<CMemoryImage>>(4, 4);
    PaintPattern(*image);
    Canvas canvas(9, 9, 0x77);

    EXPECT_TRUE(image->DrawTiled(canvas.dc(), 1, 2, 6, 6));
    using P = std::tuple<int, int>;
    EXPECT_EQ((std::vector<P>{P{1, 2}, P{5, 2}, P{1, 6}, P{5, 6}}), image->wholeDraws);
    EXPECT_TRUE(image->partDraws.empty());
    ExpectTiledRectangle(canvas, *image, 1, 2);

    // The DC is still clipped to the rectangle: a later draw over everything shows only there.
    auto white = MakeTestImage<CMemoryImage>(9, 9, 0xFFFFFF);
    white->Draw(canvas.dc(), 0, 0);
    EXPECT_EQ(0x77u, canvas.image().GetPixel(0, 0));
    EXPECT_EQ(0x77u, canvas.image().GetPixel(7, 8));
    EXPECT_EQ(0xFFFFFFu, canvas.image().GetPixel(1, 2));
    EXPECT_EQ(0xFFFFFFu, canvas.image().GetPixel(6, 7));
}

TEST(DrawTiled, DibImageDrawsTrimmedCopiesAndLeavesTheClipAlone)
{
    auto image = MakeTestImage<DrawSpy<CDibSectionImage>>(4, 4);
    PaintPattern(*image);
    Canvas canvas(9, 9, 0x77);

    EXPECT_TRUE(image->DrawTiled(canvas.dc(), 1, 2, 6, 6));
    using P = std::tuple<int, int, int, int>;
    EXPECT_EQ((std::vector<P>{P{1, 2, 4, 4}, P{5, 2, 2, 4}, P{1, 6, 4, 2}, P{5, 6, 2, 2}}),
              image->partDraws);
    EXPECT_TRUE(image->wholeDraws.empty());
    ExpectTiledRectangle(canvas, *image, 1, 2);

    auto white = MakeTestImage<CMemoryImage>(9, 9, 0xFFFFFF);
    white->Draw(canvas.dc(), 0, 0);
    EXPECT_EQ(std::vector<Pixel>(81, 0xFFFFFF), canvas.pixels());
}

// An image that claims to have no columns: tiling has no step forward and must stop.
template <class Base>
class NoColumns : public Base {
public:
    using Base::Base;
    int GetWidth() const override { return 0; }
};

TYPED_TEST(DrawTest, TilingAnImageWithoutPixelsIsRefused)
{
    auto image = MakeTestImage<NoColumns<TypeParam>>(4, 4);
    Canvas canvas(4, 4, 0x3);
    EXPECT_FALSE(image->DrawTiled(canvas.dc(), 0, 0, 4, 4));
    CMemoryImage empty(0, 0);
    EXPECT_FALSE(empty.DrawTiled(canvas.dc(), 0, 0, 4, 4));
    EXPECT_EQ(std::vector<Pixel>(16, 0x3), canvas.pixels());
}

// ---- DrawBlend ----------------------------------------------------------------------------

TYPED_TEST(DrawTest, BlendRefusesNonPositiveAndNanAlpha)
{
    auto image = MakeTestImage<TypeParam>(2, 2, 0xFFFFFF);
    Canvas canvas(2, 2, 0x10);
    for (const double alpha : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(image->DrawBlend(canvas.dc(), 0, 0, alpha)) << alpha;
    }
    EXPECT_EQ(std::vector<Pixel>(4, 0x10), canvas.pixels());
}

TYPED_TEST(DrawTest, BlendAtFullOpacityIsDraw)
{
    auto image = MakeTestImage<TypeParam>(3, 2);
    PaintPattern(*image);
    for (const double alpha : {1.0, 3.5}) {
        Canvas viaBlend(4, 4, 0x10);
        Canvas viaDraw(4, 4, 0x10);
        EXPECT_TRUE(image->DrawBlend(viaBlend.dc(), 1, 1, alpha));
        image->Draw(viaDraw.dc(), 1, 1);
        EXPECT_EQ(viaDraw.pixels(), viaBlend.pixels());
    }
}

TYPED_TEST(DrawTest, BlendTruncatesEachChannelAndSkipsKeyPixels)
{
    auto image = MakeTestImage<TypeParam>(3, 1);
    image->SetPixel(0, 0, 0xFF000000u | Rgb(255, 0, 200));
    image->SetPixel(1, 0, Rgb(255, 255, 255));
    image->SetPixel(2, 0, Rgb(1, 2, 3));
    image->SetColorKey(Rgb(1, 2, 3));
    Canvas canvas(3, 1, 0);
    // Under pixel 0: red 0, green 255, blue 100. Under pixel 1: black.
    auto under = MakeTestImage<CMemoryImage>(1, 1, Rgb(0, 255, 100));
    under->Draw(canvas.dc(), 0, 0);
    auto keyUnder = MakeTestImage<CMemoryImage>(1, 1, 0xAB010203);
    keyUnder->Draw(canvas.dc(), 2, 0);

    EXPECT_TRUE(image->DrawBlend(canvas.dc(), 0, 0, 0.7));
    EXPECT_EQ(Rgb(178, 76, 170), canvas.image().GetPixel(0, 0));
    EXPECT_EQ(Rgb(178, 178, 178), canvas.image().GetPixel(1, 0));
    EXPECT_EQ(0xAB010203u, canvas.image().GetPixel(2, 0)) << "key pixel left alone";

    Canvas black(1, 1, 0);
    auto white = MakeTestImage<TypeParam>(1, 1, 0xFFFFFF);
    EXPECT_TRUE(white->DrawBlend(black.dc(), 0, 0, 0.5));
    EXPECT_EQ(Rgb(127, 127, 127), black.image().GetPixel(0, 0));
}

TYPED_TEST(DrawTest, BlendOfSameValuesDropsFortyOneAtPointThreeAndNoneAtHalfOrPointSeven)
{
    auto image = MakeTestImage<TypeParam>(256, 1);
    Paint(*image, [](int x, int) { return Rgb(x, x, x); });
    for (const auto& [alpha, drops] : {std::pair{0.3, 41}, std::pair{0.5, 0}, std::pair{0.7, 0}}) {
        SCOPED_TRACE(alpha);
        Canvas canvas(256, 1, 0);
        image->Draw(canvas.dc(), 0, 0);
        EXPECT_TRUE(image->DrawBlend(canvas.dc(), 0, 0, alpha));
        int dropped = 0;
        for (int v = 0; v < 256; ++v) {
            const Pixel p = canvas.image().GetPixel(v, 0);
            const int red = static_cast<int>(p >> 16);
            EXPECT_TRUE(red == v || red == v - 1) << v;
            EXPECT_EQ(Rgb(red, red, red), p);
            if (red != v) ++dropped;
        }
        EXPECT_EQ(drops, dropped);
    }
}

}  // namespace

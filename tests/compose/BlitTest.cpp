#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "support/LegacyKit.h"

namespace {

using zvx::test::MakeTestImage;
using zvx::test::PaintPattern;
using zvx::test::Pattern;
using zvx::test::PixelsOf;

constexpr Pixel kKey = 0x00ABCDEF;

// A 3 x 2 pattern; with withKey, its key is kKey and two pixels show it, one with a top byte.
template <class T>
std::unique_ptr<T> MakeSource(bool withKey)
{
    auto src = MakeTestImage<T>(3, 2);
    PaintPattern(*src);
    if (withKey) {
        src->SetColorKey(kKey);
        src->SetPixel(1, 0, 0xFF000000u | kKey);
        src->SetPixel(0, 1, kKey);
    }
    return src;
}

// What a blit of src's top-left partWidth x partHeight block at (x, y) leaves in dest, worked
// out per destination pixel: the source pixel over it, if any, unless it shows the key.
std::vector<Pixel> Expected(const IImage& src, long long partWidth, long long partHeight,
                            const IImage& dest, long long x, long long y, bool clearTopByte)
{
    std::vector<Pixel> out = PixelsOf(dest);
    const ColorKey key = src.GetColorKey();
    for (long long dy = 0; dy < dest.GetHeight(); ++dy) {
        for (long long dx = 0; dx < dest.GetWidth(); ++dx) {
            const long long sx = dx - x;
            const long long sy = dy - y;
            if (sx < 0 || sy < 0 || sx >= partWidth || sy >= partHeight) continue;
            const Pixel p = src.GetPixel(static_cast<int>(sx), static_cast<int>(sy));
            if (key != COLORKEY_NONE && (p & 0xFFFFFFu) == static_cast<Pixel>(key)) continue;
            out[static_cast<std::size_t>(dy * dest.GetWidth() + dx)] =
                clearTopByte ? (p & 0xFFFFFFu) : p;
        }
    }
    return out;
}

bool Overlaps(const IImage& src, const IImage& dest, long long x, long long y)
{
    return x > -src.GetWidth() && y > -src.GetHeight() && x < dest.GetWidth() &&
           y < dest.GetHeight();
}

const int kXs[] = {INT_MIN, INT_MIN + 1, -4, -3, -2, -1, 0, 1, 2, 3, 4, INT_MAX - 1, INT_MAX};
const int kYs[] = {INT_MIN, -2, -1, 0, 1, 2, 3, INT_MAX};

template <class T>
class BlitTest : public ::testing::Test {};
TYPED_TEST_SUITE(BlitTest, zvx::test::ImageClasses);

TYPED_TEST(BlitTest, PixelBufferAndImageRoutesPlaceClipAndKeyAsTheRulesSay)
{
    for (const bool withKey : {false, true}) {
        auto src = MakeSource<TypeParam>(withKey);
        for (const int x : kXs) {
            for (const int y : kYs) {
                SCOPED_TRACE(::testing::Message() << "x " << x << " y " << y << " key " << withKey);
                auto viaPixels = MakeTestImage<TypeParam>(4, 3, 0x11111111);
                auto viaImage = MakeTestImage<TypeParam>(4, 3, 0x22222222);
                const auto expectPixels = Expected(*src, 3, 2, *viaPixels, x, y, false);
                // Without a key the plain route copies colours; keyed, both copy whole words.
                const auto expectImage = Expected(*src, 3, 2, *viaImage, x, y, !withKey);

                EXPECT_EQ(Overlaps(*src, *viaPixels, x, y),
                          src->BltTo(static_cast<IPixelBuffer*>(viaPixels.get()), x, y));
                EXPECT_EQ(expectPixels, PixelsOf(*viaPixels));
                EXPECT_EQ(Overlaps(*src, *viaImage, x, y),
                          src->BltTo(static_cast<IImage*>(viaImage.get()), x, y));
                EXPECT_EQ(expectImage, PixelsOf(*viaImage));
            }
        }
    }
}

TYPED_TEST(BlitTest, SizedRouteTestsTheWholeImageThenThePartAndClampsThePart)
{
    const int sizes[][2] = {{1, 1}, {2, 5}, {50, 50}, {0, 1}, {1, 0}, {-3, 2},
                            {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}};
    for (const bool withKey : {false, true}) {
        auto src = MakeSource<TypeParam>(withKey);
        for (const auto& size : sizes) {
            for (const int x : kXs) {
                for (const int y : kYs) {
                    SCOPED_TRACE(::testing::Message() << "x " << x << " y " << y << " part "
                                                      << size[0] << "x" << size[1]);
                    auto dest = MakeTestImage<TypeParam>(4, 3, 0x33333333);
                    const bool accepted =
                        Overlaps(*src, *dest, x, y) && size[0] >= 1 && size[1] >= 1;
                    const auto expected =
                        accepted ? Expected(*src, std::min(size[0], 3), std::min(size[1], 2), *dest,
                                            x, y, !withKey)
                                 : PixelsOf(*dest);
                    EXPECT_EQ(accepted, src->BltTo(dest.get(), x, y, size[0], size[1]));
                    EXPECT_EQ(expected, PixelsOf(*dest));
                }
            }
        }
    }
}

TYPED_TEST(BlitTest, EmptyDestinationAcceptsOnlyNegativeOffsetsAndStaysEmpty)
{
    auto src = MakeSource<TypeParam>(false);
    CMemoryImage empty(0, 0);
    EXPECT_TRUE(src->BltTo(static_cast<IPixelBuffer*>(&empty), -1, -1));
    EXPECT_TRUE(src->BltTo(static_cast<IImage*>(&empty), -1, -1));
    EXPECT_TRUE(src->BltTo(&empty, -1, -1, 2, 2));
    EXPECT_FALSE(src->BltTo(static_cast<IImage*>(&empty), 0, -1));
    EXPECT_EQ(0, empty.GetWidth());
}

TYPED_TEST(BlitTest, NullDestinationIsRefusedByEveryOverload)
{
    auto src = MakeSource<TypeParam>(false);
    EXPECT_FALSE(src->BltTo(static_cast<IImage*>(nullptr), 0, 0));
    EXPECT_FALSE(src->BltTo(static_cast<IImage*>(nullptr), 0, 0, 1, 1));
    EXPECT_FALSE(src->BltTo(static_cast<IPixelBuffer*>(nullptr), 0, 0));
    EXPECT_FALSE(src->BltTo(static_cast<IGdiImage*>(nullptr), 0, 0));
    EXPECT_FALSE(src->BltTo(static_cast<IDibImage*>(nullptr), 0, 0));
}

// ---- the GDI routes: onto a DIB-section image's memory DC -----------------------------------

TYPED_TEST(BlitTest, GdiRouteDrawsWholeWordsWithoutKeyAndColoursWithKey)
{
    for (const bool withKey : {false, true}) {
        SCOPED_TRACE(withKey ? "keyed" : "no key");
        auto src = MakeSource<TypeParam>(withKey);
        CDibSectionImage dest;
        ASSERT_TRUE(dest.Create(4, 3, 0x77));
        // Keyed, Draw sets pixels through GDI one by one, which carries no top byte.
        const auto expected = Expected(*src, 3, 2, dest, 1, 1, withKey);
        EXPECT_TRUE(src->BltTo(static_cast<IGdiImage*>(&dest), 1, 1));
        EXPECT_EQ(expected, PixelsOf(dest));
    }
}

TYPED_TEST(BlitTest, GdiRoutesSucceedWhollyOutsideTheDestinationAndChangeNothing)
{
    auto src = MakeSource<TypeParam>(false);
    CDibSectionImage dest;
    ASSERT_TRUE(dest.Create(4, 3, 0x77));
    EXPECT_TRUE(src->BltTo(static_cast<IGdiImage*>(&dest), 4, 0));
    EXPECT_TRUE(src->BltTo(static_cast<IDibImage*>(&dest), -3, 0));
    EXPECT_TRUE(src->BltTo(static_cast<IDibImage*>(&dest), 0, 100));
    EXPECT_EQ(std::vector<Pixel>(12, 0x77), PixelsOf(dest));
}

TYPED_TEST(BlitTest, DibRouteWithKeyIsThePixelBufferRoute)
{
    auto src = MakeSource<TypeParam>(true);
    for (const int x : {-3, -2, 0, 2, 3, 4}) {
        SCOPED_TRACE(x);
        CDibSectionImage viaDib;
        CDibSectionImage viaPixels;
        ASSERT_TRUE(viaDib.Create(4, 3, 0x5));
        ASSERT_TRUE(viaPixels.Create(4, 3, 0x5));
        EXPECT_EQ(src->BltTo(static_cast<IPixelBuffer*>(&viaPixels), x, 1),
                  src->BltTo(static_cast<IDibImage*>(&viaDib), x, 1));
        EXPECT_EQ(PixelsOf(viaPixels), PixelsOf(viaDib));
    }
}

// ---- which overload a concrete argument reaches ---------------------------------------------

template <class Base>
class RouteRecorder : public Base {
public:
    using Base::Base;
    std::string route;

    bool BltTo(IImage* d, int x, int y, int w, int h) override
    {
        route = "sized";
        return Base::BltTo(d, x, y, w, h);
    }
    bool BltTo(IDibImage* d, int x, int y) override
    {
        route = "IDibImage";
        return Base::BltTo(d, x, y);
    }
    bool BltTo(IGdiImage* d, int x, int y) override
    {
        route = "IGdiImage";
        return Base::BltTo(d, x, y);
    }
    bool BltTo(IPixelBuffer* d, int x, int y) override
    {
        route = "IPixelBuffer";
        return Base::BltTo(d, x, y);
    }
    bool BltTo(IImage* d, int x, int y) override
    {
        route = "IImage";
        return Base::BltTo(d, x, y);
    }
};

TYPED_TEST(BlitTest, ConcreteDestinationsReachTheirFastestOverload)
{
    auto src = MakeTestImage<RouteRecorder<TypeParam>>(2, 2);
    CDibSectionImage dib;
    CMemoryImage memory(4, 4);

    src->BltTo(&dib, 0, 0);
    EXPECT_EQ("IDibImage", src->route);
    src->BltTo(&memory, 0, 0);
    EXPECT_EQ("IPixelBuffer", src->route);
}

// A DIB-section image that counts the calls by which its pixels could leave it one by one.
class CountingDib : public CDibSectionImage {
public:
    using CDibSectionImage::Draw;
    int draws = 0;
    HDC drawnOn = nullptr;
    mutable int pixelReads = 0;

    bool Draw(HDC hdc, int x, int y) override
    {
        ++draws;
        drawnOn = hdc;
        return CDibSectionImage::Draw(hdc, x, y);
    }
    Pixel GetPixel(int x, int y) const override
    {
        ++pixelReads;
        return CDibSectionImage::GetPixel(x, y);
    }
    bool IsKeyColor(int x, int y) const override
    {
        ++pixelReads;
        return CDibSectionImage::IsKeyColor(x, y);
    }
};

TEST(BlitSample, BackgroundToBackBufferIsOneWholeImageTransfer)
{
    CountingDib background;
    ASSERT_TRUE(background.Create(6, 5, 0));
    PaintPattern(background);
    background.pixelReads = 0;
    CDibSectionImage backBuffer;
    ASSERT_TRUE(backBuffer.Create(6, 5, 0));

    EXPECT_TRUE(background.BltTo(&backBuffer, 0, 0));
    EXPECT_EQ(1, background.draws);
    EXPECT_EQ(backBuffer.GetDC(), background.drawnOn);
    EXPECT_EQ(0, background.pixelReads) << "no pixel went through the per-pixel route";
    EXPECT_EQ(PixelsOf(background), PixelsOf(backBuffer)) << "whole words, top bytes included";
}

// ---- blitting an image onto itself ----------------------------------------------------------

// Every route, applied to an image and itself, against the same route from an untouched copy.
template <class T>
void ExpectSelfBlitsLikeACopy(bool withKey)
{
    using BlitFn = bool (*)(IImage& src, T& dest, int x, int y);
    std::vector<std::pair<const char*, BlitFn>> routes = {
        {"IImage",
         [](IImage& s, T& d, int x, int y) { return s.BltTo(static_cast<IImage*>(&d), x, y); }},
        {"sized", [](IImage& s, T& d, int x, int y) { return s.BltTo(&d, x, y, 4, 3); }},
        {"IPixelBuffer",
         [](IImage& s, T& d, int x, int y) {
             return s.BltTo(static_cast<IPixelBuffer*>(&d), x, y);
         }},
    };
    if constexpr (std::is_base_of_v<IDibImage, T>) {
        routes.push_back({"IDibImage", [](IImage& s, T& d, int x, int y) {
                              return s.BltTo(static_cast<IDibImage*>(&d), x, y);
                          }});
        routes.push_back({"IGdiImage", [](IImage& s, T& d, int x, int y) {
                              return s.BltTo(static_cast<IGdiImage*>(&d), x, y);
                          }});
    }
    const int offsets[][2] = {{1, 1},  {-1, -1}, {2, 0},  {-2, 0}, {0, 1},
                              {0, -2}, {1, -1},  {-1, 1}, {0, 0}};
    for (const auto& [name, blit] : routes) {
        for (const auto& offset : offsets) {
            SCOPED_TRACE(::testing::Message() << name << " by " << offset[0] << "," << offset[1]
                                              << (withKey ? " keyed" : ""));
            auto image = MakeTestImage<T>(5, 4);
            PaintPattern(*image);
            if (withKey) {
                image->SetColorKey(Pattern(2, 1) & 0xFFFFFFu);
                image->SetPixel(1, 2, Pattern(2, 1) & 0xFFFFFFu);
            }
            auto expected = MakeTestImage<T>(5, 4);
            ASSERT_TRUE(expected->CopyFrom(image.get()));
            auto copy = MakeTestImage<T>(5, 4);
            ASSERT_TRUE(copy->CopyFrom(image.get()));

            const bool expectedResult = blit(*copy, *expected, offset[0], offset[1]);
            EXPECT_EQ(expectedResult, blit(*image, *image, offset[0], offset[1]));
            EXPECT_EQ(PixelsOf(*expected), PixelsOf(*image));
        }
    }
}

TYPED_TEST(BlitTest, SelfBlitGivesWhatABlitOfAnUntouchedCopyGives)
{
    ExpectSelfBlitsLikeACopy<TypeParam>(false);
    ExpectSelfBlitsLikeACopy<TypeParam>(true);
}

}  // namespace

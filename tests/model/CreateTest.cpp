#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "support/Images.h"

namespace {

using zvx::test::MakeImage;

template <class T>
class CreateTest : public ::testing::Test {};
TYPED_TEST_SUITE(CreateTest, zvx::test::ImageClasses);

TYPED_TEST(CreateTest, RefusedSizesLeaveTheImageAsItWas)
{
    auto image = MakeImage<TypeParam>(4, 4, 0x00123456);
    image->SetColorKey(0x00123456);
    const Pixel* before = image->GetScanLine(0);
    const BITMAPINFO header = *image->GetBitmapInfo();
    // Empty, negative, both negative (whose product would pass), and byte counts past 32 bits.
    const int sizes[][2] = {{0, 10},     {10, -1},    {-2, -3},   {0, 0},
                            {65536, 65536}, {0x7FFFFFFF, 2}, {-65536, -65536}};
    for (const auto& size : sizes) {
        EXPECT_FALSE(image->Create(size[0], size[1], 0)) << size[0] << " x " << size[1];
        ASSERT_EQ(image->GetWidth(), 4);
        ASSERT_EQ(image->GetHeight(), 4);
        EXPECT_EQ(image->GetScanLine(0), before);
        EXPECT_EQ(std::memcmp(image->GetBitmapInfo(), &header, sizeof header), 0);
        EXPECT_EQ(image->GetPixel(3, 3), 0x00123456u);
        EXPECT_EQ(image->GetColorKey(), 0x00123456);
    }
}

TYPED_TEST(CreateTest, ScanLinesAndHeaderDescribeTheNewSize)
{
    auto image = MakeImage<TypeParam>(1, 1);
    ASSERT_TRUE(image->Create(3, 2, 0));
    EXPECT_EQ(image->GetWidth(), 3);
    EXPECT_EQ(image->GetHeight(), 2);
    ASSERT_NE(image->GetScanLine(0), nullptr);
    EXPECT_EQ(image->GetScanLine(1), image->GetScanLine(0) + 3);
    EXPECT_EQ(static_cast<const TypeParam&>(*image).GetScanLine(1), image->GetScanLine(1));
    EXPECT_EQ(image->GetScanLine(2), nullptr);
    EXPECT_EQ(image->GetScanLine(-1), nullptr);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image->GetScanLine(0)[i], 0u);

    const BITMAPINFOHEADER& h = image->GetBitmapInfo()->bmiHeader;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 3);
    EXPECT_EQ(h.biHeight, -2);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 0u);
    EXPECT_EQ(h.biClrUsed, 0u);
}

TYPED_TEST(CreateTest, FillKeepsAllThirtyTwoBits)
{
    auto image = MakeImage<TypeParam>(1, 1);
    ASSERT_TRUE(image->Create(2, 2, 0xFF00FFFF));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 2; ++x) {
            EXPECT_EQ(image->GetPixel(x, y), 0xFF00FFFFu);
            EXPECT_EQ(image->GetColor(x, y), 0x0000FFFFu);
        }
    }
}

// A non-zero fill goes through SetPixel, row by row, so a derived image sees every write.
template <class Base>
class WriteOrderProbe : public zvx::test::DefaultConstructed<Base> {
public:
    std::vector<std::pair<int, int>> writes;
    bool SetPixel(int x, int y, Pixel v) override
    {
        writes.emplace_back(x, y);
        return Base::SetPixel(x, y, v);
    }
};

TYPED_TEST(CreateTest, NonZeroFillWritesThroughSetPixelRowByRow)
{
    WriteOrderProbe<TypeParam> image;
    image.writes.clear();
    ASSERT_TRUE(image.Create(3, 2, 7));
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}};
    EXPECT_EQ(image.writes, expected);
    image.writes.clear();
    ASSERT_TRUE(image.Create(3, 2, 0));
    EXPECT_TRUE(image.writes.empty()) << "a zero fill is one clear, not per-pixel writes";
}

TYPED_TEST(CreateTest, ColorKeySurvivesCreateAndMatchesOnlyInside)
{
    auto image = MakeImage<TypeParam>(1, 1);
    EXPECT_TRUE(image->SetColorKey(0x00FFFFFF));
    ASSERT_TRUE(image->Create(5, 5, 0x00FFFFFF));
    EXPECT_EQ(image->GetColorKey(), 0x00FFFFFF);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) EXPECT_TRUE(image->IsKeyColor(x, y));
    }
    EXPECT_FALSE(image->IsKeyColor(5, 0));
    EXPECT_FALSE(image->IsKeyColor(0, -1));

    // The top byte of a pixel is ignored by the key test; a key with a top byte never matches.
    image->SetPixel(1, 1, 0xFFFFFFFF);
    EXPECT_TRUE(image->IsKeyColor(1, 1));
    EXPECT_TRUE(image->SetColorKey(static_cast<ColorKey>(0xFF000000u)));
    ASSERT_TRUE(image->Create(2, 2, 0xFF000000));
    EXPECT_FALSE(image->IsKeyColor(0, 0));

    EXPECT_TRUE(image->SetColorKey(COLORKEY_NONE));
    ASSERT_TRUE(image->Create(2, 2, 0));
    EXPECT_FALSE(image->IsKeyColor(0, 0));
}

TEST(DibSectionCreate, RefusedCreateKeepsTheSectionAndDc)
{
    CDibSectionImage image;
    HBITMAP section = image.GetBitmap();
    HDC dc = image.GetDC();
    EXPECT_FALSE(image.Create(0, 5, 0));
    EXPECT_FALSE(image.Create(5, -1, 0));
    EXPECT_EQ(image.GetBitmap(), section);
    EXPECT_EQ(image.GetDC(), dc);
    // Still alive and still selected: GDI drawing reaches the image.
    SetPixel(dc, 3, 4, RGB(1, 2, 3));
    GdiFlush();
    EXPECT_EQ(image.GetPixel(3, 4), 0x00010203u);
}

TEST(DibSectionCreate, NewSectionAndDcReplaceTheOldOnes)
{
    CDibSectionImage image;
    HBITMAP oldSection = image.GetBitmap();
    HDC oldDc = image.GetDC();
    ASSERT_TRUE(image.Create(3, 2, 0));
    EXPECT_NE(image.GetBitmap(), nullptr);
    EXPECT_NE(image.GetDC(), nullptr);
    // The old objects are gone: GDI refuses them as it does any stale handle.
    BITMAP info{};
    EXPECT_EQ(GetObjectA(oldSection, sizeof info, &info), 0);
    EXPECT_EQ(SelectObject(oldDc, image.GetBitmap()), nullptr);
}

TEST(DibSectionCreate, GdiDrawingOnTheDcIsSeenByGetPixel)
{
    CDibSectionImage image;
    ASSERT_TRUE(image.Create(4, 4, 0));
    SetPixel(image.GetDC(), 1, 0, RGB(0x12, 0x34, 0x56));
    GdiFlush();
    EXPECT_EQ(image.GetPixel(1, 0), 0x00123456u);
    image.SetPixel(2, 0, 0x00ABCDEF);
    EXPECT_EQ(GetPixel(image.GetDC(), 2, 0), RGB(0xAB, 0xCD, 0xEF));
}

}  // namespace

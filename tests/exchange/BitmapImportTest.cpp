#include <gtest/gtest.h>

#include "support/Images.h"

namespace {

using zvx::test::MakeImage;

// A w x h DIB section of the given depth and orientation, pixel (x, y) = colour(x, y).
struct Section {
    HBITMAP bitmap = nullptr;
    Section(int w, int h, int bits, bool topDown, Pixel (*colour)(int, int))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = topDown ? -h : h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bits);
        info.bmiHeader.biCompression = BI_RGB;
        void* bits_ = nullptr;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap == nullptr) return;
        const int stride = ((w * bits / 8) + 3) & ~3;
        for (int y = 0; y < h; ++y) {
            auto* row = static_cast<BYTE*>(bits_) + (topDown ? y : h - 1 - y) * stride;
            for (int x = 0; x < w; ++x) {
                const Pixel c = colour(x, y);
                BYTE* p = row + x * (bits / 8);
                p[0] = static_cast<BYTE>(c);
                p[1] = static_cast<BYTE>(c >> 8);
                p[2] = static_cast<BYTE>(c >> 16);
                if (bits == 32) p[3] = 0;
            }
        }
        GdiFlush();
    }
    ~Section() { DeleteObject(bitmap); }
};

Pixel Gradient(int x, int y) { return static_cast<Pixel>(0x00100000 * (x + 1) + 0x00000100 * (y + 3) + 7); }

template <class T>
class BitmapImportTest : public ::testing::Test {};
TYPED_TEST_SUITE(BitmapImportTest, zvx::test::ImageClasses);

TYPED_TEST(BitmapImportTest, TakesSizeAndPixelsOfAnyDibSection)
{
    for (int bits : {24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << topDown);
            Section section(5, 3, bits, topDown, Gradient);
            ASSERT_NE(section.bitmap, nullptr);
            auto image = MakeImage<TypeParam>(1, 1);
            ASSERT_TRUE(image->CreateFromBitmap(section.bitmap));
            ASSERT_EQ(image->GetWidth(), 5);
            ASSERT_EQ(image->GetHeight(), 3);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 5; ++x) EXPECT_EQ(image->GetColor(x, y), Gradient(x, y)) << x << "," << y;
            }
        }
    }
}

TYPED_TEST(BitmapImportTest, RedTopLeftArrivesAsRed)
{
    Section section(2, 2, 32, false, [](int x, int y) -> Pixel { return x == 0 && y == 0 ? 0x00FF0000 : 0; });
    auto image = MakeImage<TypeParam>(1, 1);
    ASSERT_TRUE(image->CreateFromBitmap(section.bitmap));
    EXPECT_EQ(image->GetColor(0, 0), 0x00FF0000u);
    EXPECT_EQ(image->GetColor(1, 1), 0u);
}

TYPED_TEST(BitmapImportTest, NullAndStaleHandlesChangeNothing)
{
    auto image = MakeImage<TypeParam>(3, 3, 0x00ABCDEF);
    EXPECT_FALSE(image->CreateFromBitmap(nullptr));
    HBITMAP stale = nullptr;
    {
        Section section(4, 4, 32, true, Gradient);
        stale = section.bitmap;
    }
    EXPECT_FALSE(image->CreateFromBitmap(stale));
    ASSERT_EQ(image->GetWidth(), 3);
    EXPECT_EQ(image->GetPixel(2, 2), 0x00ABCDEFu);
}

TEST(BitmapImport, ADibSectionImageCanImportAnotherImagesSection)
{
    CDibSectionImage source;
    ASSERT_TRUE(source.Create(4, 2, 0x00123456));
    source.SetPixel(3, 1, 0x00FEDCBA);
    CMemoryImage memory(1, 1);
    ASSERT_TRUE(memory.CreateFromBitmap(source.GetBitmap()));
    EXPECT_EQ(memory.GetColor(0, 0), 0x00123456u);
    EXPECT_EQ(memory.GetColor(3, 1), 0x00FEDCBAu);
}

}  // namespace

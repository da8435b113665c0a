// CreateFromBitmap: DIB sections of either depth and orientation; handles that are no bitmap.
#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

// A w x h DIB section of the given depth and orientation, pixel (x, y) = Pattern's colour.
HBITMAP Section(int w, int h, int bits, bool topDown)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, topDown ? -h : h, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0};
    void* data = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0);
    const int stride = (w * bits / 8 + 3) / 4 * 4;
    for (int y = 0; bitmap != nullptr && y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Pixel c = Pattern(x, y) & 0xFFFFFF;
            BYTE* p = static_cast<BYTE*>(data) + static_cast<std::ptrdiff_t>(topDown ? y : h - 1 - y) * stride + x * bits / 8;
            p[0] = static_cast<BYTE>(c), p[1] = static_cast<BYTE>(c >> 8), p[2] = static_cast<BYTE>(c >> 16);
        }
    }
    ::GdiFlush();
    return bitmap;
}

ZVX_IMAGE_TEST_SUITE(BitmapImportTest);

TYPED_TEST(BitmapImportTest, TakesSizeAndColoursOfAnyDibSectionAndRefusesOtherHandles)
{
    const auto colours = Over(*Make<CMemoryImage>(5, 3), [](int x, int y, Pixel) { return std::optional<Pixel>(Pattern(x, y) & 0xFFFFFF); });
    for (const int bits : {24, 32}) {
        for (const bool topDown : {false, true}) {
            HBITMAP section = Section(5, 3, bits, topDown);
            auto image = Make<TypeParam>(1, 1);
            ASSERT_TRUE(image->CreateFromBitmap(section)) << bits << " bits, top-down " << topDown;
            EXPECT_EQ(colours, PixelsOf(*image)) << bits << " bits, top-down " << topDown;
            ::DeleteObject(section);
        }
    }
    // Another image's own section, selected into its DC.
    auto source = Make<Other<TypeParam>>(5, 3);
    Paint(*source, [](int x, int y) { return Pattern(x, y) & 0xFFFFFF; });
    if (auto* gdi = dynamic_cast<IGdiImage*>(source.get())) {
        auto image = Make<TypeParam>(1, 1);
        ASSERT_TRUE(image->CreateFromBitmap(gdi->GetBitmap()));
        EXPECT_EQ(colours, PixelsOf(*image));
    }

    auto image = Make<TypeParam>(3, 3, 0x00ABCDEF);
    const std::string before = StateOf(*image);
    HBITMAP stale = Section(4, 4, 32, true);
    ::DeleteObject(stale);
    CDibSectionImage other;
    HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
    for (HBITMAP bitmap : {HBITMAP{}, stale, reinterpret_cast<HBITMAP>(other.GetDC()), reinterpret_cast<HBITMAP>(pen)}) {
        EXPECT_FALSE(image->CreateFromBitmap(bitmap));
    }
    ::DeleteObject(pen);
    EXPECT_EQ(before, StateOf(*image));
}

}  // namespace

// CreateFromBitmap: another image's DIB section, held by its DC; handles that are no bitmap.
#include "support/ImageTestKit.h"

namespace {

using namespace zvx::test;

ZVX_IMAGE_TEST_SUITE(BitmapImportTest);

TYPED_TEST(BitmapImportTest, TakesSizeAndColoursOfADibSectionAndRefusesOtherHandles)
{
    const auto source = Make<CDibSectionImage>(5, 3);
    Paint(*source, [](int x, int y) { return Pattern(x, y) & 0xFFFFFF; });
    auto image = Make<TypeParam>(1, 1);
    EXPECT_TRUE(image->CreateFromBitmap(source->GetBitmap()) && PixelsOf(*source) == PixelsOf(*image));

    image = Make<TypeParam>(3, 3, 0x00ABCDEF);
    const std::string before = StateOf(*image);
    HBITMAP stale = CDibSectionImage().GetBitmap();
    HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
    for (HBITMAP bitmap : {HBITMAP{}, stale, reinterpret_cast<HBITMAP>(source->GetDC()), reinterpret_cast<HBITMAP>(pen)}) EXPECT_FALSE(image->CreateFromBitmap(bitmap));
    ::DeleteObject(pen);
    EXPECT_EQ(before, StateOf(*image));
}

}  // namespace

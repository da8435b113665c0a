// The life of an image's storage as the library leads it, where no image test can see it: before
// main, where the sample's global images make theirs, in the hold DCs have on it, and in the
// count of live GDI objects that the leak checks rely on. (Its size, zeroed pixels and rows are
// seen through every image test.)
#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "support/LiveObjects.h"

namespace {

using zvx::test::Canvas;

const Canvas g_madeBeforeMain(2, 2);

// One DC at a time holds a section; deleted while held, it still draws and goes once let go.
TEST(DibSection, WorksBeforeMainIsHeldByOneDcAndCountsWhileItLives)
{
    const Canvas held(2, 2);
    HDC second = ::CreateCompatibleDC(nullptr);
    EXPECT_TRUE(::SelectObject(second, held.bitmap) == nullptr && ::SelectObject(held.dc, held.bitmap) == held.bitmap);
    EXPECT_TRUE(::DeleteObject(held.bitmap) && ::DeleteObject(::GetStockObject(WHITE_BRUSH)));
    ::SetPixel(held.dc, 1, 1, RGB(1, 2, 3));
    EXPECT_EQ(0x00010203u, held.at(1, 1));
    ::SelectObject(held.dc, held.original);
    EXPECT_FALSE(::SelectObject(second, held.bitmap) || ::DeleteObject(held.bitmap) || ::CreateCompatibleDC(reinterpret_cast<HDC>(held.bitmap)));
    EXPECT_TRUE(::DeleteObject(second)) << "a DC goes as with DeleteDC";
    ::SetPixel(g_madeBeforeMain.dc, 1, 1, RGB(1, 2, 3));
    EXPECT_EQ(0x00010203u, g_madeBeforeMain.at(1, 1));
    const std::optional<long> before = zvx::test::LiveGdiObjects();
    if (!before) GTEST_SKIP() << "this system counts no GDI objects (Wine 8)";
    {
        Canvas canvas(2, 2);
        HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
        EXPECT_EQ(*before + 3, zvx::test::LiveGdiObjects()) << "a section, a DC and a pen";
        ::DeleteObject(pen);
    }
    EXPECT_EQ(before, zvx::test::LiveGdiObjects());
}

}  // namespace

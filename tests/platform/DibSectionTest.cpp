// The life of an image's storage as the library leads it, where no image test can see it: before
// main, where the sample's global images make theirs, and in the count of live GDI objects that
// the leak checks rely on. (Its size, zeroed pixels and rows are seen through every image test.)
#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "support/LiveObjects.h"

namespace {

using zvx::test::Canvas;

const Canvas g_madeBeforeMain(2, 2);

TEST(DibSection, WorksBeforeMainAndCountsWhileItLives)
{
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

// The pens and clip regions that drawing makes live only as long as one call. Our GDI layer can
// count what it holds; Windows has no portable count, so this runs natively only.
#ifndef _WIN32

#include <gtest/gtest.h>

#include "platform/posix/GdiObjectCounts.h"
#include "support/LegacyKit.h"

namespace {

using zvx::platform::CountLiveGdiObjects;
using zvx::test::MakeTestImage;

TEST(GdiObjectLifetime, LinesRectanglesAndClippedTilingGiveBackEveryObject)
{
    auto dib = MakeTestImage<CDibSectionImage>(16, 16);
    auto heap = MakeTestImage<CMemoryImage>(4, 4, 0x123456);
    const zvx::platform::LiveGdiObjects before = CountLiveGdiObjects();

    for (int i = 0; i < 10; ++i) {
        heap->DrawTiled(dib->GetDC(), 0, 0, 16, 16);
        dib->DrawLine(0, i, 15, 15 - i, 0xFF0000);
        dib->DrawRect(1, 1, 8, 8, 0x00FF00);
        dib->FillRect(2, 2, 6, 6, 0x0000FF);
    }
    const zvx::platform::LiveGdiObjects after = CountLiveGdiObjects();
    EXPECT_EQ(before.pens, after.pens);
    EXPECT_EQ(before.regions, after.regions);
    EXPECT_EQ(before.Total(), after.Total());
    EXPECT_EQ(0x0000FFu, dib->GetPixel(3, 3)) << "the drawing did happen";
}

}  // namespace

#endif

// Nothing leaks: every object made is counted until it is really gone, and the layer already
// works while globals are being constructed.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

#ifndef _WIN32
#include "platform/posix/GdiObjectCounts.h"
#endif

namespace {

// Made before main, as the sample program's global images are.
struct MadeBeforeMain {
    zvx::test::Section section{2, -2};
    zvx::test::MemoryDc memory{section.bitmap};
} g_madeBeforeMain;

TEST(LiveObjects, TheLayerWorksDuringStaticInitialisation)
{
    ASSERT_NE(nullptr, g_madeBeforeMain.section.bitmap);
    ASSERT_NE(nullptr, g_madeBeforeMain.memory.original);
    EXPECT_EQ(RGB(1, 2, 3), ::SetPixel(g_madeBeforeMain.memory.dc, 1, 1, RGB(1, 2, 3)));
    EXPECT_EQ(0x00010203u, g_madeBeforeMain.section.words()[3]);
}

#ifndef _WIN32
using zvx::platform::CountLiveGdiObjects;

TEST(LiveObjects, EveryObjectIsCountedUntilItIsGone)
{
    const zvx::platform::LiveGdiObjects before = CountLiveGdiObjects();
    {
        zvx::test::Canvas canvas(4, 4);
        HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
        HRGN region = ::CreateRectRgn(0, 0, 1, 1);
        HDC screen = ::GetDC(nullptr);
        ::SelectObject(canvas.dc(), pen);
        const zvx::platform::LiveGdiObjects during = CountLiveGdiObjects();
        EXPECT_EQ(before.bitmaps + 1, during.bitmaps);
        EXPECT_EQ(before.dcs + 2, during.dcs);
        EXPECT_EQ(before.pens + 1, during.pens);
        EXPECT_EQ(before.regions + 1, during.regions);

        // Deleting what a DC still holds frees nothing yet.
        ::SelectClipRgn(canvas.dc(), region);
        EXPECT_TRUE(::DeleteObject(region));
        EXPECT_TRUE(::DeleteObject(pen));
        EXPECT_TRUE(::DeleteObject(canvas.section.bitmap));
        canvas.section.bitmap = nullptr;
        const zvx::platform::LiveGdiObjects pending = CountLiveGdiObjects();
        EXPECT_EQ(before.regions, pending.regions) << "the DC keeps a copy, not the region";
        EXPECT_EQ(before.pens + 1, pending.pens);
        EXPECT_EQ(before.bitmaps + 1, pending.bitmaps);
        ::ReleaseDC(nullptr, screen);
    }  // DeleteDC lets go of the pen and the bitmap
    const zvx::platform::LiveGdiObjects after = CountLiveGdiObjects();
    EXPECT_EQ(before.Total(), after.Total());
    EXPECT_EQ(before.bitmaps, after.bitmaps);
    EXPECT_EQ(before.pens, after.pens);
}
#else
TEST(LiveObjects, EveryObjectIsCountedUntilItIsGone)
{
    const DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (count == 0) GTEST_SKIP() << "this Windows (Wine 8) does not count GDI objects: GetGuiResources returns 0";
    {
        zvx::test::Canvas canvas(4, 4);
        EXPECT_LT(count, ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
    }
    EXPECT_EQ(count, ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
}
#endif

}  // namespace

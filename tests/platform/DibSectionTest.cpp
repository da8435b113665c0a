// The life of an image's storage as the library leads it: a top-down 32-bit section, a memory
// DC made from the screen DC, the section selected in and, at the end, out again and deleted;
// also before main, where the sample's global images make theirs.
#include <vector>

#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "support/LiveObjects.h"

namespace {

using zvx::test::Canvas;

const Canvas g_madeBeforeMain(2, 2);

TEST(DibSection, IsZeroedUnpaddedDrawnOnThroughItsDcAndGoneOnceDeleted)
{
    ::SetPixel(g_madeBeforeMain.dc, 1, 1, RGB(1, 2, 3));
    EXPECT_EQ(0x00010203u, g_madeBeforeMain.at(1, 1)) << "made during static initialisation";
    const std::optional<long> before = zvx::test::LiveGdiObjects();
    for (const int width : {1, 3}) {
        const BITMAPINFO header = zvx::test::DibHeader(width, -2);
        void* bits = nullptr;
        HBITMAP section = ::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(nullptr, section);
        for (int i = 0; i < width * 2; ++i) EXPECT_EQ(0u, static_cast<std::uint32_t*>(bits)[i]);
        BITMAP bm{};
        ASSERT_EQ(static_cast<int>(sizeof bm), ::GetObjectA(section, sizeof bm, &bm));
        EXPECT_EQ((std::vector<long>{width, 2, width * 4, 32}), (std::vector<long>{bm.bmWidth, bm.bmHeight, bm.bmWidthBytes, bm.bmBitsPixel}));
        EXPECT_EQ(bits, bm.bmBits);
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        EXPECT_EQ(1, ::ReleaseDC(nullptr, screen));
        HGDIOBJ previous = ::SelectObject(memory, section);
        ::SetPixel(memory, width - 1, 1, RGB(1, 2, 3));
        EXPECT_EQ(0x00010203u, static_cast<std::uint32_t*>(bits)[width * 2 - 1]);
        EXPECT_EQ(section, ::SelectObject(memory, previous));
        EXPECT_TRUE(::DeleteObject(section));
        EXPECT_TRUE(::DeleteDC(memory));
        EXPECT_EQ(0, ::GetObjectA(section, sizeof bm, &bm));
        EXPECT_FALSE(::DeleteDC(memory));
    }
    if (!before) return;  // Wine 8 counts no GDI objects; natively every kind counts while it lives
    {
        Canvas canvas(2, 2);
        HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
        EXPECT_EQ(*before + 3, zvx::test::LiveGdiObjects());
        ::DeleteObject(pen);
    }
    EXPECT_EQ(before, zvx::test::LiveGdiObjects());
}

}  // namespace

// Surface DCs: GDI drawing into pixels that the window layer owns. Not part of Win32, so these
// run only where the project supplies GDI itself.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "GdiTestSupport.h"
#include "platform/posix/GdiObjectCounts.h"
#include "platform/posix/gdi/Surface.h"

namespace {

using zvx::platform::CreateSurfaceDC;
using zvx::platform::ReleaseSurfaceDC;

TEST(SurfaceDc, DrawingLandsInTheCallersPixels)
{
    std::vector<std::uint32_t> pixels(4 * 3, 0x11111111u);
    HDC dc = CreateSurfaceDC(pixels.data(), 4, 3);
    ASSERT_NE(nullptr, dc);
    EXPECT_EQ(RGB(1, 2, 3), ::SetPixel(dc, 3, 2, RGB(1, 2, 3)));
    EXPECT_EQ(0x00010203u, pixels[11]);
    EXPECT_EQ(CLR_INVALID, ::GetPixel(dc, 4, 0));

    const std::uint32_t source[4] = {0xAB000001u, 0xAB000002u, 0xAB000003u, 0xAB000004u};
    const BITMAPINFO info = zvx::test::DibHeader(2, -2);
    EXPECT_EQ(2, ::SetDIBitsToDevice(dc, 3, 0, 2, 2, 0, 0, 0, 2, source, &info, DIB_RGB_COLORS));
    EXPECT_EQ(0xAB000001u, pixels[3]);
    EXPECT_EQ(0xAB000003u, pixels[7]);
    EXPECT_EQ(0x11111111u, pixels[2]);

    ::MoveToEx(dc, 0, 1, nullptr);
    ::LineTo(dc, 2, 1);
    EXPECT_EQ(0u, pixels[4]);
    EXPECT_EQ(0u, pixels[5]);
    EXPECT_EQ(0x11111111u, pixels[6]);
    ReleaseSurfaceDC(dc);
}

TEST(SurfaceDc, OwnsNoBitmapAndGoesBackOnlyThroughRelease)
{
    const int before = zvx::platform::CountLiveGdiObjects().dcs;
    std::uint32_t pixel = 0;
    EXPECT_EQ(nullptr, CreateSurfaceDC(nullptr, 1, 1));
    EXPECT_EQ(nullptr, CreateSurfaceDC(&pixel, 0, 1));
    HDC dc = CreateSurfaceDC(&pixel, 1, 1);
    ASSERT_NE(nullptr, dc);
    EXPECT_EQ(before + 1, zvx::platform::CountLiveGdiObjects().dcs);
    zvx::test::Section section(1, -1);
    EXPECT_EQ(nullptr, ::SelectObject(dc, section.bitmap));
    EXPECT_FALSE(::DeleteDC(dc));
    EXPECT_FALSE(::DeleteObject(dc));
    ReleaseSurfaceDC(dc);
    EXPECT_EQ(before, zvx::platform::CountLiveGdiObjects().dcs);
    EXPECT_EQ(CLR_INVALID, ::SetPixel(dc, 0, 0, 0));
    ReleaseSurfaceDC(dc);  // a second release is harmless
}

}  // namespace
#endif

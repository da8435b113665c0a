// Device contexts and object lifetime: what a new DC holds, what SelectObject and DeleteObject
// answer, and that stale or foreign handles fail without harm.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "GdiTestSupport.h"

using zvx::test::Canvas;
using zvx::test::DibHeader;
using zvx::test::MemoryDc;
using zvx::test::Section;

namespace {

TEST(DeviceContext, TheScreenDcIsGivenBackOnce)
{
    HDC screen = ::GetDC(nullptr);
    ASSERT_NE(nullptr, screen);
    HDC memory = ::CreateCompatibleDC(screen);
    EXPECT_NE(nullptr, memory);
    EXPECT_EQ(1, ::ReleaseDC(nullptr, screen));
    EXPECT_EQ(0, ::ReleaseDC(nullptr, screen));
    EXPECT_EQ(0, ::ReleaseDC(nullptr, memory)) << "a memory DC is not released, it is deleted";
    EXPECT_TRUE(::DeleteDC(memory));
}

TEST(DeviceContext, ANewMemoryDcHoldsABlackOneByOneMonochromeBitmap)
{
    MemoryDc memory;
    EXPECT_EQ(0u, ::GetPixel(memory.dc, 0, 0));
    EXPECT_EQ(CLR_INVALID, ::GetPixel(memory.dc, 1, 0));

    Section section(2, -2);
    HGDIOBJ original = ::SelectObject(memory.dc, section.bitmap);
    ASSERT_NE(nullptr, original);
    BITMAP bm{};
    ASSERT_EQ(32, ::GetObjectA(original, sizeof bm, &bm));
    EXPECT_EQ(1, bm.bmWidth);
    EXPECT_EQ(1, bm.bmHeight);
    EXPECT_EQ(1, bm.bmBitsPixel);
    EXPECT_EQ(2, bm.bmWidthBytes) << "device-dependent rows are word-aligned";
    EXPECT_EQ(nullptr, bm.bmBits);
    EXPECT_EQ(section.bitmap, ::SelectObject(memory.dc, original));

    // Colours on it come out as the nearer of black and white.
    EXPECT_EQ(0xFFFFFFu, ::SetPixel(memory.dc, 0, 0, RGB(128, 128, 128)));
    EXPECT_EQ(0xFFFFFFu, ::GetPixel(memory.dc, 0, 0));
    EXPECT_EQ(0u, ::SetPixel(memory.dc, 0, 0, RGB(127, 127, 128)));
    EXPECT_EQ(0xFFFFFFu, ::SetPixel(memory.dc, 0, 0, RGB(127, 128, 128)));
    EXPECT_EQ(0u, ::SetPixel(memory.dc, 0, 0, RGB(255, 0, 0)));
    ::SetPixel(memory.dc, 0, 0, 0);
}

TEST(DeviceContext, SelectObjectReturnsWhatItReplaced)
{
    MemoryDc memory;
    Section a(2, -2);
    Section b(2, -2);
    HGDIOBJ original = ::SelectObject(memory.dc, a.bitmap);
    EXPECT_EQ(a.bitmap, ::SelectObject(memory.dc, a.bitmap)) << "selecting it again";
    EXPECT_EQ(a.bitmap, ::SelectObject(memory.dc, b.bitmap));

    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::SelectObject(memory.dc, pen));
    EXPECT_EQ(pen, ::SelectObject(memory.dc, ::GetStockObject(BLACK_PEN)));
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), ::SelectObject(memory.dc, ::GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(::GetStockObject(BLACK_BRUSH), ::SelectObject(memory.dc, ::GetStockObject(WHITE_BRUSH)));

    // A region is not held: the call answers with the clip region's kind.
    HRGN region = ::CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SIMPLEREGION), ::SelectObject(memory.dc, region));

    EXPECT_EQ(nullptr, ::SelectObject(memory.dc, nullptr));
    EXPECT_EQ(nullptr, ::SelectObject(memory.dc, memory.dc));
    EXPECT_EQ(b.bitmap, ::SelectObject(memory.dc, original));
    ::DeleteObject(region);
    ::DeleteObject(pen);
}

TEST(DeviceContext, ABitmapLivesInOneDcAtATime)
{
    Section section(2, -2);
    MemoryDc first(section.bitmap);
    MemoryDc second;
    EXPECT_EQ(nullptr, ::SelectObject(second.dc, section.bitmap));
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(nullptr, ::SelectObject(screen, section.bitmap)) << "only memory DCs take bitmaps";
    ::ReleaseDC(nullptr, screen);

    // Deleting the DC lets go of the bitmap without deleting it.
    HDC third = ::CreateCompatibleDC(nullptr);
    Section other(1, -1);
    HGDIOBJ original = ::SelectObject(third, other.bitmap);
    EXPECT_NE(nullptr, original);
    EXPECT_TRUE(::DeleteDC(third));
    BITMAP bm{};
    EXPECT_EQ(32, ::GetObjectA(other.bitmap, sizeof bm, &bm));
    EXPECT_NE(nullptr, ::SelectObject(second.dc, other.bitmap));
    ::SelectObject(second.dc, original);
}

TEST(DeviceContext, DeletingASelectedBitmapWaitsForTheDcToLetGo)
{
    Canvas canvas(2, 2);
    HBITMAP bitmap = canvas.section.bitmap;
    EXPECT_TRUE(::DeleteObject(bitmap));
    EXPECT_TRUE(::DeleteObject(bitmap)) << "still there, still deletable";

    // The DC keeps drawing into it, and the bitmap still answers.
    EXPECT_EQ(RGB(9, 8, 7), ::SetPixel(canvas.dc(), 1, 1, RGB(9, 8, 7)));
    EXPECT_EQ(0x00090807u, canvas.at(1, 1));
    EXPECT_EQ(RGB(9, 8, 7), ::GetPixel(canvas.dc(), 1, 1));
    BITMAP bm{};
    EXPECT_EQ(32, ::GetObjectA(bitmap, sizeof bm, &bm));
    MemoryDc other;
    EXPECT_EQ(nullptr, ::SelectObject(other.dc, bitmap));

    // Once deselected it is gone.
    EXPECT_EQ(bitmap, ::SelectObject(canvas.dc(), canvas.memory.original));
    canvas.memory.original = nullptr;
    EXPECT_EQ(0, ::GetObjectA(bitmap, sizeof bm, &bm));
    EXPECT_FALSE(::DeleteObject(bitmap));
    canvas.section.bitmap = nullptr;
}

TEST(DeviceContext, StockObjectsSurviveDeleteObject)
{
    for (int index : {WHITE_BRUSH, BLACK_BRUSH, BLACK_PEN}) {
        HGDIOBJ stock = ::GetStockObject(index);
        ASSERT_NE(nullptr, stock);
        EXPECT_TRUE(::DeleteObject(stock));
        EXPECT_EQ(stock, ::GetStockObject(index));
        unsigned char buffer[16];
        EXPECT_EQ(16, ::GetObjectA(stock, sizeof buffer, buffer));
    }
    MemoryDc memory;
    Section section(1, -1);
    HGDIOBJ original = ::SelectObject(memory.dc, section.bitmap);
    EXPECT_TRUE(::DeleteObject(original));
    BITMAP bm{};
    EXPECT_EQ(32, ::GetObjectA(original, sizeof bm, &bm));
    ::SelectObject(memory.dc, original);
}

TEST(DeviceContext, StaleAndForeignHandlesFailQuietly)
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    ASSERT_TRUE(::DeleteDC(dc));
    HBITMAP bitmap;
    {
        Section section(2, -2);
        bitmap = section.bitmap;
    }
    HRGN region = ::CreateRectRgn(0, 0, 1, 1);
    ASSERT_TRUE(::DeleteObject(region));
    HPEN pen = ::CreatePen(PS_SOLID, 1, 0);
    ASSERT_TRUE(::DeleteObject(pen));

    Canvas live(2, 2);
    BITMAPINFO info = DibHeader(2, -2);
    std::uint32_t pixels[4] = {1, 2, 3, 4};
    BITMAP bm{};
    // Made-up values, and handles of one kind passed as another.
    const HDC foreignDc = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x12345));
    const HDC bitmapAsDc = reinterpret_cast<HDC>(live.section.bitmap);
    const HBITMAP dcAsBitmap = reinterpret_cast<HBITMAP>(live.dc());
    for (HDC bad : {dc, foreignDc, bitmapAsDc}) {
        EXPECT_FALSE(::DeleteDC(bad));
        EXPECT_EQ(CLR_INVALID, ::GetPixel(bad, 0, 0));
        EXPECT_FALSE(::MoveToEx(bad, 0, 0, nullptr));
        EXPECT_FALSE(::LineTo(bad, 1, 1));
        EXPECT_EQ(ERROR, ::SelectClipRgn(bad, nullptr));
        EXPECT_EQ(nullptr, ::SelectObject(bad, ::GetStockObject(BLACK_PEN)));
        EXPECT_EQ(nullptr, ::CreateCompatibleDC(bad));
        EXPECT_EQ(0, ::SetDIBitsToDevice(bad, 0, 0, 2, 2, 0, 0, 0, 2, pixels, &info, DIB_RGB_COLORS));
        EXPECT_EQ(0, ::GetDIBits(bad, live.section.bitmap, 0, 2, pixels, &info, DIB_RGB_COLORS));
    }
    for (HGDIOBJ bad : {static_cast<HGDIOBJ>(bitmap), static_cast<HGDIOBJ>(region),
                        static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(foreignDc)}) {
        EXPECT_FALSE(::DeleteObject(bad));
        EXPECT_EQ(0, ::GetObjectA(bad, sizeof bm, &bm));
        EXPECT_EQ(nullptr, ::SelectObject(live.dc(), bad));
    }
    EXPECT_EQ(0, ::GetObjectA(dcAsBitmap, sizeof bm, &bm));
    EXPECT_EQ(0, ::GetDIBits(live.dc(), bitmap, 0, 2, pixels, &info, DIB_RGB_COLORS));
    EXPECT_EQ(0, ::GetDIBits(live.dc(), dcAsBitmap, 0, 2, pixels, &info, DIB_RGB_COLORS));
    EXPECT_EQ(ERROR, ::SelectClipRgn(live.dc(), region));
    EXPECT_FALSE(::DeleteObject(nullptr));
    EXPECT_EQ(nullptr, ::GetStockObject(99));
}

}  // namespace

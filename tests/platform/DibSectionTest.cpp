// CreateDIBSection and GetObjectA: what a section looks like and what is refused.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "GdiTestSupport.h"

using zvx::test::DibHeader;
using zvx::test::MemoryDc;
using zvx::test::Section;

namespace {

BITMAP BitmapOf(HGDIOBJ object)
{
    BITMAP bm{};
    EXPECT_EQ(static_cast<int>(sizeof(BITMAP)), ::GetObjectA(object, sizeof(BITMAP), &bm));
    return bm;
}

TEST(DibSection, RowsArePaddedToFourBytesAndStartZeroed)
{
    struct Case {
        int width, height, bitsPerPixel, stride;
    };
    const Case cases[] = {{3, -2, 32, 12}, {3, 2, 32, 12}, {3, 2, 24, 12}, {1, -1, 24, 4},
                          {5, 3, 24, 16}, {4, 1, 24, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << "@" << c.bitsPerPixel);
        Section section(c.width, c.height, c.bitsPerPixel);
        ASSERT_NE(nullptr, section.bitmap);
        ASSERT_NE(nullptr, section.bits);
        const BITMAP bm = BitmapOf(section.bitmap);
        EXPECT_EQ(0, bm.bmType);
        EXPECT_EQ(c.width, bm.bmWidth);
        EXPECT_EQ(c.height < 0 ? -c.height : c.height, bm.bmHeight);
        EXPECT_EQ(c.stride, bm.bmWidthBytes);
        EXPECT_EQ(1, bm.bmPlanes);
        EXPECT_EQ(c.bitsPerPixel, bm.bmBitsPixel);
        EXPECT_EQ(section.bits, bm.bmBits);
        const int size = c.stride * bm.bmHeight;
        for (int i = 0; i < size; ++i) ASSERT_EQ(0, section.bytes()[i]) << "byte " << i;
    }
}

TEST(DibSection, BadHeadersAndImpossibleSizesAreRefused)
{
    struct Case {
        const char* what;
        LONG width, height;
        WORD planes, bitsPerPixel;
        DWORD size, compression;
    };
    const Case cases[] = {
        {"zero width", 0, 2, 1, 32, 40, BI_RGB},
        {"zero height", 2, 0, 1, 32, 40, BI_RGB},
        {"negative width", -2, 2, 1, 32, 40, BI_RGB},
        {"two planes", 2, 2, 2, 32, 40, BI_RGB},
        {"33 bits", 2, 2, 1, 33, 40, BI_RGB},
        {"short header", 2, 2, 1, 32, 39, BI_RGB},
        {"RLE", 2, 2, 1, 32, 40, 1},
        {"65536 x 65536", 65536, 65536, 1, 32, 40, BI_RGB},
        {"widest", INT_MAX, 2, 1, 32, 40, BI_RGB},
        {"lowest height", 2, INT_MIN, 1, 32, 40, BI_RGB},
        {"8 GB", 65536, 32768, 1, 32, 40, BI_RGB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BITMAPINFO info = DibHeader(c.width, c.height);
        info.bmiHeader.biPlanes = c.planes;
        info.bmiHeader.biBitCount = c.bitsPerPixel;
        info.bmiHeader.biSize = c.size;
        info.bmiHeader.biCompression = c.compression;
        void* bits = nullptr;
        EXPECT_EQ(nullptr, ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    void* bits = nullptr;
    EXPECT_EQ(nullptr, ::CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0));
    const BITMAPINFO good = DibHeader(2, 2);
    EXPECT_EQ(nullptr, ::CreateDIBSection(nullptr, &good, 5, &bits, nullptr, 0)) << "usage";
}

TEST(DibSection, TheBitsPointerMayBeLeftOut)
{
    const BITMAPINFO info = DibHeader(2, -2);
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_NE(nullptr, BitmapOf(bitmap).bmBits);
    EXPECT_TRUE(::DeleteObject(bitmap));
}

TEST(GetObjectA, AnswersWithTheSizesOf64BitWindows)
{
    Section section(4, -4);
    BITMAP bm{};
    EXPECT_EQ(32, static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(0, ::GetObjectA(section.bitmap, 24, &bm)) << "a 32-bit BITMAP does not fit in 24";
    EXPECT_EQ(0, ::GetObjectA(section.bitmap, 31, &bm));
    EXPECT_EQ(32, ::GetObjectA(section.bitmap, 0, nullptr)) << "no buffer: the size needed";
    EXPECT_EQ(32, ::GetObjectA(section.bitmap, 64, &bm));

    // With room for a DIBSECTION a section describes its header too, height made positive.
    unsigned char dibsection[104];
    std::memset(dibsection, 0x55, sizeof dibsection);
    ASSERT_EQ(104, ::GetObjectA(section.bitmap, sizeof dibsection, dibsection));
    BITMAPINFOHEADER header;
    std::memcpy(&header, dibsection + sizeof(BITMAP), sizeof header);
    EXPECT_EQ(40u, header.biSize);
    EXPECT_EQ(4, header.biWidth);
    EXPECT_EQ(4, header.biHeight);
    EXPECT_EQ(32, header.biBitCount);
    EXPECT_EQ(64u, header.biSizeImage);
}

TEST(GetObjectA, NonBitmapsAnswerWithTheirOwnStructures)
{
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    unsigned char buffer[64] = {};
    EXPECT_EQ(16, ::GetObjectA(pen, sizeof buffer, buffer)) << "LOGPEN";
    COLORREF color;
    std::memcpy(&color, buffer + 12, sizeof color);
    EXPECT_EQ(RGB(1, 2, 3), color);
    EXPECT_EQ(0, ::GetObjectA(pen, 8, buffer));
    EXPECT_EQ(16, ::GetObjectA(::GetStockObject(WHITE_BRUSH), sizeof buffer, buffer)) << "LOGBRUSH";
    HRGN region = ::CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(0, ::GetObjectA(region, sizeof buffer, buffer));
    MemoryDc memory;
    EXPECT_EQ(0, ::GetObjectA(memory.dc, sizeof buffer, buffer));
    ::DeleteObject(region);
    ::DeleteObject(pen);
}

}  // namespace

// GetDIBits into 32-bit rows from every kind of bitmap the library meets.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "GdiTestSupport.h"

using zvx::test::DibHeader;
using zvx::test::MemoryDc;
using zvx::test::Section;

namespace {

// Rows as GetDIBits returns them, 0xCC words where it wrote nothing.
std::vector<std::uint32_t> Read(HBITMAP bitmap, int width, int height, UINT start, UINT lines,
                                int* result)
{
    MemoryDc memory;
    std::vector<std::uint32_t> out(16, 0xCCCCCCCCu);
    BITMAPINFO info = DibHeader(width, height);
    *result = ::GetDIBits(memory.dc, bitmap, start, lines, out.data(), &info, DIB_RGB_COLORS);
    return out;
}

using Words = std::vector<std::uint32_t>;
constexpr std::uint32_t kNone = 0xCCCCCCCCu;

// A 3 x 2 bitmap whose top row is 0xAB000011..13 and bottom row 0xAB000021..23.
void Paint(Section& section, bool topDown)
{
    for (int y = 0; y < 2; ++y) {
        const int row = topDown ? y : 1 - y;
        for (int x = 0; x < 3; ++x) section.words()[row * 3 + x] = 0xAB000000u | ((y + 1) * 16 + x + 1);
    }
}

TEST(GetDIBits, RowsComeInTheOrderTheHeaderAsksFor)
{
    for (bool topDown : {true, false}) {
        SCOPED_TRACE(topDown ? "top-down section" : "bottom-up section");
        Section section(3, topDown ? -2 : 2);
        Paint(section, topDown);
        int result = 0;
        EXPECT_EQ((Words{0xAB000011, 0xAB000012, 0xAB000013, 0xAB000021, 0xAB000022, 0xAB000023,
                         kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone}),
                  Read(section.bitmap, 3, -2, 0, 2, &result));
        EXPECT_EQ(2, result);
        EXPECT_EQ((Words{0xAB000021, 0xAB000022, 0xAB000023, 0xAB000011, 0xAB000012, 0xAB000013,
                         kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone}),
                  Read(section.bitmap, 3, 2, 0, 2, &result));
        EXPECT_EQ(2, result);
        // Scan lines count from the bottom in either order; too many are cut to the height.
        EXPECT_EQ(0xAB000021u, Read(section.bitmap, 3, -2, 0, 1, &result)[0]);
        EXPECT_EQ(1, result);
        EXPECT_EQ(0xAB000011u, Read(section.bitmap, 3, -2, 1, 1, &result)[0]);
        EXPECT_EQ(1, result);
        EXPECT_EQ(0xAB000011u, Read(section.bitmap, 3, -2, 0, 5, &result)[0]);
        EXPECT_EQ(2, result);
    }
}

TEST(GetDIBits, AnOtherSizeIsCutOrPaddedWithZero)
{
    Section section(3, -2);
    Paint(section, true);
    int result = 0;
    EXPECT_EQ((Words{0xAB000011, 0xAB000012, 0xAB000013, 0, 0xAB000021, 0xAB000022, 0xAB000023, 0,
                     kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone}),
              Read(section.bitmap, 4, -2, 0, 2, &result));
    EXPECT_EQ(2, result);
    // A taller request holds the bitmap at its top; the rows below it are zero and not counted.
    EXPECT_EQ((Words{0xAB000011, 0xAB000012, 0xAB000013, 0xAB000021, 0xAB000022, 0xAB000023, 0, 0,
                     0, kNone, kNone, kNone, kNone, kNone, kNone, kNone}),
              Read(section.bitmap, 3, -3, 0, 3, &result));
    EXPECT_EQ(2, result);
    // A narrower, shorter one gets the top-left corner.
    const Words corner = Read(section.bitmap, 2, -1, 0, 2, &result);
    EXPECT_EQ((Words{0xAB000011, 0xAB000012, kNone}), Words(corner.begin(), corner.begin() + 3));
    EXPECT_EQ(1, result);
}

TEST(GetDIBits, ConvertsTwentyFourBitAndMonochromeBitmaps)
{
    Section rgb(2, 1, 24);
    const std::uint8_t bytes[6] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
    for (int i = 0; i < 6; ++i) rgb.bytes()[i] = bytes[i];
    int result = 0;
    const Words read = Read(rgb.bitmap, 2, -1, 0, 1, &result);
    EXPECT_EQ(1, result);
    EXPECT_EQ(0x00332211u, read[0]);
    EXPECT_EQ(0x00665544u, read[1]);

    // The bitmap a new memory DC holds: one pixel, black unless painted white.
    MemoryDc holder;
    Section section(1, -1);
    HGDIOBJ stock = ::SelectObject(holder.dc, section.bitmap);
    EXPECT_EQ(0u, Read(static_cast<HBITMAP>(stock), 1, -1, 0, 1, &result)[0]);
    EXPECT_EQ(1, result);
    ::SelectObject(holder.dc, stock);
    ::SetPixel(holder.dc, 0, 0, RGB(255, 255, 255));
    EXPECT_EQ(0x00FFFFFFu, Read(static_cast<HBITMAP>(stock), 1, -1, 0, 1, &result)[0]);
    ::SetPixel(holder.dc, 0, 0, RGB(0, 0, 0));
}

TEST(GetDIBits, RefusesWhatItCannotWrite)
{
    Section section(3, -2);
    MemoryDc memory;
    std::uint32_t out[6];
    for (const BITMAPINFO& bad : {DibHeader(0, -2), DibHeader(3, 0), DibHeader(3, -2, 33)}) {
        BITMAPINFO info = bad;
        EXPECT_EQ(0, ::GetDIBits(memory.dc, section.bitmap, 0, 2, out, &info, DIB_RGB_COLORS));
    }
    EXPECT_EQ(0, ::GetDIBits(memory.dc, section.bitmap, 0, 2, out, nullptr, DIB_RGB_COLORS));
    BITMAPINFO info = DibHeader(3, -2);
    EXPECT_EQ(0, ::GetDIBits(memory.dc, section.bitmap, 0, 2, out, &info, 5));
    EXPECT_EQ(2, ::GetDIBits(memory.dc, section.bitmap, 0, 2, out, &info, DIB_RGB_COLORS));
    EXPECT_EQ(24u, info.bmiHeader.biSizeImage);
}

}  // namespace

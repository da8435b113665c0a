// SetDIBitsToDevice from 32-bit DIBs: which source rows land where, what is clipped, and what
// the call returns. The expected grids were taken from Windows' behaviour as Wine shows it.
#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>

#include "GdiTestSupport.h"

using zvx::test::Canvas;
using zvx::test::DibHeader;
using zvx::test::Section;

namespace {

// A 4 x 3 source whose word in memory row r, column c is 0xAB0000 followed by r+1, c+1.
struct Source {
    std::uint32_t words[12];
    Source()
    {
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 4; ++c) words[r * 4 + c] = 0xAB000000u | ((r + 1) * 16 + c + 1);
        }
    }
};

// The canvas as text: one group per row, two hex digits per pixel (the low byte).
std::string Picture(const Canvas& canvas, int size)
{
    std::string out;
    for (int y = 0; y < size; ++y) {
        if (y > 0) out += ' ';
        for (int x = 0; x < size; ++x) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned>(canvas.at(x, y) & 0xFF));
            out += digits;
        }
    }
    return out;
}

struct Case {
    int sourceHeight, x, y;
    DWORD width, height;
    int xSrc, ySrc;
    UINT start, lines;
    int result;
    const char* picture;
};

void Check(const Case& c, Canvas& canvas)
{
    SCOPED_TRACE(::testing::Message() << "height " << c.sourceHeight << " at " << c.x << "," << c.y
                                      << " " << c.width << "x" << c.height << " from " << c.xSrc
                                      << "," << c.ySrc << " scans " << c.start << "+" << c.lines);
    const Source source;
    const BITMAPINFO info = DibHeader(4, c.sourceHeight);
    for (int i = 0; i < 36; ++i) canvas.section.words()[i] = 0;
    EXPECT_EQ(c.result, ::SetDIBitsToDevice(canvas.dc(), c.x, c.y, c.width, c.height, c.xSrc,
                                            c.ySrc, c.start, c.lines, source.words, &info,
                                            DIB_RGB_COLORS));
    EXPECT_EQ(c.picture, Picture(canvas, 6));
}

TEST(SetDIBitsToDevice, TopDownSource)
{
    const Case cases[] = {
        {-3, 0, 0, 4, 3, 0, 0, 0, 3, 3, "111213140000 212223240000 313233340000 000000000000 000000000000 000000000000"},
        {-3, 1, 1, 4, 3, 0, 0, 0, 3, 3, "000000000000 001112131400 002122232400 003132333400 000000000000 000000000000"},
        // The part drawn is the top-left block when the scan lines match its height...
        {-3, 0, 0, 2, 2, 0, 0, 0, 2, 2, "111200000000 212200000000 000000000000 000000000000 000000000000 000000000000"},
        // ...since ySrc counts from the bottom of the scan lines supplied.
        {-3, 0, 0, 2, 2, 0, 0, 0, 3, 3, "212200000000 313200000000 000000000000 000000000000 000000000000 000000000000"},
        {-3, 0, 0, 4, 3, 0, 0, 1, 2, 2, "111213140000 212223240000 000000000000 000000000000 000000000000 000000000000"},
        {-3, 0, 0, 4, 3, 0, 0, 0, 5, 5, "313233340000 000000000000 000000000000 000000000000 000000000000 000000000000"},
        {-3, 0, 0, 4, 3, 0, 0, 2, 5, 0, "000000000000 000000000000 000000000000 000000000000 000000000000 000000000000"},
        {-3, 0, 0, 4, 3, -3, 0, 0, 3, 3, "000000110000 000000210000 000000310000 000000000000 000000000000 000000000000"},
        {-3, 0, 0, 4, 3, 5, 0, 0, 3, 0, "000000000000 000000000000 000000000000 000000000000 000000000000 000000000000"},
    };
    Canvas canvas(6, 6);
    for (const Case& c : cases) Check(c, canvas);
}

TEST(SetDIBitsToDevice, BottomUpSource)
{
    const Case cases[] = {
        {3, 0, 0, 4, 3, 0, 0, 0, 3, 3, "313233340000 212223240000 111213140000 000000000000 000000000000 000000000000"},
        {3, 0, 0, 2, 2, 0, 0, 0, 3, 2, "212200000000 111200000000 000000000000 000000000000 000000000000 000000000000"},
        {3, 0, 0, 4, 3, 0, 0, 1, 2, 2, "212223240000 111213140000 000000000000 000000000000 000000000000 000000000000"},
        {3, 0, 0, 4, 3, 0, 0, 0, 5, 3, "313233340000 212223240000 111213140000 000000000000 000000000000 000000000000"},
        {3, 0, 0, 4, 3, -1, -1, 0, 3, 2, "002122230000 001112130000 000000000000 000000000000 000000000000 000000000000"},
        {3, 0, 0, 4, 3, 0, 0, 3, 1, 0, "000000000000 000000000000 000000000000 000000000000 000000000000 000000000000"},
    };
    Canvas canvas(6, 6);
    for (const Case& c : cases) Check(c, canvas);
}

TEST(SetDIBitsToDevice, DestinationsOutsideAreClippedButStillCounted)
{
    const Case cases[] = {
        {-3, -1, -1, 4, 3, 0, 0, 0, 3, 3, "222324000000 323334000000 000000000000 000000000000 000000000000 000000000000"},
        {-3, 4, 4, 4, 3, 0, 0, 0, 3, 3, "000000000000 000000000000 000000000000 000000000000 000000001112 000000002122"},
        {3, 4, 4, 4, 3, 0, 0, 0, 3, 3, "000000000000 000000000000 000000000000 000000000000 000000003132 000000002122"},
        {-3, -100, -100, 4, 3, 0, 0, 0, 3, 3, "000000000000 000000000000 000000000000 000000000000 000000000000 000000000000"},
        {-3, 0, 0, 10, 10, 0, 0, 0, 3, 3, "000000000000 000000000000 000000000000 000000000000 000000000000 000000000000"},
    };
    Canvas canvas(6, 6);
    for (const Case& c : cases) Check(c, canvas);

    HRGN region = ::CreateRectRgn(1, 1, 3, 3);
    ::SelectClipRgn(canvas.dc(), region);
    ::DeleteObject(region);
    Check({-3, 0, 0, 4, 3, 0, 0, 0, 3, 3, "000000000000 002223000000 003233000000 000000000000 000000000000 000000000000"}, canvas);
}

TEST(SetDIBitsToDevice, WholeWordsReachA32BitBitmapAndColoursA24BitOne)
{
    const Source source;
    const BITMAPINFO info = DibHeader(4, -3);
    Canvas canvas(2, 2);
    EXPECT_EQ(2, ::SetDIBitsToDevice(canvas.dc(), 0, 0, 2, 2, 0, 0, 0, 2, source.words, &info,
                                     DIB_RGB_COLORS));
    EXPECT_EQ(0xAB000011u, canvas.at(0, 0));
    EXPECT_EQ(0xAB000022u, canvas.at(1, 1));

    Section rgb(2, 2, 24);
    zvx::test::MemoryDc memory(rgb.bitmap);
    EXPECT_EQ(2, ::SetDIBitsToDevice(memory.dc, 0, 0, 2, 2, 0, 0, 0, 2, source.words, &info,
                                     DIB_RGB_COLORS));
    const std::uint8_t expected[16] = {0x21, 0, 0, 0x22, 0, 0, 0, 0, 0x11, 0, 0, 0x12, 0, 0, 0, 0};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(expected[i], rgb.bytes()[i]) << "byte " << i;
}

TEST(SetDIBitsToDevice, RefusesWhatItCannotRead)
{
    const Source source;
    Canvas canvas(2, 2);
    const BITMAPINFO good = DibHeader(4, -3);
    EXPECT_EQ(0, ::SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 3, 0, 0, 0, 3, nullptr, &good, DIB_RGB_COLORS));
    EXPECT_EQ(0, ::SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 3, 0, 0, 0, 3, source.words, nullptr, DIB_RGB_COLORS));
    EXPECT_EQ(0, ::SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 3, 0, 0, 0, 3, source.words, &good, 5));
    for (const BITMAPINFO& info : {DibHeader(0, -3), DibHeader(4, 0), DibHeader(4, -3, 33)}) {
        EXPECT_EQ(0, ::SetDIBitsToDevice(canvas.dc(), 0, 0, 4, 3, 0, 0, 0, 3, source.words, &info,
                                         DIB_RGB_COLORS));
    }
    EXPECT_EQ(0u, canvas.at(0, 0));
}

}  // namespace

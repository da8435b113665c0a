// SetPixel and GetPixel (the keyed draw and the blend onto a DC) and the clip region that the
// heap image's DrawTiled leaves in a DC, with GetClipBox, which tells the tiling what it reaches.
#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "GdiTestSupport.h"

namespace {

using zvx::test::Canvas;

TEST(Pixels, AreWrittenInsideTheBitmapAndTheClipOnlyTopByteClearedOrAsTheNearerOfBlackAndWhite)
{
    const struct {
        int x, y;
        std::array<int, 4> clip;  // no clip when empty
        bool written;
    } cases[] = {
        {0, 0, {}, true},          {3, 3, {}, true},           {-1, 0, {}, false},
        {0, -1, {}, false},        {4, 0, {}, false},          {0, 4, {}, false},
        {INT_MIN, 2, {}, false},   {2, 2, {1, 1, 3, 3}, true}, {3, 2, {1, 1, 3, 3}, false},
        {0, 1, {1, 1, 3, 3}, false}, {2, 2, {3, 3, 1, 1}, true}, {1, 1, {1, 1, 1, 3}, false},
    };
    for (const auto& c : cases) {
        Canvas canvas(4, 4);
        if (c.clip != std::array<int, 4>{}) canvas.Clip(c.clip[0], c.clip[1], c.clip[2], c.clip[3]);
        for (int i = 0; i < 16; ++i) canvas.at(i % 4, i / 4) = 0xAB000000u;
        ::SetPixel(canvas.dc, c.x, c.y, RGB(1, 2, 3));
        for (int i = 0; i < 16; ++i) {
            const bool at = c.written && i == c.y * 4 + c.x;
            EXPECT_EQ(at ? 0x00010203u : 0xAB000000u, canvas.at(i % 4, i / 4)) << c.x << "," << c.y;
        }
    }
    Canvas canvas(2, 1);
    canvas.at(1, 0) = 0xAB123456u;
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), ::GetPixel(canvas.dc, 1, 0));
    EXPECT_EQ(CLR_INVALID, ::GetPixel(canvas.dc, 2, 0));

    // A fresh memory DC holds a 1 x 1 monochrome bitmap: SetPixel and SetDIBitsToDevice keep the
    // nearer of black and white there, and GetDIBits (so CreateFromBitmap) reads it as 32-bit rows.
    const struct { COLORREF color, kept; } colours[] = {{RGB(127, 128, 128), 0xFFFFFF}, {RGB(128, 127, 127), 0}, {RGB(255, 0, 0), 0}, {RGB(0, 255, 255), 0xFFFFFF}};
    const Canvas other(1, 1);  // its bitmap goes in to take the DC's own one out
    ::SelectObject(other.dc, other.original);
    for (const auto& c : colours) {
        HDC dc = ::CreateCompatibleDC(nullptr);
        EXPECT_EQ(c.kept, ::SetPixel(dc, 0, 0, c.color)) << std::hex << c.color;
        ::SetPixel(dc, 0, 0, c.kept ^ 0xFFFFFF);
        std::uint32_t word = (c.color & 0xFF) << 16 | (c.color & 0xFF00) | (c.color >> 16 & 0xFF);
        BITMAPINFO header = zvx::test::DibHeader(1, -1);
        ::SetDIBitsToDevice(dc, 0, 0, 1, 1, 0, 0, 0, 1, &word, &header, DIB_RGB_COLORS);
        EXPECT_EQ(c.kept, ::GetPixel(dc, 0, 0)) << std::hex << c.color;
        HGDIOBJ mono = ::SelectObject(dc, other.bitmap);
        EXPECT_TRUE(::GetDIBits(dc, static_cast<HBITMAP>(mono), 0, 1, &word, &header, DIB_RGB_COLORS) == 1 && word == c.kept) << std::hex << c.color;
        ::SelectObject(dc, mono);
        EXPECT_TRUE(::MoveToEx(dc, 0, 0, nullptr) && ::LineTo(dc, 1, 0) && ::GetPixel(dc, 0, 0) == 0) << "the stock pen is black";
        ::DeleteDC(dc);
    }
}

TEST(ClipRegion, GetClipBoxIsTheBitmapCutToTheClip)
{
    using Box = std::array<LONG, 4>;
    const struct {
        Box clip;  // none when all 0
        int kind;
        Box box;  // when SIMPLEREGION
    } cases[] = {
        {{}, SIMPLEREGION, {0, 0, 16, 12}},           {{2, 3, 10, 7}, SIMPLEREGION, {2, 3, 10, 7}},
        {{-5, -5, 4, 100}, SIMPLEREGION, {0, 0, 4, 12}}, {{3, 3, 1, 1}, SIMPLEREGION, {1, 1, 3, 3}},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SIMPLEREGION, {0, 0, 16, 12}},
        {{20, 20, 30, 30}, NULLREGION, {}},           {{-10, 0, 0, 4}, NULLREGION, {}}, {{5, 5, 5, 9}, NULLREGION, {}},
    };
    for (const auto& c : cases) {
        Canvas canvas(16, 12);
        if (c.clip != Box{}) canvas.Clip(c.clip[0], c.clip[1], c.clip[2], c.clip[3]);
        RECT got{};
        EXPECT_EQ(c.kind, ::GetClipBox(canvas.dc, &got)) << c.clip[0] << "," << c.clip[1];
        EXPECT_TRUE(c.kind != SIMPLEREGION || c.box == (Box{got.left, got.top, got.right, got.bottom})) << c.clip[0] << "," << c.clip[1];
    }
}

}  // namespace

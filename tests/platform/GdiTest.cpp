// The software GDI as the library draws through it, on a 32-bit DIB section in a memory DC of its
// own as every image keeps its pixels: SetDIBitsToDevice, SetPixel, the clip region and
// GetClipBox, one-pixel pen lines and the section's own life. Wine shows what Windows does.
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Win32.h"
#include "support/LiveObjects.h"

namespace {

BITMAPINFO DibHeader(int width, int height, int bits = 32) { return {{sizeof(BITMAPINFOHEADER), width, height, 1, static_cast<WORD>(bits), BI_RGB, 0, 0, 0, 0, 0}, {}}; }

// Every word 0 at first, rows top-down, as an image's section.
struct Canvas {
    int width, height;
    void* bits = nullptr;
    BITMAPINFO info = DibHeader(width, -height);
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ original = ::SelectObject(dc, bitmap);

    Canvas(int w, int h) : width(w), height(h) {}
    ~Canvas()
    {
        ::SelectObject(dc, original);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;

    std::uint32_t& at(int x, int y) const { return static_cast<std::uint32_t*>(bits)[y * width + x]; }
    void Clip(int left, int top, int right, int bottom) const
    {
        HRGN region = ::CreateRectRgn(left, top, right, bottom);
        ::SelectClipRgn(dc, region);
        ::DeleteObject(region);  // the DC keeps its own copy
    }
    // Rows of two hex digits per pixel, its low byte.
    std::string Picture() const
    {
        std::string out;
        for (int i = 0; i < width * height; ++i) {
            out += (i > 0 && i % width == 0 ? " " : "");
            out += {"0123456789abcdef"[(at(i % width, i / width) >> 4) & 15], "0123456789abcdef"[at(i % width, i / width) & 15]};
        }
        return out;
    }
};

using Box = std::array<LONG, 4>;

const Canvas g_madeBeforeMain(2, 2);  // as the sample's global images make theirs

TEST(Pixels, AreWrittenInsideTheBitmapAndTheClipOnlyTopByteCleared)
{
    const struct {
        int x, y;
        Box clip;  // no clip when empty
        bool written;
    } cases[] = {
        {0, 0, {}, true},          {3, 3, {}, true},           {-1, 0, {}, false},
        {0, -1, {}, false},        {4, 0, {}, false},          {0, 4, {}, false},
        {INT_MIN, 2, {}, false},   {2, 2, {1, 1, 3, 3}, true}, {3, 2, {1, 1, 3, 3}, false},
        {0, 1, {1, 1, 3, 3}, false}, {2, 2, {3, 3, 1, 1}, true}, {1, 1, {1, 1, 1, 3}, false},
    };
    for (const auto& c : cases) {
        Canvas canvas(4, 4);
        if (c.clip != Box{}) canvas.Clip(c.clip[0], c.clip[1], c.clip[2], c.clip[3]);
        for (int i = 0; i < 16; ++i) canvas.at(i % 4, i / 4) = 0xAB000000u;
        ::SetPixel(canvas.dc, c.x, c.y, RGB(1, 2, 3));
        for (int i = 0; i < 16; ++i) {
            const bool at = c.written && i == c.y * 4 + c.x;
            EXPECT_EQ(at ? 0x00010203u : 0xAB000000u, canvas.at(i % 4, i / 4)) << c.x << "," << c.y;
        }
    }
}

TEST(ClipRegion, GetClipBoxIsTheBitmapCutToTheClip)
{
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

// The pixels a line sets on a cleared canvas, "x,y" in rows ("colour" when one is not the pen's).
std::string Line(int size, int x0, int y0, int x1, int y1, bool clipped)
{
    Canvas canvas(size, size);
    if (clipped) canvas.Clip(5, 5, 15, 15);
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ previous = ::SelectObject(canvas.dc, pen);
    ::MoveToEx(canvas.dc, x0, y0, nullptr);
    ::LineTo(canvas.dc, x1, y1);
    ::DeleteObject(::SelectObject(canvas.dc, previous));
    std::string out;
    for (int i = 0; i < size * size; ++i) {
        const std::uint32_t word = canvas.at(i % size, i / size);
        if (word != 0) out += word != 0x00010203u ? " colour" : " " + std::to_string(i % size) + ',' + std::to_string(i / size);
    }
    return out.empty() ? out : out.substr(1);
}

// Every octant from (20, 20) with its ties between two pixels, and lines cut by the bitmap or the clip.
TEST(PenLines, SetWindowsPixelsLeaveTheEndPointOutAndKeepTheWholeLinesPixelsWhenCut)
{
    const struct {
        int size, x0, y0, x1, y1;
        bool clipped;  // to (5, 5)-(15, 15)
        const char* pixels;
    } cases[] = {
        {40, 0, 0, 3, 0, false, "0,0 1,0 2,0"},
        {40, 5, 1, 5, 4, false, "5,1 5,2 5,3"},
        {40, 20, 20, 9, 8, false, "10,9 11,10 12,11 13,12 14,13 14,14 15,15 16,16 17,17 18,18 19,19 20,20"},
        {40, 20, 20, 21, 8, false, "21,9 21,10 21,11 21,12 21,13 20,14 20,15 20,16 20,17 20,18 20,19 20,20"},
        {40, 20, 20, 19, 32, false, "20,20 20,21 20,22 20,23 20,24 20,25 19,26 19,27 19,28 19,29 19,30 19,31"},
        {40, 20, 20, 31, 32, false, "20,20 21,21 22,22 23,23 24,24 25,25 25,26 26,27 27,28 28,29 29,30 30,31"},
        {40, 20, 20, 8, 18, false, "9,18 10,18 11,18 12,19 13,19 14,19 15,19 16,19 17,19 18,20 19,20 20,20"},
        {40, 20, 20, 32, 18, false, "29,18 30,18 31,18 23,19 24,19 25,19 26,19 27,19 28,19 20,20 21,20 22,20"},
        {40, 20, 20, 8, 22, false, "17,20 18,20 19,20 20,20 11,21 12,21 13,21 14,21 15,21 16,21 9,22 10,22"},
        {40, 20, 20, 32, 22, false, "20,20 21,20 22,20 23,20 24,21 25,21 26,21 27,21 28,21 29,21 30,22 31,22"},
        {12, -50, 3, 60, 17, false, "0,9 1,9 2,10 3,10 4,10 5,10 6,10 7,10 8,10 9,11 10,11 11,11"},
        {12, 30, 139, -7, -100, false, "8,0 9,1 9,2 9,3 9,4 9,5 9,6 10,7 10,8 10,9 10,10 10,11"},
        {12, -1000000, -5, 1000000, -5, false, ""},
        {20, 0, 0, 30, 20, true, "7,5 8,5 9,6 10,7 11,7 12,8 13,9 14,9"},
        {20, 30, 20, 0, 0, true, "7,5 8,5 9,6 10,7 11,7 12,8 13,9 14,9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.pixels, Line(c.size, c.x0, c.y0, c.x1, c.y1, c.clipped)) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    }
}

// One DC at a time holds a section; deleted while held, it still draws and goes once let go.
TEST(DibSection, WorksBeforeMainIsHeldByOneDcAndCountsWhileItLives)
{
    const Canvas held(2, 2);
    HDC second = ::CreateCompatibleDC(nullptr);
    EXPECT_TRUE(::SelectObject(second, held.bitmap) == nullptr && ::SelectObject(held.dc, held.bitmap) == held.bitmap);
    EXPECT_TRUE(::DeleteObject(held.bitmap) && ::DeleteObject(::GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(::SetPixel(held.dc, 1, 1, RGB(1, 2, 3)) == RGB(1, 2, 3) && held.at(1, 1) == 0x00010203u);
    ::SelectObject(held.dc, held.original);
    EXPECT_FALSE(::SelectObject(second, held.bitmap) || ::DeleteObject(held.bitmap) || ::CreateCompatibleDC(reinterpret_cast<HDC>(held.bitmap)));
    EXPECT_TRUE(::DeleteObject(second)) << "a DC goes as with DeleteDC";
    EXPECT_TRUE(::SetPixel(g_madeBeforeMain.dc, 1, 1, RGB(1, 2, 3)) == RGB(1, 2, 3) && g_madeBeforeMain.at(1, 1) == 0x00010203u);
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

TEST(SetDIBitsToDevice, PutsTheTopLeftBlockWholeWordsAndClipped)
{
    // A 4 x 3 image whose word in row r, column c is 0xAB0000 followed by r + 1, c + 1.
    const struct { int bits; bool bottomUp; } sources[] = {{32, false}, {32, true}, {24, true}, {24, false}};
    const struct {
        int x, y, w, h;
        bool clipped;  // to the rectangle (1, 1)-(3, 3)
        const char* picture;
        const char* bottomUp;  // when rows from the bottom differ
    } cases[] = {
        {0, 0, 4, 3, false, "111213140000 212223240000 313233340000 000000000000 000000000000 000000000000", nullptr},
        {1, 1, 4, 3, false, "000000000000 001112131400 002122232400 003132333400 000000000000 000000000000", nullptr},
        {0, 0, 2, 2, false, "111200000000 212200000000 000000000000 000000000000 000000000000 000000000000",
         "212200000000 313200000000 000000000000 000000000000 000000000000 000000000000"},
        {2, 0, 3, 1, false, "000011121300 000000000000 000000000000 000000000000 000000000000 000000000000",
         "000031323300 000000000000 000000000000 000000000000 000000000000 000000000000"},
        {-1, -1, 4, 3, false, "222324000000 323334000000 000000000000 000000000000 000000000000 000000000000", nullptr},
        {4, 4, 4, 3, false, "000000000000 000000000000 000000000000 000000000000 000000001112 000000002122", nullptr},
        {-100, -100, 4, 3, false, "000000000000 000000000000 000000000000 000000000000 000000000000 000000000000", nullptr},
        {0, 0, 4, 3, true, "000000000000 002223000000 003233000000 000000000000 000000000000 000000000000", nullptr},
    };
    for (const auto& s : sources) {
        BYTE image[48] = {};
        for (int i = 0; i < 12; ++i) {
            const std::uint32_t word = 0xAB000000u | ((i / 4 + 1) * 16 + i % 4 + 1);
            const std::size_t size = s.bits / 8, row = s.bottomUp ? 2 - i / 4 : i / 4;
            std::memcpy(image + (row * 4 + i % 4) * size, &word, size);
        }
        const BITMAPINFO header = DibHeader(4, s.bottomUp ? 3 : -3, s.bits);
        for (const auto& c : cases) {
            Canvas canvas(6, 6);
            if (c.clipped) canvas.Clip(1, 1, 3, 3);
            ::SetDIBitsToDevice(canvas.dc, c.x, c.y, static_cast<DWORD>(c.w), static_cast<DWORD>(c.h), 0, 0, 0,
                                static_cast<UINT>(c.h), image, &header, DIB_RGB_COLORS);
            EXPECT_EQ(s.bottomUp && c.bottomUp ? c.bottomUp : c.picture, canvas.Picture()) << s.bits << (s.bottomUp ? " bits bottom-up " : " bits ") << c.x << "," << c.y << " " << c.w << "x" << c.h;
            for (int i = 0; i < 36; ++i) EXPECT_TRUE(canvas.at(i % 6, i / 6) == 0 || canvas.at(i % 6, i / 6) >> 24 == (s.bits == 32 ? 0xABu : 0u)) << "the top byte is part of a 32-bit word";
        }
    }
    for (const int at : {1, -1}) {  // a section's own pixels onto its own DC: as from an untouched copy
        Canvas canvas(4, 3);
        for (int i = 0; i < 12; ++i) canvas.at(i % 4, i / 4) = static_cast<std::uint32_t>((i / 4 + 1) * 16 + i % 4 + 1);
        ::SetDIBitsToDevice(canvas.dc, at, at, 4, 3, 0, 0, 0, 3, canvas.bits, &canvas.info, DIB_RGB_COLORS);
        EXPECT_EQ(at > 0 ? "11121314 21111213 31212223" : "22232414 32333424 31323334", canvas.Picture()) << at;
    }
}

// Past a few megabytes the rows are copied another way (streaming stores): the same result, from
// either row order, whole rows or rows starting a column or three along.
TEST(SetDIBitsToDevice, PutsAnImageOfManyMegabytesAsASmallOne)
{
    constexpr int kWidth = 1920, kHeight = 840;
    std::vector<std::uint32_t> image(std::size_t{kWidth} * kHeight);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint32_t>(i * 2654435761u);
    for (const int x : {0, 1, 3}) {
        for (const bool bottomUp : {false, true}) {
            const BITMAPINFO header = DibHeader(kWidth, bottomUp ? kHeight : -kHeight);
            Canvas canvas(kWidth + x, kHeight);
            ::SetDIBitsToDevice(canvas.dc, x, 0, kWidth, kHeight, 0, 0, 0, kHeight, image.data(), &header, DIB_RGB_COLORS);
            int wrongRows = 0;
            for (int y = 0; y < kHeight; ++y) wrongRows += std::memcmp(&canvas.at(x, y), &image[static_cast<std::size_t>(bottomUp ? kHeight - 1 - y : y) * kWidth], sizeof(std::uint32_t) * kWidth) != 0 || (x > 0 && canvas.at(0, y) != 0);
            EXPECT_EQ(0, wrongRows) << "at x " << x << (bottomUp ? ", bottom-up" : ", top-down");
        }
    }
}

}  // namespace

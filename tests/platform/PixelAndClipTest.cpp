// SetPixel and GetPixel on a DC, and the clip region that limits every drawing call.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <initializer_list>

#include "GdiTestSupport.h"

using zvx::test::Canvas;
using zvx::test::MemoryDc;
using zvx::test::RunningUnderWine;
using zvx::test::Section;

namespace {

using Edges = std::array<LONG, 4>;
Edges EdgesOf(const RECT& r) { return Edges{r.left, r.top, r.right, r.bottom}; }

void ClipTo(HDC dc, int left, int top, int right, int bottom)
{
    HRGN region = ::CreateRectRgn(left, top, right, bottom);
    EXPECT_EQ(SIMPLEREGION, ::SelectClipRgn(dc, region));
    EXPECT_TRUE(::DeleteObject(region)) << "the DC keeps its own copy";
}

TEST(Pixels, SetPixelStoresTheColourWithAClearTopByte)
{
    Canvas canvas(4, 4);
    canvas.at(0, 0) = 0xFF000000u;
    EXPECT_EQ(RGB(1, 2, 3), ::SetPixel(canvas.dc(), 0, 0, RGB(1, 2, 3)));
    EXPECT_EQ(0x00010203u, canvas.at(0, 0));
    canvas.at(3, 0) = 0xAB123456u;
    EXPECT_EQ(RGB(0x12, 0x34, 0x56), ::GetPixel(canvas.dc(), 3, 0)) << "the top byte is not colour";
    // A palette-relative RGB is a plain colour on a true-colour bitmap.
    EXPECT_EQ(RGB(1, 2, 3), ::SetPixel(canvas.dc(), 1, 0, 0x02000000u | RGB(1, 2, 3)));
    EXPECT_EQ(0x00010203u, canvas.at(1, 0));

    Section rgb(3, -1, 24);
    MemoryDc memory(rgb.bitmap);
    EXPECT_EQ(RGB(1, 2, 3), ::SetPixel(memory.dc, 2, 0, RGB(1, 2, 3)));
    EXPECT_EQ(3, rgb.bytes()[6]);
    EXPECT_EQ(2, rgb.bytes()[7]);
    EXPECT_EQ(1, rgb.bytes()[8]);
    EXPECT_EQ(RGB(1, 2, 3), ::GetPixel(memory.dc, 2, 0));
}

TEST(Pixels, OutsideTheBitmapNothingIsReadOrWritten)
{
    Canvas canvas(2, 2);
    for (const POINT p : {POINT{-1, 0}, POINT{0, -1}, POINT{2, 0}, POINT{0, 2}, POINT{-100000, 5}}) {
        EXPECT_EQ(CLR_INVALID, ::GetPixel(canvas.dc(), p.x, p.y));
        ::SetPixel(canvas.dc(), p.x, p.y, RGB(1, 2, 3));
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(0u, canvas.section.words()[i]);
}

TEST(Pixels, OutsideTheClipRegionNothingIsWritten)
{
    Canvas canvas(4, 4);
    ClipTo(canvas.dc(), 1, 1, 3, 3);
    canvas.at(0, 0) = 0x00ABCDEFu;
    const COLORREF set = ::SetPixel(canvas.dc(), 0, 0, RGB(1, 2, 3));
    EXPECT_EQ(0x00ABCDEFu, canvas.at(0, 0));
    EXPECT_EQ(RGB(1, 2, 3), ::SetPixel(canvas.dc(), 1, 1, RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), ::GetPixel(canvas.dc(), 1, 1));
    const COLORREF read = ::GetPixel(canvas.dc(), 0, 0);
    if (RunningUnderWine()) {
        GTEST_SKIP() << "Windows documents CLR_INVALID for both calls outside the clip region; "
                        "Wine 8 returns the colour and the pixel instead";
    }
    EXPECT_EQ(CLR_INVALID, set);
    EXPECT_EQ(CLR_INVALID, read);
}

TEST(ClipRegion, SelectClipRgnAnswersWithTheRegionKind)
{
    Canvas canvas(4, 4);
    HRGN empty = ::CreateRectRgn(1, 1, 1, 3);
    EXPECT_EQ(NULLREGION, ::SelectClipRgn(canvas.dc(), empty));
    ::SetPixel(canvas.dc(), 1, 1, RGB(1, 2, 3));
    EXPECT_EQ(0u, canvas.at(1, 1));
    // A region beyond the bitmap is still a rectangle.
    HRGN beyond = ::CreateRectRgn(10, 10, 20, 20);
    EXPECT_EQ(SIMPLEREGION, ::SelectClipRgn(canvas.dc(), beyond));
    EXPECT_EQ(SIMPLEREGION, ::SelectClipRgn(canvas.dc(), nullptr));
    EXPECT_TRUE(::DeleteObject(empty));
    EXPECT_TRUE(::DeleteObject(beyond));
    EXPECT_EQ(ERROR, ::SelectClipRgn(canvas.dc(), beyond)) << "deleted region";
}

TEST(ClipRegion, CornersMayComeInAnyOrderAndTheClipOutlivesABitmapChange)
{
    Canvas canvas(4, 4);
    ClipTo(canvas.dc(), 3, 3, 1, 1);
    ::SetPixel(canvas.dc(), 3, 3, RGB(1, 1, 1));
    EXPECT_EQ(0u, canvas.at(3, 3));
    EXPECT_EQ(RGB(1, 1, 1), ::SetPixel(canvas.dc(), 2, 2, RGB(1, 1, 1)));
    EXPECT_EQ(0x00010101u, canvas.at(2, 2));

    Section larger(8, -8);
    HGDIOBJ previous = ::SelectObject(canvas.dc(), larger.bitmap);
    ::SetPixel(canvas.dc(), 5, 5, RGB(1, 1, 1));
    EXPECT_EQ(0u, larger.words()[5 * 8 + 5]);
    ::SetPixel(canvas.dc(), 1, 1, RGB(1, 1, 1));
    EXPECT_EQ(0x00010101u, larger.words()[1 * 8 + 1]);
    ::SelectObject(canvas.dc(), previous);

    // Removing the clip opens the whole bitmap again.
    EXPECT_EQ(SIMPLEREGION, ::SelectClipRgn(canvas.dc(), nullptr));
    EXPECT_EQ(RGB(1, 1, 1), ::SetPixel(canvas.dc(), 3, 3, RGB(1, 1, 1)));
}

TEST(ClipRegion, ClipBoxIsTheBitmapCutToTheClipRegion)
{
    struct Case {
        RECT clip;
        int kind;
        RECT box;  // for SIMPLEREGION; a NULLREGION box is only empty
    };
    const Case cases[] = {
        {{2, 3, 10, 7}, SIMPLEREGION, {2, 3, 10, 7}},
        {{-5, -5, 4, 100}, SIMPLEREGION, {0, 0, 4, 12}},
        {{3, 3, 1, 1}, SIMPLEREGION, {1, 1, 3, 3}},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, SIMPLEREGION, {0, 0, 16, 12}},
        {{20, 20, 30, 30}, NULLREGION, {}},
        {{-10, 0, 0, 4}, NULLREGION, {}},
        {{5, 5, 5, 9}, NULLREGION, {}},
        {{INT_MAX - 5, INT_MAX - 1, INT_MAX, INT_MAX}, NULLREGION, {}},
    };
    Canvas canvas(16, 12);
    RECT box{};
    EXPECT_EQ(SIMPLEREGION, ::GetClipBox(canvas.dc(), &box)) << "no clip: the bitmap";
    EXPECT_EQ((Edges{0, 0, 16, 12}), EdgesOf(box));
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.clip.left << "," << c.clip.top << " - "
                                          << c.clip.right << "," << c.clip.bottom);
        HRGN region = ::CreateRectRgn(c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
        ::SelectClipRgn(canvas.dc(), region);
        ::DeleteObject(region);
        box = RECT{-7, -7, -7, -7};
        ASSERT_EQ(c.kind, ::GetClipBox(canvas.dc(), &box));
        if (c.kind == SIMPLEREGION) {
            EXPECT_EQ(EdgesOf(c.box), EdgesOf(box));
        } else {
            EXPECT_TRUE(box.left >= box.right || box.top >= box.bottom);
        }
    }
    EXPECT_EQ(SIMPLEREGION, ::SelectClipRgn(canvas.dc(), nullptr));
    EXPECT_EQ(SIMPLEREGION, ::GetClipBox(canvas.dc(), &box));
    EXPECT_EQ((Edges{0, 0, 16, 12}), EdgesOf(box)) << "clip removed";

    // Another bitmap, bottom-up this time, and the 1 x 1 one a new memory DC holds.
    Section larger(40, 30);
    MemoryDc memory;
    EXPECT_EQ(SIMPLEREGION, ::GetClipBox(memory.dc, &box));
    EXPECT_EQ((Edges{0, 0, 1, 1}), EdgesOf(box));
    HGDIOBJ original = ::SelectObject(memory.dc, larger.bitmap);
    EXPECT_EQ(SIMPLEREGION, ::GetClipBox(memory.dc, &box));
    EXPECT_EQ((Edges{0, 0, 40, 30}), EdgesOf(box));
    ::SelectObject(memory.dc, original);

    // Not a DC: an error, and the rectangle is left alone.
    box = RECT{-7, -7, -7, -7};
    EXPECT_EQ(ERROR, ::GetClipBox(nullptr, &box));
    HDC gone = ::CreateCompatibleDC(nullptr);
    ::DeleteDC(gone);
    EXPECT_EQ(ERROR, ::GetClipBox(gone, &box));
    EXPECT_EQ((Edges{-7, -7, -7, -7}), EdgesOf(box));
}

}  // namespace

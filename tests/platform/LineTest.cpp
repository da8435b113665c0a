// The DIB-section image's lines: a one-pixel solid pen, MoveToEx and LineTo on its memory DC, end
// points anywhere. The pixels are the ones Windows' line drawing picks, as Wine shows them:
// every octant, the ties between two pixels, and lines cut by the bitmap or the clip region.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "GdiTestSupport.h"

namespace {

// The pixels a line sets on a cleared canvas, row by row ("colour" when one is not the pen's).
std::string Line(int size, int x0, int y0, int x1, int y1, bool clipped = false)
{
    zvx::test::Canvas canvas(size, size);
    if (clipped) canvas.Clip(5, 5, 15, 15);
    HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HGDIOBJ previous = ::SelectObject(canvas.dc, pen);
    ::MoveToEx(canvas.dc, x0, y0, nullptr);
    ::LineTo(canvas.dc, x1, y1);
    ::SelectObject(canvas.dc, previous);
    ::DeleteObject(pen);
    std::string out;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (canvas.at(x, y) == 0) continue;
            if (canvas.at(x, y) != 0x00010203u) return "colour";
            out += (out.empty() ? "" : " ") + std::to_string(x) + ',' + std::to_string(y);
        }
    }
    return out;
}

TEST(PenLines, SetWindowsPixelsAndLeaveTheEndPointOut)
{
    const struct {
        int x0, y0, x1, y1;
        const char* pixels;
    } cases[] = {
        {0, 0, 3, 0, "0,0 1,0 2,0"},
        {3, 0, 0, 0, "1,0 2,0 3,0"},
        {5, 1, 5, 4, "5,1 5,2 5,3"},
        {0, 2, 5, 4, "0,2 1,2 2,3 3,3 4,4"},
        {20, 20, 9, 8, "10,9 11,10 12,11 13,12 14,13 14,14 15,15 16,16 17,17 18,18 19,19 20,20"},
        {20, 20, 21, 8, "21,9 21,10 21,11 21,12 21,13 20,14 20,15 20,16 20,17 20,18 20,19 20,20"},
        {20, 20, 19, 32, "20,20 20,21 20,22 20,23 20,24 20,25 19,26 19,27 19,28 19,29 19,30 19,31"},
        {20, 20, 31, 32, "20,20 21,21 22,22 23,23 24,24 25,25 25,26 26,27 27,28 28,29 29,30 30,31"},
        {20, 20, 8, 18, "9,18 10,18 11,18 12,19 13,19 14,19 15,19 16,19 17,19 18,20 19,20 20,20"},
        {20, 20, 32, 18, "29,18 30,18 31,18 23,19 24,19 25,19 26,19 27,19 28,19 20,20 21,20 22,20"},
        {20, 20, 8, 22, "17,20 18,20 19,20 20,20 11,21 12,21 13,21 14,21 15,21 16,21 9,22 10,22"},
        {20, 20, 32, 22, "20,20 21,20 22,20 23,20 24,21 25,21 26,21 27,21 28,21 29,21 30,22 31,22"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.pixels, Line(40, c.x0, c.y0, c.x1, c.y1)) << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;
    }
}

TEST(PenLines, KeepThePixelsOfTheWholeLineWhenCut)
{
    EXPECT_EQ("0,9 1,9 2,10 3,10 4,10 5,10 6,10 7,10 8,10 9,11 10,11 11,11", Line(12, -50, 3, 60, 17));
    EXPECT_EQ("8,0 9,1 9,2 9,3 9,4 9,5 9,6 10,7 10,8 10,9 10,10 10,11", Line(12, 30, 139, -7, -100));
    EXPECT_EQ("", Line(12, -1000000, -5, 1000000, -5));
    EXPECT_EQ("7,5 8,5 9,6 10,7 11,7 12,8 13,9 14,9", Line(20, 0, 0, 30, 20, true));
    EXPECT_EQ("7,5 8,5 9,6 10,7 11,7 12,8 13,9 14,9", Line(20, 30, 20, 0, 0, true));
#ifndef _WIN32
    // Wine's own arithmetic overflows at these lengths (it drew y = x + 1 as y = x), so only the
    // native layer is held to the exact line here.
    EXPECT_EQ("0,0 1,1 2,2 3,3", Line(4, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ("0,0 1,1 2,2 3,3", Line(4, INT_MAX, INT_MAX, INT_MIN, INT_MIN));
    EXPECT_EQ("0,1 1,2 2,3", Line(4, -1000000000, -999999999, 1000000000, 1000000001));
    EXPECT_EQ("0,4 1,4 2,4 3,4 4,4", Line(5, INT_MIN, 3, INT_MAX, 4)) << "just past the halfway point";
#endif
}

}  // namespace

// The DIB-section image's lines: a one-pixel solid pen, MoveToEx and LineTo on its memory DC, end
// points anywhere. The pixels are the ones Windows' line drawing picks, as Wine shows them:
// every octant, the ties between two pixels, and lines cut by the bitmap or the clip region.
#include <gtest/gtest.h>

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

TEST(PenLines, SetWindowsPixelsLeaveTheEndPointOutAndKeepTheWholeLinesPixelsWhenCut)
{
    const struct {
        int size, x0, y0, x1, y1;
        bool clipped;  // to (5, 5)-(15, 15)
        const char* pixels;
    } cases[] = {
        {40, 0, 0, 3, 0, false, "0,0 1,0 2,0"},
        {40, 3, 0, 0, 0, false, "1,0 2,0 3,0"},
        {40, 5, 1, 5, 4, false, "5,1 5,2 5,3"},
        {40, 0, 2, 5, 4, false, "0,2 1,2 2,3 3,3 4,4"},
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

}  // namespace

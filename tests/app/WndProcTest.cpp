// WndProc driven with messages and no window: a null window handle makes the USER calls no-ops,
// and what is left to see is the state and the frame composed in the back buffer.
#include <algorithm>

#include "AppTestKit.h"

namespace {

using WndProcTest = AppTest;

// The channel blend of the cursor picture at 0.7, worked out from its definition.
Pixel Blend(Pixel source, Pixel dest)
{
    Pixel out = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        const double s = static_cast<double>((source >> shift) & 0xFF);
        const double d = static_cast<double>((dest >> shift) & 0xFF);
        const double beta = 1.0 - 0.7;
        const double mixed = d * beta + s * 0.7;
        out |= static_cast<Pixel>(std::min(255, static_cast<int>(mixed))) << shift;
    }
    return out;
}

void PaintBackground()
{
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) g_background.SetColor(x, y, static_cast<Pixel>(x << 16 | y << 8 | (x ^ y)));
    }
    // The cursor picture: a dark square in a white (keyed) border.
    for (int y = 1; y < 8; ++y) {
        for (int x = 1; x < 10; ++x) g_hand.SetColor(x, y, 0x203040);
    }
}

TEST_F(WndProcTest, MouseMoveStoresTheUnsignedClientPosition)
{
    EXPECT_EQ(WndProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(17, 23)), 0);
    EXPECT_EQ(g_mouseX, 17);
    EXPECT_EQ(g_mouseY, 23);
    // A position left of or above the client area arrives as a large unsigned value.
    WndProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(-2, -1));
    EXPECT_EQ(g_mouseX, 65534);
    EXPECT_EQ(g_mouseY, 65535);
}

TEST_F(WndProcTest, ClickTintsLeavesTheMouseAndAnswersAsDefWindowProc)
{
    WndProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(7, 9));
    const LRESULT expected = ::DefWindowProcA(nullptr, WM_LBUTTONDOWN, 1, MAKELPARAM(100, 75));
    EXPECT_EQ(WndProc(nullptr, WM_LBUTTONDOWN, 1, MAKELPARAM(100, 75)), expected);
    EXPECT_EQ(g_background.GetColor(100, 75), 0x827F7Fu);
    EXPECT_EQ(g_background.GetColor(39, 75), 0x808080u);
    EXPECT_EQ(g_mouseX, 7);
    EXPECT_EQ(g_mouseY, 9);
}

TEST_F(WndProcTest, PaintShowsTheBackgroundAloneUntilTheMouseIsRightOfColumnFour)
{
    PaintBackground();
    for (const int x : {-1, 0, 4}) {
        g_mouseX = x;
        g_mouseY = 20;
        g_backBuffer.Create(200, 150, 0);
        EXPECT_EQ(WndProc(nullptr, WM_PAINT, 0, 0), 0);
        for (int y = 0; y < 150; ++y) {
            for (int column = 0; column < 200; ++column) {
                ASSERT_EQ(g_backBuffer.GetColor(column, y), g_background.GetColor(column, y)) << "mouse x " << x;
            }
        }
    }
}

TEST_F(WndProcTest, PaintBlendsTheCursorPictureCentredOnTheMouse)
{
    PaintBackground();
    g_mouseX = 5;  // the first column that shows it: half of it is clipped away on the left
    g_mouseY = 100;
    WndProc(nullptr, WM_PAINT, 0, 0);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x) {
            const int hx = x - (5 - 5);
            const int hy = y - (100 - 4);
            const bool underDarkPart = hx >= 1 && hx < 10 && hy >= 1 && hy < 8;
            const Pixel want = underDarkPart ? Blend(0x203040, g_background.GetColor(x, y)) : g_background.GetColor(x, y);
            ASSERT_EQ(g_backBuffer.GetColor(x, y), want) << x << "," << y;
        }
    }
    // The composition never touches the pictures themselves.
    EXPECT_EQ(g_hand.GetColor(0, 0), 0xFFFFFFu);
    EXPECT_EQ(g_background.GetColor(3, 100), static_cast<Pixel>(3 << 16 | 100 << 8 | (3 ^ 100)));
}

TEST_F(WndProcTest, DestroyEndsTheMessageLoopWithExitCodeZero)
{
    EXPECT_EQ(WndProc(nullptr, WM_DESTROY, 0, 0), 0);
    MSG msg{};
    EXPECT_EQ(::GetMessageA(&msg, nullptr, 0, 0), 0);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 0u);
}

}  // namespace

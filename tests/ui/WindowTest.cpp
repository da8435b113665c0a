// The window layer as the sample leans on it: the message loop ends with WM_QUIT's code, a
// window's client area is what AdjustWindowRect was asked for, its paint DC draws into it, an
// invalidation without erasing repaints through the queue without WM_ERASEBKGND, and WM_CLOSE's
// default handling destroys the window. Windows need a display: under Wine without one they are
// skipped (natively SDL's display-less driver serves).
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Win32.h"

namespace {

#ifndef _WIN32
const bool kDisplayless = setenv("SDL_VIDEODRIVER", "dummy", 1) == 0;
#endif

std::vector<UINT> g_seen;
COLORREF g_before = 0, g_after = 0;  // the paint DC's pixel (3, 2) before and after it drew there

LRESULT CALLBACK Recording(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT || message == WM_ERASEBKGND || message == WM_DESTROY) g_seen.push_back(message);
    if (message != WM_PAINT) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(hwnd, &paint);
    g_before = ::GetPixel(dc, 3, 2);
    ::SetPixel(dc, 3, 2, RGB(10, 20, 30));
    g_after = ::GetPixel(dc, 3, 2);
    ::EndPaint(hwnd, &paint);
    return 0;
}

TEST(MessageLoop, PostedMessagesComeInOrderThenTheQuitWithItsCode)
{
    ::PostQuitMessage(7);
    ASSERT_TRUE(::PostMessageA(nullptr, WM_KEYDOWN, 1, 2));
    ASSERT_TRUE(::PostMessageA(nullptr, WM_CHAR, 3, 4));
    MSG msg{};
    for (const UINT expected : {WM_KEYDOWN, WM_CHAR}) {
        ASSERT_EQ(TRUE, ::GetMessageA(&msg, nullptr, 0, 0));
        EXPECT_EQ(expected, msg.message);
        EXPECT_EQ(0, ::DispatchMessageA(&msg)) << "a message for no window goes to no procedure";
    }
    ASSERT_EQ(FALSE, ::GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(7u, msg.wParam);
}

TEST(Window, PaintsRepaintsWithoutErasingAndClosesByDefault)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Recording;
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "ZvxWindowTest";
    ASSERT_NE(0, ::RegisterClassA(&windowClass));
    windowClass.lpszClassName = "ZVXWINDOWTEST";
    EXPECT_EQ(0, ::RegisterClassA(&windowClass)) << "class names are compared without case";
    RECT frame{0, 0, 200, 120};
    ::AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU, FALSE);
    const HWND hwnd = ::CreateWindowExA(0, "ZvxWindowTest", "test", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
    if (hwnd == nullptr) GTEST_SKIP() << "no display";
    RECT client{};
    ASSERT_TRUE(::GetClientRect(hwnd, &client));
    EXPECT_EQ(200, client.right - client.left);
    EXPECT_EQ(120, client.bottom - client.top);

    ::ShowWindow(hwnd, SW_SHOW);
    ::UpdateWindow(hwnd);
    EXPECT_EQ(RGB(255, 255, 255), g_before) << "erased with the class brush";
    EXPECT_EQ(RGB(10, 20, 30), g_after);

    g_seen.clear();
    ::InvalidateRgn(hwnd, nullptr, FALSE);
    MSG msg{};
    do ASSERT_EQ(TRUE, ::GetMessageA(&msg, nullptr, 0, 0));
    while (msg.message != WM_PAINT);
    EXPECT_EQ(hwnd, msg.hwnd);
    ::DispatchMessageA(&msg);
    EXPECT_EQ(std::vector<UINT>{WM_PAINT}, g_seen);
    EXPECT_EQ(RGB(10, 20, 30), g_before) << "the window kept what was drawn";

    g_seen.clear();
    ::DefWindowProcA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(std::vector<UINT>{WM_DESTROY}, g_seen);
    EXPECT_FALSE(::GetClientRect(hwnd, &client)) << "the handle is dead";
    EXPECT_FALSE(::PostMessageA(hwnd, WM_KEYDOWN, 0, 0));
}

}  // namespace

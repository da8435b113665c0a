// The window layer's contract with the sample: the message queue, painting and destruction.
// The same tests run against Windows itself under Wine. Windows need a display; without one
// they are skipped (the posix build uses SDL's display-less video driver, so they always run).
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Win32.h"

namespace {

#ifndef _WIN32
const bool kDisplayless = [] { return setenv("SDL_VIDEODRIVER", "dummy", 1) == 0; }();
#endif

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Seen> g_seen;
COLORREF g_readBack = CLR_INVALID;
COLORREF g_corner = CLR_INVALID;  // what the window held before this paint drew

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT || message == WM_ERASEBKGND || message == WM_DESTROY || message == WM_CLOSE ||
        message == WM_LBUTTONDOWN || message == WM_KEYDOWN) {
        g_seen.push_back({message, wParam, lParam});
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        const HDC dc = ::BeginPaint(hwnd, &paint);
        g_corner = ::GetPixel(dc, 0, 0);
        ::SetPixel(dc, 3, 2, RGB(10, 20, 30));
        g_readBack = ::GetPixel(dc, 3, 2);
        ::EndPaint(hwnd, &paint);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<UINT> Messages()
{
    std::vector<UINT> messages;
    for (const Seen& seen : g_seen) messages.push_back(seen.message);
    return messages;
}

// A window of a class of its own; null when there is no display.
HWND MakeWindow(const char* className)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = className;
    if (::RegisterClassA(&windowClass) == 0) return nullptr;
    RECT frame{0, 0, 200, 120};
    ::AdjustWindowRect(&frame, WS_CAPTION | WS_SYSMENU, FALSE);
    return ::CreateWindowExA(0, className, "test", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
}

TEST(MessageQueueTest, PostedMessagesComeInOrderAndTheQuitLast)
{
    ::PostQuitMessage(7);
    ASSERT_TRUE(::PostMessageA(nullptr, WM_KEYDOWN, 1, 2));
    ASSERT_TRUE(::PostMessageA(nullptr, WM_CHAR, 3, 4));
    MSG msg{};
    ASSERT_EQ(::GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.lParam, 2);
    // A message for no window goes to no procedure.
    EXPECT_EQ(::DispatchMessageA(&msg), 0);
    ASSERT_EQ(::GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CHAR));
    ASSERT_EQ(::GetMessageA(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(WindowTest, ClassNamesAreRegisteredOnceWhateverTheirCase)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = "ZvxOnce";
    EXPECT_NE(::RegisterClassA(&windowClass), 0);
    windowClass.lpszClassName = "ZVXONCE";
    EXPECT_EQ(::RegisterClassA(&windowClass), 0);
    EXPECT_EQ(::CreateWindowExA(0, "ZvxNoSuchClass", "x", WS_CAPTION, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr),
              nullptr);
}

TEST(WindowTest, ShowingErasesThenPaintsAndTheDcDrawsIntoTheWindow)
{
    const HWND hwnd = MakeWindow("ZvxPaint");
    if (hwnd == nullptr) GTEST_SKIP() << "no display";
    RECT client{};
    ASSERT_TRUE(::GetClientRect(hwnd, &client));
    EXPECT_EQ(client.right - client.left, 200);
    EXPECT_EQ(client.bottom - client.top, 120);

    g_seen.clear();
    // Showing erases the background at once; UpdateWindow then paints, without the queue.
    ::ShowWindow(hwnd, SW_SHOW);
    ASSERT_EQ(Messages(), (std::vector<UINT>{WM_ERASEBKGND}));
    EXPECT_NE(g_seen[0].wParam, 0u);
    ::UpdateWindow(hwnd);
    ASSERT_EQ(Messages(), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    EXPECT_EQ(g_corner, RGB(255, 255, 255));  // the class brush
    EXPECT_EQ(g_readBack, RGB(10, 20, 30));

    // Invalidated without erasing: WM_PAINT comes through the queue, with no WM_ERASEBKGND, and
    // the window still holds what was drawn before.
    g_seen.clear();
    ::InvalidateRgn(hwnd, nullptr, FALSE);
    MSG msg{};
    ASSERT_EQ(::GetMessageA(&msg, nullptr, 0, 0), TRUE);
    while (msg.message != WM_PAINT) ASSERT_EQ(::GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.hwnd, hwnd);
    ::DispatchMessageA(&msg);
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_PAINT}));
    EXPECT_TRUE(::DestroyWindow(hwnd));
}

TEST(WindowTest, CloseDestroysThroughTheDefaultHandlingAndTheHandleDies)
{
    const HWND hwnd = MakeWindow("ZvxClose");
    if (hwnd == nullptr) GTEST_SKIP() << "no display";
    g_seen.clear();
    EXPECT_EQ(::DefWindowProcA(hwnd, WM_LBUTTONDOWN, 1, MAKELPARAM(2, 3)), 0);
    RecordingProc(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(Messages(), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(::PostMessageA(hwnd, WM_KEYDOWN, 0, 0));
    EXPECT_FALSE(::DestroyWindow(hwnd));
    RECT client{};
    EXPECT_FALSE(::GetClientRect(hwnd, &client));
}

}  // namespace

// A long session through the window procedure: a thousand mouse moves, clicks and paints leave
// the heap and the GDI objects where they were after the first few.
#include <gtest/gtest.h>

#include "support/LiveObjects.h"
#include "app/AppState.h"

namespace {

// Moves all over the window and beyond it, clicks wherever the mouse is, a paint after each.
void Session(int rounds)
{
    for (int i = 0; i < rounds; ++i) {
        const LPARAM at = MAKELPARAM((i * 37) % 260 - 30, (i * 53) % 200 - 25);
        for (const UINT message : {WM_MOUSEMOVE, WM_PAINT, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_PAINT}) WndProc(nullptr, message, 0, at);
    }
}

TEST(WndProcMemory, AThousandMovesClicksAndPaintsLeaveMemoryFlat)
{
    ASSERT_TRUE(g_background.Create(200, 150, 0x808080) && g_hand.Create(31, 20, 0xFFFFFF) && g_backBuffer.Create(200, 150, 0));
    g_hand.SetColorKey(0xFFFFFF);
    g_bgWidth = 200, g_bgHeight = 150, g_handHalfWidth = 15, g_handHalfHeight = 10, g_mouseX = -1, g_mouseY = 0;
    g_hwnd = nullptr;
#ifndef _WIN32
    // A WAVE image with no samples: every click has the sound layer read it; nothing is heard.
    static BYTE silent[] = {'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
                            0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0, 'd', 'a', 't', 'a', 0, 0, 0, 0};
    g_sound = silent;
#endif
    Session(20);  // whatever is made once and kept is made now
    const auto heap = zvx::test::HeapInUse();
    const auto gdi = zvx::test::LiveGdiObjects();
    Session(1000);
    g_sound = nullptr;
    EXPECT_EQ(heap, zvx::test::HeapInUse()) << "heap bytes in use";
    EXPECT_EQ(gdi, zvx::test::LiveGdiObjects()) << "GDI objects";
    EXPECT_NE(0x808080u, g_background.GetColor(100, 75)) << "the clicks did tint";
    if (!heap && !gdi) GTEST_SKIP() << "this system counts neither heap bytes nor GDI objects (Wine 8)";
}

}  // namespace

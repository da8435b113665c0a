// Puts the sample's globals into a known state before each test: the images at the given
// sizes, no sound, no mouse yet.
#pragma once

#include <gtest/gtest.h>

#include "app/AppState.h"

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(g_background.Create(200, 150, 0x808080));
        ASSERT_TRUE(g_hand.Create(11, 9, 0xFFFFFF));
        g_hand.SetColorKey(0xFFFFFF);
        ASSERT_TRUE(g_backBuffer.Create(200, 150, 0));
        g_bgWidth = 200;
        g_bgHeight = 150;
        g_handHalfWidth = 5;
        g_handHalfHeight = 4;
        g_sound = nullptr;
        g_hwnd = nullptr;
        g_mouseX = -1;
        g_mouseY = 0;
    }
};

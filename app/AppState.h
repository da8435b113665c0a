// The sample program's state: one of each, for the life of the process.
#pragma once

#include "image/DibSectionImage.h"
#include "platform/Win32.h"

extern CDibSectionImage g_background;  // "osiri.bmp"; the click effect tints it
extern CDibSectionImage g_hand;        // "hand.bmp", white keyed out; follows the mouse
extern CDibSectionImage g_backBuffer;  // every frame is composed here first

extern int g_bgWidth;
extern int g_bgHeight;
extern int g_handHalfWidth;
extern int g_handHalfHeight;
extern BYTE* g_sound;  // the whole of "sound.wav", or null: clicks are silent
extern HWND g_hwnd;
extern int g_mouseX;  // -1 until the mouse first moves over the window
extern int g_mouseY;

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Tints the 120 x 80 box of the background around (x, y) and plays the click sound.
void ClickEffect(int x, int y);

#include "app/AppState.h"

// Constructed in this order before WinMain runs, each already a 128 x 128 black image, and
// destroyed in the reverse order when the process exits.
CDibSectionImage g_background;
CDibSectionImage g_hand;
CDibSectionImage g_backBuffer;

int g_bgWidth = 0;
int g_bgHeight = 0;
int g_handHalfWidth = 0;
int g_handHalfHeight = 0;
BYTE* g_sound = nullptr;
HWND g_hwnd = nullptr;
int g_mouseX = 0;
int g_mouseY = 0;

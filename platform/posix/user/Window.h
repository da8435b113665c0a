// The window layer's own records: registered classes and live windows. A window is an SDL window
// showing pixels the layer keeps; paint DCs draw into those pixels and EndPaint shows them. The
// window manager draws the frame, so a window's size is its client size.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Win32.h"

struct SDL_Window;

namespace zvx::platform::user {

struct Window {
    HWND handle = nullptr;
    WNDPROC proc = nullptr;
    HBRUSH background = nullptr;
    SDL_Window* sdl = nullptr;
    std::uint32_t sdlId = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down, rows packed
    bool visible = false;
    bool invalid = false;  // the update region: all or nothing
    bool erase = false;    // WM_ERASEBKGND owed at the next BeginPaint
};

// The live window with this handle, or null.
Window* FindWindow(HWND hwnd);
// The live window shown in this SDL window, or null.
Window* FindWindowBySdlId(std::uint32_t sdlId);
// The first visible window that needs painting, or null.
Window* FindInvalidWindow();
// Every live window, for invalidating them all.
std::vector<Window*> AllWindows();

// Calls the window's procedure, as SendMessage would.
LRESULT SendToWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Copies the window's pixels to the screen.
void Present(Window& window);
// Sends WM_ERASEBKGND with a DC on the window's pixels now, and shows the result.
void EraseNow(Window& window);

}  // namespace zvx::platform::user

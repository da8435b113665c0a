// What the layer says to the X window manager about its windows, and the X window behind an SDL
// window. Where SDL runs on another video system these do nothing.
#pragma once

#include "platform/Win32.h"

struct SDL_Window;

namespace zvx::platform::user {

// The X window SDL shows, or 0 when SDL is not on X11.
unsigned long X11WindowOf(SDL_Window* window);

// Tells the window manager which frame controls the Win32 style allows: a caption window moves,
// a system menu gives the close box, and nothing sizes, minimises or maximises it (the layer
// makes no such windows).
void SetFrameHints(SDL_Window* window, DWORD style);

}  // namespace zvx::platform::user

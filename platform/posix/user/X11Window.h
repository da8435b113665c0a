// What the layer says to the X window manager about its windows. Where SDL runs on another video
// system this does nothing.
#pragma once

struct SDL_Window;

namespace zvx::platform::user {

// Tells the window manager which frame controls the sample's window style (WS_CAPTION |
// WS_SYSMENU, the only one made) allows: it moves, and the close box closes it; nothing sizes,
// minimises or maximises it.
void SetFrameHints(SDL_Window* window);

}  // namespace zvx::platform::user

#include "platform/posix/user/X11Window.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace zvx::platform::user {

namespace {

// _MOTIF_WM_HINTS, the property window managers read for frame controls: five 32-bit fields
// (which fields are given, functions, decorations, input mode, status).
constexpr long kFunctionsGiven = 1 << 0;
constexpr long kDecorationsGiven = 1 << 1;
constexpr long kFunctionMove = 1 << 2;
constexpr long kFunctionClose = 1 << 5;
constexpr long kDecorationBorder = 1 << 1;
constexpr long kDecorationTitle = 1 << 3;
constexpr long kDecorationMenu = 1 << 4;

}  // namespace

void SetFrameHints(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
    // Moving (the caption) and closing (the system menu's close box); Xlib passes 32-bit
    // property items as longs.
    long hints[5] = {kFunctionsGiven | kDecorationsGiven, kFunctionMove | kFunctionClose,
                     kDecorationBorder | kDecorationTitle | kDecorationMenu, 0, 0};
    Display* display = info.info.x11.display;
    const Atom property = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, info.info.x11.window, property, property, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    XFlush(display);
}

}  // namespace zvx::platform::user

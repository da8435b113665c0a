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

bool X11Info(SDL_Window* window, SDL_SysWMinfo& info)
{
    if (window == nullptr) return false;
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11;
}

}  // namespace

unsigned long X11WindowOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    return X11Info(window, info) ? info.info.x11.window : 0;
}

void SetFrameHints(SDL_Window* window, DWORD style)
{
    SDL_SysWMinfo info;
    if (!X11Info(window, info)) return;
    long functions = 0;
    long decorations = 0;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        functions |= kFunctionMove;
        decorations |= kDecorationBorder | kDecorationTitle;
    }
    if ((style & WS_SYSMENU) != 0) {
        functions |= kFunctionClose;
        decorations |= kDecorationMenu;
    }
    // Xlib passes 32-bit property items as longs.
    long hints[5] = {kFunctionsGiven | kDecorationsGiven, functions, decorations, 0, 0};
    Display* display = info.info.x11.display;
    const Atom property = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, info.info.x11.window, property, property, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    XFlush(display);
}

}  // namespace zvx::platform::user

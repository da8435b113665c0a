#include "platform/posix/user/Sdl.h"

#include <cstdlib>

#define SDL_MAIN_HANDLED
#include <SDL.h>

namespace zvx::platform::user {

namespace {

void PrepareSdl()
{
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    SDL_SetMainReady();
    // Ctrl+C and SIGTERM must end the process as they do any other program; SDL would turn
    // them into a quit event that a Win32 message loop knows nothing about.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // A picture viewer has no business keeping the screen awake.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // A click that activates the window is still a click, as on Windows.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    std::atexit(SDL_Quit);
}

bool Ensure(Uint32 subsystem, int& state)
{
    if (state == 0) {
        PrepareSdl();
        state = SDL_InitSubSystem(subsystem) == 0 ? 1 : -1;
    }
    return state > 0;
}

// SDL falls back to drivers that show nothing when there is no display. A window there would
// leave the user with a program waiting for ever behind nothing, so they count as no display,
// unless asked for by name (tests do).
bool ShowsNothing(const char* driver)
{
    if (driver == nullptr) return true;
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (asked != nullptr && SDL_strcasecmp(asked, driver) == 0) return false;
    return SDL_strcasecmp(driver, "offscreen") == 0 || SDL_strcasecmp(driver, "dummy") == 0 ||
           SDL_strcasecmp(driver, "evdev") == 0;
}

}  // namespace

bool EnsureVideo()
{
    static int state = 0;
    if (state == 0 && Ensure(SDL_INIT_VIDEO, state) && ShowsNothing(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        state = -1;
    }
    return state > 0;
}

bool EnsureAudio()
{
    static int state = 0;
    return Ensure(SDL_INIT_AUDIO, state);
}

}  // namespace zvx::platform::user

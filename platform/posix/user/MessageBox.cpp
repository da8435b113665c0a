// Message boxes through SDL, or a plain line on stderr where there is no display to show one.
#include <cstdio>
#include <string>

#include <SDL.h>

#include "platform/Win32.h"
#include "platform/posix/user/CodePage.h"
#include "platform/posix/user/Sdl.h"
#include "platform/posix/user/Window.h"

using namespace zvx::platform::user;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT)
{
    const std::string body = AnsiToUtf8(text);
    // Windows' caption for a box given none.
    const std::string title = caption != nullptr ? AnsiToUtf8(caption) : std::string("Error");
    if (EnsureVideo()) {
        const Window* parent = FindWindow(owner);
        if (SDL_ShowSimpleMessageBox(0, title.c_str(), body.c_str(), parent != nullptr ? parent->sdl : nullptr) == 0) {
            return IDOK;
        }
    }
    std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
    std::fflush(stderr);
    return IDOK;
}

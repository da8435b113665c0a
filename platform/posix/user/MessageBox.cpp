// Message boxes: a GTK dialog; SDL's own box where GTK cannot open the display; a plain line on
// stderr where there is no display at all.
#include <cstdio>
#include <string>

#include <SDL.h>

#include "platform/Win32.h"
#include "platform/posix/user/CodePage.h"
#include "platform/posix/user/GtkMessageBox.h"
#include "platform/posix/user/Sdl.h"

using namespace zvx::platform::user;

namespace {

// SDL draws with the X server's core fonts, which have no Japanese; it is the last resort.
int ShowSdlMessageBox(const std::string& caption, const std::string& text)
{
    SDL_MessageBoxButtonData ok{};
    ok.flags = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    ok.buttonid = IDOK;
    ok.text = "OK";
    SDL_MessageBoxData box{};
    box.title = caption.c_str();
    box.message = text.c_str();
    box.numbuttons = 1;
    box.buttons = &ok;
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return 0;
    return pressed == IDOK ? IDOK : IDCANCEL;  // -1: the box was closed
}

}  // namespace

// The sample's boxes always have a text and a caption, both from code page 932, and no owner: they
// come before its window does.
int zvx::win32::MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT)
{
    const std::string body = Utf16ToUtf8(text);
    const std::string title = Utf16ToUtf8(caption);
    if (const int answer = ShowGtkMessageBox(title, body)) return answer;
    if (EnsureVideo()) {
        if (const int answer = ShowSdlMessageBox(title, body)) return answer;
    }
    std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
    std::fflush(stderr);
    return IDOK;
}

int zvx::win32::MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    return MessageBoxW(owner, AnsiToUtf16(text).c_str(), AnsiToUtf16(caption).c_str(), type);
}

// Window classes and windows: registration, creation, showing, destruction.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include <SDL.h>

#include "platform/Win32.h"
#include "platform/posix/gdi/Surface.h"
#include "platform/posix/user/CodePage.h"
#include "platform/posix/user/Sdl.h"
#include "platform/posix/user/Window.h"
#include "platform/posix/user/X11Window.h"

namespace zvx::platform::user {

namespace {

struct WindowClass {
    ATOM atom = 0;
    WNDPROC proc = nullptr;
    HBRUSH background = nullptr;
};

// Class names compare without regard to case, as on Windows.
std::string ClassKey(const char* name)
{
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

// An integer atom passed as a name lies below 0x10000; this layer registers names only.
bool IsNamePointer(const char* name) { return reinterpret_cast<std::uintptr_t>(name) > 0xFFFF; }

std::map<std::string, WindowClass>& Classes()
{
    static std::map<std::string, WindowClass> classes;
    return classes;
}

// Handles are small numbers, never reused, so a stale handle finds nothing.
std::map<std::uintptr_t, std::unique_ptr<Window>>& Windows()
{
    static std::map<std::uintptr_t, std::unique_ptr<Window>> windows;
    return windows;
}

}  // namespace

Window* FindWindow(HWND hwnd)
{
    const auto it = Windows().find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == Windows().end() ? nullptr : it->second.get();
}

Window* FindWindowBySdlId(std::uint32_t sdlId)
{
    for (auto& entry : Windows()) {
        if (entry.second->sdlId == sdlId) return entry.second.get();
    }
    return nullptr;
}

Window* FindInvalidWindow()
{
    for (auto& entry : Windows()) {
        if (entry.second->visible && entry.second->invalid) return entry.second.get();
    }
    return nullptr;
}

std::vector<Window*> AllWindows()
{
    std::vector<Window*> all;
    for (auto& entry : Windows()) all.push_back(entry.second.get());
    return all;
}

LRESULT SendToWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Window* window = FindWindow(hwnd);
    if (window == nullptr) return 0;  // a registered class always has a procedure
    // The procedure may destroy the window; nothing of it is touched after the call.
    const WNDPROC proc = window->proc;
    return proc(hwnd, message, wParam, lParam);
}

// A live window always has its SDL window and at least one pixel.
void Present(Window& window)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window.sdl);
    if (surface == nullptr) return;
    // The window manager may have given the window another size; show what fits.
    const int width = std::min(window.width, surface->w);
    const int height = std::min(window.height, surface->h);
    if (width > 0 && height > 0 && SDL_LockSurface(surface) == 0) {
        SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, window.pixels.data(), window.width * 4,
                          surface->format->format, surface->pixels, surface->pitch);
        SDL_UnlockSurface(surface);
    }
    SDL_UpdateWindowSurface(window.sdl);
}

void EraseNow(Window& window)
{
    const HWND hwnd = window.handle;
    const HDC dc = zvx::platform::CreateSurfaceDC(window.pixels.data(), window.width, window.height);
    // A procedure that answers 0 has not erased: BeginPaint will ask again.
    const bool erased = SendToWindow(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
    if (dc != nullptr) zvx::platform::ReleaseSurfaceDC(dc);
    if (Window* still = FindWindow(hwnd)) {
        if (erased) still->erase = false;
        Present(*still);
    }
}

}  // namespace zvx::platform::user

using namespace zvx::platform::user;

ATOM zvx::win32::RegisterClassA(const WNDCLASSA* wndClass)
{
    if (wndClass == nullptr || wndClass->lpfnWndProc == nullptr || wndClass->lpszClassName == nullptr ||
        !IsNamePointer(wndClass->lpszClassName) || wndClass->lpszClassName[0] == '\0') {
        return 0;
    }
    const std::string key = ClassKey(wndClass->lpszClassName);
    if (Classes().count(key) != 0) return 0;  // already registered
    static ATOM nextAtom = 0xC000;
    WindowClass entry;
    entry.atom = nextAtom++;
    entry.proc = wndClass->lpfnWndProc;
    entry.background = wndClass->hbrBackground;
    Classes()[key] = entry;
    return entry.atom;
}

BOOL zvx::win32::AdjustWindowRect(LPRECT, DWORD, BOOL)
{
    // The window manager draws caption and border outside the SDL window, so the layer's own
    // non-client area is empty: window rectangle and client rectangle coincide.
    return TRUE;
}

// The sample's one window: a caption and a close box (its style), placed by the window manager
// as CW_USEDEFAULT asks, shown by ShowWindow.
HWND zvx::win32::CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD, int, int, int width, int height,
                                 HWND, HMENU, HINSTANCE, LPVOID)
{
    if (className == nullptr || !IsNamePointer(className)) return nullptr;
    const auto found = Classes().find(ClassKey(className));
    if (found == Classes().end()) return nullptr;
    if (!EnsureVideo()) return nullptr;

    // SDL refuses empty windows; Windows makes them. Keep at least one pixel on screen.
    width = std::max(width, 1);
    height = std::max(height, 1);
    const std::string title = AnsiToUtf8(windowName);
    SDL_Window* sdl = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                       SDL_WINDOW_HIDDEN);
    if (sdl == nullptr) return nullptr;
    // SDL may make the X window anew when it first gives it a surface; so take the surface
    // now, before telling the window manager which frame controls the window has (SDL asks for
    // all of them).
    SDL_GetWindowSurface(sdl);
    SetFrameHints(sdl);

    static std::uintptr_t nextHandle = 0x10;
    auto window = std::make_unique<Window>();
    window->handle = reinterpret_cast<HWND>(nextHandle);
    nextHandle += 4;
    window->proc = found->second.proc;
    window->background = found->second.background;
    window->sdl = sdl;
    window->sdlId = SDL_GetWindowID(sdl);
    window->width = width;
    window->height = height;
    window->pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    const HWND hwnd = window->handle;
    Windows()[reinterpret_cast<std::uintptr_t>(hwnd)] = std::move(window);
    return hwnd;
}

// Every command shows the window: the sample only ever shows its one window, never hides it.
BOOL zvx::win32::ShowWindow(HWND hwnd, int)
{
    Window* window = FindWindow(hwnd);
    if (window == nullptr) return FALSE;
    const bool wasVisible = window->visible;
    SDL_ShowWindow(window->sdl);
    window->visible = true;
    if (!wasVisible) {
        // A window that appears must be painted whole. As on Windows, its background is erased
        // at once; WM_PAINT comes later.
        window->invalid = true;
        window->erase = true;
        EraseNow(*window);
    }
    return wasVisible ? TRUE : FALSE;
}

// TRUE whatever the window, as Wine answers too: a window that is not there has nothing to paint.
BOOL zvx::win32::UpdateWindow(HWND hwnd)
{
    const Window* window = FindWindow(hwnd);
    if (window != nullptr && window->visible && window->invalid) SendToWindow(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL zvx::win32::DestroyWindow(HWND hwnd)
{
    if (FindWindow(hwnd) == nullptr) return FALSE;
    SendToWindow(hwnd, WM_DESTROY, 0, 0);
    // WM_DESTROY's handler may itself have destroyed the window.
    const auto it = Windows().find(reinterpret_cast<std::uintptr_t>(hwnd));
    if (it == Windows().end()) return TRUE;
    std::unique_ptr<Window> window = std::move(it->second);
    Windows().erase(it);
    SDL_DestroyWindow(window->sdl);
    return TRUE;
}

HICON zvx::win32::LoadIconA(HINSTANCE instance, LPCSTR name)
{
    // Only the system's stock pictures exist; the window manager shows its own icon.
    if (instance != nullptr || name != IDI_APPLICATION) return nullptr;
    return reinterpret_cast<HICON>(std::uintptr_t{0x7F00});
}

HCURSOR zvx::win32::LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    // SDL's default cursor is the arrow.
    if (instance != nullptr || name != IDC_ARROW) return nullptr;
    return reinterpret_cast<HCURSOR>(std::uintptr_t{0x7F01});
}

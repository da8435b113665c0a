// Invalidation and painting. A window's update region is all of its client area or nothing:
// every paint here redraws the whole client area anyway. BeginPaint and EndPaint need the
// caller's PAINTSTRUCT, as Windows does.
#include "platform/Win32.h"
#include "platform/posix/gdi/Surface.h"
#include "platform/posix/user/Window.h"

using namespace zvx::platform::user;

BOOL zvx::win32::InvalidateRgn(HWND hwnd, HRGN, BOOL erase)
{
    // A region, when given, is widened to the whole client area: painting more than asked is
    // always allowed.
    if (hwnd == nullptr) {
        // As on Windows: every window.
        for (Window* window : AllWindows()) {
            window->invalid = true;
            window->erase = window->erase || erase != FALSE;
        }
        return TRUE;
    }
    Window* window = FindWindow(hwnd);
    if (window == nullptr) return FALSE;
    window->invalid = true;
    window->erase = window->erase || erase != FALSE;
    return TRUE;
}

HDC zvx::win32::BeginPaint(HWND hwnd, LPPAINTSTRUCT paint)
{
    Window* window = FindWindow(hwnd);
    if (window == nullptr) return nullptr;
    *paint = PAINTSTRUCT{};
    paint->rcPaint = RECT{0, 0, window->width, window->height};
    paint->hdc = zvx::platform::CreateSurfaceDC(window->pixels.data(), window->width, window->height);
    // Validated now, so that whatever the procedure invalidates while painting is painted again.
    window->invalid = false;
    if (window->erase) {
        window->erase = false;
        // The procedure answers 0 when it did not erase: then the painter must.
        paint->fErase = SendToWindow(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0;
    }
    return paint->hdc;
}

BOOL zvx::win32::EndPaint(HWND hwnd, const PAINTSTRUCT* paint)
{
    if (paint->hdc != nullptr) zvx::platform::ReleaseSurfaceDC(paint->hdc);
    // The window may have gone while painting.
    if (Window* window = FindWindow(hwnd)) Present(*window);
    return TRUE;
}

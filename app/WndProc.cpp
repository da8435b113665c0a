// The window procedure: every frame is composed off-screen, then copied to the window whole.
#include "app/AppState.h"

namespace {

constexpr int kCursorMinX = 4;  // the cursor picture shows only right of this column
constexpr double kCursorAlpha = 0.7;

void PaintFrame(HWND hwnd)
{
    g_background.BltTo(static_cast<IDibImage*>(&g_backBuffer), 0, 0);
    if (g_mouseX > kCursorMinX) {
        g_hand.BlendTo(static_cast<IImage*>(&g_backBuffer), g_mouseX - g_handHalfWidth, g_mouseY - g_handHalfHeight,
                       kCursorAlpha);
    }
    PAINTSTRUCT paint{};
    const HDC hdc = ::BeginPaint(hwnd, &paint);
    g_backBuffer.Draw(hdc, 0, 0);
    ::EndPaint(hwnd, &paint);
}

}  // namespace

LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    case WM_PAINT: PaintFrame(hwnd); return 0;
    case WM_MOUSEMOVE:
        g_mouseX = LOWORD(lParam);
        g_mouseY = HIWORD(lParam);
        ::InvalidateRgn(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        ClickEffect(LOWORD(lParam), HIWORD(lParam));
        ::InvalidateRgn(hwnd, nullptr, FALSE);
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    default: return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

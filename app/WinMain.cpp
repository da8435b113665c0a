// Start-up: the pictures, the click sound, the window, then the message loop until WM_QUIT.
#include <cstdlib>

#include "app/AppState.h"
#include "app/ClickSound.h"
#include "app/ErrorMessage.h"
#include "app/Texts.h"

namespace {

constexpr Pixel kWhite = 0xFFFFFF;
constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU;  // a close box, no sizing, no min/max
constexpr int kCannotStart = 1;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    if (!g_background.LoadBmp("osiri.bmp")) {
        ShowErrorMessage(nullptr, texts::kBackgroundFailed);
        return 0;
    }
    if (!g_hand.LoadBmp("hand.bmp")) {
        ShowErrorMessage(nullptr, texts::kHandFailed);
        return 0;
    }
    g_hand.SetColorKey(kWhite);
    g_bgWidth = g_background.GetWidth();
    g_bgHeight = g_background.GetHeight();
    g_handHalfWidth = g_hand.GetWidth() / 2;
    g_handHalfHeight = g_hand.GetHeight() / 2;
    g_backBuffer.Create(g_bgWidth, g_bgHeight, 0);
    g_mouseX = -1;
    g_sound = LoadClickSound("sound.wav");

    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = texts::kClassName;
    // Without a class or a window the loop below would wait for ever with nothing to close.
    if (::RegisterClassA(&windowClass) == 0) {
        ShowErrorMessage(nullptr, texts::kClassFailed);
        std::free(g_sound);
        return kCannotStart;
    }

    // The right and bottom edges are exclusive: the client area is one pixel smaller than the
    // background each way.
    RECT frame{0, 0, g_bgWidth - 1, g_bgHeight - 1};
    ::AdjustWindowRect(&frame, kWindowStyle, FALSE);
    g_hwnd = ::CreateWindowExA(0, texts::kClassName, texts::kTitle, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (g_hwnd == nullptr) {
        ShowErrorMessage(nullptr, texts::kWindowFailed);
        std::free(g_sound);
        return kCannotStart;
    }
    ::ShowWindow(g_hwnd, showCommand);
    ::UpdateWindow(g_hwnd);

    // GetMessageA gives -1 on error; only a positive result is a message to handle.
    MSG msg{};
    BOOL got = 0;
    while ((got = ::GetMessageA(&msg, nullptr, 0, 0)) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    std::free(g_sound);
    g_sound = nullptr;
    return got == 0 ? static_cast<int>(msg.wParam) : kCannotStart;
}

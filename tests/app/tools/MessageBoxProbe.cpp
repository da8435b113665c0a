// The sample's error message three ways, each box's answer printed for the end-to-end test:
// before any window exists (where the sample's own come), owned by a window, and with no owner
// while that window is up.
#include <cstdio>

#include "app/ErrorMessage.h"
#include "app/Texts.h"

int main()
{
    std::printf("alone %d\n", ShowErrorMessage(nullptr, texts::kBackgroundFailed));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.lpszClassName = "ProbeWindow";
    ::RegisterClassA(&windowClass);
    const HWND window = ::CreateWindowExA(0, "ProbeWindow", "Zorvexa probe", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                          CW_USEDEFAULT, 300, 200, nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(window, SW_SHOW);
    std::printf("owned %d\n", ShowErrorMessage(window, texts::kHandFailed));
    std::printf("beside %d\n", ShowErrorMessage(nullptr, texts::kHandFailed));
    ::DestroyWindow(window);
    return window == nullptr ? 3 : 0;
}

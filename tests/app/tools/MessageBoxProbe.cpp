// The sample's error message shown three ways, each box's answer printed for the end-to-end test:
// before any window exists (where the sample's own messages come), owned by a window, and with no
// owner while that window is up.
#include <cstdio>

#include "app/ErrorMessage.h"
#include "app/Texts.h"
#include "platform/Win32.h"

namespace {

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        ::BeginPaint(hwnd, &paint);
        ::EndPaint(hwnd, &paint);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void Report(const char* what, int answer)
{
    std::printf("%s %d\n", what, answer);
    std::fflush(stdout);
}

}  // namespace

int main()
{
    Report("alone", ShowErrorMessage(nullptr, texts::kBackgroundFailed));

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "ProbeWindow";
    if (::RegisterClassA(&windowClass) == 0) return 2;
    const HWND window = ::CreateWindowExA(0, "ProbeWindow", "Zorvexa probe", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                          CW_USEDEFAULT, 300, 200, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) return 3;
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);

    Report("owned", ShowErrorMessage(window, texts::kHandFailed));
    Report("beside", ShowErrorMessage(nullptr, texts::kHandFailed));
    ::DestroyWindow(window);
    return 0;
}

// The thread's message queue. GetMessageA takes, in Windows' order: the quit request, input
// (mouse) messages, then WM_PAINT for a window that needs painting. Requests from the window
// manager (close, expose) are handled inside GetMessageA, as Windows handles sent messages there.
// Nothing posts messages of its own, and the one loop reads every message of the thread.
#include <algorithm>
#include <deque>

#include <SDL.h>

#include "platform/Win32.h"
#include "platform/posix/user/Sdl.h"
#include "platform/posix/user/Window.h"

namespace zvx::platform::user {

namespace {

constexpr WPARAM kMouseLeftButton = 0x0001;    // MK_LBUTTON
constexpr WPARAM kMouseRightButton = 0x0002;   // MK_RBUTTON
constexpr WPARAM kMouseMiddleButton = 0x0010;  // MK_MBUTTON

struct Queue {
    std::deque<MSG> input;
    bool quitPending = false;
    int quitCode = 0;
};

Queue& TheQueue()
{
    static Queue queue;
    return queue;
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = SDL_WasInit(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0 ? SDL_GetTicks() : 0;
    return msg;
}

WPARAM ButtonState(Uint32 sdlState)
{
    WPARAM keys = 0;
    if ((sdlState & SDL_BUTTON_LMASK) != 0) keys |= kMouseLeftButton;
    if ((sdlState & SDL_BUTTON_RMASK) != 0) keys |= kMouseRightButton;
    if ((sdlState & SDL_BUTTON_MMASK) != 0) keys |= kMouseMiddleButton;
    return keys;
}

void QueueInput(MSG msg)
{
    int x = 0;
    int y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    msg.pt = POINT{x, y};
    auto& input = TheQueue().input;
    // Windows keeps only the latest of several waiting mouse moves.
    if (msg.message == WM_MOUSEMOVE && !input.empty() && input.back().message == WM_MOUSEMOVE &&
        input.back().hwnd == msg.hwnd) {
        input.back() = msg;
        return;
    }
    input.push_back(msg);
}

void HandleWindowEvent(const SDL_WindowEvent& event)
{
    Window* window = FindWindowBySdlId(event.windowID);
    if (window == nullptr) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        // The close box and the window manager's close request; DefWindowProcA destroys.
        SendToWindow(window->handle, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        window->invalid = true;
        window->erase = true;
        break;
    default: break;
    }
}

void Translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_MOUSEMOTION: {
        const Window* window = FindWindowBySdlId(event.motion.windowID);
        if (window == nullptr) break;
        QueueInput(MakeMessage(window->handle, WM_MOUSEMOVE, ButtonState(event.motion.state),
                               MAKELPARAM(event.motion.x, event.motion.y)));
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const Window* window = FindWindowBySdlId(event.button.windowID);
        if (window == nullptr || event.button.button != SDL_BUTTON_LEFT) break;
        const UINT message = event.type == SDL_MOUSEBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        QueueInput(MakeMessage(window->handle, message, ButtonState(SDL_GetMouseState(nullptr, nullptr)),
                               MAKELPARAM(event.button.x, event.button.y)));
        break;
    }
    default: break;  // keyboard and the rest: the window manager's own keys still work
    }
}

void PumpEvents()
{
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_Event event;
    while (SDL_PollEvent(&event) == 1) Translate(event);
}

}  // namespace

}  // namespace zvx::platform::user

using namespace zvx::platform::user;

// Without a window or message filter only: that is how the sample's loop asks.
BOOL zvx::win32::GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (hwnd != nullptr || filterMin != 0 || filterMax != 0) return -1;
    Queue& queue = TheQueue();
    for (;;) {
        if (queue.quitPending) {
            queue.quitPending = false;
            *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
            return FALSE;
        }
        PumpEvents();
        // Handling a close request may have asked to quit (WM_DESTROY does).
        if (queue.quitPending) continue;
        if (!queue.input.empty()) {
            *msg = queue.input.front();
            queue.input.pop_front();
            return TRUE;
        }
        if (Window* window = FindInvalidWindow()) {
            *msg = MakeMessage(window->handle, WM_PAINT, 0, 0);
            return TRUE;
        }
        // With no video there is nothing that could ever arrive: waiting would be for ever.
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return -1;
        SDL_WaitEvent(nullptr);
    }
}

BOOL zvx::win32::TranslateMessage(const MSG* msg)
{
    // No keyboard messages are generated, so there are no characters to make.
    (void)msg;
    return FALSE;
}

LRESULT zvx::win32::DispatchMessageA(const MSG* msg)
{
    if (msg->hwnd == nullptr) return 0;
    return SendToWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void zvx::win32::PostQuitMessage(int exitCode)
{
    TheQueue().quitPending = true;
    TheQueue().quitCode = exitCode;
}

// What the sample's procedure leaves to it: closing, and erasing with the class's white brush
// (it paints every frame itself).
LRESULT zvx::win32::DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_ERASEBKGND: {
        Window* window = FindWindow(hwnd);
        // The white stock brush is the only brush there is; a class without it is not erased.
        const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        if (window == nullptr || window->background != white || wParam == 0) return 0;
        std::fill(window->pixels.begin(), window->pixels.end(), 0x00FFFFFFu);
        return 1;
    }
    default: return 0;
    }
}

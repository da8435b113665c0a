// The thread's message queue. GetMessageA takes, in Windows' order: posted messages, the quit
// request, input (mouse) messages, then WM_PAINT for a window that needs painting. Requests from
// the window manager (close, expose) are handled inside GetMessageA, as Windows handles sent
// messages there.
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
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quitPending = false;
    int quitCode = 0;
};

Queue& TheQueue()
{
    static Queue queue;
    return queue;
}

bool Matches(const MSG& msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (hwnd != nullptr && msg.hwnd != hwnd) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

bool TakeFrom(std::deque<MSG>& queue, LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (Matches(*it, hwnd, filterMin, filterMax)) {
            *msg = *it;
            queue.erase(it);
            return true;
        }
    }
    return false;
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

BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (msg == nullptr) return -1;
    Queue& queue = TheQueue();
    for (;;) {
        if (TakeFrom(queue.posted, msg, hwnd, filterMin, filterMax)) return TRUE;
        if (queue.quitPending) {
            queue.quitPending = false;
            *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
            return FALSE;
        }
        PumpEvents();
        // Handling a close request may have posted something (WM_DESTROY posts the quit).
        if (!queue.posted.empty() || queue.quitPending) continue;
        if (TakeFrom(queue.input, msg, hwnd, filterMin, filterMax)) return TRUE;
        if (Window* window = FindInvalidWindow()) {
            if (Matches(MakeMessage(window->handle, WM_PAINT, 0, 0), hwnd, filterMin, filterMax)) {
                *msg = MakeMessage(window->handle, WM_PAINT, 0, 0);
                return TRUE;
            }
        }
        // With no video there is nothing that could ever arrive: waiting would be for ever.
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return -1;
        SDL_WaitEvent(nullptr);
    }
}

BOOL TranslateMessage(const MSG* msg)
{
    // No keyboard messages are generated, so there are no characters to make.
    (void)msg;
    return FALSE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (msg == nullptr || msg->hwnd == nullptr) return 0;
    return SendToWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A null window makes a thread message, as on Windows.
    if (hwnd != nullptr && FindWindow(hwnd) == nullptr) return FALSE;
    TheQueue().posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    TheQueue().quitPending = true;
    TheQueue().quitCode = exitCode;
}

LRESULT DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_PAINT: {
        // A procedure that leaves painting to us still has its window validated.
        PAINTSTRUCT paint{};
        if (FindWindow(hwnd) == nullptr) return 0;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_ERASEBKGND: {
        Window* window = FindWindow(hwnd);
        if (window == nullptr || window->background == nullptr || wParam == 0) return 0;
        // Only the stock brushes exist here; a class brush of another kind is not painted.
        std::uint32_t color = 0;
        if (window->background == static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))) {
            color = 0x00FFFFFF;
        } else if (window->background == static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) {
            color = 0x00000000;
        } else {
            return 0;
        }
        std::fill(window->pixels.begin(), window->pixels.end(), color);
        return 1;
    }
    default: return 0;
    }
}

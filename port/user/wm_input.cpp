/* wm_input.cpp - keyboard input and the dispatch of messages. A key press
 * from the front end becomes WM_KEYDOWN and WM_KEYUP (WM_SYSKEYDOWN and
 * WM_SYSKEYUP with Alt, and for F10) for the window that has the focus
 * when the message is read, or for the active window when none has it;
 * TranslateMessage adds the WM_CHAR of a character key. */
#include <ctype.h>

#include <deque>

#include "frontend.h"
#include "wm_core.h"
#include "wm_queue.h"
#include "wm_state.h"

namespace lzport {

namespace {

struct KeyEvent {
    UINT vk;
    bool shift;
    bool alt;
    bool up;
};

std::deque<KeyEvent> g_keys;
/* the modifiers of the key message read last, for GetKeyState */
KeyEvent g_current = {0, false, false, true};

/* The character a key gives, 0 for none. */
int KeyChar(UINT vk, bool shift)
{
    switch (vk) {
    case VK_RETURN:
        return '\r';
    case VK_ESCAPE:
        return 0x1B;
    case VK_TAB:
        return '\t';
    case VK_SPACE:
        return ' ';
    case VK_BACK:
        return '\b';
    default:
        break;
    }
    if (vk >= 'A' && vk <= 'Z')
        return shift ? static_cast<int>(vk) : tolower(static_cast<int>(vk));
    if (vk >= '0' && vk <= '9')
        return static_cast<int>(vk);
    return 0;
}

} // namespace

bool TakeInputMessage(MSG *msg, HWND filter, UINT first, UINT last, bool remove)
{
    while (!g_keys.empty()) {
        const KeyEvent key = g_keys.front();
        HWND target = Windows().focus != nullptr ? Windows().focus : Windows().active;
        if (target == nullptr) {
            g_keys.pop_front(); /* nobody to type to */
            continue;
        }
        bool system = key.alt || key.vk == VK_F10 || Windows().focus == nullptr;
        UINT message = key.up ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
        if (!PassesFilter(target, filter) || !InRange(message, first, last))
            return false;
        DWORD flags = 1 | (key.alt ? (KF_ALTDOWN << 16) : 0) | (key.up ? 0xC0000000u : 0);
        *msg = MSG{target, message, key.vk, static_cast<LPARAM>(flags), GetTickCount(), {}};
        if (remove) {
            g_current = key;
            g_keys.pop_front();
        }
        return true;
    }
    return false;
}

void PostKeyPress(UINT vk, bool shift, bool alt)
{
    g_keys.push_back(KeyEvent{vk, shift, alt, false});
    g_keys.push_back(KeyEvent{vk, shift, alt, true});
}

} // namespace lzport

using namespace lzport;

extern "C" {

short WINAPI GetKeyState(int nVirtKey)
{
    const short kDown = static_cast<short>(0x8000);
    bool down = (nVirtKey == VK_SHIFT && g_current.shift) || (nVirtKey == VK_MENU && g_current.alt) ||
                (static_cast<UINT>(nVirtKey) == g_current.vk && !g_current.up);
    return down ? kDown : 0;
}

BOOL WINAPI TranslateMessage(const MSG *lpMsg)
{
    if (lpMsg == nullptr)
        return FALSE;
    UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN)
        return message == WM_KEYUP || message == WM_SYSKEYUP;
    int ch = KeyChar(static_cast<UINT>(lpMsg->wParam), GetKeyState(VK_SHIFT) < 0);
    if (ch != 0)
        PostNext(MSG{lpMsg->hwnd, static_cast<UINT>(message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR),
                     static_cast<WPARAM>(ch), lpMsg->lParam, lpMsg->time, lpMsg->pt});
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG *lpMsg)
{
    if (lpMsg == nullptr)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
        TIMERPROC proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        /* only a procedure of a running timer is called */
        if (IsRunningTimer(lpMsg->hwnd, lpMsg->wParam, proc))
            proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, GetTickCount());
        return 0;
    }
    if (lpMsg->hwnd == nullptr)
        return 0;
    Window *window = CheckWnd(lpMsg->hwnd);
    if (window == nullptr)
        return 0;
    return CallWindowProcA(window->proc, lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

} // extern "C"

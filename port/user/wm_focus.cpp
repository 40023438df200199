/* wm_focus.cpp - the keyboard focus and the active window. Activating a
 * top-level window brings it to the top, tells the old and the new one
 * (WM_NCACTIVATE, WM_ACTIVATE) and moves the focus into it; a window that
 * is disabled or minimised, or inside one that is, cannot take the focus.
 * The active window is also the foreground window: there is one thread. */
#include <algorithm>

#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

/* Whether a window may take the activation that another one hands on: a
 * top-level window that is shown, enabled and not on its way out. A
 * minimised one may. */
bool TakesActivation(const Window *window)
{
    return window != nullptr && window->parent == nullptr && !window->destroying && (window->style & WS_VISIBLE) &&
           !(window->style & WS_DISABLED);
}

/* The windows that may take over from one that leaves, in the order they
 * are asked: its owner, then every top-level window from the top, except
 * itself and the pop-ups it owns. */
std::vector<HWND> Successors(HWND leaving)
{
    std::vector<HWND> order;
    if (Window *window = FindWnd(leaving); window != nullptr && window->owner != nullptr)
        order.push_back(window->owner);
    for (HWND hWnd : Windows().topLevels) {
        if (hWnd != leaving && !IsOwnedBy(hWnd, leaving))
            order.push_back(hWnd);
    }
    return order;
}

/* The owners of a newly active window remember it as their last active
 * pop-up. */
void RememberActivePopup(HWND hWnd)
{
    for (Window *window = FindWnd(hWnd); window != nullptr; window = FindWnd(window->owner))
        window->lastActivePopup = hWnd;
}

bool Minimised(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    return window != nullptr && (window->style & WS_MINIMIZE);
}

} // namespace

void SetFocusWindow(HWND hWnd)
{
    WindowSystem &ws = Windows();
    HWND previous = ws.focus;
    if (previous == hWnd)
        return;
    ws.focus = hWnd;
    if (previous != nullptr && FindWnd(previous) != nullptr)
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (ws.focus == hWnd && hWnd != nullptr && FindWnd(hWnd) != nullptr)
        SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    WindowsChanged();
}

void ActivateWindow(HWND hWnd, bool again)
{
    WindowSystem &ws = Windows();
    HWND previous = ws.active;
    if (previous == hWnd && !again)
        return;
    ws.active = hWnd;
    if (previous != nullptr && previous != hWnd && FindWnd(previous) != nullptr) {
        SendMessageA(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(hWnd));
        SendMessageA(previous, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, Minimised(previous)),
                     reinterpret_cast<LPARAM>(hWnd));
    }
    if (hWnd != nullptr && FindWnd(hWnd) != nullptr && ws.active == hWnd) {
        BringToTop(hWnd);
        RememberActivePopup(hWnd);
        SendMessageA(hWnd, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(previous));
        SendMessageA(hWnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, Minimised(hWnd)), reinterpret_cast<LPARAM>(previous));
    }
    /* the focus goes with the activation unless the new window took it */
    if (ws.active == hWnd && (ws.focus == nullptr || hWnd == nullptr || RootWindow(ws.focus) != hWnd))
        SetFocusWindow(hWnd != nullptr && FindWnd(hWnd) != nullptr ? hWnd : nullptr);
    WindowsChanged();
}

void ActivateOtherWindow(HWND leaving)
{
    std::vector<HWND> order = Successors(leaving);
    auto next = std::find_if(order.begin(), order.end(), [](HWND hWnd) { return TakesActivation(FindWnd(hWnd)); });
    ActivateWindow(next != order.end() ? *next : nullptr);
}

} // namespace lzport

using namespace lzport;

extern "C" {

HWND WINAPI GetFocus(void) { return Windows().focus; }

HWND WINAPI SetFocus(HWND hWnd)
{
    WindowSystem &ws = Windows();
    HWND previous = ws.focus;
    if (hWnd == nullptr) {
        SetFocusWindow(nullptr);
        return previous;
    }
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return nullptr;
    if (hWnd == previous)
        return previous;
    for (Window *w = window; w != nullptr; w = FindWnd(w->parent)) {
        if (w->style & (WS_MINIMIZE | WS_DISABLED))
            return nullptr;
    }
    HWND root = RootWindow(hWnd);
    if (root != ws.active) {
        ActivateWindow(root);
        if (FindWnd(hWnd) == nullptr || ws.active != root)
            return nullptr;
    }
    SetFocusWindow(hWnd);
    return previous;
}

HWND WINAPI GetActiveWindow(void) { return Windows().active; }

HWND WINAPI SetActiveWindow(HWND hWnd)
{
    WindowSystem &ws = Windows();
    HWND previous = ws.active;
    if (hWnd != nullptr) {
        Window *window = CheckWnd(hWnd);
        if (window == nullptr)
            return nullptr;
        /* a child window cannot be active; Windows reports no error */
        if (window->parent != nullptr)
            return previous;
    }
    ActivateWindow(hWnd);
    return previous;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd)
{
    if (CheckWnd(hWnd) == nullptr)
        return FALSE;
    ActivateWindow(RootWindow(hWnd));
    return TRUE;
}

} // extern "C"

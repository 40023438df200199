/* wm_show.cpp - showing, hiding, minimising and restoring windows, and
 * enabling them. A minimised top-level window sits at the bottom of the
 * work area, kMinimizedWidth by kMinimizedHeight pixels, with an empty
 * client area; the focus leaves it. */
#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

bool FocusInside(HWND hWnd)
{
    HWND focus = Windows().focus;
    return focus != nullptr && (focus == hWnd || IsDescendant(hWnd, focus));
}

/* Where the next minimised top-level window goes: side by side from the
 * bottom left of the work area. */
RECT MinimizedRect(HWND hWnd)
{
    RECT area = WorkArea();
    int slot = 0;
    for (HWND other : Windows().topLevels) {
        Window *window = FindWnd(other);
        if (other != hWnd && window != nullptr && (window->style & WS_MINIMIZE))
            slot++;
    }
    int left = area.left + slot * kMinimizedWidth;
    return RECT{left, area.bottom - kMinimizedHeight, left + kMinimizedWidth, area.bottom};
}

void Minimize(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr || (window->style & WS_MINIMIZE))
        return;
    if (FocusInside(hWnd)) {
        DialogSaveFocus(hWnd);
        SetFocusWindow(nullptr);
    }
    window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    if (!(window->style & WS_MAXIMIZE))
        window->normalRect = window->rect;
    RECT rect = window->parent == nullptr ? MinimizedRect(hWnd) : window->rect;
    window->style = (window->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    MoveAndSize(hWnd, rect);
    InvalidateWindow(hWnd, true, false);
}

void Maximize(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr || (window->style & WS_MAXIMIZE))
        return;
    if (!(window->style & WS_MINIMIZE))
        window->normalRect = window->rect;
    RECT rect = WorkArea();
    if (window->parent != nullptr) {
        Window *parent = FindWnd(window->parent);
        SIZE size = ClientSize(parent);
        rect = RECT{0, 0, size.cx, size.cy};
    }
    Frame frame = FrameOf(window->style, window->exStyle);
    rect.left -= frame.left;
    rect.right += frame.right;
    rect.top -= frame.left; /* the caption stays on the screen */
    rect.bottom += frame.bottom;
    window->style = (window->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    MoveAndSize(hWnd, rect);
    InvalidateWindow(hWnd, true, true);
}

/* Back to the normal placement; true when the window was minimised. */
bool Restore(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr || !(window->style & (WS_MINIMIZE | WS_MAXIMIZE)))
        return false;
    bool wasMinimized = (window->style & WS_MINIMIZE) != 0;
    window->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    MoveAndSize(hWnd, window->normalRect);
    InvalidateWindow(hWnd, true, true);
    return wasMinimized;
}

} // namespace

void ShowWindowState(HWND hWnd, bool show, bool activate)
{
    WindowSystem &ws = Windows();
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    bool visible = (window->style & WS_VISIBLE) != 0;
    if (show && !visible) {
        SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
        if ((window = FindWnd(hWnd)) == nullptr)
            return;
        window->style |= WS_VISIBLE;
        InvalidateWindow(hWnd, true, true);
        WindowsChanged();
    } else if (!show && visible) {
        SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
        if ((window = FindWnd(hWnd)) == nullptr)
            return;
        window->style &= ~WS_VISIBLE;
        HWND parent = window->parent;
        WindowsChanged();
        if (ws.active == hWnd)
            ActivateOtherWindow(hWnd);
        if (FocusInside(hWnd))
            SetFocusWindow(parent);
    }
    window = FindWnd(hWnd);
    if (show && activate && window != nullptr && window->parent == nullptr)
        ActivateWindow(hWnd);
}

} // namespace lzport

using namespace lzport;

extern "C" {

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    BOOL wasVisible = (window->style & WS_VISIBLE) != 0;
    switch (nCmdShow) {
    case SW_HIDE:
        ShowWindowState(hWnd, false, false);
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        Minimize(hWnd);
        ShowWindowState(hWnd, true, nCmdShow == SW_SHOWMINIMIZED);
        break;
    case SW_SHOWMAXIMIZED:
        Maximize(hWnd);
        ShowWindowState(hWnd, true, true);
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
    case SW_SHOWNOACTIVATE: {
        bool wasMinimized = Restore(hWnd);
        bool activate = nCmdShow != SW_SHOWNOACTIVATE;
        ShowWindowState(hWnd, true, activate);
        /* back from minimised, an active window is told again so that it
         * takes the focus back */
        if (activate && wasMinimized && Windows().active == hWnd)
            ActivateWindow(hWnd, true);
        break;
    }
    case SW_SHOW:
        ShowWindowState(hWnd, true, true);
        break;
    case SW_SHOWNA:
        ShowWindowState(hWnd, true, false);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    Window *window = CheckWnd(hWnd);
    for (; window != nullptr; window = FindWnd(window->parent)) {
        if (!(window->style & WS_VISIBLE))
            return FALSE;
        if (window->parent == nullptr)
            return TRUE;
    }
    return FALSE;
}

BOOL WINAPI IsIconic(HWND hWnd)
{
    Window *window = CheckWnd(hWnd);
    return window != nullptr && (window->style & WS_MINIMIZE) != 0;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    Window *window = CheckWnd(hWnd);
    return window != nullptr && !(window->style & WS_DISABLED);
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
    if (bEnable && wasDisabled) {
        window->style &= ~WS_DISABLED;
        WindowsChanged();
        SendMessageA(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!bEnable && !wasDisabled) {
        SendMessageA(hWnd, WM_CANCELMODE, 0, 0);
        if ((window = FindWnd(hWnd)) == nullptr)
            return FALSE;
        window->style |= WS_DISABLED;
        WindowsChanged();
        /* a disabled window cannot keep the focus; a control inside it
         * keeps it, as on Wine */
        if (Windows().focus == hWnd)
            SetFocusWindow(nullptr);
        SendMessageA(hWnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

} // extern "C"

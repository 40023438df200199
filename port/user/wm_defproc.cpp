/* wm_defproc.cpp - the default window procedure and the synchronous call of
 * a window's procedure (SendMessageA, CallWindowProcA). One thread: a sent
 * message is a plain call. */
#include "wm_core.h"
#include "wm_icon.h"
#include "wm_state.h"
#include "wm_text.h"

namespace lzport {

namespace {

/* WM_SYSCOMMAND: the system's own commands. */
void SystemCommand(HWND hWnd, WPARAM command)
{
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        SendMessageA(hWnd, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(hWnd, SW_MINIMIZE);
        break;
    case SC_MAXIMIZE:
        ShowWindow(hWnd, SW_MAXIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(hWnd, SW_RESTORE);
        break;
    case SC_KEYMENU:
        TrackSystemMenu(hWnd);
        break;
    default:
        break;
    }
}

LRESULT SetIcon(Window *window, WPARAM which, LPARAM lParam)
{
    HICON icon = reinterpret_cast<HICON>(lParam);
    HICON old;
    if (which == ICON_BIG) {
        old = window->iconBig;
        window->iconBig = icon;
    } else if (which == ICON_SMALL) {
        old = window->iconSmall;
        window->iconSmall = icon;
    } else {
        return 0;
    }
    WindowsChanged();
    return reinterpret_cast<LRESULT>(old);
}

LRESULT GetIcon(const Window *window, WPARAM which)
{
    const WPARAM kSmall2 = 2; /* the small icon, or the large one when there is none */
    switch (which) {
    case ICON_BIG:
        return reinterpret_cast<LRESULT>(window->iconBig);
    case ICON_SMALL:
        return reinterpret_cast<LRESULT>(window->iconSmall);
    case kSmall2:
        return reinterpret_cast<LRESULT>(window->iconSmall != nullptr ? window->iconSmall : window->iconBig);
    default:
        return 0;
    }
}

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (lpPrevWndFunc == nullptr)
        return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return 0;
    return CallWindowProcA(window->proc, hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return 0;
    switch (Msg) {
    case WM_NCCREATE: {
        const CREATESTRUCTA *cs = reinterpret_cast<const CREATESTRUCTA *>(lParam);
        if (cs != nullptr)
            window->text = ResourceNameText(cs->lpszName);
        return TRUE;
    }
    case WM_SETTEXT:
        window->text = lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : "";
        WindowsChanged();
        return TRUE;
    case WM_GETTEXT:
        return CopyText(window->text, reinterpret_cast<LPSTR>(lParam), wParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        SystemCommand(hWnd, wParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hWnd, &ps) != nullptr)
            EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
        if (Msg == WM_ICONERASEBKGND)
            RecordPaint(hWnd, LZPORT_PAINT_ICONERASE, 0, 0, nullptr);
        return 1;
    case WM_QUERYDRAGICON:
        if (window->cls->icon != nullptr)
            return reinterpret_cast<LRESULT>(window->cls->icon);
        return reinterpret_cast<LRESULT>(LoadSystemIcon(IDI_APPLICATION));
    case WM_SETICON:
        return SetIcon(window, wParam, lParam);
    case WM_GETICON:
        return GetIcon(window, wParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(window->style & WS_MINIMIZE))
            SetFocus(hWnd);
        return 0;
    case WM_NCACTIVATE:
    case WM_QUERYOPEN:
        return TRUE;
    case WM_SYSCHAR:
        if (wParam == VK_SPACE)
            SendMessageA(RootWindow(hWnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
        return 0;
    case WM_SYSKEYDOWN:
        /* Alt+F4 closes the top-level window */
        if (wParam == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN))
            PostMessageA(RootWindow(hWnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSKEYUP:
        if (wParam == VK_F10)
            SendMessageA(RootWindow(hWnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    default:
        return 0;
    }
}

} // extern "C"

/* wm_geometry.cpp - where windows are: frames around client areas, window
 * and client rectangles, moving and sizing, and mapping points between
 * windows. Coordinates are pixels on a screen of ScreenSize(). */
#include <algorithm>

#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

/* The outer frames a window may have, thinnest first, and the metric
 * that gives each one's width. */
enum class Outer { None, Line, Dialog, Sizing };
const int kOuterWidthMetric[] = {-1, SM_CXBORDER, SM_CXDLGFRAME, SM_CXFRAME};

/* A sizing frame wins over a dialog frame (which a caption brings), and
 * that over a plain line. */
Outer OuterOf(DWORD style, DWORD exStyle)
{
    if (style & WS_THICKFRAME)
        return Outer::Sizing;
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        return Outer::Dialog;
    return (style & WS_BORDER) ? Outer::Line : Outer::None;
}

/* The client area's top-left corner in screen coordinates. */
POINT ClientOrigin(const Window *window)
{
    RECT client = ClientScreenRect(window);
    return POINT{client.left, client.top};
}

/* The point in screen coordinates that is (0, 0) of hWnd's client area;
 * (0, 0) for the screen itself (null). */
bool OriginOf(HWND hWnd, POINT &origin)
{
    origin = POINT{0, 0};
    if (hWnd == nullptr)
        return true;
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return false;
    origin = ClientOrigin(window);
    return true;
}

void PlaceInZOrder(Window *window, HWND hWndInsertAfter)
{
    std::vector<HWND> &siblings = Siblings(window);
    if (hWndInsertAfter == HWND_TOP || hWndInsertAfter == HWND_TOPMOST || hWndInsertAfter == HWND_NOTOPMOST) {
        BringToTop(window->handle);
        return;
    }
    EraseHandle(siblings, window->handle);
    auto after = std::find(siblings.begin(), siblings.end(), hWndInsertAfter);
    if (hWndInsertAfter == HWND_BOTTOM || after == siblings.end())
        siblings.push_back(window->handle);
    else
        siblings.insert(after + 1, window->handle);
}

} // namespace

Frame FrameOf(DWORD style, DWORD exStyle)
{
    int metric = kOuterWidthMetric[static_cast<int>(OuterOf(style, exStyle))];
    int side =
        (metric < 0 ? 0 : GetSystemMetrics(metric)) + ((exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0);
    int caption = (style & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0;
    return Frame{side, side + caption, side, side};
}

RECT WindowScreenRect(const Window *window)
{
    RECT rect = window->rect;
    if (Window *parent = FindWnd(window->parent)) {
        POINT origin = ClientOrigin(parent);
        OffsetRect(&rect, origin.x, origin.y);
    }
    return rect;
}

RECT ClientScreenRect(const Window *window)
{
    RECT rect = WindowScreenRect(window);
    if (window->style & WS_MINIMIZE)
        return RECT{rect.left, rect.top, rect.left, rect.top};
    Frame frame = FrameOf(window->style, window->exStyle);
    RECT client = {rect.left + frame.left, rect.top + frame.top, rect.right - frame.right, rect.bottom - frame.bottom};
    if (client.right < client.left)
        client.right = client.left;
    if (client.bottom < client.top)
        client.bottom = client.top;
    return client;
}

POINT ClientPosition(const Window *window)
{
    POINT origin = ClientOrigin(window);
    if (Window *parent = FindWnd(window->parent)) {
        POINT parentOrigin = ClientOrigin(parent);
        origin.x -= parentOrigin.x;
        origin.y -= parentOrigin.y;
    }
    return origin;
}

SIZE ClientSize(const Window *window)
{
    RECT client = ClientScreenRect(window);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

void MoveAndSize(HWND hWnd, const RECT &rect)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    RECT old = window->rect;
    SIZE oldClient = ClientSize(window);
    window->rect = rect;
    if (old.left != rect.left || old.top != rect.top) {
        POINT origin = ClientPosition(window);
        SendMessageA(hWnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
    window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    SIZE client = ClientSize(window);
    if (oldClient.cx != client.cx || oldClient.cy != client.cy) {
        WPARAM kind = (window->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
        SendMessageA(hWnd, WM_SIZE, kind, MAKELPARAM(client.cx, client.cy));
    }
    WindowsChanged();
}

RECT WorkArea()
{
    SIZE screen = ScreenSize();
    return RECT{0, 0, screen.cx, std::max<LONG>(screen.cy - kTaskbarHeight, 0)};
}

} // namespace lzport

using namespace lzport;

extern "C" {

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    if (lpRect == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    *lpRect = WindowScreenRect(window);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    if (lpRect == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    SIZE size = ClientSize(window);
    *lpRect = RECT{0, 0, size.cx, size.cy};
    return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle)
{
    if (lpRect == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    Frame frame = FrameOf(dwStyle, dwExStyle);
    lpRect->left -= frame.left;
    lpRect->top -= frame.top + (bMenu ? GetSystemMetrics(SM_CYMENU) : 0);
    lpRect->right += frame.right;
    lpRect->bottom += frame.bottom;
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    RECT rect = window->rect;
    if (!(uFlags & SWP_NOMOVE))
        OffsetRect(&rect, X - rect.left, Y - rect.top);
    if (!(uFlags & SWP_NOSIZE)) {
        rect.right = rect.left + (cx > 0 ? cx : 0);
        rect.bottom = rect.top + (cy > 0 ? cy : 0);
    }
    if (!(uFlags & SWP_NOZORDER))
        PlaceInZOrder(window, hWndInsertAfter);
    MoveAndSize(hWnd, rect);
    if (uFlags & SWP_SHOWWINDOW)
        ShowWindowState(hWnd, true, !(uFlags & SWP_NOACTIVATE));
    else if (uFlags & SWP_HIDEWINDOW)
        ShowWindowState(hWnd, false, false);
    else if (!(uFlags & SWP_NOACTIVATE) && FindWnd(hWnd) != nullptr && FindWnd(hWnd)->parent == nullptr &&
             (FindWnd(hWnd)->style & WS_VISIBLE))
        ActivateWindow(hWnd);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW);
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, flags);
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    POINT from, to;
    if (!OriginOf(hWndFrom, from) || !OriginOf(hWndTo, to))
        return 0;
    LONG dx = from.x - to.x, dy = from.y - to.y;
    for (UINT i = 0; i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(LOWORD(dx), LOWORD(dy));
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    if (FindWnd(hWnd) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MapWindowPoints(hWnd, nullptr, lpPoint, 1);
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    if (FindWnd(hWnd) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MapWindowPoints(nullptr, hWnd, lpPoint, 1);
    return TRUE;
}

} // extern "C"

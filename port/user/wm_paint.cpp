/* wm_paint.cpp - painting without pixels: update rectangles, WM_PAINT for
 * visible windows that have one, paint contexts (BeginPaint, EndPaint),
 * and a log per window of what was drawn into them, which tests read with
 * LzPortPaintLog. */
#include <algorithm>

#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

/* The paint contexts handed out by BeginPaint, until EndPaint. */
struct PaintContext {
    HDC hdc;
    HWND hWnd;
};
std::vector<PaintContext> g_contexts;
uintptr_t g_nextContext = 0x7F000010;

/* A log keeps this many records, the oldest going first. */
const size_t kLogLimit = 256;

HDC OpenContext(HWND hWnd)
{
    HDC hdc = reinterpret_cast<HDC>(g_nextContext);
    g_nextContext += 4;
    g_contexts.push_back(PaintContext{hdc, hWnd});
    return hdc;
}

void CloseContext(HDC hdc)
{
    g_contexts.erase(
        std::remove_if(g_contexts.begin(), g_contexts.end(), [hdc](const PaintContext &c) { return c.hdc == hdc; }),
        g_contexts.end());
}

HWND ContextWindow(HDC hdc)
{
    for (const PaintContext &c : g_contexts) {
        if (c.hdc == hdc)
            return c.hWnd;
    }
    return nullptr;
}

void Invalidate(Window *window, const RECT *rect, bool erase)
{
    SIZE size = ClientSize(window);
    RECT area = {0, 0, size.cx, size.cy};
    if (rect != nullptr)
        IntersectRect(&area, &area, rect);
    if (window->updatePending)
        UnionRect(&window->updateRect, &window->updateRect, &area);
    else
        window->updateRect = area;
    window->updatePending = true;
    window->erasePending = window->erasePending || erase;
}

void Validate(Window *window)
{
    window->updatePending = false;
    window->erasePending = false;
    window->updateRect = RECT{};
}

/* WM_ERASEBKGND when an erase is due; true when the window erased. */
bool EraseNow(HWND hWnd, HDC hdc)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr || !window->erasePending)
        return false;
    window->erasePending = false;
    return SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) != 0;
}

void PaintNow(HWND hWnd, bool children)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    if (window->updatePending && IsWindowVisible(hWnd))
        SendMessageA(hWnd, WM_PAINT, 0, 0);
    if (!children || (window = FindWnd(hWnd)) == nullptr)
        return;
    const std::vector<HWND> list = window->children;
    for (HWND child : list)
        PaintNow(child, true);
}

void ForEachTarget(HWND hWnd, bool children, void (*action)(Window *, const RECT *, UINT), const RECT *rect, UINT flags)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    action(window, rect, flags);
    if (!children)
        return;
    for (HWND child : window->children)
        ForEachTarget(child, true, action, nullptr, flags);
}

} // namespace

void InvalidateWindow(HWND hWnd, bool erase, bool children)
{
    ForEachTarget(
        hWnd, children, [](Window *w, const RECT *, UINT flags) { Invalidate(w, nullptr, flags != 0); }, nullptr,
        erase ? 1u : 0u);
}

HWND WindowToPaint(HWND filter)
{
    for (const auto &window : Windows().windows) {
        HWND hWnd = window->handle;
        if (!window->updatePending || window->destroying)
            continue;
        if (filter != nullptr && hWnd != filter && !IsDescendant(filter, hWnd))
            continue;
        if (IsWindowVisible(hWnd))
            return hWnd;
    }
    return nullptr;
}

void RecordPaint(HWND hWnd, UINT kind, int x, int y, HICON icon)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    if (window->paintLog.size() >= kLogLimit)
        window->paintLog.erase(window->paintLog.begin());
    LZPORT_PAINT_RECORD record = {kind, x, y, 0, 0, icon};
    window->paintLog.push_back(record);
}

} // namespace lzport

using namespace lzport;

extern "C" {

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *lpRect, BOOL bErase)
{
    if (hWnd == nullptr) {
        for (HWND top : Windows().topLevels)
            InvalidateWindow(top, bErase != FALSE, true);
        return TRUE;
    }
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    Invalidate(window, lpRect, bErase != FALSE);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT *lpRect)
{
    if (hWnd == nullptr)
        return TRUE;
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    RECT remaining;
    if (lpRect == nullptr || !IntersectRect(&remaining, &window->updateRect, lpRect) ||
        EqualRect(&remaining, &window->updateRect))
        Validate(window);
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    if (bErase && window->erasePending) {
        HDC hdc = OpenContext(hWnd);
        EraseNow(hWnd, hdc);
        CloseContext(hdc);
        if ((window = FindWnd(hWnd)) == nullptr)
            return FALSE;
    }
    if (lpRect != nullptr)
        *lpRect = window->updatePending ? window->updateRect : RECT{};
    return window->updatePending;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT *lprcUpdate, HRGN, UINT flags)
{
    if (hWnd == nullptr) {
        const std::vector<HWND> tops = Windows().topLevels;
        for (HWND top : tops)
            RedrawWindow(top, nullptr, nullptr, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    if (CheckWnd(hWnd) == nullptr)
        return FALSE;
    bool children = (flags & RDW_ALLCHILDREN) != 0;
    if (flags & RDW_INVALIDATE)
        ForEachTarget(
            hWnd, children, [](Window *w, const RECT *r, UINT f) { Invalidate(w, r, (f & RDW_ERASE) != 0); },
            lprcUpdate, flags);
    else if (flags & RDW_VALIDATE)
        ForEachTarget(
            hWnd, children, [](Window *w, const RECT *, UINT) { Validate(w); }, nullptr, flags);
    if (flags & (RDW_ERASENOW | RDW_UPDATENOW)) {
        HDC hdc = OpenContext(hWnd);
        EraseNow(hWnd, hdc);
        CloseContext(hdc);
    }
    if (flags & RDW_UPDATENOW)
        PaintNow(hWnd, children);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return nullptr;
    if (lpPaint == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return nullptr;
    }
    RECT area = window->updatePending ? window->updateRect : RECT{};
    bool erase = window->erasePending;
    window->updatePending = false;
    window->updateRect = RECT{};
    HDC hdc = OpenContext(hWnd);
    bool erased = erase && EraseNow(hWnd, hdc);
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = hdc;
    lpPaint->fErase = erase && !erased;
    lpPaint->rcPaint = area;
    RecordPaint(hWnd, LZPORT_PAINT_BEGIN, area.left, area.top, nullptr);
    if ((window = FindWnd(hWnd)) != nullptr && !window->paintLog.empty()) {
        window->paintLog.back().cx = area.right - area.left;
        window->paintLog.back().cy = area.bottom - area.top;
    }
    return hdc;
}

BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT *lpPaint)
{
    if (CheckWnd(hWnd) == nullptr)
        return FALSE;
    if (lpPaint != nullptr)
        CloseContext(lpPaint->hdc);
    return TRUE;
}

/* Wine leaves the last error alone for a null context or icon. */
BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    HWND hWnd = ContextWindow(hDC);
    if (hWnd == nullptr || hIcon == nullptr)
        return FALSE;
    RecordPaint(hWnd, LZPORT_PAINT_ICON, X, Y, hIcon);
    return TRUE;
}

int LzPortPaintLog(HWND hwnd, LZPORT_PAINT_RECORD *records, int max)
{
    Window *window = FindWnd(hwnd);
    if (window == nullptr)
        return -1;
    int count = static_cast<int>(window->paintLog.size());
    for (int i = 0; i < count && i < max && records != nullptr; ++i)
        records[i] = window->paintLog[static_cast<size_t>(i)];
    return count;
}

void LzPortClearPaintLog(HWND hwnd)
{
    if (Window *window = FindWnd(hwnd))
        window->paintLog.clear();
}

} // extern "C"

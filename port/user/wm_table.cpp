/* wm_table.cpp - the table of windows: handles, lookups, the window tree
 * and the z-order of siblings. */
#include <algorithm>

#include "frontend.h"
#include "wm_core.h"

namespace lzport {

namespace {

/* Handles count up in steps of four from here and are never reused. */
const uintptr_t kFirstHandle = 0x10020;
uintptr_t g_nextHandle = kFirstHandle;

} // namespace

WindowSystem &Windows()
{
    static WindowSystem system;
    return system;
}

Window *FindWnd(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    for (const auto &window : Windows().windows) {
        if (window->handle == hWnd)
            return window.get();
    }
    return nullptr;
}

Window *CheckWnd(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

HWND NewHandle()
{
    HWND hWnd = reinterpret_cast<HWND>(g_nextHandle);
    g_nextHandle += 4;
    return hWnd;
}

Window *AddWindow(std::unique_ptr<Window> window)
{
    Windows().windows.push_back(std::move(window));
    return Windows().windows.back().get();
}

void ForgetWindow(HWND hWnd)
{
    WindowSystem &ws = Windows();
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    EraseHandle(Siblings(window), hWnd);
    if (ws.focus == hWnd)
        ws.focus = nullptr;
    if (ws.active == hWnd)
        ws.active = nullptr;
    for (const auto &other : ws.windows) {
        if (other->owner == hWnd)
            other->owner = nullptr;
        if (other->lastActivePopup == hWnd)
            other->lastActivePopup = nullptr;
    }
    ws.windows.erase(std::remove_if(ws.windows.begin(), ws.windows.end(),
                                    [hWnd](const std::unique_ptr<Window> &w) { return w->handle == hWnd; }),
                     ws.windows.end());
}

void EraseHandle(std::vector<HWND> &list, HWND hWnd)
{
    auto it = std::find(list.begin(), list.end(), hWnd);
    if (it != list.end())
        list.erase(it);
}

std::vector<HWND> &Siblings(const Window *window)
{
    Window *parent = FindWnd(window->parent);
    return parent != nullptr ? parent->children : Windows().topLevels;
}

void BringToTop(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    std::vector<HWND> &siblings = Siblings(window);
    /* a top-level window comes up with the windows it owns above it */
    std::vector<HWND> moving;
    if (window->parent == nullptr) {
        for (HWND other : siblings) {
            if (IsOwnedBy(other, hWnd))
                moving.push_back(other);
        }
    }
    moving.push_back(hWnd);
    siblings.erase(std::remove_if(siblings.begin(), siblings.end(),
                                  [&moving](HWND h) { return std::count(moving.begin(), moving.end(), h) != 0; }),
                   siblings.end());
    siblings.insert(siblings.begin(), moving.begin(), moving.end());
}

HWND RootWindow(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    while (window != nullptr && window->parent != nullptr)
        window = FindWnd(window->parent);
    return window != nullptr ? window->handle : nullptr;
}

bool IsDescendant(HWND ancestor, HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    while (window != nullptr && window->parent != nullptr) {
        if (window->parent == ancestor)
            return true;
        window = FindWnd(window->parent);
    }
    return false;
}

bool IsOwnedBy(HWND hWnd, HWND ancestor)
{
    Window *window = FindWnd(hWnd);
    while (window != nullptr && window->owner != nullptr) {
        if (window->owner == ancestor)
            return true;
        window = FindWnd(window->owner);
    }
    return false;
}

void WindowsChanged()
{
    if (FrontEnd *frontEnd = CurrentFrontEnd())
        frontEnd->Invalidate();
}

} // namespace lzport

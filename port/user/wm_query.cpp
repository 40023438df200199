/* wm_query.cpp - finding windows: by handle, through the tree (parent,
 * owner, siblings, children), by class and title, and enumerations that
 * take a snapshot first so that callbacks may create or destroy windows. */
#include <algorithm>

#include "cp932.h"
#include "wm_core.h"
#include "wm_others.h"

namespace lzport {

namespace {

/* The siblings before and after a window, in z-order. */
HWND Sibling(const Window *window, int step)
{
    const std::vector<HWND> &siblings = Siblings(window);
    auto it = std::find(siblings.begin(), siblings.end(), window->handle);
    if (it == siblings.end())
        return nullptr;
    ptrdiff_t at = (it - siblings.begin()) + step;
    if (at < 0 || at >= static_cast<ptrdiff_t>(siblings.size()))
        return nullptr;
    return siblings[static_cast<size_t>(at)];
}

void Descendants(HWND hWnd, std::vector<HWND> &out)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    for (HWND child : window->children) {
        out.push_back(child);
        Descendants(child, out);
    }
}

BOOL Enumerate(const std::vector<HWND> &handles, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    for (HWND hWnd : handles) {
        if (FindWnd(hWnd) != nullptr && !lpEnumFunc(hWnd, lParam))
            return FALSE;
    }
    return TRUE;
}

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

BOOL WINAPI IsWindow(HWND hWnd)
{
    if (hWnd == nullptr)
        return FALSE;
    return CheckWnd(hWnd) != nullptr;
}

HWND WINAPI GetParent(HWND hWnd)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return nullptr;
    if (window->style & WS_CHILD)
        return window->parent;
    return (window->style & WS_POPUP) ? window->owner : nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags)
{
    Window *window = CheckWnd(hwnd);
    if (window == nullptr)
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return window->parent;
    case GA_ROOT:
        return RootWindow(hwnd);
    case GA_ROOTOWNER: {
        HWND root = RootWindow(hwnd);
        for (Window *owner = FindWnd(FindWnd(root)->owner); owner != nullptr; owner = FindWnd(owner->owner))
            root = owner->handle;
        return root;
    }
    default:
        return nullptr;
    }
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) { return IsDescendant(hWndParent, hWnd); }

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return nullptr;
    const std::vector<HWND> &siblings = Siblings(window);
    switch (uCmd) {
    case GW_HWNDFIRST:
        return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST:
        return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT:
        return Sibling(window, 1);
    case GW_HWNDPREV:
        return Sibling(window, -1);
    case GW_OWNER:
        return window->owner;
    case GW_CHILD:
        return window->children.empty() ? nullptr : window->children.front();
    case GW_ENABLEDPOPUP:
        for (HWND other : Windows().topLevels) {
            Window *popup = FindWnd(other);
            if (popup != nullptr && popup->owner == hWnd && (popup->style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE)
                return other;
        }
        return nullptr;
    default:
        SetLastError(ERROR_INVALID_GW_COMMAND);
        return nullptr;
    }
}

HWND WINAPI GetLastActivePopup(HWND hWnd)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return nullptr;
    Window *popup = FindWnd(window->lastActivePopup);
    if (popup != nullptr && popup->handle != hWnd && IsOwnedBy(popup->handle, hWnd) && (popup->style & WS_VISIBLE))
        return popup->handle;
    return hWnd;
}

/* Wine answers ERROR_CANNOT_FIND_WND_CLASS whenever nothing matches. */
HWND WINAPI FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName)
{
    EnsureOtherProgramsWindows();
    const WindowClass *cls = nullptr;
    if (lpClassName != nullptr && (cls = FindClass(lpClassName)) == nullptr) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    for (HWND hWnd : Windows().topLevels) {
        Window *window = FindWnd(hWnd);
        if (cls != nullptr && window->cls != cls)
            continue;
        if (lpWindowName != nullptr && !Cp932EqualNoCase(window->text, lpWindowName))
            continue;
        return hWnd;
    }
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
}

BOOL WINAPI EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    if (lpEnumFunc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    EnsureOtherProgramsWindows();
    return Enumerate(Windows().topLevels, lpEnumFunc, lParam);
}

BOOL WINAPI EnumThreadWindows(DWORD dwThreadId, WNDENUMPROC lpfn, LPARAM lParam)
{
    if (lpfn == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<HWND> handles;
    for (HWND hWnd : Windows().topLevels) {
        if (FindWnd(hWnd)->threadId == dwThreadId)
            handles.push_back(hWnd);
    }
    return !handles.empty() && Enumerate(handles, lpfn, lParam);
}

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    if (lpEnumFunc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (hWndParent == nullptr)
        return EnumWindows(lpEnumFunc, lParam);
    if (CheckWnd(hWndParent) == nullptr)
        return FALSE;
    std::vector<HWND> handles;
    Descendants(hWndParent, handles);
    return Enumerate(handles, lpEnumFunc, lParam);
}

DWORD WINAPI GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return 0;
    if (lpdwProcessId != nullptr)
        *lpdwProcessId = GetCurrentProcessId();
    return window->threadId;
}

} // extern "C"

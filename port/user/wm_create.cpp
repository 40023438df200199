/* wm_create.cpp - making and destroying windows. Creation sends
 * WM_NCCREATE and WM_CREATE with the CREATESTRUCTA, then WM_SIZE and
 * WM_MOVE, and shows a window created with WS_VISIBLE. Destruction takes
 * the windows a window owns first, hides it, sends WM_DESTROY to it and
 * then to its descendants, and WM_NCDESTROY to the descendants before
 * itself; after that every handle of the tree is invalid for good. */
#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

/* Minimum size of a window that can be sized or has a frame of its own,
 * as the system's default metrics give it. */
const int kMinTrackWidth = 116;
const int kMinTrackHeight = 27;

/* What each kind of window takes with it, besides the styles asked for:
 * a top-level window clips its siblings, and an overlapped one (neither
 * pop-up nor child) always has a caption. */
struct KindStyle {
    DWORD kind; /* WS_CHILD, WS_POPUP or 0 */
    DWORD implied;
};
const KindStyle kKindStyles[] = {
    {WS_CHILD, 0},
    {WS_POPUP, WS_CLIPSIBLINGS},
    {0, WS_CLIPSIBLINGS | WS_CAPTION},
};

DWORD StyleMadeWith(DWORD requested)
{
    for (const KindStyle &entry : kKindStyles) {
        if ((requested & entry.kind) == entry.kind)
            return requested | entry.implied;
    }
    return requested;
}

RECT InitialRect(DWORD style, int x, int y, int cx, int cy)
{
    bool overlapped = !(style & (WS_POPUP | WS_CHILD));
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (cx == CW_USEDEFAULT) {
        SIZE screen = ScreenSize();
        cx = overlapped ? screen.cx * 3 / 4 : 0;
        cy = overlapped ? screen.cy * 3 / 4 : 0;
    }
    if (cx < 0)
        cx = 0;
    if (cy < 0)
        cy = 0;
    if ((style & WS_THICKFRAME) || overlapped) {
        if (cx < kMinTrackWidth)
            cx = kMinTrackWidth;
        if (cy < kMinTrackHeight)
            cy = kMinTrackHeight;
    }
    return RECT{x, y, x + cx, y + cy};
}

/* WM_DESTROY to the window, then to each of its descendants. */
void SendDestroy(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    window->destroying = true;
    SendMessageA(hWnd, WM_DESTROY, 0, 0);
    if ((window = FindWnd(hWnd)) == nullptr)
        return;
    const std::vector<HWND> children = window->children;
    for (HWND child : children)
        SendDestroy(child);
}

/* WM_NCDESTROY to the descendants and then to the window; the records go. */
void Free(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return;
    window->destroying = true;
    const std::vector<HWND> children = window->children;
    for (HWND child : children)
        Free(child);
    SendMessageA(hWnd, WM_NCDESTROY, 0, 0);
    DropWindowTimers(hWnd);
    DropWindowMessages(hWnd);
    DropSystemMenu(hWnd);
    ForgetWindow(hWnd);
}

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    const WindowClass *cls = FindClass(lpClassName);
    if (cls == nullptr) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return nullptr;
    }
    if ((dwStyle & WS_CHILD) && hWndParent == nullptr) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    if (hWndParent != nullptr && CheckWnd(hWndParent) == nullptr)
        return nullptr;

    DWORD createStyle = dwStyle;
    dwStyle = StyleMadeWith(dwStyle);
    auto record = std::make_unique<Window>();
    record->handle = NewHandle();
    record->cls = cls;
    record->threadId = GetCurrentThreadId();
    record->style = dwStyle & ~WS_VISIBLE;
    record->exStyle = dwExStyle;
    record->proc = cls->proc;
    record->instance = hInstance;
    record->id = reinterpret_cast<LONG_PTR>(hMenu);
    record->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
    if (dwStyle & WS_CHILD)
        record->parent = hWndParent;
    else if (hWndParent != nullptr)
        record->owner = RootWindow(hWndParent);
    record->rect = InitialRect(dwStyle, X, Y, nWidth, nHeight);
    record->normalRect = record->rect;
    HWND hWnd = record->handle;
    Window *window = AddWindow(std::move(record));
    if (window->parent != nullptr)
        FindWnd(window->parent)->children.push_back(hWnd);
    else {
        Windows().topLevels.insert(Windows().topLevels.begin(), hWnd);
        BringToTop(hWnd);
    }

    CREATESTRUCTA cs = {
        lpParam,      hInstance,   hMenu,    hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(createStyle),
        lpWindowName, lpClassName, dwExStyle};
    if (!SendMessageA(hWnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        Free(hWnd);
        return nullptr;
    }
    if (FindWnd(hWnd) == nullptr)
        return nullptr;
    if (SendMessageA(hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    if ((window = FindWnd(hWnd)) == nullptr)
        return nullptr;
    SIZE client = ClientSize(window);
    SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
    if ((window = FindWnd(hWnd)) == nullptr)
        return nullptr;
    POINT origin = ClientPosition(window);
    SendMessageA(hWnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if ((window = FindWnd(hWnd)) == nullptr)
        return nullptr;
    if (createStyle & WS_VISIBLE)
        ShowWindowState(hWnd, true, window->parent == nullptr);
    WindowsChanged();
    return FindWnd(hWnd) != nullptr ? hWnd : nullptr;
}

/* Windows answers ERROR_INVALID_WINDOW_HANDLE for a handle that is no
 * window; Wine answers ERROR_ACCESS_DENIED. */
BOOL WINAPI DestroyWindow(HWND hWnd)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return FALSE;
    if (window->destroying)
        return TRUE;
    window->destroying = true;

    std::vector<HWND> owned;
    for (HWND other : Windows().topLevels) {
        Window *candidate = FindWnd(other);
        if (candidate != nullptr && candidate->owner == hWnd)
            owned.push_back(other);
    }
    for (HWND other : owned)
        DestroyWindow(other);

    if ((window = FindWnd(hWnd)) != nullptr && (window->style & WS_VISIBLE))
        ShowWindowState(hWnd, false, false);
    HWND focus = Windows().focus;
    if (focus != nullptr && (focus == hWnd || IsDescendant(hWnd, focus)))
        SetFocusWindow(nullptr);
    if (Windows().active == hWnd)
        ActivateOtherWindow(hWnd);

    SendDestroy(hWnd);
    Free(hWnd);
    WindowsChanged();
    return TRUE;
}

} // extern "C"

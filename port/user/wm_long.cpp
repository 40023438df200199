/* wm_long.cpp - a window's numbered values: the negative indexes (style,
 * extended style, procedure, instance, parent or owner, id, user data) and
 * the class's extra bytes from index 0 up (DWLP_MSGRESULT and DWLP_DLGPROC
 * of a dialog among them). The 32-bit "Long" forms cannot reach a pointer
 * where pointers are wider: ERROR_INVALID_INDEX, as on 64-bit Windows. */
#include <string.h>

#include "wm_core.h"

namespace lzport {

namespace {

/* Reads `size` bytes of extra window memory, sign-extending a LONG. */
bool ReadExtra(const Window *window, int index, size_t size, LONG_PTR &value)
{
    if (static_cast<size_t>(index) + size > window->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    if (size == sizeof(LONG)) {
        LONG v;
        memcpy(&v, window->extra.data() + index, sizeof v);
        value = v;
    } else {
        memcpy(&value, window->extra.data() + index, sizeof value);
    }
    return true;
}

bool WriteExtra(Window *window, int index, size_t size, LONG_PTR value)
{
    if (static_cast<size_t>(index) + size > window->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    if (size == sizeof(LONG)) {
        LONG v = static_cast<LONG>(value);
        memcpy(window->extra.data() + index, &v, sizeof v);
    } else {
        memcpy(window->extra.data() + index, &value, sizeof value);
    }
    return true;
}

/* Whether a negative index holds a pointer that a value of `size` bytes
 * cannot carry. */
bool TooNarrow(int index, size_t size)
{
    bool pointer = index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
    if (pointer && size < sizeof(LONG_PTR)) {
        SetLastError(ERROR_INVALID_INDEX);
        return true;
    }
    return false;
}

LONG_PTR GetLong(HWND hWnd, int index, size_t size)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return 0;
    if (index >= 0) {
        LONG_PTR value = 0;
        return ReadExtra(window, index, size, value) ? value : 0;
    }
    if (TooNarrow(index, size))
        return 0;
    switch (index) {
    case GWL_STYLE:
        return size == sizeof(LONG) ? static_cast<LONG>(window->style) : static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE:
        return size == sizeof(LONG) ? static_cast<LONG>(window->exStyle) : static_cast<LONG_PTR>(window->exStyle);
    case GWLP_ID:
        return size == sizeof(LONG) ? static_cast<LONG>(window->id) : window->id;
    case GWLP_USERDATA:
        return size == sizeof(LONG) ? static_cast<LONG>(window->userData) : window->userData;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(window->parent != nullptr ? window->parent : window->owner);
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG_PTR SetLong(HWND hWnd, int index, LONG_PTR value, size_t size)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return 0;
    if (index >= 0) {
        LONG_PTR old = 0;
        if (!ReadExtra(window, index, size, old) || !WriteExtra(window, index, size, value))
            return 0;
        return old;
    }
    if (TooNarrow(index, size))
        return 0;
    LONG_PTR old = GetLong(hWnd, index, size);
    switch (index) {
    case GWL_STYLE:
        window->style = static_cast<DWORD>(value);
        break;
    case GWL_EXSTYLE:
        window->exStyle = static_cast<DWORD>(value);
        break;
    case GWLP_ID:
        window->id = value;
        break;
    case GWLP_USERDATA:
        window->userData = value;
        break;
    case GWLP_WNDPROC:
        window->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        window->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_HWNDPARENT:
        /* a top-level window changes owner; a child keeps its parent */
        if (window->parent == nullptr) {
            HWND owner = reinterpret_cast<HWND>(value);
            if (owner != nullptr && CheckWnd(owner) == nullptr)
                return 0;
            window->owner = owner != nullptr ? RootWindow(owner) : nullptr;
        }
        break;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    WindowsChanged();
    return old;
}

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) { return static_cast<LONG>(GetLong(hWnd, nIndex, sizeof(LONG))); }

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong)
{
    return static_cast<LONG>(SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) { return GetLong(hWnd, nIndex, sizeof(LONG_PTR)); }

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    return SetLong(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

} // extern "C"

/* dlg_static.cpp - the Static class: texts, and icons (SS_ICON) named by
 * the window text (a resource ordinal "\xFF" lo hi, or a name) and loaded
 * from the creating module, else from the system's icons. An icon static
 * takes the icon's size, SM_CXICON by SM_CYICON, unless SS_CENTERIMAGE
 * keeps its own. Painting draws the icon into the paint log. */
#include "dlg_core.h"
#include "wm_core.h"
#include "wm_icon.h"
#include "wm_state.h"

namespace lzport {

namespace {

const int kIconOffset = 0;
const int kFontOffset = sizeof(LONG_PTR);

bool IsIconStatic(HWND hWnd) { return (GetWindowLongA(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON; }

HICON CurrentIcon(HWND hWnd) { return reinterpret_cast<HICON>(GetWindowLongPtrA(hWnd, kIconOffset)); }

LRESULT SetIcon(HWND hWnd, HICON icon)
{
    if (!IsIconStatic(hWnd))
        return 0;
    HICON old = reinterpret_cast<HICON>(SetWindowLongPtrA(hWnd, kIconOffset, reinterpret_cast<LONG_PTR>(icon)));
    if (icon != nullptr && !(GetWindowLongA(hWnd, GWL_STYLE) & SS_CENTERIMAGE))
        SetWindowPos(hWnd, nullptr, 0, 0, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    InvalidateRect(hWnd, nullptr, TRUE);
    WindowsChanged();
    return reinterpret_cast<LRESULT>(old);
}

/* The icon a window text names. */
HICON LoadNamedIcon(HINSTANCE hInstance, LPCSTR text)
{
    if (text == nullptr || text[0] == '\0')
        return nullptr;
    LPCSTR name = text;
    if (static_cast<unsigned char>(text[0]) == 0xFF)
        name = MAKEINTRESOURCEA(MAKEWORD(static_cast<BYTE>(text[1]), static_cast<BYTE>(text[2])));
    DWORD error = GetLastError();
    HICON icon = hInstance != nullptr ? LoadIconA(hInstance, name) : nullptr;
    if (icon == nullptr)
        icon = LoadSystemIcon(name);
    SetLastError(error);
    return icon;
}

void Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    if (hdc == nullptr)
        return;
    if (IsIconStatic(hWnd) && CurrentIcon(hWnd) != nullptr)
        DrawIcon(hdc, 0, 0, CurrentIcon(hWnd));
    EndPaint(hWnd, &ps);
}

} // namespace

LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        if (IsIconStatic(hWnd)) {
            const CREATESTRUCTA *cs = reinterpret_cast<const CREATESTRUCTA *>(lParam);
            SetIcon(hWnd, LoadNamedIcon(cs->hInstance, cs->lpszName));
        }
        return 0;
    case WM_SETTEXT:
        if (IsIconStatic(hWnd))
            SetIcon(hWnd, LoadNamedIcon(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE)),
                                        reinterpret_cast<LPCSTR>(lParam)));
        DefWindowProcA(hWnd, msg, wParam, lParam);
        InvalidateRect(hWnd, nullptr, TRUE);
        return TRUE;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_PAINT:
        Paint(hWnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_ENABLE:
        InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_SETFONT:
        SetWindowLongPtrA(hWnd, kFontOffset, static_cast<LONG_PTR>(wParam));
        if (lParam)
            InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(hWnd, kFontOffset);
    case STM_SETICON:
        return SetIcon(hWnd, reinterpret_cast<HICON>(wParam));
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(CurrentIcon(hWnd));
    case STM_SETIMAGE:
        return wParam == IMAGE_ICON ? SetIcon(hWnd, reinterpret_cast<HICON>(lParam)) : 0;
    case STM_GETIMAGE:
        return wParam == IMAGE_ICON ? reinterpret_cast<LRESULT>(CurrentIcon(hWnd)) : 0;
    default:
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

} // namespace lzport

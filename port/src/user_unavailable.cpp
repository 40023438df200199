/* user_unavailable.cpp - user32 on the native platform layer, until the
 * native window system exists: every call fails the way Windows fails in a
 * process without a window station. Handles and counts come back null or
 * 0, truth values FALSE, and the last error is ERROR_CALL_NOT_IMPLEMENTED;
 * DialogBoxIndirectParamA and GetMessageA give their documented failure,
 * -1. Message boxes are the exception: see msgbox_console.cpp. */
#include "windows.h"

namespace {

template <class T> T Unavailable(T result)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return result;
}

} // namespace

extern "C" {

BOOL WINAPI DrawIcon(HDC, int, int, HICON) { return Unavailable(FALSE); }

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE, LPCDLGTEMPLATEA, HWND, DLGPROC, LPARAM)
{
    return Unavailable<INT_PTR>(-1);
}
BOOL WINAPI EndDialog(HWND, INT_PTR) { return Unavailable(FALSE); }
LRESULT WINAPI DefDlgProcA(HWND, UINT, WPARAM, LPARAM) { return Unavailable<LRESULT>(0); }
HWND WINAPI GetDlgItem(HWND, int) { return Unavailable<HWND>(NULL); }

LRESULT WINAPI DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return Unavailable<LRESULT>(0); }
LRESULT WINAPI CallWindowProcA(WNDPROC, HWND, UINT, WPARAM, LPARAM) { return Unavailable<LRESULT>(0); }
LONG WINAPI GetWindowLongA(HWND, int) { return Unavailable<LONG>(0); }
LONG WINAPI SetWindowLongA(HWND, int, LONG) { return Unavailable<LONG>(0); }
LONG_PTR WINAPI GetWindowLongPtrA(HWND, int) { return Unavailable<LONG_PTR>(0); }
LONG_PTR WINAPI SetWindowLongPtrA(HWND, int, LONG_PTR) { return Unavailable<LONG_PTR>(0); }

LRESULT WINAPI SendMessageA(HWND, UINT, WPARAM, LPARAM) { return Unavailable<LRESULT>(0); }
BOOL WINAPI PostMessageA(HWND, UINT, WPARAM, LPARAM) { return Unavailable(FALSE); }
VOID WINAPI PostQuitMessage(int) { Unavailable(0); }
BOOL WINAPI GetMessageA(LPMSG, HWND, UINT, UINT) { return Unavailable(-1); }
BOOL WINAPI PeekMessageA(LPMSG, HWND, UINT, UINT, UINT) { return Unavailable(FALSE); }
BOOL WINAPI TranslateMessage(const MSG *) { return Unavailable(FALSE); }
LRESULT WINAPI DispatchMessageA(const MSG *) { return Unavailable<LRESULT>(0); }

BOOL WINAPI IsWindow(HWND) { return Unavailable(FALSE); }
BOOL WINAPI DestroyWindow(HWND) { return Unavailable(FALSE); }
BOOL WINAPI ShowWindow(HWND, int) { return Unavailable(FALSE); }
BOOL WINAPI IsIconic(HWND) { return Unavailable(FALSE); }
BOOL WINAPI IsWindowVisible(HWND) { return Unavailable(FALSE); }
BOOL WINAPI IsWindowEnabled(HWND) { return Unavailable(FALSE); }
BOOL WINAPI EnableWindow(HWND, BOOL) { return Unavailable(FALSE); }
BOOL WINAPI GetClientRect(HWND, LPRECT) { return Unavailable(FALSE); }
BOOL WINAPI GetWindowRect(HWND, LPRECT) { return Unavailable(FALSE); }
BOOL WINAPI SetWindowPos(HWND, HWND, int, int, int, int, UINT) { return Unavailable(FALSE); }
int WINAPI MapWindowPoints(HWND, HWND, LPPOINT, UINT) { return Unavailable(0); }
HWND WINAPI GetWindow(HWND, UINT) { return Unavailable<HWND>(NULL); }
HWND WINAPI GetParent(HWND) { return Unavailable<HWND>(NULL); }
HWND WINAPI GetLastActivePopup(HWND) { return Unavailable<HWND>(NULL); }
HWND WINAPI FindWindowA(LPCSTR, LPCSTR) { return Unavailable<HWND>(NULL); }
BOOL WINAPI SetWindowTextA(HWND, LPCSTR) { return Unavailable(FALSE); }
int WINAPI GetWindowTextA(HWND, LPSTR, int) { return Unavailable(0); }
int WINAPI GetWindowTextLengthA(HWND) { return Unavailable(0); }

HMENU WINAPI GetSystemMenu(HWND, BOOL) { return Unavailable<HMENU>(NULL); }
BOOL WINAPI AppendMenuA(HMENU, UINT, UINT_PTR, LPCSTR) { return Unavailable(FALSE); }

HDC WINAPI BeginPaint(HWND, LPPAINTSTRUCT) { return Unavailable<HDC>(NULL); }
BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT *) { return Unavailable(FALSE); }

int WINAPI GetSystemMetrics(int) { return Unavailable(0); }
BOOL WINAPI SystemParametersInfoA(UINT, UINT, PVOID, UINT) { return Unavailable(FALSE); }
BOOL WINAPI WinHelpA(HWND, LPCSTR, UINT, ULONG_PTR) { return Unavailable(FALSE); }

} // extern "C"

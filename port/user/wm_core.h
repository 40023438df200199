/* wm_core.h - the window system's own records: window classes, windows and
 * the thread's window state (z-order, focus, activation), shared by the
 * wm_* and dlg_* files. Everything belongs to the one user-interface
 * thread; nothing here is locked.
 *
 * A window keeps its rectangle in its parent's client coordinates (screen
 * coordinates for a top-level window); the client area follows from the
 * styles, as AdjustWindowRectEx computes it. Handles are numbers that are
 * never given out twice, so a stale handle stays invalid. */
#ifndef LZPORT_WM_CORE_H
#define LZPORT_WM_CORE_H

#include <memory>
#include <string>
#include <vector>

#include "lzport.h"
#include "windows.h"

namespace lzport {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    bool system = false; /* Button, Static and the dialog class */
};

struct DialogInfo; /* dlg_core.h */

struct Window {
    HWND handle = nullptr;
    const WindowClass *cls = nullptr;
    DWORD threadId = 0;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;
    HWND parent = nullptr;      /* null for a top-level window */
    HWND owner = nullptr;       /* top-level windows only */
    std::vector<HWND> children; /* z-order, topmost first */
    RECT rect = {};             /* window rectangle */
    RECT normalRect = {};       /* where a minimised window comes back to */
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    HMENU systemMenu = nullptr;
    HWND lastActivePopup = nullptr;
    bool destroying = false;
    bool updatePending = false;
    bool erasePending = false;
    RECT updateRect = {};
    std::vector<LZPORT_PAINT_RECORD> paintLog;
    std::shared_ptr<DialogInfo> dialog;
};

/* The thread's windows. */
struct WindowSystem {
    std::vector<std::unique_ptr<Window>> windows; /* in creation order */
    std::vector<HWND> topLevels;                  /* z-order, topmost first */
    HWND focus = nullptr;
    HWND active = nullptr;
};

WindowSystem &Windows();

/* wm_class.cpp: the class of that name or atom; null when none. */
const WindowClass *FindClass(LPCSTR name);

/* The record of a window; null when hWnd is no window. */
Window *FindWnd(HWND hWnd);
/* The same, setting ERROR_INVALID_WINDOW_HANDLE when hWnd is no window. */
Window *CheckWnd(HWND hWnd);
/* A new handle, never given out before. */
HWND NewHandle();
/* Adds a window to the table; ForgetWindow removes it for good. */
Window *AddWindow(std::unique_ptr<Window> window);
void ForgetWindow(HWND hWnd);

/* Takes a handle out of a list of handles. */
void EraseHandle(std::vector<HWND> &list, HWND hWnd);

/* The list a window is kept in: its parent's children or the top-level
 * windows. */
std::vector<HWND> &Siblings(const Window *window);
/* Moves a window to the top of its siblings (owned windows stay above
 * their owners). */
void BringToTop(HWND hWnd);
/* The top-level window that a window belongs to. */
HWND RootWindow(HWND hWnd);
/* Whether hWnd is a descendant of ancestor (not ancestor itself). */
bool IsDescendant(HWND ancestor, HWND hWnd);
/* Whether ancestor owns hWnd, directly or through other owners. */
bool IsOwnedBy(HWND hWnd, HWND ancestor);

/* Geometry: the frame around the client area for a window's styles. */
struct Frame {
    int left, top, right, bottom;
};
Frame FrameOf(DWORD style, DWORD exStyle);
/* The window and client rectangles in screen coordinates. */
RECT WindowScreenRect(const Window *window);
RECT ClientScreenRect(const Window *window);
/* Where a window's client area starts in its parent's client area (on
 * the screen for a top-level window): what WM_MOVE tells. */
POINT ClientPosition(const Window *window);
/* The size a window's client area has (empty when minimised). */
SIZE ClientSize(const Window *window);

/* Tells the front end that what it shows changed. */
void WindowsChanged();

/* System metrics the window system uses itself. The screen's size is the
 * front end's (SetScreenSize), the work area the screen less the taskbar. */
SIZE ScreenSize();
RECT WorkArea();
const int kTaskbarHeight = 30;
const int kCaptionHeight = 19;
const int kMinimizedWidth = 160;
const int kMinimizedHeight = 24;

} // namespace lzport

#endif

/* frontend.h - the seam between the native window system and whatever
 * shows its windows to a person (the terminal front end) or to nobody
 * (tests, which drive windows through messages and timers).
 *
 * The window system owns every window; a front end only looks at them
 * through WindowView snapshots and hands input back as key presses. */
#ifndef LZPORT_FRONTEND_H
#define LZPORT_FRONTEND_H

#include <string>
#include <string_view>
#include <vector>

#include "windows.h"

namespace lzport {

/* One window as a front end sees it. Texts are code page 932. */
struct WindowView {
    HWND hwnd = nullptr;
    HWND parent = nullptr; /* null for a top-level window */
    HWND owner = nullptr;  /* top-level windows: the owner, if any */
    std::string className; /* "#32770", "Button", "Static", or a registered class name */
    std::string text;
    int id = 0; /* control id (GetDlgCtrlID) */
    DWORD style = 0, exStyle = 0;
    RECT rect = {};   /* screen coordinates, pixels */
    RECT client = {}; /* client area in screen coordinates */
    bool visible = false, enabled = false, focused = false, active = false;
    bool iconic = false;
    int checkState = 0; /* buttons: BM_GETCHECK */
    bool defaultButton = false;
    HICON icon = nullptr; /* SS_ICON statics and dialogs' WM_SETICON */
};

/* Top-level windows, topmost first (the active one first), and the
 * children of one window in z-order (template order for dialogs). */
std::vector<WindowView> TopLevelViews();
std::vector<WindowView> ChildViews(HWND parent);

/* How the window system measures text in the dialog font: a single-byte
 * (half-width) character is kTextCharWidth pixels wide, a double-byte one
 * twice that, and a line is kTextLineHeight pixels high. */
const int kTextCharWidth = 6;
const int kTextLineHeight = 13;

/* The lines in which a static control shows its text (code page 932), as
 * wide as its rectangle: broken at the text's line breaks and, unless its
 * style keeps to one line, where the next character would pass the
 * width: at the space before a Latin word, otherwise between any two
 * characters. Closing punctuation never starts a line: it stays at the
 * end of the line before, past the width if need be. Access-key
 * ampersands are taken out unless the style has SS_NOPREFIX. */
std::vector<std::string> StaticLines(const WindowView &control);

/* A window text as shown, without the ampersands that mark access keys:
 * "&A" as "A", "&&" as one "&", a lone "&" at the end left out. */
std::string WithoutAccessMarks(std::string_view text);

/* The size of the screen a front end shows, in pixels (1024 by 768 until
 * one says otherwise). The work area is the screen less the taskbar. On a
 * change every top-level window gets WM_DISPLAYCHANGE; message boxes lay
 * themselves out again to fit. */
void SetScreenSize(int width, int height);

/* An open system menu, when one is shown: its items' texts and ids. */
struct MenuView {
    HWND owner = nullptr;
    std::vector<std::string> items; /* "" for a separator */
    std::vector<UINT> ids;
    int selected = -1;
};

/* The system menu being shown, if one is open (false otherwise). */
bool OpenMenuView(MenuView &menu);

/* Input that a front end delivers: a virtual key with its modifiers, as
 * the keyboard would (WM_KEYDOWN/WM_SYSKEYDOWN, WM_CHAR, WM_KEYUP to the
 * focused window, through the thread's message queue). */
void PostKeyPress(UINT vk, bool shift, bool alt);

class FrontEnd {
public:
    virtual ~FrontEnd() {}
    /* Called when the thread's message loop has nothing left to do and no
     * timer is due: show the windows as they are now and deliver input with
     * PostKeyPress. Returns false when there will be no more input; the
     * window system then ends the innermost modal loop as Esc would. */
    virtual bool WaitForInput() = 0;
    /* The windows changed (created, destroyed, text, state): redraw when
     * convenient. */
    virtual void Invalidate() {}
    /* Called once before the process exits, and on fatal signals: give the
     * terminal back. */
    virtual void Shutdown() {}
};

/* Milliseconds until the thread's next timer is due (0 when one is due
 * now), -1 when no timer runs: a front end's WaitForInput returns by then
 * so that the timer is not held up. */
int NextTimerDelay();

/* Installs the front end (null: none; message loops then wait only for
 * timers and posted messages). */
void SetFrontEnd(FrontEnd *frontEnd);
FrontEnd *CurrentFrontEnd();

} // namespace lzport

#endif

/* wm_state.h - the window system's inner operations that several of its
 * files share: showing and hiding, activation and focus, moving, painting,
 * clean-up of what a destroyed window leaves behind, and the stack of
 * modal loops that a thread without input must be able to end. */
#ifndef LZPORT_WM_STATE_H
#define LZPORT_WM_STATE_H

#include "windows.h"

namespace lzport {

/* wm_geometry.cpp: gives the window a new rectangle (parent's client
 * coordinates), sending WM_SIZE and WM_MOVE for what changed. */
void MoveAndSize(HWND hWnd, const RECT &rect);

/* wm_show.cpp: shows or hides a window (WM_SHOWWINDOW first); a shown
 * top-level window is activated when asked, a hidden one hands activation
 * and focus on. */
void ShowWindowState(HWND hWnd, bool show, bool activate);

/* wm_focus.cpp */
/* Makes a top-level window the active one (null: none), with
 * WM_NCACTIVATE and WM_ACTIVATE to the old and the new one and the focus
 * following. `again` sends the activation even when it is active already
 * (a window coming back from minimised). */
void ActivateWindow(HWND hWnd, bool again = false);
/* Activates the window that comes next after one that leaves: its owner,
 * or the next one in z-order that can take it. */
void ActivateOtherWindow(HWND leaving);
/* Moves the focus, with WM_KILLFOCUS and WM_SETFOCUS. */
void SetFocusWindow(HWND hWnd);

/* wm_paint.cpp */
void InvalidateWindow(HWND hWnd, bool erase, bool children);
/* The window that has a paint due (WM_PAINT is generated for it), among
 * hWnd's tree or all windows for null; null when none. */
HWND WindowToPaint(HWND filter);
/* Adds a record to a window's paint log. */
void RecordPaint(HWND hWnd, UINT kind, int x, int y, HICON icon);

/* Clean-up for a window that goes: its posted messages (wm_queue.cpp),
 * its timers (wm_timer.cpp), its system menu (wm_menu.cpp). */
void DropWindowMessages(HWND hWnd);
void DropWindowTimers(HWND hWnd);
void DropSystemMenu(HWND hWnd);

/* dlg_proc.cpp: a dialog that is minimised keeps the control that had the
 * focus, to give it back when restored. */
void DialogSaveFocus(HWND hWnd);

/* wm_modal.cpp: the modal loops running on the thread, innermost last. */
enum class ModalKind { Dialog, Menu };
void PushModal(HWND hWnd, ModalKind kind);
void PopModal(HWND hWnd);
/* Called when the thread waits for a message that can never come (no front
 * end, no timer): ends the innermost modal loop as Esc would, then by
 * force; without a modal loop, quits the thread's message loop. */
void EndInnermostModal();

/* wm_menuloop.cpp: opens the system menu of a window's top-level window
 * and runs it until an item is chosen or it is closed. */
void TrackSystemMenu(HWND hWnd);

/* wm_clock.cpp: milliseconds of a monotonic clock. */
unsigned long long NowMs();

} // namespace lzport

#endif

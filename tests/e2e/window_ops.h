/* window_ops.h - what the end-to-end tests do with the windows of another
 * process: read their texts and states, click their buttons, press keys,
 * and wait for a state by bounded polling. */
#ifndef LZE2E_WINDOW_OPS_H
#define LZE2E_WINDOW_OPS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

/* How long any one wait for the program may take, in milliseconds. */
const DWORD kPatience = 20000;

/* Polls `done` every few milliseconds until it holds or `timeoutMs` has
 * passed, handling this thread's own messages meanwhile. Returns the last
 * result of `done`. */
bool WaitUntil(const std::function<bool()> &done, DWORD timeoutMs = kPatience);

std::string ClassOf(HWND hwnd);
std::string TextOf(HWND hwnd);

/* Sends a query the other process answers at once; 0 when it does not
 * answer in time. */
LRESULT Ask(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

/* The direct child windows of `parent`, in z order. */
std::vector<HWND> ChildrenOf(HWND parent);

/* Clicks a button as the mouse would. The click is posted, so that a modal
 * loop it opens in the program does not hold up the caller. */
bool Click(HWND button);

/* Presses and releases a key in the window, as the keyboard would. */
bool PressKey(HWND hwnd, WORD virtualKey);

/* The window that holds the keyboard focus in the thread owning `hwnd`. */
HWND FocusOfThreadOf(HWND hwnd);

/* Clicks button `id` of the dialog window `dialog` and waits until the
 * window has gone. */
bool PressAndWaitGone(HWND dialog, int id);

} // namespace e2e

#endif

/* wm_queue.h - the sources of the thread's messages besides the posted
 * ones: key presses from the front end (wm_input.cpp) and timers
 * (wm_timer.cpp). Each hands out its next message when it has one for the
 * filter; `remove` takes it. */
#ifndef LZPORT_WM_QUEUE_H
#define LZPORT_WM_QUEUE_H

#include "windows.h"

namespace lzport {

/* Whether a message for hWnd passes a GetMessage filter: null takes every
 * window and thread messages, (HWND)-1 thread messages only, a window
 * itself and its descendants. */
bool PassesFilter(HWND hWnd, HWND filter);
bool InRange(UINT message, UINT first, UINT last);

/* Posts a message that the queue gives before the others (the character
 * TranslateMessage makes of a key). */
void PostNext(const MSG &msg);

bool TakeInputMessage(MSG *msg, HWND filter, UINT first, UINT last, bool remove);
bool TakeTimerMessage(MSG *msg, HWND filter, UINT first, UINT last, bool remove);
/* Whether a WM_TIMER message names a timer that runs with that procedure. */
bool IsRunningTimer(HWND hWnd, UINT_PTR id, TIMERPROC proc);
bool HaveTimers();

} // namespace lzport

#endif

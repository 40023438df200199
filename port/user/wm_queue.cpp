/* wm_queue.cpp - the thread's message queue. Reading takes, in this
 * order: posted messages, key presses, WM_QUIT, WM_PAINT for a window with
 * an update due, WM_TIMER for a due timer. When there is nothing, the
 * thread waits: for the front end's input when one is installed, else for
 * the next timer; with neither nothing could ever arrive, so the innermost
 * modal loop is ended instead of waiting for ever. */
#include <algorithm>
#include <deque>

#include "frontend.h"
#include "wm_core.h"
#include "wm_queue.h"
#include "wm_state.h"

namespace lzport {

namespace {

std::deque<MSG> g_posted;
bool g_quit = false;
int g_quitCode = 0;

bool TakePosted(MSG *msg, HWND filter, UINT first, UINT last, bool remove)
{
    for (auto it = g_posted.begin(); it != g_posted.end(); ++it) {
        if (PassesFilter(it->hwnd, filter) && InRange(it->message, first, last)) {
            *msg = *it;
            if (remove)
                g_posted.erase(it);
            return true;
        }
    }
    return false;
}

bool TakeQuit(MSG *msg, HWND filter, UINT first, UINT last, bool remove)
{
    if (!g_quit || !InRange(WM_QUIT, first, last) || (filter != nullptr && filter != reinterpret_cast<HWND>(-1)))
        return false;
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(g_quitCode), 0, GetTickCount(), {}};
    if (remove)
        g_quit = false;
    return true;
}

bool TakePaint(MSG *msg, HWND filter, UINT first, UINT last)
{
    if (!InRange(WM_PAINT, first, last) || filter == reinterpret_cast<HWND>(-1))
        return false;
    HWND hWnd = WindowToPaint(filter);
    if (hWnd == nullptr)
        return false;
    *msg = MSG{hWnd, WM_PAINT, 0, 0, GetTickCount(), {}};
    return true;
}

bool TakeMessage(MSG *msg, HWND filter, UINT first, UINT last, bool remove)
{
    return TakePosted(msg, filter, first, last, remove) || TakeInputMessage(msg, filter, first, last, remove) ||
           TakeQuit(msg, filter, first, last, remove) || TakePaint(msg, filter, first, last) ||
           TakeTimerMessage(msg, filter, first, last, remove);
}

/* Nothing to read: wait for what can come. */
void Idle()
{
    int delay = NextTimerDelay();
    if (FrontEnd *frontEnd = CurrentFrontEnd()) {
        if (!frontEnd->WaitForInput())
            EndInnermostModal();
        return;
    }
    if (delay >= 0)
        Sleep(static_cast<DWORD>(delay));
    else
        EndInnermostModal();
}

bool CheckFilterWindow(HWND filter)
{
    return filter == nullptr || filter == reinterpret_cast<HWND>(-1) || CheckWnd(filter) != nullptr;
}

} // namespace

bool PassesFilter(HWND hWnd, HWND filter)
{
    if (filter == nullptr)
        return true;
    if (filter == reinterpret_cast<HWND>(-1))
        return hWnd == nullptr;
    return hWnd == filter || IsDescendant(filter, hWnd);
}

bool InRange(UINT message, UINT first, UINT last)
{
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

void PostNext(const MSG &msg) { g_posted.push_front(msg); }

void DropWindowMessages(HWND hWnd)
{
    g_posted.erase(std::remove_if(g_posted.begin(), g_posted.end(), [hWnd](const MSG &m) { return m.hwnd == hWnd; }),
                   g_posted.end());
}

} // namespace lzport

using namespace lzport;

extern "C" {

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd != nullptr && CheckWnd(hWnd) == nullptr)
        return FALSE;
    g_posted.push_back(MSG{hWnd, Msg, wParam, lParam, GetTickCount(), {}});
    return TRUE;
}

VOID WINAPI PostQuitMessage(int nExitCode)
{
    g_quit = true;
    g_quitCode = nExitCode;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    if (lpMsg == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    if (!CheckFilterWindow(hWnd))
        return FALSE;
    return TakeMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    if (lpMsg == nullptr) {
        SetLastError(ERROR_NOACCESS);
        return -1;
    }
    if (!CheckFilterWindow(hWnd))
        return -1;
    while (!TakeMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true))
        Idle();
    return lpMsg->message != WM_QUIT;
}

} // extern "C"

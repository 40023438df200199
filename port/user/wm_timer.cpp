/* wm_timer.cpp - timers, on a monotonic clock. A due timer gives WM_TIMER
 * when the queue is read and has nothing else; taking the message starts
 * the next interval. Thread timers (no window) get ids of their own,
 * counting down from 0x7FFF as Wine's do; a window's timer keeps the id
 * it was set with. */
#include <time.h>

#include <algorithm>
#include <vector>

#include "frontend.h"
#include "wm_core.h"
#include "wm_queue.h"
#include "wm_state.h"

namespace lzport {

namespace {

struct Timer {
    HWND hWnd;
    UINT_PTR id;
    UINT elapse;
    TIMERPROC proc;
    unsigned long long due;
};

std::vector<Timer> g_timers;
UINT_PTR g_nextThreadTimer = 0x7FFF;

const UINT kMinimumElapse = 10;         /* USER_TIMER_MINIMUM */
const UINT kMaximumElapse = 0x7FFFFFFF; /* USER_TIMER_MAXIMUM */

std::vector<Timer>::iterator Find(HWND hWnd, UINT_PTR id)
{
    return std::find_if(g_timers.begin(), g_timers.end(),
                        [hWnd, id](const Timer &t) { return t.hWnd == hWnd && t.id == id; });
}

} // namespace

unsigned long long NowMs()
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<unsigned long long>(ts.tv_sec) * 1000u + static_cast<unsigned long long>(ts.tv_nsec) / 1000000u;
}

bool TakeTimerMessage(MSG *msg, HWND filter, UINT first, UINT last, bool remove)
{
    if (!InRange(WM_TIMER, first, last))
        return false;
    unsigned long long now = NowMs();
    Timer *next = nullptr;
    for (Timer &timer : g_timers) {
        if (timer.due <= now && PassesFilter(timer.hWnd, filter) && (next == nullptr || timer.due < next->due))
            next = &timer;
    }
    if (next == nullptr)
        return false;
    *msg = MSG{next->hWnd, WM_TIMER, next->id, reinterpret_cast<LPARAM>(next->proc), static_cast<DWORD>(now), {}};
    if (remove)
        next->due = now + next->elapse;
    return true;
}

bool IsRunningTimer(HWND hWnd, UINT_PTR id, TIMERPROC proc)
{
    auto it = Find(hWnd, id);
    return it != g_timers.end() && it->proc == proc;
}

bool HaveTimers() { return !g_timers.empty(); }

void DropWindowTimers(HWND hWnd)
{
    g_timers.erase(std::remove_if(g_timers.begin(), g_timers.end(), [hWnd](const Timer &t) { return t.hWnd == hWnd; }),
                   g_timers.end());
}

int NextTimerDelay()
{
    if (g_timers.empty())
        return -1;
    unsigned long long now = NowMs();
    unsigned long long due = g_timers.front().due;
    for (const Timer &timer : g_timers)
        due = std::min(due, timer.due);
    return due <= now ? 0 : static_cast<int>(std::min<unsigned long long>(due - now, 0x7FFFFFFF));
}

} // namespace lzport

using namespace lzport;

extern "C" {

/* Wine answers ERROR_INVALID_HANDLE for a window that does not exist. */
UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    if (hWnd != nullptr && FindWnd(hWnd) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    UINT elapse = std::min(std::max(uElapse, kMinimumElapse), kMaximumElapse);
    auto it = hWnd != nullptr || nIDEvent != 0 ? Find(hWnd, nIDEvent) : g_timers.end();
    UINT_PTR id = nIDEvent;
    if (it == g_timers.end()) {
        if (hWnd == nullptr) {
            id = g_nextThreadTimer--;
            if (g_nextThreadTimer == 0)
                g_nextThreadTimer = 0x7FFF;
        }
        g_timers.push_back(Timer{hWnd, id, elapse, lpTimerFunc, 0});
        it = g_timers.end() - 1;
    }
    it->elapse = elapse;
    it->proc = lpTimerFunc;
    it->due = NowMs() + elapse;
    return id != 0 ? id : 1;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    if (hWnd != nullptr && FindWnd(hWnd) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto it = Find(hWnd, uIDEvent);
    if (it == g_timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    g_timers.erase(it);
    return TRUE;
}

DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(NowMs()); }

} // extern "C"

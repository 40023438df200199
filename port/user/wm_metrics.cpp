/* wm_metrics.cpp - system metrics: the screen, 1024 by 768 pixels unless
 * a front end gives another size, with a 30-pixel taskbar along the
 * bottom, and the sizes of frames, captions and icons of the system's
 * default look. */
#include <algorithm>

#include "frontend.h"
#include "wm_core.h"

namespace lzport {

namespace {

SIZE g_screen = {1024, 768};

struct Metric {
    int index;
    int value;
};

const Metric kMetrics[] = {
    {SM_CXVSCROLL, 17},
    {SM_CYHSCROLL, 17},
    {SM_CYCAPTION, kCaptionHeight},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 19},
    {SM_MOUSEPRESENT, 1},
    {SM_CXMIN, 116},
    {SM_CYMIN, 27},
    {SM_CXSIZE, 18},
    {SM_CYSIZE, 18},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXMINTRACK, 116},
    {SM_CYMINTRACK, 27},
    {SM_CMOUSEBUTTONS, 3},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 16},
    {SM_CXMINIMIZED, kMinimizedWidth},
    {SM_CYMINIMIZED, kMinimizedHeight},
};

/* The metrics that follow the screen's size. */
bool ScreenMetric(int index, int &value)
{
    RECT area = WorkArea();
    switch (index) {
    case SM_CXSCREEN:
        value = g_screen.cx;
        return true;
    case SM_CYSCREEN:
        value = g_screen.cy;
        return true;
    case SM_CXFULLSCREEN:
        value = area.right - area.left;
        return true;
    case SM_CYFULLSCREEN:
        value = area.bottom - area.top - kCaptionHeight;
        return true;
    case SM_CXMAXIMIZED:
        value = area.right - area.left + 8;
        return true;
    case SM_CYMAXIMIZED:
        value = area.bottom - area.top + 8;
        return true;
    default:
        return false;
    }
}

} // namespace

SIZE ScreenSize() { return g_screen; }

void SetScreenSize(int width, int height)
{
    SIZE size = {std::max(width, 0), std::max(height, 0)};
    if (size.cx == g_screen.cx && size.cy == g_screen.cy)
        return;
    g_screen = size;
    const std::vector<HWND> topLevels = Windows().topLevels;
    for (HWND hWnd : topLevels) {
        if (FindWnd(hWnd) != nullptr)
            SendMessageA(hWnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(size.cx, size.cy));
    }
    WindowsChanged();
}

} // namespace lzport

using namespace lzport;

extern "C" {

int WINAPI GetSystemMetrics(int nIndex)
{
    int value = 0;
    if (ScreenMetric(nIndex, value))
        return value;
    for (const Metric &metric : kMetrics) {
        if (metric.index == nIndex)
            return metric.value;
    }
    return 0;
}

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT, PVOID pvParam, UINT)
{
    if (uiAction != SPI_GETWORKAREA) {
        SetLastError(ERROR_INVALID_SPI_VALUE);
        return FALSE;
    }
    /* Wine leaves the last error alone for a missing rectangle */
    if (pvParam == nullptr)
        return FALSE;
    *static_cast<RECT *>(pvParam) = WorkArea();
    return TRUE;
}

} // extern "C"

/* wm_metrics.cpp - system metrics and the work area of a fixed screen: 1024
 * by 768 pixels with a 30-pixel taskbar along the bottom, and the sizes of
 * frames, captions and icons that Wine's default look gives. */
#include "wm_core.h"

namespace lzport {

namespace {

struct Metric {
    int index;
    int value;
};

const Metric kMetrics[] = {
    {SM_CXSCREEN, kScreenWidth},
    {SM_CYSCREEN, kScreenHeight},
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
    {SM_CXFULLSCREEN, kScreenWidth},
    {SM_CYFULLSCREEN, kScreenHeight - kTaskbarHeight - kCaptionHeight},
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
    {SM_CXMAXIMIZED, kScreenWidth + 8},
    {SM_CYMAXIMIZED, kScreenHeight - kTaskbarHeight + 8},
};

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

int WINAPI GetSystemMetrics(int nIndex)
{
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

/* wm_rect.cpp - rectangle arithmetic. A rectangle is empty when it has no
 * width or no height; empty rectangles take no part in unions. */
#include "windows.h"

extern "C" {

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    if (lprc == nullptr)
        return FALSE;
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL WINAPI IsRectEmpty(const RECT *lprc)
{
    return lprc == nullptr || lprc->left >= lprc->right || lprc->top >= lprc->bottom;
}

BOOL WINAPI EqualRect(const RECT *lprc1, const RECT *lprc2)
{
    if (lprc1 == nullptr || lprc2 == nullptr)
        return FALSE;
    return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
           lprc1->bottom == lprc2->bottom;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr)
        return FALSE;
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT lprcDst, const RECT *lprcSrc1, const RECT *lprcSrc2)
{
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr)
        return FALSE;
    RECT a = *lprcSrc1, b = *lprcSrc2;
    if (IsRectEmpty(&a)) {
        *lprcDst = b;
    } else if (IsRectEmpty(&b)) {
        *lprcDst = a;
    } else {
        lprcDst->left = a.left < b.left ? a.left : b.left;
        lprcDst->top = a.top < b.top ? a.top : b.top;
        lprcDst->right = a.right > b.right ? a.right : b.right;
        lprcDst->bottom = a.bottom > b.bottom ? a.bottom : b.bottom;
    }
    if (IsRectEmpty(lprcDst)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT *lprcSrc1, const RECT *lprcSrc2)
{
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr)
        return FALSE;
    RECT a = *lprcSrc1, b = *lprcSrc2;
    lprcDst->left = a.left > b.left ? a.left : b.left;
    lprcDst->top = a.top > b.top ? a.top : b.top;
    lprcDst->right = a.right < b.right ? a.right : b.right;
    lprcDst->bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    if (IsRectEmpty(&a) || IsRectEmpty(&b) || IsRectEmpty(lprcDst)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    return TRUE;
}

} // extern "C"

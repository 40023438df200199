/* wnd.cpp - CWnd: construction and destruction, the window's attributes
 * and simple operations, owners of pop-ups and centring. */
#include <string.h>

#include "afxwin.h"

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(NULL) { memset(&m_currentMsg, 0, sizeof m_currentMsg); }

CWnd::~CWnd()
{
    CWinApp *pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = NULL;
    if (m_hWnd != NULL) {
        CWnd::DestroyWindow();
        /* a window that could not be destroyed must not keep this object */
        Detach();
    }
}

BOOL CWnd::DestroyWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == NULL)
        return FALSE;
    BOOL bResult = ::DestroyWindow(hWnd);
    /* a subclassed window detaches itself on WM_NCDESTROY; others here */
    if (bResult && m_hWnd == hWnd)
        Detach();
    return bResult;
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }

CWnd *CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd *CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

void CWnd::SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString &rString) const
{
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLength), nLength + 1);
    rString.ReleaseBuffer();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
HMENU CWnd::GetSystemMenu(BOOL bRevert) const { return ::GetSystemMenu(m_hWnd, bRevert); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HWND CWnd::GetSafeOwner_(CWnd *pParent)
{
    HWND hWnd = pParent != NULL ? pParent->m_hWnd : NULL;
    if (pParent == NULL) {
        CWnd *pMainWnd = AfxGetMainWnd();
        hWnd = pMainWnd != NULL ? pMainWnd->m_hWnd : NULL;
    }
    /* a pop-up cannot be owned by a child window */
    while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (pParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);
    return hWnd;
}

void CWnd::CenterWindow(CWnd *pAlternateOwner)
{
    BOOL bChild = (GetStyle() & WS_CHILD) != 0;
    HWND hWndCenter = pAlternateOwner != NULL ? pAlternateOwner->m_hWnd
                      : bChild                ? ::GetParent(m_hWnd)
                                              : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcDlg, rcArea, rcCenter;
    GetWindowRect(&rcDlg);
    if (bChild) {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
        DWORD dwCenterStyle = hWndCenter != NULL ? static_cast<DWORD>(::GetWindowLongA(hWndCenter, GWL_STYLE)) : 0;
        if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    }
    int cx = rcDlg.right - rcDlg.left;
    int cy = rcDlg.bottom - rcDlg.top;
    int x = (rcCenter.left + rcCenter.right) / 2 - cx / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - cy / 2;
    if (x + cx > rcArea.right)
        x = rcArea.right - cx;
    if (x < rcArea.left)
        x = rcArea.left;
    if (y + cy > rcArea.bottom)
        y = rcArea.bottom - cy;
    if (y < rcArea.top)
        y = rcArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

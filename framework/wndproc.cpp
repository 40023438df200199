/* wndproc.cpp - how a window's messages reach its object: subclassing, the
 * window procedure, dispatch through the message maps, command routing and
 * default processing, and the window's last message. */
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc));
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != NULL) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = NULL;
    }
    return Detach();
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd *pWnd = FromHandlePermanent(hWnd);
    if (pWnd == NULL)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    MSG previous = pWnd->m_currentMsg;
    pWnd->m_currentMsg.hwnd = hWnd;
    pWnd->m_currentMsg.message = message;
    pWnd->m_currentMsg.wParam = wParam;
    pWnd->m_currentMsg.lParam = lParam;
    LRESULT lResult = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_currentMsg = previous;
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY *pEntry = FindMessageEntry(message);
    if (pEntry == nullptr)
        return FALSE;
    *pResult = pEntry->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    int nCode = HIWORD(wParam);
    if (lParam == 0) {
        /* a menu item (code 0) or an accelerator (code 1) */
        if (nID == 0)
            return FALSE;
        nCode = CN_COMMAND;
    }
    return OnCmdMsg(nID, nCode);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam); }

void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }

void CWnd::OnPaint() { Default(); }

HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

void CWnd::OnNcDestroy()
{
    CWinApp *pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        pApp->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
    Default();
    UnsubclassWindow();
}

/* dataexchange.cpp - dialog data exchange: moving values between a
 * dialog's members and its controls, in either direction. An exchange that
 * fails stops there: the remaining exchanges are skipped. */
#include "afxwin.h"

CDataExchange::CDataExchange(CWnd *pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_bFailed(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        Fail();
    return hWndCtrl;
}

void DDX_Control(CDataExchange *pDX, int nIDC, CWnd &rControl)
{
    if (pDX->HasFailed() || rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl != NULL && !rControl.SubclassWindow(hWndCtrl))
        pDX->Fail();
}

void DDX_Check(CDataExchange *pDX, int nIDC, int &value)
{
    if (pDX->HasFailed())
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (hWndCtrl == NULL)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0));
    } else {
        int state = (value >= BST_UNCHECKED && value <= BST_INDETERMINATE) ? value : BST_UNCHECKED;
        ::SendMessageA(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(state), 0);
    }
}

void CWnd::DoDataExchange(CDataExchange *) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.HasFailed();
}

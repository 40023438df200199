/* dialog.cpp - CDialog: modal dialogs run by the dialog manager from a
 * template, their initialisation and their standard commands. The dialog
 * object takes over its window when WM_INITDIALOG arrives; from then on the
 * window's messages go through the object's message maps. */
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, CDialog::OnOK)
ON_COMMAND(IDCANCEL, CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() : m_nIDTemplate(0), m_lpDialogTemplate(NULL), m_pParentWnd(NULL), m_lpRunningTemplate(NULL) {}

CDialog::CDialog(UINT nIDTemplate, CWnd *pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_lpDialogTemplate(NULL), m_pParentWnd(pParentWnd), m_lpRunningTemplate(NULL)
{
}

CDialog::~CDialog() {}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd *pParentWnd)
{
    if (lpDialogTemplate == NULL)
        return FALSE;
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

LPCDLGTEMPLATE CDialog::LoadTemplate() const
{
    if (m_lpDialogTemplate != NULL)
        return m_lpDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), RT_DIALOG);
    if (hResource == NULL)
        return NULL;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    return hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
}

INT_PTR CDialog::DoModal()
{
    INT_PTR nResult = -1;
    m_lpRunningTemplate = LoadTemplate();
    if (m_lpRunningTemplate != NULL) {
        nResult = ::DialogBoxIndirectParamA(AfxGetResourceHandle(), m_lpRunningTemplate, GetSafeOwner_(m_pParentWnd),
                                            &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
        m_lpRunningTemplate = NULL;
    }
    if (nResult == -1) {
        /* no window may have existed to clear the main window on its end */
        CWinApp *pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this)
            pApp->m_pMainWnd = NULL;
    }
    return nResult;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    /* Everything after WM_INITDIALOG reaches the object through its window
     * procedure; the dialog manager's default processing follows here. */
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog *pDialog = reinterpret_cast<CDialog *>(lParam);
    if (!pDialog->SubclassWindow(hWnd)) {
        ::EndDialog(hWnd, -1);
        return FALSE;
    }
    return pDialog->HandleInitDialog();
}

BOOL CDialog::HandleInitDialog()
{
    DWORD styleBefore = GetStyle();
    RECT rectBefore;
    GetWindowRect(&rectBefore);
    BOOL bResult = OnInitDialog();
    if (ShouldAutoCenter(styleBefore, rectBefore))
        CenterWindow();
    return bResult;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCmdMsg(UINT nID, int nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    /* commands proper, not system commands, go on to the application */
    if (nCode != CN_COMMAND || nID >= 0xF000)
        return FALSE;
    CWinApp *pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode);
}

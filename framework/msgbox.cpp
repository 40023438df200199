/* msgbox.cpp - the application's message box: captioned with the
 * application title, owned by the main window, with the exclamation icon
 * when the caller names none. */
#include "afxwin.h"

namespace {

int ShowAppMessageBox(CWinApp *pApp, LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    HWND hWndOwner = CWnd::GetSafeOwner_(NULL);
    if (pApp == NULL)
        return ::MessageBoxA(hWndOwner, lpszPrompt, NULL, nType);
    /* the box's help context, for the time it is on screen */
    DWORD dwOldContext = pApp->m_dwPromptContext;
    if (nIDPrompt != 0)
        pApp->m_dwPromptContext = HID_BASE_PROMPT + nIDPrompt;
    int nResult = ::MessageBoxA(hWndOwner, lpszPrompt, pApp->m_pszAppName, nType);
    pApp->m_dwPromptContext = dwOldContext;
    return nResult;
}

} // namespace

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    return ShowAppMessageBox(this, lpszPrompt, nType, nIDPrompt);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp *pApp = AfxGetApp();
    if (pApp == NULL)
        return ShowAppMessageBox(NULL, lpszText, nType, nIDHelp);
    return pApp->DoMessageBox(lpszText, nType, nIDHelp);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    if (nIDHelp == static_cast<UINT>(-1))
        nIDHelp = nIDPrompt;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

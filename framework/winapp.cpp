/* winapp.cpp - CWinApp: the application's handles, message loop, icons and
 * help. */
#include "afxwin.h"

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWnd *AfxGetMainWnd()
{
    CWinApp *pApp = AfxGetApp();
    return pApp != NULL ? pApp->m_pMainWnd : NULL;
}

HINSTANCE AfxGetInstanceHandle()
{
    CWinApp *pApp = AfxGetApp();
    return pApp != NULL ? pApp->m_hInstance : NULL;
}

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE hInstance = AfxGetInstanceHandle();
    return hInstance != NULL ? hInstance : ::GetModuleHandleA(NULL);
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

int CWinApp::Run()
{
    MSG msg;
    /* GetMessage gives 0 for WM_QUIT and -1 when it fails */
    while (::GetMessageA(&msg, NULL, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

BOOL CWinApp::Enable3dControlsStatic() { return TRUE; }

void CWinApp::OnHelp()
{
    HWND hWndMain = m_pMainWnd != NULL ? m_pMainWnd->m_hWnd : NULL;
    if (m_dwPromptContext != 0)
        ::WinHelpA(hWndMain, m_pszHelpFilePath, HELP_CONTEXT, m_dwPromptContext);
    else
        ::WinHelpA(hWndMain, m_pszHelpFilePath, HELP_FINDER, 0);
}

/* winapp.cpp - CWinApp: the current application object, its message loop,
 * icons and help. */
#include "afxwin.h"

namespace {

CWinApp *g_pCurrentApp = NULL;

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(NULL), m_pszExeName(NULL), m_pszHelpFilePath(NULL), m_hInstance(NULL), m_pMainWnd(NULL),
      m_dwPromptContext(0), m_strAppName(lpszAppName)
{
    if (lpszAppName != NULL)
        m_pszAppName = m_strAppName;
    /* A program has one; a later one (a test's own) takes over. */
    g_pCurrentApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pCurrentApp == this)
        g_pCurrentApp = NULL;
}

CWinApp *AfxGetApp() { return g_pCurrentApp; }

CWnd *AfxGetMainWnd() { return g_pCurrentApp != NULL ? g_pCurrentApp->m_pMainWnd : NULL; }

HINSTANCE AfxGetInstanceHandle() { return g_pCurrentApp != NULL ? g_pCurrentApp->m_hInstance : NULL; }

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

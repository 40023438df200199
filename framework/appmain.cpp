/* appmain.cpp - the application object's registration and the program's
 * entry point. They share one object file on purpose: every program that
 * constructs an application object links this file, and with it WinMain,
 * which the runtime's start-up code calls and the linker would otherwise
 * not look for in the framework's library. */
#include "afxwin.h"

namespace {

CWinApp *g_pCurrentApp = NULL;

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(NULL), m_pszExeName(NULL), m_pszHelpFilePath(NULL), m_hInstance(NULL), m_pMainWnd(NULL),
      m_dwPromptContext(0), m_pPreviousApp(g_pCurrentApp), m_strAppName(lpszAppName)
{
    if (lpszAppName != NULL)
        m_pszAppName = m_strAppName;
    /* A program has one; a test may put its own in front for a while. */
    g_pCurrentApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pCurrentApp == this)
        g_pCurrentApp = m_pPreviousApp;
}

CWinApp *AfxGetApp() { return g_pCurrentApp; }

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) { return AfxWinMain(hInstance); }

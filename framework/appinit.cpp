/* appinit.cpp - the program's start-up: the multibyte code page, the
 * application's instance, the names it derives from its module (title,
 * program name, help file), and the sequence InitInstance - Run. */
#include <mbctype.h>

#include "afxwin.h"

void CWinApp::SetCurrentHandles()
{
    char szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(m_hInstance, szPath, sizeof szPath);
    if (nLength >= sizeof szPath)
        nLength = 0;
    CString strPath(szPath, static_cast<int>(nLength));

    CString strFileName = strPath.Mid(strPath.ReverseFind('\\') + 1);
    int nDot = strFileName.ReverseFind('.');
    CString strBase = nDot >= 0 ? strPath.Left(strPath.GetLength() - (strFileName.GetLength() - nDot)) : strPath;
    m_strExeName = nDot >= 0 ? strFileName.Left(nDot) : strFileName;
    m_pszExeName = m_strExeName;
    m_strHelpFilePath = strBase + ".HLP";
    m_pszHelpFilePath = m_strHelpFilePath;

    if (m_pszAppName == NULL) {
        if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE) || m_strAppName.IsEmpty())
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
}

BOOL AfxWinInit(HINSTANCE hInstance)
{
    _setmbcp(_MB_CP_ANSI);
    CWinApp *pApp = AfxGetApp();
    if (pApp == NULL)
        return FALSE;
    pApp->m_hInstance = hInstance;
    pApp->SetCurrentHandles();
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance)
{
    if (!AfxWinInit(hInstance))
        return -1;
    CWinApp *pApp = AfxGetApp();
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != NULL)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

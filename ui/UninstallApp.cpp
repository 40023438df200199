/* UninstallApp.cpp - the one application object and its start. */
#include "UninstallApp.h"

#include "UninstallDlg.h"

BEGIN_MESSAGE_MAP(CUninstallApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CUninstallApp::CUninstallApp() {}

CUninstallApp theApp;

BOOL CUninstallApp::InitInstance()
{
    Enable3dControlsStatic();
    CUninstallDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}

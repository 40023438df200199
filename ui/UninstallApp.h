/* UninstallApp.h - the application object: runs the uninstall dialog and
 * ends when it closes. */
#ifndef LZ_UNINSTALLAPP_H
#define LZ_UNINSTALLAPP_H

#include "afxwin.h"

class CUninstallApp : public CWinApp {
public:
    CUninstallApp();
    virtual BOOL InitInstance();
    DECLARE_MESSAGE_MAP()
};

extern CUninstallApp theApp;

#endif

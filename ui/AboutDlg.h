/* AboutDlg.h - the About box: names the uninstaller and its version. */
#ifndef LZ_ABOUTDLG_H
#define LZ_ABOUTDLG_H

#include "afxwin.h"
#include "resource.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    enum { IDD = IDD_ABOUTBOX };

protected:
    virtual void DoDataExchange(CDataExchange *pDX);
    DECLARE_MESSAGE_MAP()
};

#endif

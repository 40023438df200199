/* UninstallDlg.h - the uninstall dialog: shows where the product is
 * installed, lets the user keep the stock book, and runs the uninstall. */
#ifndef LZ_UNINSTALLDLG_H
#define LZ_UNINSTALLDLG_H

#include "afxwin.h"
#include "resource.h"

class CUninstallDlg : public CDialog {
public:
    CUninstallDlg(CWnd *pParent = NULL);

    enum { IDD = IDD_UNINSTALL_DIALOG };
    CStatic m_wndInstallDir;
    BOOL m_bDeleteStockBook;

    /* Removes the folder at path with everything in it, sparing the
     * sub-folder keepName directly inside it (none when null or empty). */
    BOOL RemoveFolder(CString path, LPCTSTR keepName);
    /* The walk below RemoveFolder: removes folderName, a folder inside the
     * working directory. */
    BOOL RemoveTree(CString folderName, LPCTSTR keepName);

    /* Where the minimised dialog draws its icon: centred in the client
     * area, an odd spare pixel going right and down; a client area smaller
     * than the icon gives negative offsets. */
    static POINT IconPosition(int cxClient, int cyClient, int cxIcon, int cyIcon);

protected:
    HICON m_hIcon;

    virtual void DoDataExchange(CDataExchange *pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    DECLARE_MESSAGE_MAP()
};

#endif

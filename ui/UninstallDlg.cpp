/* UninstallDlg.cpp - the uninstall dialog's opening, data exchange, system
 * menu and minimised icon. The run itself and the folder removal live with
 * the engine. */
#include "UninstallDlg.h"

#include "AboutDlg.h"
#include "ProductInfo.h"
#include "ProductRegKey.h"

BEGIN_MESSAGE_MAP(CUninstallDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CUninstallDlg::CUninstallDlg(CWnd *pParent) : CDialog(CUninstallDlg::IDD, pParent)
{
    m_bDeleteStockBook = TRUE;
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

void CUninstallDlg::DoDataExchange(CDataExchange *pDX)
{
    DDX_Control(pDX, IDC_INSTALL_DIR, m_wndInstallDir);
    DDX_Check(pDX, IDC_DELETE_STOCKBOOK, m_bDeleteStockBook);
}

BOOL CUninstallDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hSysMenu != NULL) {
        CString strAboutMenu;
        strAboutMenu.LoadString(IDS_ABOUTBOX);
        if (!strAboutMenu.IsEmpty()) {
            ::AppendMenuA(hSysMenu, MF_SEPARATOR, 0, NULL);
            ::AppendMenuA(hSysMenu, MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIcon);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIcon);

    CString strInstallDir;
    CProductRegKey key(LZ_PRODUCT_ID, LZ_PRODUCT_VERSION);
    if (key.Exists()) {
        key.QueryString(LZ_VALUE_DIRECTORY, strInstallDir, "");
        key.Close();
    }
    if (!strInstallDir.IsEmpty()) {
        m_wndInstallDir.SetWindowText("「" + strInstallDir + "」");
        return TRUE;
    }
    AfxMessageBox("ルメオ ゼルコアバージョンがインストールされていません。", MB_ICONHAND, 0);
    CDialog::OnCancel();
    return FALSE;
}

void CUninstallDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CUninstallDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    POINT pt = IconPosition(rect.right - rect.left, rect.bottom - rect.top, cxIcon, cyIcon);
    dc.DrawIcon(pt.x, pt.y, m_hIcon);
}

POINT CUninstallDlg::IconPosition(int cxClient, int cyClient, int cxIcon, int cyIcon)
{
    POINT pt;
    pt.x = (cxClient - cxIcon + 1) / 2;
    pt.y = (cyClient - cyIcon + 1) / 2;
    return pt;
}

HCURSOR CUninstallDlg::OnQueryDragIcon() { return (HCURSOR)m_hIcon; }

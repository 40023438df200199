/* UninstallRun.cpp - the uninstall run behind the 実行 button: refuses while
 * the product runs, asks, then removes the stock book, the installation
 * folder, the Start-menu group, the product's registry keys and its
 * uninstall entry, and reports how much of that it could do. */
#include "FolderPolicy.h"
#include "PathResolve.h"
#include "ProductInfo.h"
#include "ProductRegKey.h"
#include "UninstallDlg.h"

namespace {

BOOL IsRunning(LPCSTR pszClass) { return CWnd::FromHandle(FindWindowA(pszClass, NULL)) != NULL; }

/* Removes a folder that the registry names, when the guard allows it, and
 * tells whether the removal counts: nothing may be left of the folder but
 * the kept one. */
BOOL RemoveRecordedFolder(CUninstallDlg &dlg, const CString &strPath, const CString &strKeep)
{
    if (!IsRemovableFolder(strPath))
        return FALSE;
    CString strFolder = WithoutTrailingBackslash(strPath);
    return dlg.RemoveFolder(strFolder, strKeep.IsEmpty() ? NULL : (LPCTSTR)strKeep) &&
           IsOnlyKeptFolderLeft(strFolder, strKeep);
}

/* The Start-menu group is built by the program itself: no guard, but the
 * step counts only when the group is gone. FALSE when there was no group to
 * remove at that path. */
BOOL RemoveGroup(CUninstallDlg &dlg, const CString &strGroup, BOOL &bGone)
{
    if (!dlg.RemoveFolder(strGroup, NULL))
        return FALSE;
    bGone = IsFolderGone(strGroup);
    return TRUE;
}

/* Deletes the product's keys one level at a time, as NT requires: the
 * version key's sub-keys, the version key, then the product key. */
BOOL DeleteProductKeysNT()
{
    BOOL bAllDeleted = TRUE;
    CProductRegKey keyVersion(LZ_PRODUCT_ID, LZ_PRODUCT_VERSION);
    CStringArray *pSubKeys = keyVersion.EnumSubKeys();
    keyVersion.Close();
    if (pSubKeys != NULL) {
        CProductRegKey keyParent(LZ_PRODUCT_ID, LZ_PRODUCT_VERSION);
        for (int i = 0; i < pSubKeys->GetSize(); i++) {
            if (!keyParent.DeleteSubKey(pSubKeys->GetAt(i)))
                bAllDeleted = FALSE;
        }
        keyParent.Close();
        delete pSubKeys;
    }
    CProductRegKey keyProduct(LZ_PRODUCT_KEY);
    if (!keyProduct.DeleteSubKey(LZ_PRODUCT_VERSION))
        bAllDeleted = FALSE;
    keyProduct.Close();
    CProductRegKey keyCompany(LZ_COMPANY_KEY);
    if (!keyCompany.DeleteSubKey(LZ_PRODUCT_ID))
        bAllDeleted = FALSE;
    keyCompany.Close();
    return bAllDeleted;
}

/* On Windows 95/98 deleting the product key takes its whole tree along. */
BOOL DeleteProductKeys9x()
{
    BOOL bDeleted = FALSE;
    CProductRegKey keyCompany(LZ_COMPANY_KEY);
    if (keyCompany.Exists())
        bDeleted = keyCompany.DeleteSubKey(LZ_PRODUCT_ID);
    keyCompany.Close();
    return bDeleted;
}

} // namespace

void CUninstallDlg::OnOK()
{
    if (IsRunning(LZ_CLASS_MAIN)) {
        AfxMessageBox("ルメオ ゼルコアバージョンが起動しています。終了させてから実行してください。", MB_ICONHAND);
        return;
    }
    if (IsRunning(LZ_CLASS_EXPLORER)) {
        AfxMessageBox("ルメオ エクスプローラが起動しています。終了させてから実行してください。", MB_ICONHAND);
        return;
    }
    if (AfxMessageBox("ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？", MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    UpdateData(TRUE);

    int nDone = 0;
    OSVERSIONINFOA osvi;
    memset(&osvi, 0, sizeof osvi);
    osvi.dwOSVersionInfoSize = sizeof osvi;
    GetVersionExA(&osvi);
    BOOL isNT = osvi.dwPlatformId == VER_PLATFORM_WIN32_NT;

    CString strStockBook, strInstallDir, strKeep, strGroup, strGroupAlt;

    CProductRegKey keyProduct(LZ_PRODUCT_KEY);
    if (keyProduct.Exists()) {
        keyProduct.QueryString(LZ_VALUE_STOCKBOOK, strStockBook, "");
        if (!strStockBook.IsEmpty() && m_bDeleteStockBook && RemoveRecordedFolder(*this, strStockBook, CString()))
            nDone = 1;
    }
    keyProduct.Close();

    CProductRegKey keyVersion(LZ_PRODUCT_ID, LZ_PRODUCT_VERSION);
    if (keyVersion.Exists()) {
        keyVersion.QueryString(LZ_VALUE_DIRECTORY, strInstallDir, "");
        if (!strInstallDir.IsEmpty() &&
            (m_bDeleteStockBook || GetKeptFolderName(strStockBook, strInstallDir, strKeep)) &&
            RemoveRecordedFolder(*this, strInstallDir, strKeep))
            nDone++;
    }
    keyVersion.Close();

    char szWindows[256];
    UINT cchWindows = GetWindowsDirectoryA(szWindows, sizeof szWindows);
    if (cchWindows != 0 && cchWindows < sizeof szWindows) {
        CString strWindows = szWindows;
        if (isNT) {
            strGroup = strWindows + "\\" + LZ_GROUP_NT;
            strGroupAlt = strWindows + "\\" + LZ_GROUP_NT_WIDE;
        } else {
            strGroup = strWindows + "\\" + LZ_GROUP_9X;
        }
        BOOL bGone = FALSE;
        if (RemoveGroup(*this, strGroup, bGone) || (!strGroupAlt.IsEmpty() && RemoveGroup(*this, strGroupAlt, bGone))) {
            if (bGone)
                nDone++;
        }
    }

    if (isNT ? DeleteProductKeysNT() : DeleteProductKeys9x())
        nDone++;

    CProductRegKey keyUninstall(LZ_UNINSTALL_LIST);
    if (keyUninstall.Exists() && keyUninstall.DeleteSubKey(LZ_PRODUCT_ID))
        nDone++;
    keyUninstall.Close();

    if (nDone == 0)
        AfxMessageBox("削除されているか、削除に失敗しました。", MB_OK);
    else if (nDone == 5)
        AfxMessageBox("完全に削除しました。", MB_OK);
    else
        AfxMessageBox("削除に成功しました。", MB_OK);
    CDialog::OnOK();
}

/* FolderPolicy.cpp - guards on the folder paths that the uninstall run
 * takes from the registry before it removes them recursively. */
#include "FolderPolicy.h"

#include <mbstring.h>

namespace {

CString WithoutTrailingBackslash(const CString &strPath)
{
    int n = strPath.GetLength();
    if (n > 0 && strPath.ReverseFind('\\') == n - 1)
        return strPath.Left(n - 1);
    return strPath;
}

/* Lower-cased, long-name form of a path, without a trailing backslash. */
CString Canonical(const CString &strPath)
{
    CString strLong = strPath;
    char szLong[1024];
    DWORD n = GetLongPathNameA(strPath, szLong, sizeof szLong);
    if (n > 0 && n < sizeof szLong)
        strLong = CString(szLong, (int)n);
    strLong = WithoutTrailingBackslash(strLong);
    strLong.MakeLower();
    return strLong;
}

/* TRUE when strInner lies below strOuter (both canonical). */
BOOL IsBelow(const CString &strInner, const CString &strOuter)
{
    int n = strOuter.GetLength();
    return strInner.GetLength() > n && strInner.Left(n) == strOuter && strInner[n] == '\\';
}

BOOL HasBadComponent(const CString &strPath)
{
    /* strPath starts with "X:\"; check what follows, one trailing backslash aside */
    CString strRest = WithoutTrailingBackslash(strPath.Mid(3));
    if (strRest.IsEmpty())
        return TRUE; /* the drive root */
    for (;;) {
        int p = strRest.Find('\\');
        CString strPart = p < 0 ? strRest : strRest.Left(p);
        if (strPart.IsEmpty() || strPart == "." || strPart == "..")
            return TRUE;
        if (p < 0)
            return FALSE;
        strRest = strRest.Mid(p + 1);
    }
}

BOOL IsFullPath(const CString &strPath)
{
    if (strPath.GetLength() < 3)
        return FALSE;
    char d = strPath[0];
    return ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')) && strPath[1] == ':' && strPath[2] == '\\';
}

CString ReadSystemFolder(LPCSTR pszValue)
{
    CString strValue;
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SoftWare\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &hKey) !=
        ERROR_SUCCESS)
        return strValue;
    char buffer[1024];
    DWORD cb = sizeof buffer - 1, dwType = REG_NONE;
    if (RegQueryValueExA(hKey, pszValue, NULL, &dwType, (LPBYTE)buffer, &cb) == ERROR_SUCCESS &&
        (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
        buffer[cb < sizeof buffer ? cb : sizeof buffer - 1] = 0;
        strValue = buffer;
    }
    RegCloseKey(hKey);
    return strValue;
}

CString WindowsFolder(UINT(WINAPI *pfnGet)(LPSTR, UINT))
{
    char buffer[MAX_PATH];
    UINT n = pfnGet(buffer, sizeof buffer);
    return (n > 0 && n < sizeof buffer) ? CString(buffer, (int)n) : CString();
}

} // namespace

BOOL IsRemovableFolder(const CString &strPath)
{
    if (!IsFullPath(strPath) || HasBadComponent(strPath))
        return FALSE;
    CString strTarget = Canonical(strPath);

    CString strWindows = WindowsFolder(GetWindowsDirectoryA);
    if (!strWindows.IsEmpty()) {
        CString strCanon = Canonical(strWindows);
        if (strTarget == strCanon || IsBelow(strCanon, strTarget))
            return FALSE;
    }
    CString astrExact[] = {WindowsFolder(GetSystemDirectoryA), ReadSystemFolder("ProgramFilesDir"),
                           ReadSystemFolder("CommonFilesDir")};
    for (const CString &strFolder : astrExact) {
        if (!strFolder.IsEmpty() && strTarget == Canonical(strFolder))
            return FALSE;
    }
    return TRUE;
}

BOOL GetKeptFolderName(const CString &strStockBook, const CString &strInstallDir, CString &strKeep)
{
    CString strStock = WithoutTrailingBackslash(strStockBook);
    CString strInstall = WithoutTrailingBackslash(strInstallDir);
    CString strStockLower = strStock, strInstallLower = strInstall;
    strStockLower.MakeLower();
    strInstallLower.MakeLower();

    if (!strStock.IsEmpty() && !strInstall.IsEmpty()) {
        if (strStockLower == strInstallLower || IsBelow(strInstallLower, strStockLower))
            return FALSE;
        if (IsBelow(strStockLower, strInstallLower)) {
            CString strBelow = strStock.Mid(strInstall.GetLength() + 1);
            int p = strBelow.Find('\\');
            strKeep = p < 0 ? strBelow : strBelow.Left(p);
            return TRUE;
        }
    }
    int p = strStockBook.ReverseFind('\\');
    strKeep = strStockBook.Right(strStockBook.GetLength() - p - 1);
    return TRUE;
}

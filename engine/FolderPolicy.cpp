/* FolderPolicy.cpp - guards on the folder paths that the uninstall run
 * takes from the registry before it removes them recursively. A path is
 * judged as the system will resolve it, never as text split at
 * backslashes: a path that only resolves to something else is damaged or
 * hostile and is never followed. */
#include "FolderPolicy.h"

#include <mbctype.h>
#include <mbstring.h>
#include <string.h>

#include "PathResolve.h"
#include "SystemFolders.h"

namespace {

const int kRootLength = 3; /* "C:\" */

/* A path from a drive's root ("X:\..." or "X:/..."). */
BOOL IsFullPath(const CString &strPath)
{
    if (strPath.GetLength() < kRootLength)
        return FALSE;
    char d = strPath[0];
    return ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')) && strPath[1] == ':' &&
           (strPath[2] == '\\' || strPath[2] == '/');
}

/* A character that no file or folder name may hold, or a colon past the
 * drive. Trail bytes of double-byte characters are skipped. */
BOOL HasForbiddenCharacter(const CString &strPath)
{
    const unsigned char *pStart = reinterpret_cast<const unsigned char *>(static_cast<LPCSTR>(strPath));
    for (const unsigned char *p = pStart; *p != '\0'; p++) {
        if (_ismbblead(*p) && p[1] != '\0') {
            p++;
            continue;
        }
        if (*p < 0x20 || strchr("\"*<>?|", *p) != NULL || (*p == ':' && p - pStart != 1))
            return TRUE;
    }
    return FALSE;
}

/* strPath resolved, with long names, without a trailing backslash. */
BOOL GetLongForm(const CString &strPath, CString &strLongForm)
{
    CString strResolved, strLong;
    if (!GetResolvedPath(strPath, strResolved) || !GetLongPath(strResolved, strLong))
        return FALSE;
    strLongForm = WithoutTrailingBackslash(strLong);
    return TRUE;
}

/* The form in which folders are compared: the long form, lower-cased. A
 * system folder whose path cannot be resolved is compared as written. */
CString ComparableForm(const CString &strPath)
{
    CString strLongForm;
    if (!GetLongForm(strPath, strLongForm))
        strLongForm = WithoutTrailingBackslash(strPath);
    return Lowered(strLongForm);
}

BOOL IsSystemNamedOrAbove(const CString &strTarget)
{
    CStringArray astrSystem;
    GetSystemNamedFolders(astrSystem);
    for (int i = 0; i < astrSystem.GetSize(); i++) {
        CString strFolder = ComparableForm(astrSystem[i]);
        if (!strFolder.IsEmpty() && (strTarget == strFolder || IsBelow(strFolder, strTarget)))
            return TRUE;
    }
    return FALSE;
}

CString LastComponent(const CString &strPath)
{
    int p = strPath.ReverseFind('\\');
    return strPath.Right(strPath.GetLength() - p - 1);
}

} // namespace

BOOL IsRemovableFolder(const CString &strPath)
{
    if (!IsFullPath(strPath) || HasForbiddenCharacter(strPath))
        return FALSE;
    CString strResolved, strLong;
    if (!GetResolvedPath(strPath, strResolved) || !IsResolvedForm(strPath, strResolved))
        return FALSE;
    if (!GetLongPath(strResolved, strLong))
        return FALSE;
    CString strLongForm = WithoutTrailingBackslash(strLong);
    if (strLongForm.GetLength() <= kRootLength)
        return FALSE; /* a drive root */
    if (LeadsThroughLink(strResolved))
        return FALSE; /* the path reaches a folder elsewhere, whatever it is */
    return !IsSystemNamedOrAbove(Lowered(strLongForm));
}

BOOL GetKeptFolderName(const CString &strStockBook, const CString &strInstallDir, CString &strKeep)
{
    if (!IsFullPath(strStockBook)) {
        /* no place on a drive: only its name is known */
        strKeep = LastComponent(strStockBook);
        return TRUE;
    }
    CString strStock, strInstall;
    if (!GetLongForm(strStockBook, strStock) || !GetLongForm(strInstallDir, strInstall))
        return FALSE;
    CString strStockLower = Lowered(strStock), strInstallLower = Lowered(strInstall);
    if (strStockLower == strInstallLower || IsBelow(strInstallLower, strStockLower))
        return FALSE;
    if (!IsBelow(strStockLower, strInstallLower)) {
        strKeep = LastComponent(strStock);
        return TRUE;
    }
    int nSkip = strInstall.GetLength() + (strInstall.GetLength() > kRootLength ? 1 : 0);
    CString strBelow = strStock.Mid(nSkip);
    int p = strBelow.Find('\\');
    strKeep = p < 0 ? strBelow : strBelow.Left(p);
    return TRUE;
}

BOOL IsFolderGone(const CString &strPath)
{
    return GetFileAttributesA(strPath) == INVALID_FILE_ATTRIBUTES && IsMissing(GetLastError());
}

BOOL IsOnlyKeptFolderLeft(const CString &strPath, const CString &strKeep)
{
    if (IsFolderGone(strPath))
        return TRUE;
    if (strKeep.IsEmpty())
        return FALSE;
    CFileFind finder;
    if (!finder.FindFile(WithoutTrailingBackslash(strPath) + "\\*.*", 0))
        return FALSE;
    CString strKeepLower = Lowered(strKeep);
    BOOL bMore;
    do {
        bMore = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        if (!finder.IsDirectory() || Lowered(finder.GetFileName()) != strKeepLower)
            return FALSE;
    } while (bMore);
    return TRUE;
}

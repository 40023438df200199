/* RemoveFolder.cpp - removes a folder and everything in it, optionally
 * sparing one sub-folder directly inside it. The walk moves the working
 * directory down into each folder and back up, so every name it hands to the
 * file system is a single name relative to the working directory. */
#include <direct.h>
#include <mbstring.h>
#include <stdio.h>

#include "PathResolve.h"
#include "UninstallDlg.h"

namespace {

const int kSavedDirSize = 1024;

BOOL IsName(const CString &strLower, LPCSTR pszName)
{
    return _mbscmp((const unsigned char *)(LPCSTR)strLower, (const unsigned char *)pszName) == 0;
}

BOOL RemoveLink(LPCSTR pszName, BOOL bIsFolder)
{
    if (bIsFolder)
        return RemoveDirectoryA(pszName) ? 1 : 0;
    return remove(pszName) == 0 ? 1 : 0;
}

/* TRUE when the entry strName of the working directory is a link;
 * bFolder then tells whether the link stands for a folder. */
BOOL IsLinkEntry(const CString &strName, BOOL &bFolder)
{
    CFileFind self;
    if (!FindEntry(self, strName))
        return FALSE;
    bFolder = self.IsDirectory();
    return IsLink(self);
}

} // namespace

BOOL CUninstallDlg::RemoveFolder(CString path, LPCTSTR keepName)
{
    if (path.IsEmpty())
        return 0;
    char szSavedDir[kSavedDirSize];
    if (_getcwd(szSavedDir, kSavedDirSize) == NULL)
        return 0;
    int p = path.ReverseFind('\\');
    if (p < 0)
        return 0;
    CString strLeaf = path.Right(path.GetLength() - p - 1);
    CString strParent = path.Left(p) + "\\";
    if (_chdir(strParent) != 0)
        return 0;
    BOOL bFolder = FALSE;
    if (IsLinkEntry(strLeaf, bFolder)) {
        if (!RemoveLink(strLeaf, bFolder))
            return 0; /* the folder to remove is a link: only the link goes */
    } else if (!RemoveTree(strLeaf, keepName)) {
        return 0;
    }
    _chdir(szSavedDir);
    return 1;
}

BOOL CUninstallDlg::RemoveTree(CString folderName, LPCTSTR keepName)
{
    CString strKeep;
    if (keepName != NULL) {
        strKeep = keepName;
        strKeep.MakeLower();
    }
    if (_chdir(folderName) != 0)
        return 0;

    CFileFind finder;
    if (!finder.FindFile("*.*", 0))
        return 0;
    BOOL bMore;
    do {
        bMore = finder.FindNextFile();
        CString strName = finder.GetFileName();
        CString strLower = strName;
        strLower.MakeLower();
        if (IsName(strLower, ".") || IsName(strLower, ".."))
            continue;
        BOOL bIsFolder = finder.IsDirectory();
        if (!strKeep.IsEmpty() && bIsFolder && IsName(strLower, strKeep))
            continue; /* the spared folder survives with everything in it */
        if (IsLink(finder)) {
            if (!RemoveLink(strName, bIsFolder))
                return 0;
        } else if (bIsFolder) {
            if (!RemoveTree(strName, NULL))
                return 0;
        } else if (remove(strName) == -1) {
            return 0;
        }
    } while (bMore);
    finder.Close();

    if (_chdir("..") != 0)
        return 0;
    _rmdir(folderName);
    return 1;
}

/* PathResolve.cpp - full and long forms of folder paths. GetLongPathNameA
 * is looked up at run time: Windows 95 and NT 4.0 do not have it, and a
 * program that imported it would not load there. */
#include "PathResolve.h"

#include "LateBound.h"

namespace {

const DWORD kPathBufferSize = 1024;
const int kRootLength = 3; /* "C:\" */

typedef DWORD(WINAPI *PFNGETLONGPATHNAMEA)(LPCSTR, LPSTR, DWORD);

BOOL HasWildcard(const CString &strText) { return strText.Find('*') >= 0 || strText.Find('?') >= 0; }

/* The name under which its folder lists the last component of strPath;
 * FALSE, with the system's error, when it is not listed. */
BOOL ListedName(const CString &strPath, CString &strName)
{
    CFileFind finder;
    if (!FindEntry(finder, strPath))
        return FALSE;
    strName = finder.GetFileName();
    return !strName.IsEmpty();
}

} // namespace

BOOL IsMissing(DWORD dwError) { return dwError == ERROR_FILE_NOT_FOUND || dwError == ERROR_PATH_NOT_FOUND; }

BOOL FindEntry(CFileFind &finder, const CString &strPath)
{
    if (!finder.FindFile(strPath, 0))
        return FALSE;
    finder.FindNextFile();
    return TRUE;
}

BOOL IsLink(const CFileFind &finder)
{
    if (!finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT))
        return FALSE;
    DWORD dwTag = finder.GetReparseTag();
    return dwTag == 0 || IsReparseTagNameSurrogate(dwTag);
}

BOOL LeadsThroughLink(const CString &strPath)
{
    CString strWay = WithoutTrailingBackslash(strPath);
    CString strFolders = strWay.Left(strWay.ReverseFind('\\')); /* "C:" for a folder at the root */
    int nLength = strFolders.GetLength();
    /* each folder on the way, from the top: C:\a, C:\a\b, ... */
    for (int p = kRootLength; p <= nLength;) {
        int nNext = strFolders.Mid(p).Find('\\');
        int nEnd = nNext < 0 ? nLength : p + nNext;
        CFileFind finder;
        if (!FindEntry(finder, strFolders.Left(nEnd)))
            return FALSE; /* nothing there, so nothing below it either */
        if (IsLink(finder))
            return TRUE;
        p = nEnd + 1;
    }
    return FALSE;
}

CString WithoutTrailingBackslash(const CString &strPath)
{
    int n = strPath.GetLength();
    if (n > kRootLength && strPath.ReverseFind('\\') == n - 1)
        return strPath.Left(n - 1);
    return strPath;
}

CString Lowered(const CString &strText)
{
    CString strLower = strText;
    strLower.MakeLower();
    return strLower;
}

BOOL IsBelow(const CString &strInner, const CString &strOuter)
{
    int n = strOuter.GetLength();
    if (n == 0 || strInner.GetLength() <= n || strInner.Left(n) != strOuter)
        return FALSE;
    return strOuter.ReverseFind('\\') == n - 1 || strInner[n] == '\\';
}

BOOL GetResolvedPath(const CString &strPath, CString &strResolved)
{
    char szFull[kPathBufferSize];
    LPSTR pszFilePart = NULL;
    DWORD n = GetFullPathNameA(strPath, sizeof szFull, szFull, &pszFilePart);
    if (n == 0 || n >= sizeof szFull)
        return FALSE;
    strResolved = CString(szFull, (int)n);
    return TRUE;
}

BOOL IsResolvedForm(const CString &strPath, const CString &strResolved)
{
    return Lowered(WithoutTrailingBackslash(strPath)) == Lowered(WithoutTrailingBackslash(strResolved));
}

BOOL GetLongPathFromListings(const CString &strPath, CString &strLong)
{
    if (strPath.GetLength() < kRootLength || strPath[1] != ':' || strPath[2] != '\\' || HasWildcard(strPath))
        return FALSE;
    CString strResult = strPath.Left(kRootLength);
    CString strRest = strPath.Mid(kRootLength);
    BOOL bTrailing = !strRest.IsEmpty() && strRest.ReverseFind('\\') == strRest.GetLength() - 1;
    if (bTrailing)
        strRest = strRest.Left(strRest.GetLength() - 1);
    BOOL bExists = TRUE;
    while (!strRest.IsEmpty()) {
        int p = strRest.Find('\\');
        CString strPart = p < 0 ? strRest : strRest.Left(p);
        strRest = p < 0 ? CString() : strRest.Mid(p + 1);
        if (strPart.IsEmpty() || strPart == "." || strPart == "..")
            return FALSE;
        if (strResult.GetLength() > kRootLength)
            strResult += '\\';
        CString strListed;
        if (bExists && ListedName(strResult + strPart, strListed)) {
            strResult += strListed;
            continue;
        }
        if (bExists && !IsMissing(GetLastError()))
            return FALSE;
        bExists = FALSE; /* below a missing folder nothing has another name */
        strResult += strPart;
    }
    if (bTrailing)
        strResult += '\\';
    strLong = strResult;
    return TRUE;
}

BOOL GetLongPath(const CString &strPath, CString &strLong)
{
    if (HasWildcard(strPath))
        return FALSE;
    PFNGETLONGPATHNAMEA pfnGetLongPathName = KernelFunction<PFNGETLONGPATHNAMEA>("GetLongPathNameA");
    if (pfnGetLongPathName != NULL) {
        char szLong[kPathBufferSize];
        DWORD n = pfnGetLongPathName(strPath, szLong, sizeof szLong);
        if (n > 0 && n < sizeof szLong) {
            strLong = CString(szLong, (int)n);
            return TRUE;
        }
        /* a path that does not exist to its end: the listings resolve the
         * part that does */
        if (n != 0 || !IsMissing(GetLastError()))
            return FALSE;
    }
    return GetLongPathFromListings(strPath, strLong);
}

/* PathResolve.h - folder paths as the system resolves them before it uses
 * them: the full path that GetFullPathNameA makes of a text, and the long
 * name of each of its components. */
#ifndef LZ_PATHRESOLVE_H
#define LZ_PATHRESOLVE_H

#include "afx.h"

/* The full path that strPath names once the system has resolved it: '/'
 * read as '\', "." and ".." followed, doubled separators joined, trailing
 * dots and spaces cut from the last component and one trailing dot from the
 * others. FALSE when the system cannot resolve it. */
BOOL GetResolvedPath(const CString &strPath, CString &strResolved);

/* TRUE when strPath already reads as strResolved, its resolved form, apart
 * from letter case and one trailing backslash. */
BOOL IsResolvedForm(const CString &strPath, const CString &strResolved);

/* The long form of the full path strPath: every component that exists as
 * its folder lists it (a short 8.3 name becomes the long one), the missing
 * ones as written. Uses GetLongPathNameA where the system has it, the
 * listings otherwise. FALSE when an existing component cannot be looked up,
 * or a component holds a wildcard. */
BOOL GetLongPath(const CString &strPath, CString &strLong);

/* The same, from the listings alone: what systems without GetLongPathNameA
 * (Windows 95, NT 4.0) get. */
BOOL GetLongPathFromListings(const CString &strPath, CString &strLong);

/* TRUE for the errors that say a path names nothing. */
BOOL IsMissing(DWORD dwError);

/* Lists the one entry that strPath (no wildcards) names and makes it the
 * current entry of finder; FALSE, with the system's error, when there is
 * none. */
BOOL FindEntry(CFileFind &finder, const CString &strPath);

/* TRUE when the current entry of finder is a link: a symbolic link, a
 * junction or any other reparse point that stands for another name. Other
 * reparse points (cloud placeholders, deduplicated files) are the user's
 * ordinary files and folders. A reparse point whose tag the system did not
 * report is taken for a link (Wine leaves the tag unwritten). */
BOOL IsLink(const CFileFind &finder);

/* TRUE when a folder on the way to the last component of the full path
 * strPath is a link: the path then reaches somewhere else than it reads. */
BOOL LeadsThroughLink(const CString &strPath);

/* strPath without its one trailing backslash, a drive root ("C:\") aside. */
CString WithoutTrailingBackslash(const CString &strPath);

/* Lower-cased as the system's case mapping does it, double-byte characters
 * as units. */
CString Lowered(const CString &strText);

/* TRUE when strInner lies below strOuter; both lower-cased, without
 * trailing backslashes. */
BOOL IsBelow(const CString &strInner, const CString &strOuter);

#endif

/* afxfind.h - CFileFind: a folder listing over FindFirstFileA/FindNextFileA
 * that holds the current entry and reads one entry ahead. */
#ifndef LZFW_AFXFIND_H
#define LZFW_AFXFIND_H

#include "afxstr.h"

class CFileFind {
public:
    CFileFind();
    virtual ~CFileFind();
    CFileFind(const CFileFind &) = delete;
    CFileFind &operator=(const CFileFind &) = delete;

    /* Opens a listing of pstrName ("*.*" when null) and reads its first
     * entry ahead; no entry is current yet. FALSE when nothing can be listed. */
    virtual BOOL FindFile(LPCSTR pstrName = nullptr, DWORD dwUnused = 0);
    /* Makes the entry read ahead current and reads the following one.
     * Non-zero when a following entry was read; 0 when the new current entry
     * is the last one, or when there is nothing to advance to. */
    virtual BOOL FindNextFile();
    void Close();

    CString GetFileName() const; /* "" when no entry is current */
    CString GetFilePath() const; /* root given to FindFile + name */
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsDots() const;
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    virtual BOOL MatchesMask(DWORD dwMask) const;
    /* The reparse tag of the current entry when it is a reparse point
     * (IO_REPARSE_TAG_...); 0 when it is none, when no entry is current, or
     * when the system did not report the tag. */
    DWORD GetReparseTag() const;

private:
    WIN32_FIND_DATAA *m_pFoundInfo; /* the current entry, or null */
    WIN32_FIND_DATAA *m_pNextInfo;  /* the entry read ahead, or null */
    WIN32_FIND_DATAA *m_pRecords;   /* the listing's two records, or null */
    HANDLE m_hContext;
    CString m_strRoot;
};

#endif

/* filefind.cpp - CFileFind: lists a folder one entry ahead. A listing owns
 * two find records for its whole life; advancing swaps the roles of the two
 * (current and read ahead) instead of copying an entry. */
#include "afxfind.h"

CFileFind::CFileFind() : m_pFoundInfo(nullptr), m_pNextInfo(nullptr), m_pRecords(nullptr), m_hContext(nullptr) {}

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close()
{
    if (m_hContext != nullptr && m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = nullptr;
    delete[] m_pRecords;
    m_pRecords = nullptr;
    m_pFoundInfo = nullptr;
    m_pNextInfo = nullptr;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCSTR pstrName, DWORD dwUnused)
{
    (void)dwUnused;
    Close();
    CString pattern(pstrName ? pstrName : "*.*");
    m_pRecords = new WIN32_FIND_DATAA[2];
    m_pNextInfo = &m_pRecords[0];
    m_pNextInfo->dwReserved0 = 0;
    m_hContext = ::FindFirstFileA(pattern, m_pNextInfo);
    if (m_hContext == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        Close();
        ::SetLastError(error);
        return FALSE;
    }
    /* the folder part of the pattern: up to its last separator, or a bare
     * drive ("C:*.*") */
    int slash = pattern.ReverseFind('\\');
    int other = pattern.ReverseFind('/');
    if (other > slash)
        slash = other;
    if (slash < 0 && pattern.GetAt(1) == ':')
        slash = 1;
    m_strRoot = pattern.Left(slash + 1);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_pNextInfo == nullptr) {
        m_pFoundInfo = nullptr;
        return FALSE;
    }
    WIN32_FIND_DATAA *spare = m_pNextInfo == &m_pRecords[0] ? &m_pRecords[1] : &m_pRecords[0];
    m_pFoundInfo = m_pNextInfo;
    m_pNextInfo = spare;
    /* a system that leaves the reparse tag unwritten reports none */
    m_pNextInfo->dwReserved0 = 0;
    /* a read error ends the listing like its true end */
    if (!::FindNextFileA(m_hContext, m_pNextInfo)) {
        m_pNextInfo = nullptr;
        return FALSE;
    }
    return TRUE;
}

CString CFileFind::GetFileName() const { return m_pFoundInfo ? CString(m_pFoundInfo->cFileName) : CString(); }

CString CFileFind::GetFilePath() const { return m_pFoundInfo ? m_strRoot + m_pFoundInfo->cFileName : CString(); }

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    return m_pFoundInfo && (m_pFoundInfo->dwFileAttributes & dwMask) != 0;
}

DWORD CFileFind::GetReparseTag() const
{
    return MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT) ? m_pFoundInfo->dwReserved0 : 0;
}

BOOL CFileFind::IsDots() const
{
    if (!IsDirectory())
        return FALSE;
    const char *name = m_pFoundInfo->cFileName;
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

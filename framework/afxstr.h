/* afxstr.h - CString and CStringArray: the framework's reference-counted
 * multibyte string and its array. Lengths and indices are in bytes; finding,
 * case mapping and comparison go through the runtime's multibyte functions,
 * so a double-byte character is one unit (after _setmbcp). */
#ifndef LZFW_AFXSTR_H
#define LZFW_AFXSTR_H

#include <windows.h>

class CString {
public:
    CString();
    CString(const CString &other);
    CString(LPCSTR psz);              /* null gives an empty string */
    CString(LPCSTR pch, int nLength); /* nLength bytes, which may hold no NUL */
    CString(char ch, int nRepeat = 1);
    ~CString();

    const CString &operator=(const CString &other);
    const CString &operator=(LPCSTR psz);
    const CString &operator=(char ch);
    const CString &operator+=(const CString &other);
    const CString &operator+=(LPCSTR psz);
    const CString &operator+=(char ch);

    int GetLength() const;
    BOOL IsEmpty() const;
    void Empty();
    char GetAt(int nIndex) const; /* '\0' for an index out of range */
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);
    operator LPCSTR() const;

    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    int Find(char ch) const;
    int Find(LPCSTR pszSub) const;
    int ReverseFind(char ch) const;

    void MakeLower();
    void MakeUpper();

    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;

    /* Loads string resource nID from the program's module; FALSE when it is
     * missing (the string is then empty). */
    BOOL LoadString(UINT nID);

    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);

    friend CString operator+(const CString &a, const CString &b);
    friend CString operator+(const CString &a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString &b);
    friend CString operator+(const CString &a, char b);

private:
    struct Data;
    Data *m_pData;
    static Data *Nil();
    static Data *Allocate(int nLength, int nAllocLength);
    static Data *Share(Data *data);
    static void Release(Data *data);
    static CString Concat(LPCSTR a, int nA, LPCSTR b, int nB);
    void Replace(Data *data);
    void AssignCopy(LPCSTR pch, int nLength);
    void CopyBeforeWrite();
    void ConcatInPlace(LPCSTR pch, int nLength);
    void MapInPlace(unsigned char *(*map)(unsigned char *));
};

bool operator==(const CString &a, const CString &b);
bool operator==(const CString &a, LPCSTR b);
bool operator==(LPCSTR a, const CString &b);
bool operator!=(const CString &a, const CString &b);
bool operator!=(const CString &a, LPCSTR b);
bool operator!=(LPCSTR a, const CString &b);
bool operator<(const CString &a, const CString &b);

class CStringArray {
public:
    CStringArray();
    ~CStringArray();
    CStringArray(const CStringArray &) = delete;
    CStringArray &operator=(const CStringArray &) = delete;

    int GetSize() const { return m_nSize; }
    int GetCount() const { return m_nSize; }
    int GetUpperBound() const { return m_nSize - 1; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    /* GetAt gives an empty string and SetAt does nothing for an index out of
     * range; operator[] needs an index in range. */
    CString GetAt(int nIndex) const;
    const CString &operator[](int nIndex) const;
    CString &operator[](int nIndex);
    void SetAt(int nIndex, LPCSTR newElement);
    int Add(LPCSTR newElement);
    int Add(const CString &newElement);
    void RemoveAt(int nIndex, int nCount = 1); /* nothing unless all in range */
    void RemoveAll();

private:
    CString *m_pData;
    int m_nSize;
    int m_nMaxSize;
    void Grow(int nNewSize);
};

#endif

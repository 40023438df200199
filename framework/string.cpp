/* string.cpp - CString: a reference-counted multibyte string. Copies share
 * one block until one of them changes; finding, case mapping and comparing
 * go through the runtime's multibyte functions so that a double-byte
 * character is handled as one unit. */
#include "afxstr.h"

#include <mbstring.h>
#include <string.h>

#include <atomic>
#include <climits>
#include <new>

/* The block behind a string: its header, then nAllocLength + 1 bytes of
 * text. The shared empty block has a count of -1 and is never written. */
struct CString::Data {
    std::atomic<long> nRefs;
    int nDataLength;
    int nAllocLength;
    char *Text() { return reinterpret_cast<char *>(this + 1); }
};

namespace {

const unsigned char *Bytes(LPCSTR psz) { return reinterpret_cast<const unsigned char *>(psz); }

/* A null string pointer reads as the empty string. */
LPCSTR OrEmpty(LPCSTR psz) { return psz ? psz : ""; }

int Length(LPCSTR psz) { return (int)strlen(OrEmpty(psz)); }

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

/* The position of the byte that a runtime search found, or -1. */
int IndexOf(LPCSTR base, const unsigned char *found)
{
    return found ? (int)(reinterpret_cast<LPCSTR>(found) - base) : -1;
}

} // namespace

CString::Data *CString::Nil()
{
    struct Block {
        Data header;
        char text[1];
    };
    static Block s_nil = {{-1, 0, 0}, {0}};
    return &s_nil.header;
}

CString::Data *CString::Allocate(int nLength, int nAllocLength)
{
    if (nLength < 0 || nAllocLength < nLength || nAllocLength > INT_MAX - (int)sizeof(Data) - 1)
        throw std::bad_alloc();
    Data *data = new (::operator new(sizeof(Data) + nAllocLength + 1)) Data;
    data->nRefs.store(1, std::memory_order_relaxed);
    data->nDataLength = nLength;
    data->nAllocLength = nAllocLength;
    data->Text()[nLength] = '\0';
    return data;
}

CString::Data *CString::Share(Data *data)
{
    if (data->nRefs.load(std::memory_order_relaxed) >= 0)
        data->nRefs.fetch_add(1, std::memory_order_relaxed);
    return data;
}

void CString::Release(Data *data)
{
    if (data->nRefs.load(std::memory_order_relaxed) < 0)
        return;
    if (data->nRefs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        data->~Data();
        ::operator delete(data);
    }
}

void CString::Replace(Data *data)
{
    Data *old = m_pData;
    m_pData = data;
    Release(old);
}

CString::CString() : m_pData(Nil()) {}

CString::CString(const CString &other) : m_pData(Share(other.m_pData)) {}

CString::CString(LPCSTR psz) : m_pData(Nil()) { AssignCopy(psz, Length(psz)); }

CString::CString(LPCSTR pch, int nLength) : m_pData(Nil())
{
    if (pch)
        AssignCopy(pch, nLength);
}

CString::CString(char ch, int nRepeat) : m_pData(Nil())
{
    if (nRepeat > 0) {
        m_pData = Allocate(nRepeat, nRepeat);
        memset(m_pData->Text(), ch, nRepeat);
    }
}

CString::~CString() { Release(m_pData); }

void CString::AssignCopy(LPCSTR pch, int nLength)
{
    if (nLength <= 0) {
        Empty();
        return;
    }
    if (m_pData->nRefs.load(std::memory_order_acquire) == 1 && nLength <= m_pData->nAllocLength) {
        /* the source may lie inside this very buffer */
        memmove(m_pData->Text(), pch, nLength);
        m_pData->nDataLength = nLength;
        m_pData->Text()[nLength] = '\0';
        return;
    }
    Data *data = Allocate(nLength, nLength);
    memcpy(data->Text(), pch, nLength);
    Replace(data);
}

const CString &CString::operator=(const CString &other)
{
    if (m_pData != other.m_pData)
        Replace(Share(other.m_pData));
    return *this;
}

const CString &CString::operator=(LPCSTR psz)
{
    AssignCopy(psz, Length(psz));
    return *this;
}

const CString &CString::operator=(char ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

void CString::CopyBeforeWrite()
{
    if (m_pData->nRefs.load(std::memory_order_acquire) <= 1)
        return;
    int length = m_pData->nDataLength;
    Data *data = Allocate(length, length);
    memcpy(data->Text(), m_pData->Text(), length);
    Replace(data);
}

void CString::ConcatInPlace(LPCSTR pch, int nLength)
{
    if (nLength <= 0)
        return;
    int oldLength = m_pData->nDataLength;
    if (nLength > INT_MAX - oldLength)
        throw std::bad_alloc();
    int newLength = oldLength + nLength;
    if (m_pData->nRefs.load(std::memory_order_acquire) == 1 && newLength <= m_pData->nAllocLength) {
        memmove(m_pData->Text() + oldLength, pch, nLength);
        m_pData->nDataLength = newLength;
        m_pData->Text()[newLength] = '\0';
        return;
    }
    /* grow by half again, so that appending in a loop costs linear time */
    int room = oldLength / 2 < INT_MAX - newLength - (int)sizeof(Data) - 1 ? oldLength / 2 : 0;
    Data *data = Allocate(newLength, newLength + room);
    memcpy(data->Text(), m_pData->Text(), oldLength);
    memcpy(data->Text() + oldLength, pch, nLength);
    Replace(data);
}

const CString &CString::operator+=(const CString &other)
{
    ConcatInPlace(other.m_pData->Text(), other.m_pData->nDataLength);
    return *this;
}

const CString &CString::operator+=(LPCSTR psz)
{
    ConcatInPlace(psz, Length(psz));
    return *this;
}

const CString &CString::operator+=(char ch)
{
    ConcatInPlace(&ch, 1);
    return *this;
}

CString CString::Concat(LPCSTR a, int nA, LPCSTR b, int nB)
{
    if (nB > INT_MAX - nA)
        throw std::bad_alloc();
    CString result;
    if (nA + nB > 0) {
        Data *data = Allocate(nA + nB, nA + nB);
        memcpy(data->Text(), a, nA);
        memcpy(data->Text() + nA, b, nB);
        result.m_pData = data;
    }
    return result;
}

CString operator+(const CString &a, const CString &b) { return CString::Concat(a, a.GetLength(), b, b.GetLength()); }

CString operator+(const CString &a, LPCSTR b) { return CString::Concat(a, a.GetLength(), OrEmpty(b), Length(b)); }

CString operator+(LPCSTR a, const CString &b) { return CString::Concat(OrEmpty(a), Length(a), b, b.GetLength()); }

CString operator+(const CString &a, char b) { return CString::Concat(a, a.GetLength(), &b, 1); }

int CString::GetLength() const { return m_pData->nDataLength; }

BOOL CString::IsEmpty() const { return m_pData->nDataLength == 0; }

void CString::Empty() { Replace(Nil()); }

char CString::GetAt(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_pData->nDataLength ? m_pData->Text()[nIndex] : '\0';
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= m_pData->nDataLength)
        return;
    CopyBeforeWrite();
    m_pData->Text()[nIndex] = ch;
}

CString::operator LPCSTR() const { return m_pData->Text(); }

CString CString::Mid(int nFirst, int nCount) const
{
    int length = m_pData->nDataLength;
    nFirst = Clamp(nFirst, 0, length);
    nCount = Clamp(nCount, 0, length - nFirst);
    if (nCount == length)
        return *this;
    return CString(m_pData->Text() + nFirst, nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, INT_MAX); }

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const { return Mid(m_pData->nDataLength - Clamp(nCount, 0, m_pData->nDataLength)); }

int CString::Find(char ch) const
{
    LPCSTR text = m_pData->Text();
    return IndexOf(text, _mbschr(Bytes(text), (unsigned char)ch));
}

/* Walks the text a character at a time rather than calling _mbsstr: Wine's
 * _mbsstr compares byte by byte and so finds a match that starts on the
 * trail byte of a double-byte character, where Windows' does not. */
int CString::Find(LPCSTR pszSub) const
{
    if (!pszSub)
        return -1;
    size_t subLength = strlen(pszSub);
    LPCSTR text = m_pData->Text();
    for (LPCSTR p = text;; p += _ismbblead((unsigned char)*p) && p[1] ? 2 : 1) {
        if (strncmp(p, pszSub, subLength) == 0)
            return (int)(p - text);
        if (*p == '\0')
            return -1;
    }
}

int CString::ReverseFind(char ch) const
{
    LPCSTR text = m_pData->Text();
    return IndexOf(text, _mbsrchr(Bytes(text), (unsigned char)ch));
}

void CString::MapInPlace(unsigned char *(*map)(unsigned char *))
{
    if (IsEmpty())
        return;
    CopyBeforeWrite();
    map(reinterpret_cast<unsigned char *>(m_pData->Text()));
}

void CString::MakeLower() { MapInPlace(_mbslwr); }

void CString::MakeUpper() { MapInPlace(_mbsupr); }

int CString::Compare(LPCSTR psz) const { return _mbscmp(Bytes(m_pData->Text()), Bytes(OrEmpty(psz))); }

int CString::CompareNoCase(LPCSTR psz) const { return _mbsicmp(Bytes(m_pData->Text()), Bytes(OrEmpty(psz))); }

bool operator==(const CString &a, const CString &b) { return a.Compare(b) == 0; }
bool operator==(const CString &a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString &b) { return b.Compare(a) == 0; }
bool operator!=(const CString &a, const CString &b) { return !(a == b); }
bool operator!=(const CString &a, LPCSTR b) { return !(a == b); }
bool operator!=(LPCSTR a, const CString &b) { return !(a == b); }
bool operator<(const CString &a, const CString &b) { return a.Compare(b) < 0; }

LPSTR CString::GetBuffer(int nMinBufLength)
{
    int length = m_pData->nDataLength;
    if (nMinBufLength < length)
        nMinBufLength = length;
    if (m_pData->nRefs.load(std::memory_order_acquire) != 1 || nMinBufLength > m_pData->nAllocLength) {
        Data *data = Allocate(length, nMinBufLength);
        memcpy(data->Text(), m_pData->Text(), length);
        Replace(data);
    }
    return m_pData->Text();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_pData->nRefs.load(std::memory_order_relaxed) < 0)
        return; /* never handed out by GetBuffer */
    CopyBeforeWrite();
    int room = m_pData->nAllocLength;
    if (nNewLength == -1) {
        const void *end = memchr(m_pData->Text(), '\0', room);
        nNewLength = end ? (int)(static_cast<const char *>(end) - m_pData->Text()) : room;
    }
    nNewLength = Clamp(nNewLength, 0, room);
    m_pData->nDataLength = nNewLength;
    m_pData->Text()[nNewLength] = '\0';
}

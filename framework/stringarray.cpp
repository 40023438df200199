/* stringarray.cpp - CStringArray: a growable array of CString. The storage
 * doubles when it fills, so adding one string at a time costs linear time. */
#include "afxstr.h"

#include <climits>
#include <new>

namespace {

bool InRange(int nIndex, int nSize) { return nIndex >= 0 && nIndex < nSize; }

} // namespace

CStringArray::CStringArray() : m_pData(nullptr), m_nSize(0), m_nMaxSize(0) {}

CStringArray::~CStringArray() { delete[] m_pData; }

void CStringArray::Grow(int nNewSize)
{
    if (nNewSize <= m_nMaxSize)
        return;
    int newMax = m_nMaxSize < 4 ? 4 : (m_nMaxSize > INT_MAX / 2 ? INT_MAX : m_nMaxSize * 2);
    if (newMax < nNewSize)
        newMax = nNewSize;
    CString *data = new CString[newMax];
    /* a copy only shares the text: moving costs one count per string */
    for (int i = 0; i < m_nSize; ++i)
        data[i] = m_pData[i];
    delete[] m_pData;
    m_pData = data;
    m_nMaxSize = newMax;
}

CString CStringArray::GetAt(int nIndex) const { return InRange(nIndex, m_nSize) ? m_pData[nIndex] : CString(); }

const CString &CStringArray::operator[](int nIndex) const { return m_pData[nIndex]; }

CString &CStringArray::operator[](int nIndex) { return m_pData[nIndex]; }

void CStringArray::SetAt(int nIndex, LPCSTR newElement)
{
    if (InRange(nIndex, m_nSize))
        m_pData[nIndex] = newElement;
}

int CStringArray::Add(const CString &newElement)
{
    if (m_nSize == INT_MAX)
        throw std::bad_alloc();
    CString element(newElement); /* it may live in the storage that Grow frees */
    Grow(m_nSize + 1);
    m_pData[m_nSize] = element;
    return m_nSize++;
}

int CStringArray::Add(LPCSTR newElement) { return Add(CString(newElement)); }

void CStringArray::RemoveAt(int nIndex, int nCount)
{
    if (nIndex < 0 || nCount <= 0 || nIndex > m_nSize - nCount)
        return;
    for (int i = nIndex; i + nCount < m_nSize; ++i)
        m_pData[i] = m_pData[i + nCount];
    for (int i = m_nSize - nCount; i < m_nSize; ++i)
        m_pData[i].Empty();
    m_nSize -= nCount;
}

void CStringArray::RemoveAll()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_nSize = 0;
    m_nMaxSize = 0;
}

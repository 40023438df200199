/* strload.cpp - CString::LoadString: a string resource of the program. */
#include "afxwin.h"

BOOL CString::LoadString(UINT nID)
{
    /* LoadStringA truncates to the buffer: grow until the string fits */
    for (int nSize = 256;; nSize *= 2) {
        int nLength = ::LoadStringA(AfxGetResourceHandle(), nID, GetBuffer(nSize - 1), nSize);
        if (nLength < nSize - 1) {
            ReleaseBuffer(nLength);
            return nLength > 0;
        }
    }
}

/* ProductRegKey.h - one registry key below HKEY_LOCAL_MACHINE, named by a
 * path fixed at construction. Every operation opens the key, does its work
 * and closes it again, so the object holds no handle between operations. */
#ifndef LZ_PRODUCTREGKEY_H
#define LZ_PRODUCTREGKEY_H

#include <windows.h>

#include "afx.h"

class CProductRegKey {
public:
    /* SoftWare\VEMO\<product>\<version> */
    CProductRegKey(LPCSTR pszProduct, LPCSTR pszVersion);
    /* SoftWare\<relative path> */
    explicit CProductRegKey(LPCSTR pszRelativePath);
    ~CProductRegKey();

    BOOL Exists();
    BOOL Close();
    BOOL QueryString(LPCSTR pszName, CString &strValue, CString strDefault);
    BOOL SetString(LPCSTR pszName, CString strValue);
    CStringArray *EnumSubKeys();
    BOOL DeleteSubKey(LPCSTR pszName);

    const CString &GetPath() const { return m_strPath; }

private:
    CProductRegKey(const CProductRegKey &);
    CProductRegKey &operator=(const CProductRegKey &);

    HKEY m_hKey;
    REGSAM m_samDesired;
    CString m_strPath;
};

#endif

/* ProductRegKey.cpp - the product's registry keys: existence, one string
 * value, the list of sub-keys, deletion of one sub-key. */
#include "ProductRegKey.h"

namespace {

const DWORD kValueBufferSize = 1024;
const DWORD kNameBufferSize = 256;
/* EnumSubKeys gives up after this many indices in a row that failed with
 * something other than "no more items": the key is being torn down under
 * us, or every remaining name is unreadable. */
const DWORD kMaxFailedRun = 1024;

} // namespace

CProductRegKey::CProductRegKey(LPCSTR pszProduct, LPCSTR pszVersion) : m_hKey(NULL), m_samDesired(KEY_READ)
{
    m_strPath = CString("SoftWare\\VEMO\\") + pszProduct + "\\" + pszVersion;
}

CProductRegKey::CProductRegKey(LPCSTR pszRelativePath) : m_hKey(NULL), m_samDesired(KEY_READ)
{
    m_strPath = CString("SoftWare\\") + pszRelativePath;
}

CProductRegKey::~CProductRegKey() { Close(); }

BOOL CProductRegKey::Close()
{
    if (m_hKey == NULL)
        return 0;
    if (RegCloseKey(m_hKey) != ERROR_SUCCESS)
        return 0; /* keep the handle: the next Close() tries again */
    m_hKey = NULL;
    return 1;
}

BOOL CProductRegKey::Exists()
{
    Close();
    LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_strPath, 0, m_samDesired, &m_hKey);
    if (rc != ERROR_SUCCESS)
        m_hKey = NULL;
    Close();
    return rc == ERROR_SUCCESS ? 1 : 0;
}

BOOL CProductRegKey::DeleteSubKey(LPCSTR pszName)
{
    if (m_hKey != NULL)
        Close();
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_strPath, 0, m_samDesired, &m_hKey) != ERROR_SUCCESS) {
        m_hKey = NULL;
        return 0;
    }
    LONG rc = RegDeleteKeyA(m_hKey, pszName);
    Close();
    return rc == ERROR_SUCCESS ? 1 : 0;
}

CStringArray *CProductRegKey::EnumSubKeys()
{
    if (m_hKey != NULL)
        Close();
    CStringArray *pList = new CStringArray;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, m_strPath, 0, m_samDesired, &m_hKey) != ERROR_SUCCESS) {
        m_hKey = NULL;
        delete pList;
        return NULL;
    }
    DWORD failedRun = 0;
    for (DWORD index = 0;; ++index) {
        char szName[kNameBufferSize];
        DWORD cchName = kNameBufferSize;
        LONG rc = RegEnumKeyExA(m_hKey, index, szName, &cchName, NULL, NULL, NULL, NULL);
        if (rc == ERROR_NO_MORE_ITEMS || rc == ERROR_KEY_DELETED)
            break;
        if (rc == ERROR_SUCCESS) {
            /* only names the registry handed out whole */
            pList->Add(CString(szName, (int)strnlen(szName, kNameBufferSize)));
            failedRun = 0;
        } else if (++failedRun >= kMaxFailedRun) {
            break;
        }
    }
    Close();
    return pList;
}

BOOL CProductRegKey::QueryString(LPCSTR pszName, CString &strValue, CString strDefault)
{
    if (m_hKey != NULL)
        Close(); /* a handle left by a failed close would otherwise be overwritten and leak */
    DWORD dwDisposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_strPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &m_hKey,
                        &dwDisposition) != ERROR_SUCCESS) {
        m_hKey = NULL;
        Close();
        return 0;
    }
    if (dwDisposition == REG_CREATED_NEW_KEY) {
        strValue = strDefault;
        Close();
        SetString(pszName, strDefault);
        return 1;
    }
    char buffer[kValueBufferSize];
    DWORD cbData = kValueBufferSize;
    DWORD dwType = REG_NONE;
    LONG rc = RegQueryValueExA(m_hKey, pszName, NULL, &dwType, (LPBYTE)buffer, &cbData);
    if (rc != ERROR_SUCCESS || dwType != REG_SZ) {
        Close();
        return 0;
    }
    /* the text before the first NUL, never past the bytes the registry gave */
    DWORD cbText = cbData < kValueBufferSize ? cbData : kValueBufferSize;
    strValue = CString(buffer, (int)strnlen(buffer, cbText));
    Close();
    return 1;
}

BOOL CProductRegKey::SetString(LPCSTR pszName, CString strValue)
{
    if (m_hKey != NULL)
        Close();
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_strPath, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &m_hKey,
                        NULL) != ERROR_SUCCESS) {
        m_hKey = NULL;
        Close();
        return 0;
    }
    LONG rc =
        RegSetValueExA(m_hKey, pszName, 0, REG_SZ, (const BYTE *)(LPCSTR)strValue, (DWORD)strValue.GetLength() + 1);
    Close();
    return rc == ERROR_SUCCESS ? 1 : 0;
}

/* registry_values.cpp - RegQueryValueExA, RegSetValueExA and
 * RegDeleteValueA over the machine's hives. Value data is kept
 * exactly as it was given. */
#include <string.h>

#include "registry_calls.h"
#include "registry_format.h"
#include "winerror.h"

using namespace lzport::reg;

namespace {

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

} // namespace

extern "C" {

/* A buffer that is too small is left untouched, as on Windows NT (the
 * documentation's "partly filled" does not happen). */
LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                             LPDWORD lpcbData)
{
    if ((lpData && !lpcbData) || lpReserved)
        return ERROR_INVALID_PARAMETER;
    DWORD room = lpcbData ? *lpcbData : 0;
    if (!lpData && lpcbData)
        *lpcbData = 0;
    if (lpType)
        *lpType = REG_NONE;
    Session session(hKey, Session::kRead);
    KeyPtr key;
    LONG rc = KeyFromHandle(hKey, session, KEY_QUERY_VALUE, key);
    if (rc != ERROR_SUCCESS)
        return rc;
    const Value *value = FindValue(*key, lpValueName ? lpValueName : "");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    DWORD length = (DWORD)value->data.size();
    if (lpData && (length || !IsStringType(value->type))) {
        if (length > room) {
            rc = ERROR_MORE_DATA;
        } else {
            memcpy(lpData, value->data.data(), length);
            /* a string stored without its NUL gets one when there is room */
            if (IsStringType(value->type) && length < room && lpData[length - 1])
                lpData[length] = 0;
        }
    }
    if (lpType)
        *lpType = value->type;
    if (lpcbData)
        *lpcbData = length;
    return rc;
}

/* Reserved is not checked, as on Windows. A value name must be text that
 * the registry file can hold (no control characters). */
LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE *lpData,
                           DWORD cbData)
{
    (void)Reserved;
    if (!lpData && cbData)
        return ERROR_NOACCESS;
    if (IsWin9x()) {
        /* Windows 95 and 98 measure REG_SZ data themselves */
        if (dwType == REG_SZ) {
            if (!lpData)
                return ERROR_INVALID_PARAMETER;
            cbData = (DWORD)strlen((const char *)lpData) + 1;
        }
    } else if (cbData && IsStringType(dwType) && lpData[cbData - 1] && !lpData[cbData]) {
        ++cbData; /* NT counts the NUL that the caller forgot */
    }
    Session session(hKey, Session::kWrite);
    KeyPtr key;
    LONG rc = KeyFromHandle(hKey, session, KEY_SET_VALUE, key);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::string name = lpValueName ? lpValueName : "";
    if (CharCount(name) > kMaxValueNameChars || !IsPlainText(name))
        return ERROR_INVALID_PARAMETER;
    SetValue(*key, name, dwType, std::string((const char *)lpData, lpData ? cbData : 0));
    return session.Commit();
}

LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    Session session(hKey, Session::kWrite);
    KeyPtr key;
    LONG rc = KeyFromHandle(hKey, session, KEY_SET_VALUE, key);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (!RemoveValue(*key, lpValueName ? lpValueName : ""))
        return ERROR_FILE_NOT_FOUND;
    return session.Commit();
}

} /* extern "C" */

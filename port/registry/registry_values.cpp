/* registry_values.cpp - RegQueryValueExA, RegSetValueExA and
 * RegDeleteValueA over the machine's hives. A value keeps the bytes it was
 * given and gives back exactly those. */
#include <string.h>

#include "cp932.h"
#include "registry_calls.h"
#include "registry_format.h"
#include "winerror.h"

using namespace lzport::reg;

namespace {

/* The bytes a value keeps. Windows 95 and 98 take the length of REG_SZ data
 * from the text itself, whatever count the caller gave. */
std::string DataToStore(DWORD type, const BYTE *data, DWORD count)
{
    const char *bytes = reinterpret_cast<const char *>(data);
    if (bytes == nullptr)
        return std::string();
    if (type == REG_SZ && IsWin9x())
        return std::string(bytes, strlen(bytes) + 1);
    return std::string(bytes, count);
}

} // namespace

extern "C" {

/* A buffer too small for the data is left as it was: the call gives the
 * size needed and ERROR_MORE_DATA. A string stored without its NUL comes
 * back without one. */
LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                             LPDWORD lpcbData)
{
    LONG rc = FirstFailedCheck({
        {lpReserved != nullptr, ERROR_INVALID_PARAMETER},
        {lpData != nullptr && lpcbData == nullptr, ERROR_INVALID_PARAMETER},
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    DWORD room = lpData != nullptr ? *lpcbData : 0;
    /* what a call that finds no value leaves behind: no type, and a size
     * of 0 when the size alone was asked for */
    if (lpType != nullptr)
        *lpType = REG_NONE;
    if (lpcbData != nullptr && lpData == nullptr)
        *lpcbData = 0;

    Session session(hKey, Session::kRead);
    KeyPtr key;
    if ((rc = KeyFromHandle(hKey, session, KEY_QUERY_VALUE, key)) != ERROR_SUCCESS)
        return rc;
    const Value *value = FindValue(*key, lpValueName ? lpValueName : "");
    if (value == nullptr)
        return ERROR_FILE_NOT_FOUND;
    DWORD size = (DWORD)value->data.size();
    bool fits = size <= room;
    if (lpData != nullptr && fits)
        memcpy(lpData, value->data.data(), size);
    if (lpType != nullptr)
        *lpType = value->type;
    if (lpcbData != nullptr)
        *lpcbData = size;
    return lpData != nullptr && !fits ? ERROR_MORE_DATA : ERROR_SUCCESS;
}

/* Reserved is not looked at. A value name must also be text that the
 * hive's file can hold (no control characters). */
LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE *lpData,
                           DWORD cbData)
{
    (void)Reserved;
    std::string_view name = lpValueName ? lpValueName : "";
    LONG rc = FirstFailedCheck({
        {lzport::Cp932CharCount(name) > kMaxValueNameChars || !IsPlainText(name), ERROR_INVALID_PARAMETER},
        {lpData == nullptr && cbData != 0, ERROR_NOACCESS},
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    Session session(hKey, Session::kWrite);
    KeyPtr key;
    if ((rc = KeyFromHandle(hKey, session, KEY_SET_VALUE, key)) != ERROR_SUCCESS)
        return rc;
    SetValue(*key, name, dwType, DataToStore(dwType, lpData, cbData));
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

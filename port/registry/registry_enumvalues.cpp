/* registry_enumvalues.cpp - RegEnumValueA: a key's values one index at a
 * time, in the order they were created. */
#include <string.h>

#include "registry_calls.h"
#include "winerror.h"

using namespace lzport::reg;

extern "C" LONG WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                                     LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    if (lpValueName == nullptr || lpcchValueName == nullptr || lpReserved != nullptr ||
        (lpData != nullptr && lpcbData == nullptr))
        return ERROR_INVALID_PARAMETER;
    Session session(hKey, Session::kRead);
    KeyPtr key;
    LONG rc = KeyFromHandle(hKey, session, KEY_QUERY_VALUE, key);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (dwIndex >= key->values.size())
        return ERROR_NO_MORE_ITEMS;
    const Value &value = key->values[dwIndex];
    DWORD dataSize = (DWORD)value.data.size();
    bool nameFits = value.name.size() < *lpcchValueName;
    bool dataFits = lpData == nullptr || dataSize <= *lpcbData;
    if (lpType != nullptr)
        *lpType = value.type;
    if (!dataFits) {
        *lpcbData = dataSize; /* the size it needs; the name is not written */
        return ERROR_MORE_DATA;
    }
    if (lpData != nullptr)
        memcpy(lpData, value.data.data(), dataSize);
    if (lpcbData != nullptr)
        *lpcbData = dataSize;
    if (!nameFits)
        return ERROR_MORE_DATA;
    memcpy(lpValueName, value.name.c_str(), value.name.size() + 1);
    *lpcchValueName = (DWORD)value.name.size();
    return ERROR_SUCCESS;
}

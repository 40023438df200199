/* registry_keys.cpp - RegOpenKeyExA, RegCreateKeyExA, RegEnumKeyExA,
 * RegDeleteKeyA and RegCloseKey over the machine's hives. */
#include <string.h>

#include "cp932.h"
#include "registry_calls.h"
#include "registry_faults.h"
#include "registry_format.h"
#include "registry_handles.h"
#include "winerror.h"

using namespace lzport::reg;

namespace {

/* The ANSI calls convert a sub-key path into the thread's static Unicode
 * buffer of MAX_PATH + 1 characters, so a path of more than 260 characters
 * fails with ERROR_MORE_DATA before any key is looked at (as on Wine). */
LONG SplitAnsiKeyPath(LPCSTR path, std::vector<std::string> &names)
{
    size_t characters = 0;
    for (const unsigned char *p = (const unsigned char *)path; *p; p += lzport::Cp932CharLen(p))
        characters++;
    if (characters > MAX_PATH)
        return ERROR_MORE_DATA;
    return SplitKeyPath(path, names);
}

/* The key that lpSubKey names below hKey's key, if it exists, with `sam`
 * granted on it. */
LONG FindExistingKey(HKEY hKey, LPCSTR lpSubKey, const Session &session, REGSAM sam, KeyPtr &key, REGSAM &granted)
{
    KeyPtr base;
    std::vector<std::string> names;
    LONG rc = KeyFromHandle(hKey, session, 0, base);
    if (rc == ERROR_SUCCESS)
        rc = SplitAnsiKeyPath(lpSubKey, names);
    if (rc != ERROR_SUCCESS)
        return rc;
    key = Walk(base, names);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    return GrantAccess(session.TheHive(), PathNames(*key), sam, granted);
}

} // namespace

extern "C" {

LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    (void)ulOptions; /* REG_OPTION_OPEN_LINK concerns links, which this registry has none of */
    if (phkResult && (!lpSubKey || !*lpSubKey) && IsPredefined(hKey)) {
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    Session session(hKey, Session::kRead);
    KeyPtr key;
    REGSAM granted;
    LONG rc = FindExistingKey(hKey, lpSubKey ? lpSubKey : "", session, samDesired, key, granted);
    if (rc != ERROR_SUCCESS)
        return rc;
    *phkResult = AddHandle(session.TheHive(), key, granted);
    return ERROR_SUCCESS;
}

/* The class, the options (a volatile key is kept like any other) and the
 * security attributes are not recorded. */
LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                            REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                            LPDWORD lpdwDisposition)
{
    (void)lpClass;
    (void)dwOptions;
    (void)lpSecurityAttributes;
    if (!phkResult)
        return ERROR_BADKEY;
    if (Reserved)
        return ERROR_INVALID_PARAMETER;
    if (IsWin9x() && lpSubKey && *lpSubKey == '\\')
        ++lpSubKey; /* Windows 95 and 98 overlook one leading backslash */
    *phkResult = nullptr;
    Session session(hKey, Session::kWrite);
    KeyPtr key;
    std::vector<std::string> names;
    LONG rc = KeyFromHandle(hKey, session, 0, key);
    if (rc == ERROR_SUCCESS)
        rc = SplitAnsiKeyPath(lpSubKey ? lpSubKey : "", names);
    if (rc != ERROR_SUCCESS)
        return rc;
    size_t existing = 0;
    for (KeyPtr sub; existing < names.size() && (sub = FindSubkey(*key, names[existing])); ++existing)
        key = sub;
    std::vector<std::string> path = PathNames(*key);
    path.insert(path.end(), names.begin() + existing, names.end());
    REGSAM granted;
    if ((rc = GrantAccess(session.TheHive(), path, samDesired, granted)) != ERROR_SUCCESS)
        return rc;
    for (size_t i = existing; i < names.size(); ++i) {
        if (!IsPlainText(names[i]))
            return ERROR_INVALID_PARAMETER; /* the registry file could not hold the name */
    }
    /* An empty sub-key name opens the key itself; Windows reports that as
     * opened, although Wine 8 reports it as created. */
    DWORD disposition = existing == names.size() ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    if (disposition == REG_CREATED_NEW_KEY) {
        FILETIME now = CurrentFileTime();
        for (size_t i = existing; i < names.size(); ++i)
            key = AddSubkey(key, names[i], now);
        if ((rc = session.Commit()) != ERROR_SUCCESS)
            return rc;
    }
    *phkResult = AddHandle(session.TheHive(), key, granted);
    if (lpdwDisposition)
        *lpdwDisposition = disposition;
    return ERROR_SUCCESS;
}

/* lpName and lpcchName must be given (Wine faults without them). Keys have
 * no class: a class buffer receives "" and its length 0. */
LONG WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass,
                          LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    if (lpReserved || !lpName || !lpcchName)
        return ERROR_INVALID_PARAMETER;
    Session session(hKey, Session::kRead);
    KeyPtr key;
    LONG rc = KeyFromHandle(hKey, session, KEY_ENUMERATE_SUB_KEYS, key);
    if (rc != ERROR_SUCCESS || EnumFault(dwIndex, rc))
        return rc;
    if (dwIndex >= key->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    const Key &sub = *key->subkeys[dwIndex];
    if (lpftLastWriteTime)
        *lpftLastWriteTime = sub.lastWrite;
    DWORD length = (DWORD)sub.name.size();
    if (length >= *lpcchName || (lpClass && lpcchClass && *lpcchClass == 0))
        return ERROR_MORE_DATA; /* the buffers and lengths are left alone */
    memcpy(lpName, sub.name.c_str(), length + 1);
    *lpcchName = length;
    if (lpcchClass) {
        *lpcchClass = 0;
        if (lpClass)
            *lpClass = '\0';
    }
    return ERROR_SUCCESS;
}

/* On the NT family only a key without sub-keys can be deleted; Windows 95
 * and 98 delete the key with everything below it. An empty name deletes
 * the key that hKey refers to. */
LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    Session session(hKey, Session::kWrite);
    KeyPtr key;
    REGSAM granted;
    LONG rc = FindExistingKey(hKey, lpSubKey, session, DELETE, key, granted);
    if (rc != ERROR_SUCCESS)
        return rc;
    KeyPtr parent = key->parent.lock();
    if (!parent || (!IsWin9x() && !key->subkeys.empty()))
        return ERROR_ACCESS_DENIED; /* HKEY_LOCAL_MACHINE itself, or a key with sub-keys */
    DetachSubkey(*parent, key.get());
    if ((rc = session.Commit()) != ERROR_SUCCESS)
        return rc;
    MarkDeleted(*key);
    return ERROR_SUCCESS;
}

LONG WINAPI RegCloseKey(HKEY hKey)
{
    std::lock_guard<std::recursive_mutex> lock(RegistryMutex());
    if (TakeCloseFault())
        return ERROR_INVALID_HANDLE;
    if (IsPredefined(hKey))
        return ERROR_SUCCESS;
    return RemoveHandle(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

} /* extern "C" */

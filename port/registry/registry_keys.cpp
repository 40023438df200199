/* registry_keys.cpp - RegOpenKeyExA, RegCreateKeyExA, RegEnumKeyExA,
 * RegDeleteKeyA and RegCloseKey over the machine's hives.
 *
 * Each function first runs its list of argument checks, which fail without
 * writing anything. A function with a result handle then sets it to null,
 * finds the key that its handle refers to, and only then reads the names
 * of its sub-key path. */
#include <string.h>

#include <algorithm>

#include "cp932.h"
#include "registry_calls.h"
#include "registry_faults.h"
#include "registry_format.h"
#include "registry_handles.h"
#include "winerror.h"

using namespace lzport::reg;

namespace {

/* The "A" functions take sub-key paths of up to MAX_PATH characters, a
 * double-byte character counting once, and refuse longer ones with
 * ERROR_MORE_DATA before they look at the handle. */
bool LongerThanMaxPath(LPCSTR path) { return path != nullptr && lzport::Cp932CharCount(path) > MAX_PATH; }

bool IsEmptyPath(LPCSTR path) { return path == nullptr || *path == '\0'; }

/* The key a call starts from and the names of its sub-key path. */
struct Start {
    KeyPtr key;
    std::vector<std::string> names;
};

LONG FindStart(HKEY hKey, LPCSTR lpSubKey, const Session &session, Start &start)
{
    LONG rc = KeyFromHandle(hKey, session, 0, start.key);
    if (rc != ERROR_SUCCESS)
        return rc;
    return SplitKeyPath(lpSubKey ? lpSubKey : "", start.names);
}

/* Follows the start's names as far as keys exist; gives the last key
 * reached and how many names led to it. */
size_t Descend(const Start &start, KeyPtr &reached)
{
    reached = start.key;
    size_t depth = 0;
    for (; depth < start.names.size(); ++depth) {
        KeyPtr next = FindSubkey(*reached, start.names[depth]);
        if (!next)
            break;
        reached = next;
    }
    return depth;
}

/* The key that the start's names lead to, if they all exist. */
KeyPtr Existing(const Start &start)
{
    KeyPtr reached;
    return Descend(start, reached) == start.names.size() ? reached : nullptr;
}

/* The existing key that lpSubKey names below hKey, and the rights that
 * `sam` is granted on it. */
LONG FindExisting(HKEY hKey, LPCSTR lpSubKey, const Session &session, REGSAM sam, KeyPtr &key, REGSAM &granted)
{
    Start start;
    LONG rc = FindStart(hKey, lpSubKey, session, start);
    if (rc != ERROR_SUCCESS)
        return rc;
    key = Existing(start);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    return GrantAccess(session.TheHive(), PathNames(*key), sam, granted);
}

} // namespace

extern "C" {

/* ulOptions only matters for symbolic links, which these hives lack. */
LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult)
{
    (void)ulOptions;
    LONG rc = FirstFailedCheck({
        {phkResult == nullptr, ERROR_INVALID_PARAMETER},
        {LongerThanMaxPath(lpSubKey), ERROR_MORE_DATA},
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    if (IsPredefined(hKey) && IsEmptyPath(lpSubKey)) {
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    *phkResult = nullptr;
    Session session(hKey, Session::kRead);
    KeyPtr key;
    REGSAM granted;
    if ((rc = FindExisting(hKey, lpSubKey, session, samDesired, key, granted)) != ERROR_SUCCESS)
        return rc;
    *phkResult = AddHandle(session.TheHive(), key, granted);
    return ERROR_SUCCESS;
}

/* Keys keep no class, options (a volatile key lasts like any other) or
 * security. */
LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                            REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                            LPDWORD lpdwDisposition)
{
    (void)lpClass;
    (void)dwOptions;
    (void)lpSecurityAttributes;
    if (IsWin9x() && lpSubKey != nullptr && lpSubKey[0] == '\\')
        ++lpSubKey; /* Windows 95 and 98 take a path below the key with one leading backslash */
    LONG rc = FirstFailedCheck({
        {phkResult == nullptr, ERROR_INVALID_PARAMETER},
        {Reserved != 0, ERROR_INVALID_PARAMETER},
        {LongerThanMaxPath(lpSubKey), ERROR_MORE_DATA},
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    *phkResult = nullptr;
    Session session(hKey, Session::kWrite);
    Start start;
    if ((rc = FindStart(hKey, lpSubKey, session, start)) != ERROR_SUCCESS)
        return rc;
    if (!std::all_of(start.names.begin(), start.names.end(), [](const std::string &n) { return IsPlainText(n); }))
        return ERROR_INVALID_PARAMETER; /* the hive's file could not hold the name */

    /* rights are judged on the whole path, before anything is made */
    std::vector<std::string> path = PathNames(*start.key);
    path.insert(path.end(), start.names.begin(), start.names.end());
    REGSAM granted;
    if ((rc = GrantAccess(session.TheHive(), path, samDesired, granted)) != ERROR_SUCCESS)
        return rc;
    KeyPtr key;
    size_t existing = Descend(start, key);
    bool creates = existing < start.names.size();
    if (creates) {
        FILETIME now = CurrentFileTime();
        for (size_t i = existing; i < start.names.size(); ++i)
            key = AddSubkey(key, start.names[i], now);
        if ((rc = session.Commit()) != ERROR_SUCCESS)
            return rc;
    }
    *phkResult = AddHandle(session.TheHive(), key, granted);
    if (lpdwDisposition != nullptr)
        *lpdwDisposition = creates ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

/* Keys keep no class, and no caller asks for one: the class arguments
 * must be null. */
LONG WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved, LPSTR lpClass,
                          LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    LONG rc = FirstFailedCheck({
        {lpReserved != nullptr, ERROR_INVALID_PARAMETER},
        {lpName == nullptr || lpcchName == nullptr, ERROR_INVALID_PARAMETER},
        {lpClass != nullptr || lpcchClass != nullptr, ERROR_INVALID_PARAMETER},
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    Session session(hKey, Session::kRead);
    KeyPtr key;
    if ((rc = KeyFromHandle(hKey, session, KEY_ENUMERATE_SUB_KEYS, key)) != ERROR_SUCCESS)
        return rc;
    if (EnumFault(dwIndex, rc))
        return rc;
    if (dwIndex >= key->subkeys.size())
        return ERROR_NO_MORE_ITEMS;
    const Key &sub = *key->subkeys[dwIndex];
    /* the time comes even with a name that does not fit; such a name and
     * the buffer's size stay as they were */
    if (lpftLastWriteTime != nullptr)
        *lpftLastWriteTime = sub.lastWrite;
    if (sub.name.size() + 1 > *lpcchName)
        return ERROR_MORE_DATA;
    memcpy(lpName, sub.name.c_str(), sub.name.size() + 1);
    *lpcchName = (DWORD)sub.name.size();
    return ERROR_SUCCESS;
}

/* An empty path deletes the key that hKey refers to. On the NT family a key
 * with sub-keys stays; Windows 95 and 98 delete it with all below it. */
LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    LONG rc = FirstFailedCheck({
        {lpSubKey == nullptr, ERROR_INVALID_PARAMETER},
        {LongerThanMaxPath(lpSubKey), ERROR_MORE_DATA},
    });
    if (rc != ERROR_SUCCESS)
        return rc;
    Session session(hKey, Session::kWrite);
    KeyPtr key;
    REGSAM granted;
    if ((rc = FindExisting(hKey, lpSubKey, session, DELETE, key, granted)) != ERROR_SUCCESS)
        return rc;
    KeyPtr parent = key->parent.lock();
    bool isRoot = !parent;
    if (isRoot || (!IsWin9x() && !key->subkeys.empty()))
        return ERROR_ACCESS_DENIED;
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

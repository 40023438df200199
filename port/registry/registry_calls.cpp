/* registry_calls.cpp - handle kinds, access rights and platform family. */
#include "registry_calls.h"

#include "machine.h"
#include "registry_faults.h"
#include "registry_handles.h"
#include "winbase.h"
#include "winerror.h"

namespace lzport::reg {

namespace {

constexpr REGSAM kGenericRead = 0x80000000u;
constexpr REGSAM kGenericWrite = 0x40000000u;
constexpr REGSAM kGenericExecute = 0x20000000u;
constexpr REGSAM kGenericAll = 0x10000000u;
constexpr REGSAM kMaximumAllowed = 0x02000000u;
constexpr REGSAM kWriteDac = 0x00040000u;
constexpr REGSAM kWriteOwner = 0x00080000u;
constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | kWriteDac | kWriteOwner;

REGSAM MapGeneric(REGSAM sam)
{
    REGSAM mapped = sam & ~(kGenericRead | kGenericWrite | kGenericExecute | kGenericAll | kMaximumAllowed |
                            KEY_WOW64_32KEY | KEY_WOW64_64KEY);
    if (sam & (kGenericRead | kGenericExecute))
        mapped |= KEY_READ;
    if (sam & kGenericWrite)
        mapped |= KEY_WRITE;
    if (sam & kGenericAll)
        mapped |= KEY_ALL_ACCESS;
    return mapped;
}

} // namespace

LONG FirstFailedCheck(std::initializer_list<ArgumentCheck> checks)
{
    for (const ArgumentCheck &check : checks) {
        if (check.failed)
            return check.error;
    }
    return ERROR_SUCCESS;
}

bool IsWin9x() { return CurrentSettings().platformId == VER_PLATFORM_WIN32_WINDOWS; }

LONG KeyFromHandle(HKEY hkey, const Session &session, REGSAM needed, KeyPtr &key)
{
    if (session.Status() != ERROR_SUCCESS)
        return session.Status();
    const OpenKey *open = IsPredefined(hkey) ? nullptr : FindHandle(hkey);
    key = open ? open->key : session.Root();
    REGSAM granted = open ? open->access : (REGSAM)KEY_ALL_ACCESS;
    if ((granted & needed) != needed)
        return ERROR_ACCESS_DENIED;
    return key->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

LONG GrantAccess(const Hive &hive, const std::vector<std::string> &path, REGSAM sam, REGSAM &granted)
{
    REGSAM wanted = MapGeneric(sam);
    bool denied = WriteDenied(hive, path);
    if (denied && (wanted & kWriteRights))
        return ERROR_ACCESS_DENIED;
    if (sam & kMaximumAllowed)
        wanted |= denied ? KEY_READ : KEY_ALL_ACCESS;
    /* Windows 95 and 98 keep no security on keys: any handle may do anything */
    granted = IsWin9x() ? (REGSAM)KEY_ALL_ACCESS : wanted;
    return ERROR_SUCCESS;
}

} // namespace lzport::reg

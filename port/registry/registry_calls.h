/* registry_calls.h - what the registry functions share: the key a handle
 * refers to, access rights, and the platform family's differences.
 *
 * Only HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER have a hive. The other
 * predefined keys exist as handles (they can be closed, and opened again
 * with an empty sub-key name), but every other operation on them answers
 * ERROR_FILE_NOT_FOUND. */
#ifndef LZPORT_REGISTRY_CALLS_H
#define LZPORT_REGISTRY_CALLS_H

#include <initializer_list>
#include <string>
#include <vector>

#include "registry_store.h"
#include "winreg.h"

namespace lzport::reg {

/* One argument check of a registry function: when `failed`, the call
 * answers `error` and writes nothing. */
struct ArgumentCheck {
    bool failed;
    LONG error;
};

/* The error of the first check that failed, ERROR_SUCCESS when none did.
 * A function lists its checks in the order that it makes them. */
LONG FirstFailedCheck(std::initializer_list<ArgumentCheck> checks);

/* Windows 95 and 98, where keys carry no security and RegDeleteKeyA removes
 * whole sub-trees. */
bool IsWin9x();

/* The key that `hkey` stands for in the session's tree, checked in the
 * order Windows checks: the handle (the session's status), the rights it
 * was opened with (`needed`) and whether its key still exists. */
LONG KeyFromHandle(HKEY hkey, const Session &session, REGSAM needed, KeyPtr &key);

/* The rights a new handle gets when `sam` is asked for on the key of
 * `hive` at `path`, or ERROR_ACCESS_DENIED. */
LONG GrantAccess(const Hive &hive, const std::vector<std::string> &path, REGSAM sam, REGSAM &granted);

} // namespace lzport::reg

#endif

/* registry_faults.h - failures that tests inject into the registry
 * (LzPortRegDenyWrite and friends in lzport.h), as the registry calls see
 * them. Call with RegistryMutex held. */
#ifndef LZPORT_REGISTRY_FAULTS_H
#define LZPORT_REGISTRY_FAULTS_H

#include <string>
#include <vector>

#include "windef.h"

namespace lzport::reg {

class Hive;

/* True when write access to the key of `hive` at `path` (names below the
 * root) is refused. Only keys of HKEY_LOCAL_MACHINE are ever refused. */
bool WriteDenied(const Hive &hive, const std::vector<std::string> &path);
/* True, once, when the next RegCloseKey is to fail. */
bool TakeCloseFault();
/* True when RegEnumKeyExA is to answer `error` at `index`. */
bool EnumFault(DWORD index, LONG &error);
void ResetFaults();

} // namespace lzport::reg

#endif

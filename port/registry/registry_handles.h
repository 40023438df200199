/* registry_handles.h - the table of open registry key handles. A handle
 * refers to its key, not to a path: once the key is deleted, the handle
 * stays valid but every operation on it answers ERROR_KEY_DELETED. */
#ifndef LZPORT_REGISTRY_HANDLES_H
#define LZPORT_REGISTRY_HANDLES_H

#include "registry_tree.h"
#include "winreg.h"

namespace lzport::reg {

struct OpenKey {
    KeyPtr key;
    REGSAM access = 0; /* the rights granted when it was opened */
};

HKEY AddHandle(const KeyPtr &key, REGSAM access);
OpenKey *FindHandle(HKEY hkey);
bool RemoveHandle(HKEY hkey);

/* After the tree was read again from the file: points each handle at the
 * key of the same path in `root`; a handle whose key is gone from the file
 * now refers to a deleted key. (Windows would also call a key deleted that
 * another process deleted and created again; such a handle follows the new
 * key here.) Must run while the old tree still exists. */
void RemapHandles(const KeyPtr &root);
void ResetHandles();

} // namespace lzport::reg

#endif

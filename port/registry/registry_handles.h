/* registry_handles.h - the table of open registry key handles. A handle
 * refers to its key, not to a path: once the key is deleted, the handle
 * stays valid but every operation on it answers ERROR_KEY_DELETED. */
#ifndef LZPORT_REGISTRY_HANDLES_H
#define LZPORT_REGISTRY_HANDLES_H

#include "registry_tree.h"
#include "winreg.h"

namespace lzport::reg {

class Hive;

struct OpenKey {
    Hive *hive = nullptr; /* the hive the key lies in */
    KeyPtr key;
    REGSAM access = 0; /* the rights granted when it was opened */
};

/* True for the predefined keys (HKEY_CLASSES_ROOT to HKEY_DYN_DATA), which
 * need no opening and are never closed. */
bool IsPredefined(HKEY hkey);

HKEY AddHandle(Hive &hive, const KeyPtr &key, REGSAM access);
OpenKey *FindHandle(HKEY hkey);
bool RemoveHandle(HKEY hkey);

/* After the tree of `hive` was read again from its file: points each of
 * its handles at the key of the same path in `root`; a handle whose key is gone from the file
 * now refers to a deleted key. (Windows would also call a key deleted that
 * another process deleted and created again; such a handle follows the new
 * key here.) Must run while the old tree still exists. */
void RemapHandles(const Hive &hive, const KeyPtr &root);
void ResetHandles();

} // namespace lzport::reg

#endif

/* res_image.h - the program module's resources: the compiled resource
 * script embedded in the program (when it links lzresources), read once
 * into a table in the order of a Windows image, and looked up the way the
 * system's loader does it. */
#ifndef LZPORT_RES_IMAGE_H
#define LZPORT_RES_IMAGE_H

#include <string>
#include <vector>

#include "windows.h"

namespace lzport {

/* A resource type or name: an ordinal, or a UTF-16 name. */
struct ResKey {
    bool named = false;
    WORD id = 0;
    std::u16string name;

    static ResKey Ordinal(WORD id)
    {
        ResKey key;
        key.id = id;
        return key;
    }
    bool operator==(const ResKey &other) const
    {
        return named == other.named && (named ? name == other.name : id == other.id);
    }
};

/* One resource in one language. An HRSRC is the address of one of these. */
struct ResEntry {
    ResKey type;
    ResKey name;
    WORD language = 0;
    const BYTE *data = nullptr;
    DWORD size = 0;
};

/* The program's module handle: hInstance of WinMain and GetModuleHandleA(NULL). */
HMODULE ProgramModule();

/* The resources of a module (null: the program), sorted as in an image:
 * types, then names within a type, then languages, each with the named
 * ones first in code unit order and the ordinals after them in numeric
 * order. Null when the module has no resources: it is not the program,
 * or the program carries none. */
const std::vector<ResEntry> *ModuleResources(HMODULE module);

/* Reads a type or name as the "A" functions take it: an ordinal made with
 * MAKEINTRESOURCE, "#" followed by a decimal ordinal, or a name, which is
 * compared in upper case. Returns 0, or ERROR_INVALID_PARAMETER for a "#"
 * ordinal outside 0 to 65535. */
DWORD ResKeyFromArgument(LPCSTR argument, ResKey &key);

/* Finds a resource as FindResourceEx does, with its language fallback, and
 * returns 0 or the error: ERROR_RESOURCE_DATA_NOT_FOUND (no resources),
 * _TYPE_NOT_FOUND, _NAME_NOT_FOUND, or _LANG_NOT_FOUND (a language that was
 * asked for explicitly). */
DWORD FindResourceEntry(HMODULE module, const ResKey &type, const ResKey &name, WORD language, const ResEntry **entry);

/* The same for arguments as the "A" functions take them. */
DWORD FindResourceEntryA(HMODULE module, LPCSTR type, LPCSTR name, WORD language, const ResEntry **entry);

/* The entry a handle of FindResource refers to, or null when it is none of
 * the program's. */
const ResEntry *EntryFromHandle(HRSRC handle);

} // namespace lzport

#endif

/* registry_format.h - a hive's file (HKLM.reg, HKCU.reg): REGEDIT4 text in
 * UTF-8, every key below the hive's root.
 *
 *   REGEDIT4
 *
 *   [HKEY_LOCAL_MACHINE\SoftWare\VEMO]
 *   "Name"="text with \\ and \" escaped"
 *   @="the default value"
 *   "Count"=dword:0000002a
 *   "Blob"=hex:01,02,ff
 *   "Path"=hex(2):25,57,49,4e,25,00
 *
 * A REG_SZ value is written as a quoted string when it is plain text ending
 * in its one NUL; every other value is written as hex bytes, exactly as it
 * was stored (hex(2) and the like hold the code page 932 bytes). Names and
 * strings are converted between code page 932 and UTF-8. Long hex lists
 * continue on the next line after a trailing backslash. Lines starting with
 * ';' are comments. */
#ifndef LZPORT_REGISTRY_FORMAT_H
#define LZPORT_REGISTRY_FORMAT_H

#include <string>
#include <string_view>

#include "registry_tree.h"

namespace lzport::reg {

/* True for code page 932 text without control characters: what the file
 * can hold as a key name, a value name or a quoted string. */
bool IsPlainText(std::string_view text);

/* The file of the tree below `root`, whose name is `rootName`
 * ("HKEY_LOCAL_MACHINE"). */
std::string FormatRegistry(const Key &root, std::string_view rootName);

struct ParseError {
    int line = 0;
    std::string message;
};

/* Builds the tree that `text` describes, every key lying below `rootName`;
 * every key gets `stamp` as its last write time. Fails on the first line
 * that is not understood. */
bool ParseRegistry(std::string_view text, std::string_view rootName, const FILETIME &stamp, KeyPtr &root,
                   ParseError &error);

} // namespace lzport::reg

#endif

/* registry_tree.h - the in-memory tree of registry keys and values that the
 * registry module keeps for each hive. Names are code page 932 bytes and
 * keep the spelling they were created with; lookups ignore case. */
#ifndef LZPORT_REGISTRY_TREE_H
#define LZPORT_REGISTRY_TREE_H

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "windef.h"

namespace lzport::reg {

/* Longest key name and value name, in characters (a double-byte character
 * counts once), as the system's registry accepts them. */
constexpr size_t kMaxKeyNameChars = 256;
constexpr size_t kMaxValueNameChars = 16383;

struct Value {
    std::string name; /* "" is the default value */
    DWORD type = 0;
    std::string data; /* the bytes as they were stored */
};

struct Key;
using KeyPtr = std::shared_ptr<Key>;

struct Key {
    std::string name;
    std::weak_ptr<Key> parent;
    std::vector<KeyPtr> subkeys; /* in enumeration order, see SubkeyOrder */
    std::vector<Value> values;   /* in creation order */
    FILETIME lastWrite = {0, 0};
    bool deleted = false; /* set once the key has left the registry */
};

KeyPtr NewRootKey();

/* Enumeration order of sub-keys: by the lower-cased names' Unicode code
 * points, as Wine lists them. (Windows compares upper-cased names, which
 * places the characters [ \ ] ^ _ ` before the letters instead.) */
int SubkeyOrder(std::string_view a, std::string_view b);

KeyPtr FindSubkey(const Key &key, std::string_view name);
/* Adds a sub-key that does not exist yet at its place in the order. */
KeyPtr AddSubkey(const KeyPtr &parent, const std::string &name, const FILETIME &now);
/* Takes `child` out of its parent's list; the child keeps its parent link
 * so that its path can still be worked out. */
void DetachSubkey(Key &parent, const Key *child);
/* Marks a key and everything below it as deleted. */
void MarkDeleted(Key &key);

Value *FindValue(Key &key, std::string_view name);
void SetValue(Key &key, std::string_view name, DWORD type, std::string data);
bool RemoveValue(Key &key, std::string_view name);

/* Splits a sub-key path into its names. A trail byte 0x5C belongs to its
 * double-byte character and never separates; runs of backslashes separate
 * like one and trailing ones are ignored. Returns ERROR_BAD_PATHNAME for a
 * path that starts with a backslash and ERROR_INVALID_PARAMETER for a name
 * longer than kMaxKeyNameChars. */
LONG SplitKeyPath(std::string_view path, std::vector<std::string> &names);

/* Names from below the root down to `key` (empty for the root). */
std::vector<std::string> PathNames(const Key &key);
bool SamePath(const std::vector<std::string> &a, const std::vector<std::string> &b);

/* Follows `names` from `key`; null when one is missing. */
KeyPtr Walk(const KeyPtr &key, const std::vector<std::string> &names);

FILETIME CurrentFileTime();

} // namespace lzport::reg

#endif

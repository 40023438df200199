/* registry_tree.cpp - keys, values, names and paths of the in-memory
 * registry tree. */
#include "registry_tree.h"

#include <time.h>

#include <algorithm>

#include "cp932.h"
#include "winerror.h"

namespace lzport::reg {

namespace {

/* The name as Wine orders it: lower-cased, then compared by code point,
 * which is the byte order of its UTF-8 form. */
std::string OrderKey(std::string_view name)
{
    std::string lower = Cp932Lower(name);
    std::string utf8;
    return Cp932ToUtf8(lower, utf8) ? utf8 : lower;
}

} // namespace

KeyPtr NewRootKey()
{
    KeyPtr root = std::make_shared<Key>();
    root->lastWrite = CurrentFileTime();
    return root;
}

int SubkeyOrder(std::string_view a, std::string_view b) { return OrderKey(a).compare(OrderKey(b)); }

KeyPtr FindSubkey(const Key &key, std::string_view name)
{
    for (const KeyPtr &sub : key.subkeys) {
        if (Cp932EqualNoCase(sub->name, name))
            return sub;
    }
    return nullptr;
}

KeyPtr AddSubkey(const KeyPtr &parent, const std::string &name, const FILETIME &now)
{
    KeyPtr sub = std::make_shared<Key>();
    sub->name = name;
    sub->parent = parent;
    sub->lastWrite = now;
    auto at = std::find_if(parent->subkeys.begin(), parent->subkeys.end(),
                           [&](const KeyPtr &other) { return SubkeyOrder(other->name, name) > 0; });
    parent->subkeys.insert(at, sub);
    parent->lastWrite = now;
    return sub;
}

void DetachSubkey(Key &parent, const Key *child)
{
    auto &subs = parent.subkeys;
    subs.erase(std::remove_if(subs.begin(), subs.end(), [&](const KeyPtr &k) { return k.get() == child; }), subs.end());
    parent.lastWrite = CurrentFileTime();
}

void MarkDeleted(Key &key)
{
    key.deleted = true;
    for (const KeyPtr &sub : key.subkeys)
        MarkDeleted(*sub);
}

Value *FindValue(Key &key, std::string_view name)
{
    for (Value &v : key.values) {
        if (Cp932EqualNoCase(v.name, name))
            return &v;
    }
    return nullptr;
}

void SetValue(Key &key, std::string_view name, DWORD type, std::string data)
{
    Value *v = FindValue(key, name);
    if (!v) {
        key.values.push_back(Value{std::string(name), type, std::string()});
        v = &key.values.back();
    }
    v->type = type;
    v->data = std::move(data);
    key.lastWrite = CurrentFileTime();
}

bool RemoveValue(Key &key, std::string_view name)
{
    Value *v = FindValue(key, name);
    if (!v)
        return false;
    key.values.erase(key.values.begin() + (v - key.values.data()));
    key.lastWrite = CurrentFileTime();
    return true;
}

LONG SplitKeyPath(std::string_view path, std::vector<std::string> &names)
{
    names.clear();
    if (!path.empty() && path[0] == '\\')
        return ERROR_BAD_PATHNAME;
    const unsigned char *p = reinterpret_cast<const unsigned char *>(path.data());
    std::string current;
    for (size_t i = 0; i < path.size();) {
        if (Cp932IsLead(p[i]) && i + 1 < path.size()) {
            current.append(path.substr(i, 2));
            i += 2;
            continue;
        }
        if (p[i] == '\\') {
            if (!current.empty())
                names.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(path[i]);
        }
        ++i;
    }
    if (!current.empty())
        names.push_back(std::move(current));
    for (const std::string &name : names) {
        if (Cp932CharCount(name) > kMaxKeyNameChars)
            return ERROR_INVALID_PARAMETER;
    }
    return ERROR_SUCCESS;
}

std::vector<std::string> PathNames(const Key &key)
{
    std::vector<std::string> names;
    const Key *k = &key;
    for (KeyPtr parent = k->parent.lock(); parent; parent = parent->parent.lock()) {
        names.push_back(k->name);
        k = parent.get();
    }
    std::reverse(names.begin(), names.end());
    return names;
}

bool SamePath(const std::vector<std::string> &a, const std::vector<std::string> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (!Cp932EqualNoCase(a[i], b[i]))
            return false;
    }
    return true;
}

KeyPtr Walk(const KeyPtr &key, const std::vector<std::string> &names)
{
    KeyPtr k = key;
    for (const std::string &name : names) {
        k = FindSubkey(*k, name);
        if (!k)
            return nullptr;
    }
    return k;
}

FILETIME CurrentFileTime()
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    /* 100-nanosecond intervals since 1601-01-01 */
    unsigned long long t = ((unsigned long long)ts.tv_sec + 11644473600ull) * 10000000ull + ts.tv_nsec / 100;
    return FILETIME{(DWORD)t, (DWORD)(t >> 32)};
}

} // namespace lzport::reg

/* registry_handles.cpp - the table of open registry key handles. */
#include "registry_handles.h"

#include <map>

namespace lzport::reg {

namespace {

/* Handle values are small multiples of 4, far from the predefined keys
 * (0x80000000 and up) and never reused within a machine session. */
constexpr ULONG_PTR kFirstHandle = 0x1000;

struct HandleTable {
    std::map<ULONG_PTR, OpenKey> open;
    ULONG_PTR next = kFirstHandle;
};

HandleTable &Table()
{
    static HandleTable table;
    return table;
}

constexpr DWORD kFirstPredefined = 0x80000000u; /* HKEY_CLASSES_ROOT */
constexpr DWORD kLastPredefined = 0x80000006u;  /* HKEY_DYN_DATA */

} // namespace

bool IsPredefined(HKEY hkey)
{
    /* only the low 32 bits tell a predefined key, as on 64-bit Windows */
    DWORD low = (DWORD)(ULONG_PTR)hkey;
    return low >= kFirstPredefined && low <= kLastPredefined;
}

HKEY AddHandle(Hive &hive, const KeyPtr &key, REGSAM access)
{
    HandleTable &t = Table();
    ULONG_PTR value = t.next;
    t.next += 4;
    t.open[value] = OpenKey{&hive, key, access};
    return (HKEY)value;
}

OpenKey *FindHandle(HKEY hkey)
{
    auto it = Table().open.find((ULONG_PTR)hkey);
    return it == Table().open.end() ? nullptr : &it->second;
}

bool RemoveHandle(HKEY hkey) { return Table().open.erase((ULONG_PTR)hkey) != 0; }

void RemapHandles(const Hive &hive, const KeyPtr &root)
{
    std::map<const Key *, KeyPtr> moved;
    for (auto &entry : Table().open) {
        OpenKey &open = entry.second;
        if (open.hive != &hive || open.key->deleted)
            continue;
        auto it = moved.find(open.key.get());
        if (it == moved.end())
            it = moved.emplace(open.key.get(), Walk(root, PathNames(*open.key))).first;
        if (it->second)
            open.key = it->second;
        else
            open.key->deleted = true;
    }
}

void ResetHandles() { Table() = HandleTable(); }

} // namespace lzport::reg

/* testenv.cpp - scratch folders and file and registry helpers on Win32. */
#include "testenv.h"

#include <algorithm>
#include <atomic>

namespace lztest {

namespace {

std::atomic<unsigned> g_counter{0};

/* The last real backslash: a trail byte 0x5C of a double-byte character is none. */
size_t LastBackslash(const std::string &path)
{
    size_t found = std::string::npos;
    for (size_t i = 0; i < path.size(); i++) {
        if (IsDBCSLeadByte((BYTE)path[i]) && i + 1 < path.size())
            i++;
        else if (path[i] == '\\')
            found = i;
    }
    return found;
}

std::string Parent(const std::string &path)
{
    size_t p = LastBackslash(path);
    return p == std::string::npos ? std::string() : path.substr(0, p);
}

} // namespace

Scratch::Scratch()
{
    m_savedCwd = CurrentDir();
    std::string base = ScratchBase();
    MakeDir(base);
    /* the time as well: under Wine process ids come round again from run to
     * run, and a link that Wine could not remove may be left of an old one */
    m_path = base + "\\t" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount()) + "_" +
             std::to_string(++g_counter);
    ForceRemoveTree(m_path);
    MakeDir(m_path);
}

Scratch::~Scratch()
{
    SetCurrentDirectoryA(m_savedCwd.c_str());
    ForceRemoveTree(m_path);
}

bool MakeDir(const std::string &path)
{
    if (IsDir(path))
        return true;
    std::string parent = Parent(path);
    if (!parent.empty() && parent.size() > 2 && !IsDir(parent))
        MakeDir(parent);
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool WriteFileText(const std::string &path, const std::string &text)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, text.data(), (DWORD)text.size(), &written, nullptr);
    CloseHandle(h);
    return ok && written == text.size();
}

bool MakeTree(const std::string &root, const std::vector<std::string> &relativePaths)
{
    for (const std::string &rel : relativePaths) {
        std::string full = root + "\\" + rel;
        if (!rel.empty() && rel.back() == '\\') {
            if (!MakeDir(full.substr(0, full.size() - 1)))
                return false;
        } else {
            MakeDir(Parent(full));
            if (!WriteFileText(full, rel))
                return false;
        }
    }
    return true;
}

DWORD Attributes(const std::string &path) { return GetFileAttributesA(path.c_str()); }

bool Exists(const std::string &path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool IsDir(const std::string &path)
{
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> List(const std::string &folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

void ForceRemoveTree(const std::string &path)
{
    DWORD a = Attributes(path);
    if (a == INVALID_FILE_ATTRIBUTES)
        return;
    if ((a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_REPARSE_POINT)) {
        for (const std::string &name : List(path))
            ForceRemoveTree(path + "\\" + name);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA(path.c_str());
    } else if (a & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryA(path.c_str());
    } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

std::string CurrentDir()
{
    char buf[4096];
    DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
    return n && n < sizeof buf ? std::string(buf, n) : std::string();
}

bool RegKeyExists(const std::string &path, HKEY root)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

static bool SetValue(HKEY root, const std::string &path, const char *name, DWORD type, const BYTE *data, DWORD size)
{
    HKEY key;
    DWORD disp;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disp) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(key, name, 0, type, data, size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

bool RegSetSz(const std::string &path, const char *name, const std::string &value, DWORD type, HKEY root)
{
    return SetValue(root, path, name, type, (const BYTE *)value.c_str(), (DWORD)value.size() + 1);
}

bool RegSetDword(const std::string &path, const char *name, DWORD value, HKEY root)
{
    return SetValue(root, path, name, REG_DWORD, (const BYTE *)&value, sizeof value);
}

bool RegGetSz(const std::string &path, const char *name, std::string &value, DWORD *type, HKEY root)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buf[8192];
    DWORD size = sizeof buf, t = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &t, (BYTE *)buf, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return false;
    if (type)
        *type = t;
    value.assign(buf, size && buf[size - 1] == 0 ? size - 1 : size);
    return true;
}

bool RegValueExists(const std::string &path, const char *name, HKEY root)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

/* Deletes sub-key `name` of `parent` with everything below it. Each level
 * is opened from the one above, so that no path grows past what an ANSI
 * registry call takes (MAX_PATH). */
static void DeleteSubTree(HKEY parent, const std::string &name)
{
    HKEY key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char sub[256];
        DWORD len = sizeof sub;
        LONG rc = RegEnumKeyExA(key, i, sub, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc == ERROR_SUCCESS)
            subkeys.push_back(sub);
        else if (i > 4096)
            break;
    }
    for (const std::string &sub : subkeys)
        DeleteSubTree(key, sub);
    RegCloseKey(key);
    RegDeleteKeyA(parent, name.c_str());
}

void RegDeleteTree(const std::string &path, HKEY root)
{
    size_t p = LastBackslash(path);
    std::string parent = p == std::string::npos ? std::string() : path.substr(0, p);
    std::string leaf = p == std::string::npos ? path : path.substr(p + 1);
    HKEY parentKey;
    if (RegOpenKeyExA(root, parent.c_str(), 0, KEY_ALL_ACCESS, &parentKey) == ERROR_SUCCESS) {
        DeleteSubTree(parentKey, leaf);
        RegCloseKey(parentKey);
    }
}

PlantedValue::PlantedValue(HKEY root, const std::string &path, const char *name, const std::string &text, DWORD type)
    : m_root(root), m_path(path), m_name(name)
{
    /* the first key on the way that is missing goes again with the value */
    size_t end = 0;
    do {
        end = path.find('\\', end + 1);
        std::string prefix = path.substr(0, end);
        if (!RegKeyExists(prefix, root)) {
            m_created = prefix;
            break;
        }
    } while (end != std::string::npos);
    m_ok = RegSetSz(path, name, text, type, root);
}

PlantedValue::~PlantedValue()
{
    if (!m_created.empty()) {
        RegDeleteTree(m_created, m_root);
        return;
    }
    HKEY key;
    if (RegOpenKeyExA(m_root, m_path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, m_name.c_str());
        RegCloseKey(key);
    }
}

} // namespace lztest

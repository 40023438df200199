/* testenv.h - scratch folders and small file and registry helpers for the
 * tests, written on Win32 calls so that one test source serves the native
 * build and Wine alike. */
#ifndef LZTEST_TESTENV_H
#define LZTEST_TESTENV_H

#include <windows.h>

#include <string>
#include <vector>

namespace lztest {

/* A fresh, empty folder for one test, removed with everything in it when
 * the object goes. Path() is a full Windows path without a trailing
 * backslash. The working directory is put back on destruction. */
class Scratch {
public:
    Scratch();
    ~Scratch();
    Scratch(const Scratch &) = delete;
    Scratch &operator=(const Scratch &) = delete;

    const std::string &Path() const { return m_path; }
    /* Path() + "\\" + relative */
    std::string operator/(const std::string &relative) const { return m_path + "\\" + relative; }

private:
    std::string m_path;
    std::string m_savedCwd;
};

/* The root under which scratch folders are made (a Windows path). */
std::string ScratchBase();

bool MakeDir(const std::string &path);
/* Creates the folders of `relativePaths` below `root`: entries that end in a
 * backslash are folders, others files holding their own name. */
bool MakeTree(const std::string &root, const std::vector<std::string> &relativePaths);
bool WriteFileText(const std::string &path, const std::string &text);
bool Exists(const std::string &path);
bool IsDir(const std::string &path);
DWORD Attributes(const std::string &path);
/* Names in a folder, sorted, without "." and "..". */
std::vector<std::string> List(const std::string &folder);
/* Removes a tree whatever its attributes; links are removed, not followed. */
void ForceRemoveTree(const std::string &path);
std::string CurrentDir();

/* Registry helpers below a predefined key, HKEY_LOCAL_MACHINE unless told. */
bool RegKeyExists(const std::string &path, HKEY root = HKEY_LOCAL_MACHINE);
bool RegSetSz(const std::string &path, const char *name, const std::string &value, DWORD type = REG_SZ,
              HKEY root = HKEY_LOCAL_MACHINE);
bool RegSetDword(const std::string &path, const char *name, DWORD value, HKEY root = HKEY_LOCAL_MACHINE);
bool RegGetSz(const std::string &path, const char *name, std::string &value, DWORD *type = nullptr,
              HKEY root = HKEY_LOCAL_MACHINE);
bool RegValueExists(const std::string &path, const char *name, HKEY root = HKEY_LOCAL_MACHINE);
void RegDeleteTree(const std::string &path, HKEY root = HKEY_LOCAL_MACHINE);

/* A registry value set for one test and taken away again, with the keys
 * that had to be made for it. */
class PlantedValue {
public:
    PlantedValue(HKEY root, const std::string &path, const char *name, const std::string &text, DWORD type = REG_SZ);
    ~PlantedValue();
    PlantedValue(const PlantedValue &) = delete;
    PlantedValue &operator=(const PlantedValue &) = delete;

    bool Ok() const { return m_ok; }

private:
    HKEY m_root;
    std::string m_path, m_name;
    std::string m_created; /* the first key that was missing, or empty */
    bool m_ok = false;
};

/* Makes a symbolic link `link` to the folder or file `target` (both Windows
 * paths). Returns false where the platform offers no links to tests. */
bool MakeLink(const std::string &link, const std::string &target);

} // namespace lztest

#endif

/* folder_guard_fuzz.cpp - arbitrary registry paths through the folder
 * guard on a machine whose system names a few folders. Whatever the path,
 * a path the guard lets through must not resolve to one of those folders,
 * nor to a folder that holds one, nor to a drive root. */
#include <mbctype.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "FolderPolicy.h"
#include "scratch_machine.h"

namespace {

/* What the machine names, lower-cased: each is refused, and so is every
 * folder above it. */
const char *const kNamed[] = {
    "c:\\windows",
    "c:\\windows\\system32",
    "c:\\program files",
    "c:\\windows\\profiles\\administrator\\personal",
};

void Setup()
{
    UseScratchMachine();
    for (const char *folder :
         {"C:\\WINDOWS", "C:\\WINDOWS\\system32", "C:\\Program Files", "C:\\WINDOWS\\Profiles",
          "C:\\WINDOWS\\Profiles\\Administrator", "C:\\WINDOWS\\Profiles\\Administrator\\Personal", "C:\\App"})
        CreateDirectoryA(folder, NULL);
    HKEY hKey;
    DWORD dwDisposition;
    const char *pszPersonal = "C:\\WINDOWS\\Profiles\\Administrator\\Personal";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                        NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, &dwDisposition) != ERROR_SUCCESS ||
        RegSetValueExA(hKey, "Personal", 0, REG_SZ, (const BYTE *)pszPersonal, (DWORD)strlen(pszPersonal) + 1) !=
            ERROR_SUCCESS)
        abort();
    RegCloseKey(hKey);
    const char *pszProgramFiles = "C:\\Program Files";
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, NULL, 0, KEY_ALL_ACCESS,
                        NULL, &hKey, &dwDisposition) != ERROR_SUCCESS ||
        RegSetValueExA(hKey, "ProgramFilesDir", 0, REG_SZ, (const BYTE *)pszProgramFiles,
                       (DWORD)strlen(pszProgramFiles) + 1) != ERROR_SUCCESS)
        abort();
    RegCloseKey(hKey);
}

std::string Lower(std::string text)
{
    for (size_t i = 0; i < text.size(); i++) {
        unsigned char c = (unsigned char)text[i];
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))
            i++; /* a double-byte character: its trail byte is no letter */
        else if (c >= 'A' && c <= 'Z')
            text[i] = (char)(c - 'A' + 'a');
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool once = (Setup(), true);
    (void)once;
    std::string path(reinterpret_cast<const char *>(data), size);
    path = path.c_str();
    if (!IsRemovableFolder(path.c_str()))
        return 0;
    char full[1024];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, NULL);
    if (n == 0 || n >= sizeof full)
        abort(); /* let through, yet the system cannot resolve it */
    std::string resolved = Lower(std::string(full, n));
    if (resolved.size() > 3 && resolved.back() == '\\')
        resolved.pop_back();
    if (resolved.size() <= 3)
        abort(); /* a drive root */
    for (const char *named : kNamed) {
        std::string folder = named;
        if (resolved == folder ||
            (folder.compare(0, resolved.size(), resolved) == 0 && folder[resolved.size()] == '\\'))
            abort();
    }
    return 0;
}

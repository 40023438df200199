/* module.cpp - the modules of the native platform layer: the program image,
 * whose file name is the host executable's path in the form Wine gives host
 * paths outside every drive ("\\?\unix\..."), and whose resources are the
 * compiled resource script embedded in it (res_image.cpp); and kernel32.dll,
 * which every process has loaded, found by name in the system folder,
 * carrying no resources here and exporting the functions that programs
 * look up at run time. Any other module handle names no module. */
#include <ctype.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "cp932.h"
#include "res_image.h"
#include "windows.h"

namespace {

char g_programImage; /* its address is the program's module handle */
char g_kernelImage;  /* and this one kernel32.dll's */

const char kKernelName[] = "kernel32.dll";

HMODULE KernelModule() { return reinterpret_cast<HMODULE>(&g_kernelImage); }

/* What kernel32.dll exports to GetProcAddress: the functions a program
 * binds at run time because older systems lack them. */
struct Export {
    const char *name;
    FARPROC address;
};

const Export kKernelExports[] = {
    {"GetLongPathNameA", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)(void)>(&GetLongPathNameA))},
};

/* A module name as GetModuleHandleA takes it: letter case aside, with
 * ".dll" understood when the name has no extension. */
bool NamesKernel(LPCSTR name)
{
    std::string lower(name);
    for (char &c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return lower == kKernelName || lower + ".dll" == kKernelName;
}

std::string ProgramPath()
{
    char host[4096];
    ssize_t n = readlink("/proc/self/exe", host, sizeof host - 1);
    if (n <= 0)
        return std::string();
    std::string path;
    if (!lzport::Utf8ToCp932(std::string_view(host, static_cast<size_t>(n)), path))
        return std::string();
    for (size_t i = 0; i < path.size(); i += lzport::Cp932CharLen(reinterpret_cast<const unsigned char *>(&path[i]))) {
        if (path[i] == '/')
            path[i] = '\\';
    }
    return "\\\\?\\unix" + path;
}

} // namespace

namespace lzport {

HMODULE ProgramModule() { return reinterpret_cast<HMODULE>(&g_programImage); }

} // namespace lzport

extern "C" {

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName)
{
    if (lpModuleName == NULL)
        return lzport::ProgramModule();
    if (NamesKernel(lpModuleName))
        return KernelModule();
    SetLastError(ERROR_MOD_NOT_FOUND);
    return NULL;
}

/* Only by name: no program here asks by ordinal. The program's own module
 * exports nothing. */
FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    if (hModule != lzport::ProgramModule() && hModule != KernelModule()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return NULL;
    }
    if (hModule == KernelModule() && lpProcName != NULL && !IS_INTRESOURCE(lpProcName)) {
        for (const Export &entry : kKernelExports) {
            if (strcmp(entry.name, lpProcName) == 0)
                return entry.address;
        }
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return NULL;
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    std::string path;
    if (hModule == KernelModule()) {
        char system[MAX_PATH];
        UINT n = GetSystemDirectoryA(system, sizeof system);
        if (n > 0 && n < sizeof system)
            path = std::string(system, n) + "\\" + kKernelName;
    } else if (hModule == NULL || hModule == lzport::ProgramModule()) {
        path = ProgramPath();
    } else {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    /* as Windows XP and later: a name that does not fit is cut to the
     * buffer without a terminator, and the whole buffer size is returned */
    DWORD nLength = path.size() < nSize ? static_cast<DWORD>(path.size()) : nSize;
    memcpy(lpFilename, path.data(), nLength);
    if (nLength < nSize)
        lpFilename[nLength] = '\0';
    else
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nLength;
}

HRSRC WINAPI FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage)
{
    const lzport::ResEntry *entry = NULL;
    DWORD error = lzport::FindResourceEntryA(hModule, lpType, lpName, wLanguage, &entry);
    if (error != 0) {
        SetLastError(error);
        return NULL;
    }
    return reinterpret_cast<HRSRC>(const_cast<lzport::ResEntry *>(entry));
}

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    return FindResourceExA(hModule, lpType, lpName, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

/* Windows reads whatever a resource handle points at; here a handle that
 * is none of the module's fails with ERROR_INVALID_HANDLE instead. A null
 * handle gives null without an error, as on Windows. */
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    if (hResInfo == NULL)
        return NULL;
    if (lzport::ModuleResources(hModule) == nullptr) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return NULL;
    }
    const lzport::ResEntry *entry = lzport::EntryFromHandle(hResInfo);
    if (entry == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return NULL;
    }
    return const_cast<BYTE *>(entry->data);
}

/* Resources are part of the image: the handle is the address. */
LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }

/* Nothing to free: the data lives as long as the image. */
BOOL WINAPI FreeResource(HGLOBAL) { return FALSE; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo)
{
    if (hResInfo == NULL)
        return 0;
    const lzport::ResEntry *entry = lzport::EntryFromHandle(hResInfo);
    if (entry == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return entry->size;
}

BOOL WINAPI EnumResourceLanguagesA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, ENUMRESLANGPROCA lpEnumFunc,
                                   LONG_PTR lParam)
{
    if (hModule == NULL)
        hModule = lzport::ProgramModule();
    const std::vector<lzport::ResEntry> *entries = lzport::ModuleResources(hModule);
    if (entries == nullptr) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    lzport::ResKey type, name;
    DWORD error = lzport::ResKeyFromArgument(lpType, type);
    if (error == 0)
        error = lzport::ResKeyFromArgument(lpName, name);
    const lzport::ResEntry *first = NULL;
    if (error == 0)
        error = lzport::FindResourceEntry(hModule, type, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &first);
    if (error != 0) {
        SetLastError(error);
        return FALSE;
    }
    /* Windows calls a null callback and faults; the fault is reported */
    if (lpEnumFunc == NULL) {
        SetLastError(ERROR_NOACCESS);
        return FALSE;
    }
    BOOL result = FALSE;
    for (const lzport::ResEntry &e : *entries) {
        if (e.type == type && e.name == name) {
            result = lpEnumFunc(hModule, lpType, lpName, e.language, lParam);
            if (!result)
                break;
        }
    }
    return result;
}

} // extern "C"

/* module.cpp - the program's own module on the native platform layer: one
 * module, the program image, whose file name is the host executable's path
 * in the form Wine gives host paths outside every drive ("\\?\unix\...").
 * The image carries no resources yet, so resource lookups fail as they do
 * for a module without a resource section. */
#include <string.h>
#include <unistd.h>

#include <string>

#include "cp932.h"
#include "windows.h"

namespace {

char g_programImage; /* its address is the program's module handle */

HMODULE ProgramModule() { return reinterpret_cast<HMODULE>(&g_programImage); }

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

extern "C" {

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName)
{
    if (lpModuleName == NULL)
        return ProgramModule();
    SetLastError(ERROR_MOD_NOT_FOUND);
    return NULL;
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    if (hModule != NULL && hModule != ProgramModule()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::string path = ProgramPath();
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

HRSRC WINAPI FindResourceA(HMODULE, LPCSTR, LPCSTR)
{
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return NULL;
}

/* No lookup succeeds, so there is never a resource to load or measure. */
HGLOBAL WINAPI LoadResource(HMODULE, HRSRC) { return NULL; }
LPVOID WINAPI LockResource(HGLOBAL hResData) { return hResData; }
DWORD WINAPI SizeofResource(HMODULE, HRSRC) { return 0; }

} // extern "C"

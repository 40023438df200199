/* paths_api.cpp - the working directory (GetCurrentDirectoryA,
 * SetCurrentDirectoryA and the runtime's _getcwd and _chdir), full and long
 * path names, and LzPortHostPath.
 *
 * Unlike Windows, SetCurrentDirectoryA here enters a folder at any depth:
 * the working directory is held open, and names relative to it never make
 * a long path. Reading it back with GetCurrentDirectoryA still fails past
 * MAX_PATH characters, and _getcwd past MAX_PATH bytes, as on Windows. */
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>

#include "cp932.h"
#include "files.h"
#include "lzport.h"
#include "machine.h"

using namespace lzport;

namespace {

/* Opens the folder that `p` names as the new working directory; `st`
 * receives it and `realTail` how many of its last names are real folders. */
DWORD OpenNewCwd(const WinPath &p, int &fd, struct stat &st, size_t &realTail)
{
    Folder f;
    if (p.names.empty()) {
        /* a root, or the working directory or a folder above it */
        DWORD err = OpenStart(p, f);
        if (err)
            return err;
        if (fstat(f.fd.Get(), &st) != 0)
            return HostError(errno, ERROR_PATH_NOT_FOUND);
        realTail = f.realTail;
        fd = f.fd.Release();
        return fd < 0 ? HostError(errno, ERROR_PATH_NOT_FOUND) : ERROR_SUCCESS;
    }
    DWORD err = OpenFolder(p, p.names.size() - 1, f);
    Entry e;
    if (!err)
        err = FindEntry(f, p.names.back(), e, true);
    if (!err && !e.exists)
        err = ERROR_FILE_NOT_FOUND;
    if (err)
        return err;
    st = e.st;
    if (IsLink(e) && fstatat(f.fd.Get(), e.host.c_str(), &st, 0) != 0)
        return ERROR_FILE_NOT_FOUND; /* a link that leads nowhere */
    if (!S_ISDIR(st.st_mode))
        return p.trailingSep ? ERROR_INVALID_NAME : ERROR_DIRECTORY;
    if (!(st.st_mode & 0111))
        return ERROR_ACCESS_DENIED; /* closed to everyone: refused even to the superuser */
    fd = openat(f.fd.Get(), e.host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return HostError(errno, ERROR_FILE_NOT_FOUND);
    realTail = IsLink(e) ? 0 : f.realTail + 1;
    return ERROR_SUCCESS;
}

/* Host path of `p` (absolute), each name as found on disk; names that are
 * not there are taken as written. */
bool HostPathOf(const WinPath &p, std::string &host)
{
    host = DriveRoot(p.drive);
    if (host.empty())
        return false;
    Folder f;
    bool inside = OpenStart(p, f) == ERROR_SUCCESS;
    for (size_t i = 0; i < p.names.size(); ++i) {
        Entry e;
        if (inside && FindEntry(f, p.names[i], e) != ERROR_SUCCESS)
            return false;
        if (!inside && !Cp932ToUtf8(p.names[i], e.host))
            return false;
        host += '/';
        host += e.host;
        inside = inside && e.exists && i + 1 < p.names.size() && EnterFolder(f, p.names[i]) == ERROR_SUCCESS;
    }
    return true;
}

} // namespace

extern "C" {

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer)
{
    const WorkingDir &w = Cwd();
    if (Cp932CharCount(w.path.c_str()) + 1 > MAX_PATH)
        return Fail(ERROR_FILENAME_EXCED_RANGE, 0u);
    DWORD needed = (DWORD)w.path.size() + 1;
    if (!lpBuffer || nBufferLength < needed)
        return needed;
    memcpy(lpBuffer, w.path.c_str(), needed);
    return needed - 1;
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName)
{
    if (!lpPathName || !*lpPathName)
        return Fail(ERROR_INVALID_NAME, FALSE);
    if (Cp932CharCount(lpPathName) > MAX_PATH)
        return Fail(ERROR_FILENAME_EXCED_RANGE, FALSE);
    WinPath p;
    DWORD err = ParseWinPath(lpPathName, p);
    if (err)
        return Fail(err, FALSE);
    if (p.relative && p.names.empty() && std::min(p.up, Cwd().Depth()) == 0)
        return TRUE; /* "." or "C:": where it already is */
    int fd = -1;
    struct stat st;
    size_t realTail = 0;
    err = OpenNewCwd(p, fd, st, realTail);
    if (err)
        return Fail(err, FALSE);
    WorkingDir &w = Cwd();
    std::vector<size_t> ends;
    std::string text = FullPathText(p, &ends);
    if (p.trailingSep && !ends.empty())
        text.pop_back(); /* the backslash that FullPathText added */
    close(w.fd);
    w.fd = fd;
    w.path.swap(text);
    w.ends.swap(ends);
    w.dev = st.st_dev;
    w.ino = st.st_ino;
    w.realTail = realTail;
    return TRUE;
}

DWORD WINAPI GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR *lpFilePart)
{
    if (!lpFileName || !*lpFileName)
        return 0; /* Wine leaves the last error alone here */
    if (Cp932CharCount(lpFileName) > MAX_PATH)
        return Fail(ERROR_FILENAME_EXCED_RANGE, 0u);
    WinPath p;
    DWORD err = ParseWinPath(lpFileName, p);
    if (err)
        return Fail(err, 0u);
    size_t filePart;
    std::string text = FullPathText(p, nullptr, &filePart);
    if (!lpBuffer || nBufferLength < text.size() + 1)
        return (DWORD)text.size() + 1;
    memcpy(lpBuffer, text.c_str(), text.size() + 1);
    if (lpFilePart)
        *lpFilePart = filePart == std::string::npos ? nullptr : lpBuffer + filePart;
    return (DWORD)text.size();
}

namespace {

/* There are no 8.3 names on this layer: every name is its own long name and
 * has no short one, so a path that exists comes back as it was given. */
DWORD PathAsItExists(LPCSTR lpszPath, LPSTR lpszOut, DWORD cchBuffer)
{
    if (!lpszPath)
        return Fail(ERROR_INVALID_PARAMETER, 0u);
    if (!*lpszPath)
        return Fail(ERROR_PATH_NOT_FOUND, 0u);
    Target t;
    DWORD err = ResolveTarget(lpszPath, t);
    if (!err && !t.entry.exists)
        err = ERROR_FILE_NOT_FOUND;
    if (err == ERROR_PATH_NOT_FOUND)
        err = ERROR_FILE_NOT_FOUND; /* a missing name anywhere, as Wine reports it */
    if (err)
        return Fail(err, 0u);
    size_t length = strlen(lpszPath);
    if (!lpszOut || cchBuffer < length + 1)
        return (DWORD)length + 1;
    memmove(lpszOut, lpszPath, length + 1);
    return (DWORD)length;
}

} // namespace

DWORD WINAPI GetLongPathNameA(LPCSTR lpszShortPath, LPSTR lpszLongPath, DWORD cchBuffer)
{
    return PathAsItExists(lpszShortPath, lpszLongPath, cchBuffer);
}

DWORD WINAPI GetShortPathNameA(LPCSTR lpszLongPath, LPSTR lpszShortPath, DWORD cchBuffer)
{
    return PathAsItExists(lpszLongPath, lpszShortPath, cchBuffer);
}

char *_getcwd(char *buffer, int maxlen)
{
    /* the runtime reads the directory into an area of MAX_PATH bytes */
    char area[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof area, area);
    if (length == 0) {
        errno = CrtErrno(GetLastError());
        return nullptr;
    }
    if (length >= sizeof area) {
        errno = ERANGE;
        return nullptr;
    }
    if (!buffer) {
        size_t size = std::max<size_t>(maxlen > 0 ? (size_t)maxlen : 0, length + 1);
        buffer = (char *)malloc(size);
        if (!buffer) {
            errno = ENOMEM;
            return nullptr;
        }
    } else if (maxlen < 0 || (DWORD)maxlen < length + 1) {
        errno = ERANGE;
        return nullptr;
    }
    memcpy(buffer, area, length + 1);
    return buffer;
}

int _chdir(const char *dirname)
{
    if (!dirname) {
        errno = EINVAL;
        return -1;
    }
    return SetCurrentDirectoryA(dirname) ? 0 : CrtFail();
}

BOOL LzPortHostPath(const char *winPath, char *hostPath, size_t size)
{
    if (!winPath || !*winPath || !hostPath || size == 0)
        return FALSE;
    WinPath p;
    if (ParseWinPath(winPath, p) != ERROR_SUCCESS)
        return FALSE;
    std::string text;
    if (p.relative) {
        text = FullPathText(p);
        ParseWinPath(text.c_str(), p);
    }
    std::string host;
    if (!HostPathOf(p, host) || host.size() + 1 > size)
        return FALSE;
    memcpy(hostPath, host.c_str(), host.size() + 1);
    return TRUE;
}

BOOL LzPortMarkReparsePoint(const char *winPath, DWORD tag)
{
    if (!winPath || !*winPath || tag == 0 || IsReparseTagNameSurrogate(tag))
        return FALSE;
    Target t;
    if (ResolveTarget(winPath, t) != ERROR_SUCCESS || !t.entry.exists || t.isRoot || IsLink(t.entry))
        return FALSE;
    MarkReparsePoint(IdOf(t.entry.st), tag);
    return TRUE;
}

} /* extern "C" */

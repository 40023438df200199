/* files_handle.cpp - file handles: CreateFileA with the usual dispositions,
 * WriteFile and CloseHandle. Share modes other than FILE_SHARE_DELETE are
 * not enforced between handles. */
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <unordered_set>

#include "files.h"

using namespace lzport;

namespace {

struct FileHandle {
    int fd;
    DWORD access;
    bool holds; /* keeps the file from being deleted */
    FileId id;
};

std::unordered_set<FileHandle *> &Files()
{
    static std::unordered_set<FileHandle *> files;
    return files;
}

FileHandle *FindFile(HANDLE h)
{
    auto it = Files().find(static_cast<FileHandle *>(h));
    return it == Files().end() ? nullptr : *it;
}

/* Checks an existing entry against the disposition and access asked for. */
DWORD CheckExisting(const Target &t, DWORD access, DWORD disposition)
{
    if (t.isRoot || IsFolderLike(t.folder, t.entry))
        return ERROR_ACCESS_DENIED;
    if (disposition == CREATE_NEW)
        return ERROR_FILE_EXISTS;
    if (disposition == TRUNCATE_EXISTING && !(access & GENERIC_WRITE))
        return ERROR_INVALID_PARAMETER;
    struct stat target;
    if ((access & GENERIC_WRITE) && fstatat(t.folder.fd.Get(), t.entry.host.c_str(), &target, 0) == 0 &&
        IsReadOnly(target))
        return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

} // namespace

extern "C" {

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE hTemplateFile)
{
    (void)lpSecurityAttributes;
    (void)hTemplateFile;
    if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    if (!lpFileName || !*lpFileName)
        return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    Target t;
    DWORD err = ResolveTarget(lpFileName, t);
    if (!err && t.trailingSep)
        err = ERROR_INVALID_NAME; /* a file name cannot end in a separator */
    bool existed = !err && t.entry.exists;
    if (existed)
        err = CheckExisting(t, dwDesiredAccess, dwCreationDisposition);
    else if (!err && (dwCreationDisposition == OPEN_EXISTING || dwCreationDisposition == TRUNCATE_EXISTING))
        err = ERROR_FILE_NOT_FOUND;
    if (err)
        return Fail(err, INVALID_HANDLE_VALUE);

    bool read = dwDesiredAccess & GENERIC_READ, write = dwDesiredAccess & GENERIC_WRITE;
    int flags = O_CLOEXEC | (write ? (read ? O_RDWR : O_WRONLY) : O_RDONLY);
    if (!existed)
        flags |= O_CREAT | O_EXCL;
    else if (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING)
        flags |= O_TRUNC;
    mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
    int fd = openat(t.folder.fd.Get(), t.entry.host.c_str(), flags, mode);
    struct stat st;
    if (fd < 0)
        return Fail(errno == EEXIST ? ERROR_FILE_EXISTS : HostError(errno, ERROR_PATH_NOT_FOUND), INVALID_HANDLE_VALUE);
    if (fstat(fd, &st) != 0) {
        err = HostError(errno, ERROR_FILE_NOT_FOUND);
        close(fd);
        return Fail(err, INVALID_HANDLE_VALUE);
    }
    FileHandle *h = new FileHandle{fd, dwDesiredAccess, !(dwShareMode & FILE_SHARE_DELETE), IdOf(st)};
    if (h->holds)
        HoldOpen(h->id);
    Files().insert(h);
    bool replaced = existed && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS);
    SetLastError(replaced ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return h;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
                      LPVOID lpOverlapped)
{
    FileHandle *h = FindFile(hFile);
    if (!h)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    if (lpOverlapped)
        return Fail(ERROR_INVALID_PARAMETER, FALSE); /* no overlapped I/O on this layer */
    if (!(h->access & GENERIC_WRITE))
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    const char *p = static_cast<const char *>(lpBuffer);
    DWORD done = 0;
    while (done < nNumberOfBytesToWrite) {
        ssize_t n = write(h->fd, p + done, nNumberOfBytesToWrite - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(HostError(errno, ERROR_INVALID_HANDLE), FALSE);
        done += (DWORD)n;
        if (lpNumberOfBytesWritten)
            *lpNumberOfBytesWritten = done;
    }
    return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE hObject)
{
    if (hObject == INVALID_HANDLE_VALUE)
        return TRUE; /* the same value names the current process, which "closes" without effect */
    FileHandle *h = FindFile(hObject);
    if (!h)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    Files().erase(h);
    if (h->holds)
        ReleaseOpen(h->id);
    close(h->fd);
    delete h;
    return TRUE;
}

} /* extern "C" */

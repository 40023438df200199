/* files.cpp - attributes, creating and removing folders, deleting files,
 * and the runtime's _mkdir, _rmdir and remove over them. */
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "files.h"

using namespace lzport;

namespace {

mode_t HostUmask()
{
    static const mode_t mask = [] {
        mode_t m = umask(0);
        umask(m);
        return m;
    }();
    return mask;
}

/* Follows `name` to its target and checks that there is one. */
DWORD ResolveExisting(LPCSTR name, Target &t, bool listedState = false)
{
    DWORD err = ResolveTarget(name, t, listedState);
    if (!err && !t.entry.exists)
        err = ERROR_FILE_NOT_FOUND;
    return err;
}

bool IsCwd(const FileId &id)
{
    const WorkingDir &w = Cwd();
    return w.fd >= 0 && id == FileId{w.dev, w.ino};
}

} // namespace

extern "C" {

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName)
{
    if (!lpFileName || !*lpFileName)
        return Fail(ERROR_PATH_NOT_FOUND, INVALID_FILE_ATTRIBUTES);
    Target t;
    DWORD err = ResolveExisting(lpFileName, t);
    if (!err && t.trailingSep && !IsFolderLike(t.folder, t.entry))
        err = ERROR_PATH_NOT_FOUND; /* "file\" */
    if (err)
        return Fail(err, INVALID_FILE_ATTRIBUTES);
    return AttributesOf(t.folder, t.entry);
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    if (!lpFileName || !*lpFileName)
        return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    Target t;
    DWORD err = ResolveExisting(lpFileName, t);
    if (!err && t.trailingSep && !IsFolderLike(t.folder, t.entry))
        err = ERROR_INVALID_NAME;
    if (err)
        return Fail(err, FALSE);
    if (IsLink(t.entry))
        return TRUE; /* a link has no permissions of its own, and what it points to is left alone */
    /* Only the read-only attribute is kept, in the write permissions; the
     * others are taken and forgotten. A folder cannot be made read-only
     * (as with Wine), but clearing the attribute makes it writable. */
    mode_t mode = t.entry.st.st_mode & 07777;
    mode_t wanted;
    if (!(dwFileAttributes & FILE_ATTRIBUTE_READONLY))
        wanted = mode | ((0600 | ((mode & 044) >> 1)) & ~HostUmask()); /* writable where readable */
    else if (S_ISDIR(t.entry.st.st_mode))
        wanted = mode;
    else
        wanted = mode & ~0222;
    if (wanted != mode && fchmodat(t.folder.fd.Get(), t.entry.host.c_str(), wanted, 0) != 0)
        return Fail(HostError(errno, ERROR_FILE_NOT_FOUND), FALSE);
    ForgetListedEntries();
    return TRUE;
}

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    (void)lpSecurityAttributes;
    if (!lpPathName || !*lpPathName)
        return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    Target t;
    DWORD err = ResolveTarget(lpPathName, t);
    if (err)
        return Fail(err, FALSE);
    if (t.entry.exists)
        return Fail(ERROR_ALREADY_EXISTS, FALSE);
    if (mkdirat(t.folder.fd.Get(), t.entry.host.c_str(), 0777) != 0)
        return Fail(HostError(errno, ERROR_PATH_NOT_FOUND), FALSE);
    return TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName)
{
    if (!lpPathName || !*lpPathName)
        return Fail(ERROR_INVALID_NAME, FALSE);
    Target t;
    DWORD err = ResolveExisting(lpPathName, t, true);
    if (err)
        return Fail(err, FALSE);
    if (t.isRoot)
        return Fail(ERROR_ACCESS_DENIED, FALSE);
    if (!IsFolderLike(t.folder, t.entry))
        return Fail(t.trailingSep ? ERROR_INVALID_NAME : ERROR_DIRECTORY, FALSE);
    int flags = AT_REMOVEDIR;
    if (IsLink(t.entry)) {
        flags = 0; /* a link to a folder goes, the folder stays */
    } else {
        /* the working directory and a folder being listed are open, and
         * open without sharing deletion */
        FileId id = IdOf(t.entry.st);
        if (IsCwd(id) || IsHeldOpen(id))
            return Fail(ERROR_SHARING_VIOLATION, FALSE);
    }
    if (unlinkat(t.folder.fd.Get(), t.entry.host.c_str(), flags) != 0)
        return Fail(errno == EEXIST ? ERROR_DIR_NOT_EMPTY : HostError(errno, ERROR_FILE_NOT_FOUND), FALSE);
    ForgetReparsePoint(IdOf(t.entry.st));
    ForgetListedEntry(t.entry.host);
    return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName)
{
    if (!lpFileName || !*lpFileName)
        return Fail(ERROR_PATH_NOT_FOUND, FALSE);
    Target t;
    DWORD err = ResolveExisting(lpFileName, t, true);
    if (err)
        return Fail(err, FALSE);
    bool folder = t.isRoot || IsFolderLike(t.folder, t.entry);
    if (t.trailingSep)
        return Fail(folder ? ERROR_ACCESS_DENIED : ERROR_INVALID_NAME, FALSE);
    if (folder)
        return Fail(ERROR_ACCESS_DENIED, FALSE); /* folders, and links to folders, go with RemoveDirectoryA */
    if (!IsLink(t.entry)) {
        if (IsHeldOpen(IdOf(t.entry.st)))
            return Fail(ERROR_SHARING_VIOLATION, FALSE);
        if (IsReadOnly(t.entry.st))
            return Fail(ERROR_ACCESS_DENIED, FALSE);
    }
    if (unlinkat(t.folder.fd.Get(), t.entry.host.c_str(), 0) != 0)
        return Fail(HostError(errno, ERROR_FILE_NOT_FOUND), FALSE);
    ForgetReparsePoint(IdOf(t.entry.st));
    ForgetListedEntry(t.entry.host);
    return TRUE;
}

int _mkdir(const char *dirname) { return CreateDirectoryA(dirname, nullptr) ? 0 : CrtFail(); }

int _rmdir(const char *dirname) { return RemoveDirectoryA(dirname) ? 0 : CrtFail(); }

int LzPortRemove(const char *filename) { return DeleteFileA(filename) ? 0 : CrtFail(); }

} /* extern "C" */

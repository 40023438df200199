/* files_common.cpp - attributes of host entries, the objects held open by
 * handles, and the runtime's errno for Win32 errors. */
#include <errno.h>

#include <unordered_map>

#include "files.h"

namespace lzport {

namespace {

struct FileIdHash {
    size_t operator()(const FileId &id) const { return std::hash<ino_t>()(id.ino) ^ (std::hash<dev_t>()(id.dev) << 1); }
};

std::unordered_map<FileId, unsigned, FileIdHash> &Held()
{
    static std::unordered_map<FileId, unsigned, FileIdHash> held;
    return held;
}

std::unordered_map<FileId, DWORD, FileIdHash> &ReparseMarks()
{
    static std::unordered_map<FileId, DWORD, FileIdHash> marks;
    return marks;
}

} // namespace

DWORD AttributesFromStat(const struct stat &st, bool linkToFolder)
{
    if (S_ISLNK(st.st_mode))
        return FILE_ATTRIBUTE_REPARSE_POINT | (linkToFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE);
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (IsReadOnly(st))
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (ReparseTagOf(st) != 0)
        attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    return attributes;
}

DWORD ReparseTagOf(const struct stat &st)
{
    if (S_ISLNK(st.st_mode))
        return IO_REPARSE_TAG_SYMLINK;
    if (ReparseMarks().empty())
        return 0;
    auto it = ReparseMarks().find(IdOf(st));
    return it == ReparseMarks().end() ? 0 : it->second;
}

void MarkReparsePoint(const FileId &id, DWORD tag) { ReparseMarks()[id] = tag; }

void ForgetReparsePoint(const FileId &id)
{
    if (!ReparseMarks().empty())
        ReparseMarks().erase(id);
}

void ForgetReparsePoints() { ReparseMarks().clear(); }

DWORD AttributesOf(const Folder &f, const Entry &e)
{
    return AttributesFromStat(e.st, IsLink(e) && IsFolderLike(f, e));
}

void HoldOpen(const FileId &id) { ++Held()[id]; }

void ReleaseOpen(const FileId &id)
{
    auto it = Held().find(id);
    if (it != Held().end() && --it->second == 0)
        Held().erase(it);
}

bool IsHeldOpen(const FileId &id) { return !Held().empty() && Held().count(id) != 0; }

int CrtErrno(DWORD error)
{
    /* the runtime's own table: codes 19 to 36 (write protection, sharing,
     * locking) all read as EACCES */
    if (error >= ERROR_WRITE_PROTECT && error <= 36)
        return EACCES;
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NO_MORE_FILES:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return ENOENT;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_ACCESS_DENIED:
    case ERROR_CURRENT_DIRECTORY:
        return EACCES;
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_NOT_ENOUGH_MEMORY:
        return ENOMEM;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DIR_NOT_EMPTY:
        return ENOTEMPTY;
    case ERROR_DISK_FULL:
        return ENOSPC;
    default:
        return EINVAL;
    }
}

int CrtFail()
{
    errno = CrtErrno(GetLastError());
    return -1;
}

} // namespace lzport

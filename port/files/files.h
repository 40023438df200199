/* files.h - what the file, folder and listing calls share: the attributes
 * of host entries, the objects that open handles keep from being deleted,
 * and the runtime's errno for a Win32 error. */
#ifndef LZPORT_FILES_H
#define LZPORT_FILES_H

#include <sys/stat.h>

#include "paths.h"
#include "windows.h"

namespace lzport {

/* No write permission for anyone: read-only, as the system shows it. */
inline bool IsReadOnly(const struct stat &st) { return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

/* The attributes of an entry: a link shows as a reparse point, with the
 * folder attribute when it leads to a folder; a file is marked for
 * archiving, as new files are on Windows. A name that starts with a dot is
 * not hidden: Wine hides such names after the Unix custom, Windows does
 * not. An entry marked as a reparse point of another kind shows as one. */
DWORD AttributesFromStat(const struct stat &st, bool linkToFolder);
DWORD AttributesOf(const Folder &f, const Entry &e);

/* Host identity of a file or folder. */
struct FileId {
    dev_t dev;
    ino_t ino;
    bool operator==(const FileId &o) const { return dev == o.dev && ino == o.ino; }
};
inline FileId IdOf(const struct stat &st) { return FileId{st.st_dev, st.st_ino}; }

/* The reparse tag of an entry: IO_REPARSE_TAG_SYMLINK for a link, the tag
 * of a mark (LzPortMarkReparsePoint), 0 for an ordinary entry. A mark
 * stands for the reparse data of a cloud placeholder or a deduplicated
 * file, which the host has no form for; it lasts while the entry does. */
DWORD ReparseTagOf(const struct stat &st);
void MarkReparsePoint(const FileId &id, DWORD tag);
void ForgetReparsePoint(const FileId &id);
void ForgetReparsePoints();

/* Open handles that do not share deletion: a listing keeps its folder, a
 * file opened without FILE_SHARE_DELETE keeps its file. Such an object
 * cannot be deleted until the last of them is closed
 * (ERROR_SHARING_VIOLATION), as on Windows. */
void HoldOpen(const FileId &id);
void ReleaseOpen(const FileId &id);
bool IsHeldOpen(const FileId &id);

/* Sets the last error and gives back `result`. */
template <class T> T Fail(DWORD error, T result)
{
    SetLastError(error);
    return result;
}

/* The runtime's errno for a Win32 error. */
int CrtErrno(DWORD error);
/* Sets errno from the last error and returns -1, as the runtime's
 * directory functions fail. */
int CrtFail();

} // namespace lzport

#endif

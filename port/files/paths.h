/* paths.h - Windows paths on the host. A path is first cleaned up as the
 * system does it (drive forms, "." and "..", doubled separators, trailing
 * dots and spaces), then followed name by name from the working directory
 * or a drive root, each name matched without regard to case. The working
 * directory is a Windows path plus an open folder, so relative names never
 * need a host path built from the root.
 *
 * Everything here runs on the program's one thread; nothing is locked. */
#ifndef LZPORT_PATHS_H
#define LZPORT_PATHS_H

#include <sys/stat.h>

#include <string>
#include <string_view>
#include <vector>

#include "windef.h"

namespace lzport {

/* ---- the text of a path ---- */

/* A cleaned-up Windows path: where it starts, how many folders it climbs
 * from the working directory first, and the names that follow. The names
 * are views into the text that was parsed. */
struct WinPath {
    char drive = 0;        /* the drive letter as written (absolute paths) */
    bool relative = false; /* starts at the working directory */
    size_t up = 0;         /* relative only: folders climbed first */
    std::vector<std::string_view> names;
    bool trailingSep = false; /* ends in a separator */
};

/* Parses `path` (not empty). Network paths (\\server\share) are not
 * reached by this layer: ERROR_PATH_NOT_FOUND. */
DWORD ParseWinPath(const char *path, WinPath &out);

/* The full path that `p` names, as GetFullPathNameA writes it: "C:\a\b",
 * "C:\" for a root, with a trailing backslash when `p` has one. `ends`
 * receives where each name ends; `filePart` where the last name starts
 * (npos when the text ends in a backslash). */
std::string FullPathText(const WinPath &p, std::vector<size_t> *ends = nullptr, size_t *filePart = nullptr);

/* Checks a name for characters that no file name may hold; '*' and '?'
 * pass when `wildcards` is set. */
bool IsValidName(std::string_view name, bool wildcards);
inline bool HasWildcards(std::string_view name)
{
    return name.find_first_of("*?") != std::string_view::npos; /* neither is ever a trail byte */
}

/* ---- the working directory ---- */

struct WorkingDir {
    std::string path;         /* "C:\a\b", or "C:\" at a root */
    std::vector<size_t> ends; /* where each name of `path` ends */
    int fd = -1;              /* the folder itself */
    dev_t dev = 0;
    ino_t ino = 0;
    size_t realTail = 0; /* trailing names entered as real folders, not links */

    size_t Depth() const { return ends.size(); }
};

/* The working directory, set up on first use. */
WorkingDir &Cwd();

/* ---- following a path on the host ---- */

/* An open folder on the host, owned or borrowed. */
class Fd {
public:
    Fd() = default;
    Fd(int fd, bool own) : m_fd(fd), m_own(own) {}
    ~Fd() { Reset(); }
    Fd(Fd &&other) noexcept : m_fd(other.m_fd), m_own(other.m_own) { other.m_fd = -1; }
    Fd &operator=(Fd &&other) noexcept;
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;

    int Get() const { return m_fd; }
    bool Owned() const { return m_own; }
    /* Hands the descriptor over, duplicating it when it is borrowed. */
    int Release();
    void Reset();

private:
    int m_fd = -1;
    bool m_own = false;
};

/* A folder reached while following a path. */
struct Folder {
    Fd fd;
    size_t depth = 0;    /* names below the drive root */
    size_t realTail = 0; /* trailing names reached as real folders */
    bool isCwd = false;  /* fd is the working directory's own */
};

/* What a name inside a folder refers to. */
struct Entry {
    std::string host; /* the host name: as found, or as written when missing */
    bool exists = false;
    struct stat st {}; /* the entry itself (a link is not followed) */
};

/* Opens the folder from which `p` continues with its names: the working
 * directory, a folder above it or a drive root. */
DWORD OpenStart(const WinPath &p, Folder &out);
/* Moves `f` into its sub-folder `name`. ERROR_PATH_NOT_FOUND when there is
 * none; ERROR_DIRECTORY when `name` is there but is not a folder. */
DWORD EnterFolder(Folder &f, std::string_view name);
/* Opens the folder reached through the first `count` names of `p`. A name
 * that is not a folder gives ERROR_PATH_NOT_FOUND. */
DWORD OpenFolder(const WinPath &p, size_t count, Folder &out);
/* Looks `name` up in `f`: an entry just listed from the working directory
 * under that name in any letter case, the exact name, then any name that
 * equals it without regard to case. With `listedState`, an entry just
 * listed is taken as the listing saw it, without looking again: enough for
 * deleting, removing and entering, which need only its kind, permissions
 * and identity. */
DWORD FindEntry(const Folder &f, std::string_view name, Entry &out, bool listedState = false);

/* A path followed to the folder that holds its last name, and that name.
 * For a drive root the folder is the root and the entry is "." in it. */
struct Target {
    Folder folder;
    Entry entry;
    bool isRoot = false;
    bool trailingSep = false;
    std::string text; /* holds the names when the path had to be spelled out */
};

/* Follows `path` (not null, not empty) to its target. Fails for a path too
 * long for the system's ANSI calls, a missing or unreadable folder on the
 * way, or a name that cannot be a file name. */
DWORD ResolveTarget(const char *path, Target &out, bool listedState = false);

/* The entry's own kind, and for a link the kind of what it points to. */
bool IsLink(const Entry &e);
bool IsFolderLike(const Folder &f, const Entry &e);

/* ---- host names ---- */

/* Converts a host name (UTF-8) to code page 932. A character that has no
 * code page 932 form becomes '?', as the system writes it. */
void HostNameToCp932(std::string_view host, std::string &out);

/* Reads the names of a folder in batches, in the host's own order,
 * without "." and "..". Memory does not grow with the folder. */
class DirReader {
public:
    explicit DirReader(int fd); /* takes the descriptor over */
    ~DirReader();
    DirReader(const DirReader &) = delete;
    DirReader &operator=(const DirReader &) = delete;

    /* The next name, or null at the end or on a read error (Error()). */
    const char *Next();
    int Error() const { return m_error; }
    int Fd() const { return m_fd; }

private:
    int m_fd;
    char *m_buf;
    long m_len = 0;
    long m_pos = 0;
    int m_error = 0;
};

/* ---- errors ---- */

/* The Win32 error for a failed host call; `missing` is the answer for
 * ENOENT, which depends on what was being looked for. */
DWORD HostError(int err, DWORD missing);

/* Records an entry that a listing of the folder (dev, ino) handed out: a
 * walk that lists the working directory and then deletes or enters each
 * entry, by its name in any letter case, finds it here without looking
 * again. The last two are kept, since a walk reads one entry ahead. */
void NoteListedEntry(dev_t dev, ino_t ino, std::string_view cp932, std::string_view host, const struct stat &st);
/* Forgets listed entries: those with host name `host` once it is gone, or
 * all of them when permissions change. */
void ForgetListedEntry(const std::string &host);
void ForgetListedEntries();

} // namespace lzport

#endif

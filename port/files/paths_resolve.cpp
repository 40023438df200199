/* paths_resolve.cpp - following Windows paths on the host: the working
 * directory, drive roots, and each name looked up exactly first and then
 * without regard to case. */
#include <errno.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include "cp932.h"
#include "files.h"
#include "machine.h"
#include "paths.h"
#include "windows.h"

namespace lzport {

namespace {

const int kDirFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

WorkingDir g_cwd;
bool g_cwdReady = false;

/* The last two entries handed out by listings (see NoteListedEntry). */
struct ListedEntry {
    dev_t dev = 0; /* the folder listed */
    ino_t ino = 0;
    std::string cp932;
    std::string host; /* empty: nothing kept */
    struct stat st {};
};
ListedEntry g_listed[2];
int g_listedNext = 0;

/* Windows has no small limit on open handles; a deep walk holds one
 * listing per level. */
void RaiseOpenFileLimit()
{
    struct rlimit rl;
    if (getrlimit(RLIMIT_NOFILE, &rl) != 0 || rl.rlim_cur >= rl.rlim_max)
        return;
    rl.rlim_cur = std::min<rlim_t>(rl.rlim_max, 65536);
    setrlimit(RLIMIT_NOFILE, &rl);
}

DWORD OpenRoot(char drive, Folder &out)
{
    std::string root = DriveRoot(drive);
    if (root.empty())
        return ERROR_PATH_NOT_FOUND;
    int fd = open(root.c_str(), kDirFlags);
    if (fd < 0)
        return HostError(errno, ERROR_PATH_NOT_FOUND);
    out.fd = Fd(fd, true);
    out.depth = 0;
    out.realTail = 0;
    out.isCwd = false;
    return ERROR_SUCCESS;
}

std::string_view CwdName(const WorkingDir &w, size_t i)
{
    size_t start = i == 0 ? 3 : w.ends[i - 1] + 1;
    return std::string_view(w.path).substr(start, w.ends[i] - start);
}

/* Opens the sub-folder `host` of `dirFd`, noting whether it was reached
 * through a link. */
int OpenSubfolder(int dirFd, const std::string &host, bool &link)
{
    int fd = openat(dirFd, host.c_str(), kDirFlags | O_NOFOLLOW);
    if (fd < 0 && errno == ENOTDIR) {
        fd = openat(dirFd, host.c_str(), kDirFlags);
        link = fd >= 0;
        if (fd < 0 && errno == ENOENT)
            errno = ENOTDIR; /* a link that leads nowhere is there, but is no folder */
    }
    return fd;
}

/* An entry just listed from the working directory `f` under `name`, in
 * the same letter case by preference. */
const ListedEntry *ListedInCwd(const Folder &f, std::string_view name)
{
    if (!f.isCwd)
        return nullptr;
    const ListedEntry *found = nullptr;
    for (const ListedEntry &e : g_listed) {
        if (e.host.empty() || e.dev != g_cwd.dev || e.ino != g_cwd.ino)
            continue;
        if (name == e.cp932)
            return &e;
        if (!found && Cp932EqualNoCase(name, e.cp932))
            found = &e;
    }
    return found;
}

/* Looks for an entry of `f` whose name equals `name` without regard to
 * case; `host` receives its host name. */
bool FindNoCase(const Folder &f, std::string_view name, std::string &host)
{
    int fd = openat(f.fd.Get(), ".", kDirFlags);
    if (fd < 0)
        return false;
    DirReader reader(fd);
    std::string cp932;
    while (const char *entry = reader.Next()) {
        if (Utf8ToCp932(entry, cp932) && Cp932EqualNoCase(name, cp932)) {
            host = entry;
            return true;
        }
    }
    return false;
}

bool IsDotName(std::string_view name) { return name == "." || name == ".."; }

} // namespace

Fd &Fd::operator=(Fd &&other) noexcept
{
    if (this != &other) {
        Reset();
        m_fd = other.m_fd;
        m_own = other.m_own;
        other.m_fd = -1;
    }
    return *this;
}

int Fd::Release()
{
    int fd = m_own ? m_fd : fcntl(m_fd, F_DUPFD_CLOEXEC, 0);
    m_fd = -1;
    return fd;
}

void Fd::Reset()
{
    if (m_own && m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

void FilesReset()
{
    static bool limitRaised = false;
    if (!limitRaised) {
        RaiseOpenFileLimit();
        limitRaised = true;
    }
    if (g_cwd.fd >= 0)
        close(g_cwd.fd);
    ForgetReparsePoints();
    g_cwd = WorkingDir();
    g_cwd.path = "C:\\";
    std::string root = DriveRoot('c');
    if (!root.empty())
        g_cwd.fd = open(root.c_str(), kDirFlags);
    struct stat st;
    if (g_cwd.fd >= 0 && fstat(g_cwd.fd, &st) == 0) {
        g_cwd.dev = st.st_dev;
        g_cwd.ino = st.st_ino;
    }
    ForgetListedEntries();
    g_cwdReady = true;
}

WorkingDir &Cwd()
{
    MachineDir(); /* selecting the machine on first use resets this module */
    if (!g_cwdReady)
        FilesReset();
    return g_cwd;
}

DWORD OpenStart(const WinPath &p, Folder &out)
{
    if (!p.relative)
        return OpenRoot(p.drive, out);
    WorkingDir &w = Cwd();
    if (w.fd < 0)
        return ERROR_PATH_NOT_FOUND;
    size_t up = std::min(p.up, w.Depth());
    if (up == 0) {
        out.fd = Fd(w.fd, false);
        out.depth = w.Depth();
        out.realTail = w.realTail;
        out.isCwd = true;
        return ERROR_SUCCESS;
    }
    out.isCwd = false;
    if (up <= w.realTail) {
        /* the folders above were entered as real folders: their host
         * parents are the parents that the path's text names */
        out.fd = Fd(w.fd, false);
        for (size_t i = 0; i < up; ++i) {
            int fd = openat(out.fd.Get(), "..", kDirFlags);
            if (fd < 0)
                return HostError(errno, ERROR_PATH_NOT_FOUND);
            out.fd = Fd(fd, true);
        }
        out.depth = w.Depth() - up;
        out.realTail = w.realTail - up;
        return ERROR_SUCCESS;
    }
    /* climbing back out of a link: follow the names from the root */
    DWORD err = OpenRoot(w.path[0], out);
    for (size_t i = 0; !err && i < w.Depth() - up; ++i)
        err = EnterFolder(out, CwdName(w, i));
    return err == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : err;
}

DWORD EnterFolder(Folder &f, std::string_view name)
{
    std::string host;
    if (!IsValidName(name, false) || IsDotName(name) || !Cp932ToUtf8(name, host))
        return ERROR_INVALID_NAME;
    bool link = false;
    int fd = OpenSubfolder(f.fd.Get(), host, link);
    if (fd < 0 && errno == ENOENT) {
        if (FindNoCase(f, name, host))
            fd = OpenSubfolder(f.fd.Get(), host, link);
        else
            errno = ENOENT; /* the scan may have left another */
    }
    if (fd < 0)
        return errno == ENOTDIR ? ERROR_DIRECTORY : HostError(errno, ERROR_PATH_NOT_FOUND);
    f.fd = Fd(fd, true);
    f.depth += 1;
    f.realTail = link ? 0 : f.realTail + 1;
    f.isCwd = false;
    return ERROR_SUCCESS;
}

DWORD OpenFolder(const WinPath &p, size_t count, Folder &out)
{
    DWORD err = OpenStart(p, out);
    for (size_t i = 0; !err && i < count; ++i)
        err = EnterFolder(out, p.names[i]);
    return err == ERROR_DIRECTORY ? ERROR_PATH_NOT_FOUND : err;
}

DWORD FindEntry(const Folder &f, std::string_view name, Entry &out, bool listedState)
{
    out.exists = false;
    if (!IsValidName(name, false) || IsDotName(name))
        return ERROR_INVALID_NAME;
    if (const ListedEntry *listed = ListedInCwd(f, name)) {
        out.host = listed->host;
        if (listedState)
            out.st = listed->st;
        if (listedState || fstatat(f.fd.Get(), out.host.c_str(), &out.st, AT_SYMLINK_NOFOLLOW) == 0) {
            out.exists = true;
            return ERROR_SUCCESS;
        }
    }
    if (!Cp932ToUtf8(name, out.host))
        return ERROR_INVALID_NAME;
    if (fstatat(f.fd.Get(), out.host.c_str(), &out.st, AT_SYMLINK_NOFOLLOW) == 0) {
        out.exists = true;
        return ERROR_SUCCESS;
    }
    if (errno != ENOENT)
        return HostError(errno, ERROR_FILE_NOT_FOUND);
    std::string found;
    if (FindNoCase(f, name, found) && fstatat(f.fd.Get(), found.c_str(), &out.st, AT_SYMLINK_NOFOLLOW) == 0) {
        out.host.swap(found);
        out.exists = true;
    }
    return ERROR_SUCCESS;
}

DWORD ResolveTarget(const char *path, Target &out, bool listedState)
{
    if (Cp932CharCount(path) > MAX_PATH)
        return ERROR_FILENAME_EXCED_RANGE;
    WinPath p;
    DWORD err = ParseWinPath(path, p);
    if (err)
        return err;
    if (p.relative && p.names.empty()) {
        /* the working directory or a folder above it: spell the path out
         * to find the folder that holds it */
        out.text = FullPathText(p);
        ParseWinPath(out.text.c_str(), p);
    }
    out.trailingSep = p.trailingSep;
    if (p.names.empty()) {
        err = OpenStart(p, out.folder);
        if (err)
            return err;
        out.isRoot = true;
        out.entry.host = ".";
        out.entry.exists = fstat(out.folder.fd.Get(), &out.entry.st) == 0;
        return out.entry.exists ? ERROR_SUCCESS : HostError(errno, ERROR_PATH_NOT_FOUND);
    }
    err = OpenFolder(p, p.names.size() - 1, out.folder);
    if (err)
        return err;
    return FindEntry(out.folder, p.names.back(), out.entry, listedState);
}

bool IsLink(const Entry &e) { return e.exists && S_ISLNK(e.st.st_mode); }

bool IsFolderLike(const Folder &f, const Entry &e)
{
    if (!e.exists)
        return false;
    if (!S_ISLNK(e.st.st_mode))
        return S_ISDIR(e.st.st_mode);
    struct stat target;
    return fstatat(f.fd.Get(), e.host.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
}

DWORD HostError(int err, DWORD missing)
{
    switch (err) {
    case ENOENT:
        return missing;
    case ENOTDIR:
    case ELOOP:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG:
        return ERROR_INVALID_NAME; /* one name longer than a file system takes */
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EBUSY:
    case ETXTBSY:
        return ERROR_SHARING_VIOLATION;
    case EFAULT:
        return ERROR_NOACCESS;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    default: /* EACCES, EPERM, EROFS, EISDIR and the rest: refused */
        return ERROR_ACCESS_DENIED;
    }
}

void NoteListedEntry(dev_t dev, ino_t ino, std::string_view cp932, std::string_view host, const struct stat &st)
{
    ListedEntry &slot = g_listed[g_listedNext];
    g_listedNext ^= 1;
    slot.dev = dev;
    slot.ino = ino;
    slot.cp932.assign(cp932);
    slot.host.assign(host);
    slot.st = st;
}

void ForgetListedEntry(const std::string &host)
{
    for (ListedEntry &e : g_listed) {
        if (e.host == host)
            e.host.clear();
    }
}

void ForgetListedEntries()
{
    for (ListedEntry &e : g_listed)
        e.host.clear();
}

} // namespace lzport

/* files_find.cpp - folder listings: FindFirstFileA, FindNextFileA and
 * FindClose. A listing streams the host folder in batches; outside a drive
 * root it starts with "." and "..", as Windows lists them. Names match the
 * pattern without regard to case: '*' stands for any run of characters,
 * '?' for one character, and trailing dots and stars of the pattern may
 * match nothing. */
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "cp932.h"
#include "files.h"
#include "stat_ahead.h"

using namespace lzport;

namespace {

const size_t kBatchSize = 128; /* entries whose attributes are read ahead together */

struct FindHandle {
    std::unique_ptr<DirReader> reader;   /* null once the folder has been read to its end */
    StatAhead ahead;                     /* the batch being handed out (declared after the reader: gone first) */
    std::vector<std::string> aheadNames; /* code page 932 names of the batch */
    size_t aheadPos = 0;
    std::string mask;
    bool matchAll = false;
    int dotsLeft = 0; /* "." and ".." still to give */
    struct stat dirSt {};
    FileId dir{};
};

std::unordered_set<FindHandle *> &Finds()
{
    static std::unordered_set<FindHandle *> finds;
    return finds;
}

FindHandle *Lookup(HANDLE h)
{
    auto it = Finds().find(static_cast<FindHandle *>(h));
    return it == Finds().end() ? nullptr : *it;
}

inline size_t CharLenAt(std::string_view s, size_t i)
{
    return (Cp932IsLead((unsigned char)s[i]) && i + 1 < s.size()) ? 2 : 1;
}

unsigned CharAt(std::string_view s, size_t i)
{
    unsigned c = (unsigned char)s[i];
    return CharLenAt(s, i) == 2 ? (c << 8 | (unsigned char)s[i + 1]) : c;
}

bool MatchMask(std::string_view name, std::string_view mask)
{
    size_t n = 0, m = 0;
    size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
        } else if (m < mask.size() &&
                   (mask[m] == '?' || Cp932ToLower(CharAt(name, n)) == Cp932ToLower(CharAt(mask, m)))) {
            m += CharLenAt(mask, m);
            n += CharLenAt(name, n);
        } else if (starMask != std::string_view::npos) {
            starName += CharLenAt(name, starName);
            n = starName;
            m = starMask;
        } else {
            return false;
        }
    }
    while (m < mask.size() && (mask[m] == '*' || mask[m] == '.'))
        ++m;
    return m == mask.size();
}

FILETIME ToFileTime(const struct timespec &ts)
{
    const uint64_t kEpochDifference = 11644473600ULL; /* 1601-01-01 to 1970-01-01, in seconds */
    uint64_t ticks = ((uint64_t)ts.tv_sec + kEpochDifference) * 10000000ULL + (uint64_t)ts.tv_nsec / 100;
    return FILETIME{(DWORD)ticks, (DWORD)(ticks >> 32)};
}

void Fill(WIN32_FIND_DATAA *data, std::string_view name, const struct stat &st, bool linkToFolder)
{
    data->dwFileAttributes = AttributesFromStat(st, linkToFolder);
    data->ftCreationTime = ToFileTime(st.st_ctim);
    data->ftLastAccessTime = ToFileTime(st.st_atim);
    data->ftLastWriteTime = ToFileTime(st.st_mtim);
    uint64_t size = S_ISREG(st.st_mode) ? (uint64_t)st.st_size : 0;
    data->nFileSizeHigh = (DWORD)(size >> 32);
    data->nFileSizeLow = (DWORD)size;
    data->dwReserved0 = ReparseTagOf(st);
    data->dwReserved1 = 0;
    size_t len = 0; /* whole characters only, leaving room for the NUL */
    while (len < name.size() && len + CharLenAt(name, len) < MAX_PATH)
        len += CharLenAt(name, len);
    memcpy(data->cFileName, name.data(), len);
    data->cFileName[len] = '\0';
    data->cAlternateFileName[0] = '\0';
}

/* Reads the next matching names of `h` and starts reading their attributes;
 * false at the end of the folder. */
bool NextBatch(FindHandle *h)
{
    std::vector<std::string> hosts;
    h->aheadNames.clear();
    std::string name;
    while (hosts.size() < kBatchSize) {
        const char *host = h->reader->Next();
        if (!host)
            break;
        HostNameToCp932(host, name);
        if (!h->matchAll && !MatchMask(name, h->mask))
            continue;
        hosts.push_back(host);
        h->aheadNames.push_back(name);
    }
    h->aheadPos = 0;
    h->ahead.Start(h->reader->Fd(), std::move(hosts));
    return h->ahead.Size() > 0;
}

/* Gives the next entry of `h` that matches; FALSE with ERROR_NO_MORE_FILES
 * at the end, or with the error that stopped the reading. */
BOOL Next(FindHandle *h, WIN32_FIND_DATAA *data)
{
    while (h->dotsLeft > 0) {
        const char *dots = h->dotsLeft-- == 2 ? "." : "..";
        if (!h->matchAll && !MatchMask(dots, h->mask))
            continue;
        struct stat st = h->dirSt;
        if (dots[1] == '.' && h->reader)
            fstatat(h->reader->Fd(), "..", &st, 0);
        Fill(data, dots, st, false);
        return TRUE;
    }
    if (!h->reader)
        return Fail(ERROR_NO_MORE_FILES, FALSE);
    for (;;) {
        if (h->aheadPos == h->ahead.Size() && !NextBatch(h))
            break;
        size_t i = h->aheadPos++;
        const std::string &host = h->ahead.Name(i);
        struct stat st, target;
        if (!h->ahead.Get(i, st))
            continue; /* gone since the batch was read */
        bool linkToFolder =
            S_ISLNK(st.st_mode) && fstatat(h->reader->Fd(), host.c_str(), &target, 0) == 0 && S_ISDIR(target.st_mode);
        const std::string &name = h->aheadNames[i];
        Fill(data, name, st, linkToFolder);
        NoteListedEntry(h->dir.dev, h->dir.ino, name, host, st);
        return TRUE;
    }
    h->ahead.Reset();
    int err = h->reader->Error();
    h->reader.reset(); /* the folder stays held until FindClose */
    return Fail(err ? HostError(err, ERROR_NO_MORE_FILES) : ERROR_NO_MORE_FILES, FALSE);
}

/* Opens the folder that holds the last name of `p`: a name on the way
 * that is there but is no folder makes the pattern invalid, as on Windows. */
DWORD OpenListedFolder(const WinPath &p, Folder &f)
{
    size_t count = p.names.size() - 1;
    if (count == 0)
        return OpenStart(p, f);
    DWORD err = OpenFolder(p, count - 1, f);
    if (!err)
        err = EnterFolder(f, p.names[count - 1]);
    return err == ERROR_DIRECTORY ? ERROR_INVALID_NAME : err;
}

/* Sets up the listing of `p` in `h` and reads its first entry. */
DWORD Start(const WinPath &p, FindHandle *h, WIN32_FIND_DATAA *data)
{
    std::string_view mask = p.names.back();
    if (!IsValidName(mask, true))
        return ERROR_INVALID_NAME;
    Folder f;
    DWORD err = OpenListedFolder(p, f);
    if (err)
        return err;
    int fd = openat(f.fd.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return HostError(errno, ERROR_PATH_NOT_FOUND);
    h->reader.reset(new DirReader(fd));
    if (fstat(fd, &h->dirSt) != 0)
        return HostError(errno, ERROR_PATH_NOT_FOUND);
    if (h->dirSt.st_nlink == 0)
        return ERROR_PATH_NOT_FOUND; /* removed while it was the working directory */
    if (!(h->dirSt.st_mode & 0444))
        return ERROR_ACCESS_DENIED; /* unreadable to anyone: refused even to the superuser */
    h->dir = IdOf(h->dirSt);
    if (!HasWildcards(mask)) {
        /* a plain name lists that one entry, under its name on disk */
        h->reader.reset();
        Entry e;
        err = FindEntry(f, mask, e);
        if (!err && !e.exists)
            err = ERROR_FILE_NOT_FOUND;
        if (err)
            return err;
        std::string name;
        HostNameToCp932(e.host, name);
        Fill(data, name, e.st, IsLink(e) && IsFolderLike(f, e));
        return ERROR_SUCCESS;
    }
    h->mask.assign(mask);
    h->matchAll = mask == "*" || mask == "*.*";
    h->dotsLeft = f.depth == 0 ? 0 : 2;
    if (!Next(h, data))
        return GetLastError() == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : GetLastError();
    return ERROR_SUCCESS;
}

} // namespace

extern "C" {

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData)
{
    if (!lpFileName || !*lpFileName)
        return Fail(ERROR_PATH_NOT_FOUND, INVALID_HANDLE_VALUE);
    if (!lpFindFileData)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    if (Cp932CharCount(lpFileName) > MAX_PATH)
        return Fail(ERROR_FILENAME_EXCED_RANGE, INVALID_HANDLE_VALUE);
    WinPath p;
    std::string text;
    DWORD err = ParseWinPath(lpFileName, p);
    if (!err && p.relative && p.names.empty()) {
        /* "." and the like: the working directory, or a folder above it,
         * listed by its name in the folder that holds it */
        text = FullPathText(p);
        err = ParseWinPath(text.c_str(), p);
    }
    if (!err && (p.names.empty() || p.trailingSep))
        err = ERROR_FILE_NOT_FOUND; /* nothing to match */
    if (err)
        return Fail(err, INVALID_HANDLE_VALUE);
    FindHandle *h = new FindHandle;
    err = Start(p, h, lpFindFileData);
    if (err) {
        delete h;
        return Fail(err, INVALID_HANDLE_VALUE);
    }
    HoldOpen(h->dir);
    Finds().insert(h);
    return h;
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData)
{
    FindHandle *h = Lookup(hFindFile);
    if (!h)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (!lpFindFileData)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    return Next(h, lpFindFileData);
}

BOOL WINAPI FindClose(HANDLE hFindFile)
{
    FindHandle *h = Lookup(hFindFile);
    if (!h)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    Finds().erase(h);
    ReleaseOpen(h->dir);
    delete h;
    return TRUE;
}

} /* extern "C" */

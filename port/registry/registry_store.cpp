/* registry_store.cpp - keeping the registry tree and HKLM.reg in step:
 * reading the file when it changed, writing it atomically, locking. */
#include "registry_store.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "machine.h"
#include "registry_faults.h"
#include "registry_format.h"
#include "registry_handles.h"
#include "winerror.h"

namespace lzport::reg {

namespace {

/* What tells one version of the file from another. */
struct FileStamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    struct timespec mtime = {0, 0};

    bool operator==(const FileStamp &o) const
    {
        return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
               mtime.tv_nsec == o.mtime.tv_nsec;
    }
};

FileStamp StampOf(const struct stat &st)
{
    FileStamp s;
    s.exists = true;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = st.st_size;
    s.mtime = st.st_mtim;
    return s;
}

struct StoreState {
    bool loaded = false; /* false: read the file at the next session */
    FileStamp stamp;
    KeyPtr root;
    LONG error = ERROR_SUCCESS; /* non-zero while the file cannot be used */
};

StoreState &State()
{
    static StoreState state;
    return state;
}

std::string FilePath(const std::string &dir) { return dir + "/HKLM.reg"; }
std::string TempPath(const std::string &dir) { return dir + "/HKLM.reg.tmp"; }

FILETIME ToFileTime(const struct timespec &ts)
{
    unsigned long long t = ((unsigned long long)ts.tv_sec + 11644473600ull) * 10000000ull + ts.tv_nsec / 100;
    return FILETIME{(DWORD)t, (DWORD)(t >> 32)};
}

/* Takes `root` as the tree, moving the open handles over to it. */
void Adopt(StoreState &st, const KeyPtr &root)
{
    RemapHandles(root);
    st.root = root;
    st.error = ERROR_SUCCESS;
}

bool ReadAll(int fd, std::string &text)
{
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        text.append(buf, (size_t)n);
    }
}

void Sync(StoreState &st, const std::string &dir)
{
    std::string path = FilePath(dir);
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        FileStamp none;
        if (!st.loaded || !(st.stamp == none))
            Adopt(st, NewRootKey());
        st.stamp = none;
        st.loaded = true;
        return;
    }
    struct stat sb;
    if (fd < 0 || fstat(fd, &sb) != 0) {
        ReportProblem("cannot read " + path + ": " + strerror(errno));
        if (fd >= 0)
            close(fd);
        st.error = ERROR_REGISTRY_IO_FAILED;
        st.loaded = false;
        return;
    }
    FileStamp stamp = StampOf(sb);
    if (st.loaded && st.stamp == stamp) {
        close(fd);
        return;
    }
    std::string text;
    bool readOk = ReadAll(fd, text);
    close(fd);
    if (!readOk) {
        ReportProblem("cannot read " + path + ": " + strerror(errno));
        st.error = ERROR_REGISTRY_IO_FAILED;
        st.loaded = false;
        return;
    }
    KeyPtr root;
    ParseError error;
    if (ParseRegistry(text, ToFileTime(sb.st_mtim), root, error)) {
        Adopt(st, root);
    } else {
        ReportProblem(path + ":" + std::to_string(error.line) + ": " + error.message);
        st.error = ERROR_REGISTRY_CORRUPT;
    }
    st.stamp = stamp;
    st.loaded = true;
}

bool WriteAll(int fd, const std::string &text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += (size_t)n;
    }
    return true;
}

/* A modification time later than the previous file's, even when both
 * writes fall into the same clock tick, so that every reader sees that the
 * file changed. */
struct timespec NextMtime(const FileStamp &previous)
{
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    if (!previous.exists)
        return now;
    struct timespec next = previous.mtime;
    if (++next.tv_nsec >= 1000000000L) {
        next.tv_nsec = 0;
        ++next.tv_sec;
    }
    bool nowIsLater = now.tv_sec > next.tv_sec || (now.tv_sec == next.tv_sec && now.tv_nsec > next.tv_nsec);
    return nowIsLater ? now : next;
}

} // namespace

std::recursive_mutex &RegistryMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

Session::Session(Mode mode)
{
    m_dir = MachineDir(); /* selects the machine (and resets this module) first if needed */
    m_lock = std::unique_lock<std::recursive_mutex>(RegistryMutex());
    if (mode == kWrite) {
        m_dirFd = open(m_dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int rc;
        do
            rc = m_dirFd < 0 ? -1 : flock(m_dirFd, LOCK_EX);
        while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            ReportProblem("cannot lock the machine folder " + m_dir + ": " + strerror(errno));
            m_status = ERROR_REGISTRY_IO_FAILED;
            return;
        }
    }
    StoreState &st = State();
    Sync(st, m_dir);
    m_status = st.error;
}

Session::~Session()
{
    if (m_dirFd >= 0)
        close(m_dirFd); /* releases the lock */
}

const KeyPtr &Session::Root() const { return State().root; }

LONG Session::Commit()
{
    StoreState &st = State();
    std::string path = FilePath(m_dir), tmp = TempPath(m_dir);
    std::string text = FormatRegistry(*st.root);
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool ok = fd >= 0 && WriteAll(fd, text);
    if (ok) {
        struct timespec times[2] = {{0, UTIME_OMIT}, NextMtime(st.stamp)};
        ok = futimens(fd, times) == 0 && fsync(fd) == 0;
    }
    if (fd >= 0 && close(fd) != 0)
        ok = false;
    ok = ok && rename(tmp.c_str(), path.c_str()) == 0;
    struct stat sb;
    if (!ok || stat(path.c_str(), &sb) != 0) {
        ReportProblem("cannot write " + path + ": " + strerror(errno));
        unlink(tmp.c_str());
        st.loaded = false;
        return ERROR_REGISTRY_IO_FAILED;
    }
    fsync(m_dirFd); /* makes the rename itself durable */
    st.stamp = StampOf(sb);
    return ERROR_SUCCESS;
}

} // namespace lzport::reg

namespace lzport {

void RegistryReset()
{
    std::lock_guard<std::recursive_mutex> lock(reg::RegistryMutex());
    reg::State() = reg::StoreState();
    reg::ResetHandles();
    reg::ResetFaults();
}

} // namespace lzport

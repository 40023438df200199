/* registry_store.cpp - keeping each hive's tree and its file in step:
 * reading the file when it changed, writing it atomically, locking. */
#include "registry_store.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <unistd.h>

#include "machine.h"
#include "registry_faults.h"
#include "registry_format.h"
#include "registry_handles.h"
#include "winerror.h"

namespace lzport::reg {

namespace {

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

FILETIME ToFileTime(const struct timespec &ts)
{
    unsigned long long t = ((unsigned long long)ts.tv_sec + 11644473600ull) * 10000000ull + ts.tv_nsec / 100;
    return FILETIME{(DWORD)t, (DWORD)(t >> 32)};
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

/* The hive a handle lies in, or the error of a handle that has none. */
LONG HiveOfHandle(HKEY hkey, Hive *&hive)
{
    hive = PredefinedHive(hkey);
    if (hive)
        return ERROR_SUCCESS;
    if (IsPredefined(hkey))
        return ERROR_FILE_NOT_FOUND;
    const OpenKey *open = FindHandle(hkey);
    if (!open)
        return ERROR_INVALID_HANDLE;
    hive = open->hive;
    return ERROR_SUCCESS;
}

} // namespace

bool FileStamp::operator==(const FileStamp &o) const
{
    return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
           mtime.tv_nsec == o.mtime.tv_nsec;
}

void Hive::Reset()
{
    m_loaded = false;
    m_stamp = FileStamp();
    m_root.reset();
    m_error = ERROR_SUCCESS;
}

std::string Hive::FilePath(const std::string &dir) const { return dir + "/" + m_fileName; }

void Hive::Adopt(const KeyPtr &root)
{
    RemapHandles(*this, root);
    m_root = root;
    m_error = ERROR_SUCCESS;
}

void Hive::Sync(const std::string &dir)
{
    std::string path = FilePath(dir);
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        FileStamp none;
        if (!m_loaded || !(m_stamp == none))
            Adopt(NewRootKey());
        m_stamp = none;
        m_loaded = true;
        return;
    }
    struct stat sb;
    if (fd < 0 || fstat(fd, &sb) != 0) {
        ReportProblem("cannot read " + path + ": " + strerror(errno));
        if (fd >= 0)
            close(fd);
        m_error = ERROR_REGISTRY_IO_FAILED;
        m_loaded = false;
        return;
    }
    FileStamp stamp = StampOf(sb);
    if (m_loaded && m_stamp == stamp) {
        close(fd);
        return;
    }
    std::string text;
    bool readOk = ReadAll(fd, text);
    close(fd);
    if (!readOk) {
        ReportProblem("cannot read " + path + ": " + strerror(errno));
        m_error = ERROR_REGISTRY_IO_FAILED;
        m_loaded = false;
        return;
    }
    KeyPtr root;
    ParseError error;
    if (ParseRegistry(text, m_rootName, ToFileTime(sb.st_mtim), root, error)) {
        Adopt(root);
    } else {
        ReportProblem(path + ":" + std::to_string(error.line) + ": " + error.message);
        m_error = ERROR_REGISTRY_CORRUPT;
    }
    m_stamp = stamp;
    m_loaded = true;
}

LONG Hive::Write(const std::string &dir, int dirFd)
{
    std::string path = FilePath(dir), tmp = path + ".tmp";
    std::string text = FormatRegistry(*m_root, m_rootName);
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool ok = fd >= 0 && WriteAll(fd, text);
    if (ok) {
        struct timespec times[2] = {{0, UTIME_OMIT}, NextMtime(m_stamp)};
        ok = futimens(fd, times) == 0 && fsync(fd) == 0;
    }
    if (fd >= 0 && close(fd) != 0)
        ok = false;
    ok = ok && rename(tmp.c_str(), path.c_str()) == 0;
    struct stat sb;
    if (!ok || stat(path.c_str(), &sb) != 0) {
        ReportProblem("cannot write " + path + ": " + strerror(errno));
        unlink(tmp.c_str());
        m_loaded = false;
        return ERROR_REGISTRY_IO_FAILED;
    }
    fsync(dirFd); /* makes the rename itself durable */
    m_stamp = StampOf(sb);
    return ERROR_SUCCESS;
}

Hive &MachineHive()
{
    static Hive hive("HKEY_LOCAL_MACHINE", "HKLM.reg");
    return hive;
}

Hive &UserHive()
{
    static Hive hive("HKEY_CURRENT_USER", "HKCU.reg");
    return hive;
}

Hive *PredefinedHive(HKEY hkey)
{
    /* only the low 32 bits tell a predefined key, as on 64-bit Windows */
    DWORD low = (DWORD)(ULONG_PTR)hkey;
    if (low == (DWORD)(ULONG_PTR)HKEY_LOCAL_MACHINE)
        return &MachineHive();
    if (low == (DWORD)(ULONG_PTR)HKEY_CURRENT_USER)
        return &UserHive();
    return nullptr;
}

std::recursive_mutex &RegistryMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

Session::Session(HKEY hkey, Mode mode)
{
    m_dir = MachineDir(); /* selects the machine (and resets this module) first if needed */
    m_lock = std::unique_lock<std::recursive_mutex>(RegistryMutex());
    if ((m_status = HiveOfHandle(hkey, m_hive)) != ERROR_SUCCESS)
        return;
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
    m_hive->Sync(m_dir);
    m_status = m_hive->m_error;
}

Session::~Session()
{
    if (m_dirFd >= 0)
        close(m_dirFd); /* releases the lock */
}

const KeyPtr &Session::Root() const { return m_hive->m_root; }

LONG Session::Commit() { return m_hive->Write(m_dir, m_dirFd); }

} // namespace lzport::reg

namespace lzport {

void RegistryReset()
{
    std::lock_guard<std::recursive_mutex> lock(reg::RegistryMutex());
    reg::MachineHive().Reset();
    reg::UserHive().Reset();
    reg::ResetHandles();
    reg::ResetFaults();
}

} // namespace lzport

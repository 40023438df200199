/* registry_store.h - the machine's registry hives: HKEY_LOCAL_MACHINE in
 * <machine>/HKLM.reg and HKEY_CURRENT_USER in <machine>/HKCU.reg. Each hive
 * keeps its key tree in memory and in step with its file.
 *
 * A hive's file is read again whenever it has changed on disk (another
 * process, or a hand edit), judged by its inode, size and modification
 * time; a missing file is an empty hive. Every change is written whole to a
 * temporary file in the same folder, flushed to disk and renamed over the
 * old file, so that a process killed at any moment leaves either the old or
 * the new file. Writers take an exclusive lock on the machine folder, so
 * that one process's read-modify-write cannot lose another's change. A file
 * that cannot be parsed is reported once (file and line, through
 * ReportProblem) and makes every registry call on its hive fail with
 * ERROR_REGISTRY_CORRUPT, the code Windows gives for operations on a
 * damaged hive, until the file is repaired; it is never overwritten. */
#ifndef LZPORT_REGISTRY_STORE_H
#define LZPORT_REGISTRY_STORE_H

#include <sys/stat.h>

#include <mutex>
#include <string>

#include "registry_tree.h"
#include "winreg.h"

#ifndef ERROR_REGISTRY_IO_FAILED
#define ERROR_REGISTRY_IO_FAILED 1016L
#endif

namespace lzport::reg {

/* Guards the hives, the handle table and the injected faults. */
std::recursive_mutex &RegistryMutex();

/* What tells one version of a file from another. */
struct FileStamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    struct timespec mtime = {0, 0};

    bool operator==(const FileStamp &o) const;
};

/* One predefined key with a file of its own. */
class Hive {
public:
    Hive(const char *rootName, const char *fileName) : m_rootName(rootName), m_fileName(fileName) {}
    Hive(const Hive &) = delete;
    Hive &operator=(const Hive &) = delete;

    /* The root's name in the file: "HKEY_LOCAL_MACHINE". */
    const char *RootName() const { return m_rootName; }
    /* Forgets the tree; the next session reads the file. */
    void Reset();

private:
    friend class Session;
    std::string FilePath(const std::string &dir) const;
    /* Brings the tree up to date with the file. */
    void Sync(const std::string &dir);
    /* Takes `root` as the tree, moving the open handles over to it. */
    void Adopt(const KeyPtr &root);
    LONG Write(const std::string &dir, int dirFd);

    const char *m_rootName;
    const char *m_fileName;
    bool m_loaded = false; /* false: read the file at the next session */
    FileStamp m_stamp;
    KeyPtr m_root;
    LONG m_error = 0; /* non-zero while the file cannot be used */
};

Hive &MachineHive(); /* HKEY_LOCAL_MACHINE */
Hive &UserHive();    /* HKEY_CURRENT_USER */

/* The hive of a predefined key; null for the predefined keys that have
 * none, and for every other handle. */
Hive *PredefinedHive(HKEY hkey);

/* One registry call's access to the hive that a key handle lies in: holds
 * the module's lock and brings the hive up to date with its file. A write
 * session also holds the machine's file lock until it ends. */
class Session {
public:
    enum Mode { kRead, kWrite };
    /* Status() tells a handle of no hive: ERROR_FILE_NOT_FOUND for a
     * predefined key without one, ERROR_INVALID_HANDLE for anything else
     * that is no open handle. */
    Session(HKEY hkey, Mode mode);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    /* ERROR_SUCCESS, or why the registry cannot be used now. */
    LONG Status() const { return m_status; }
    /* Valid when Status() is ERROR_SUCCESS. */
    Hive &TheHive() const { return *m_hive; }
    const KeyPtr &Root() const;
    /* Writes the hive to its file. When that fails, the tree is read again
     * from the file by the next session. */
    LONG Commit();

private:
    std::unique_lock<std::recursive_mutex> m_lock;
    std::string m_dir;
    Hive *m_hive = nullptr;
    int m_dirFd = -1;
    LONG m_status = 0;
};

} // namespace lzport::reg

#endif

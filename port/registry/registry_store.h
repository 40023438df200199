/* registry_store.h - the machine's HKEY_LOCAL_MACHINE: the key tree kept in
 * memory and in step with the file <machine>/HKLM.reg.
 *
 * The file is read again whenever it has changed on disk (another process,
 * or a hand edit), judged by its inode, size and modification time. Every
 * change is written whole to a temporary file in the same folder, flushed
 * to disk and renamed over the old file, so that a process killed at any
 * moment leaves either the old or the new file. Writers take an exclusive
 * lock on the machine folder, so that one process's read-modify-write
 * cannot lose another's change. A file that cannot be parsed is reported
 * once (file and line, through ReportProblem) and makes every registry call
 * fail with ERROR_REGISTRY_CORRUPT, the code Windows gives for operations on
 * a damaged hive, until the file is repaired; it is never overwritten. */
#ifndef LZPORT_REGISTRY_STORE_H
#define LZPORT_REGISTRY_STORE_H

#include <mutex>
#include <string>

#include "registry_tree.h"

#ifndef ERROR_REGISTRY_IO_FAILED
#define ERROR_REGISTRY_IO_FAILED 1016L
#endif

namespace lzport::reg {

/* Guards the tree, the handle table and the injected faults. */
std::recursive_mutex &RegistryMutex();

/* One registry call's access to the tree: holds the module's lock and
 * brings the tree up to date with the file. A write session also holds the
 * machine's file lock until it ends. */
class Session {
public:
    enum Mode { kRead, kWrite };
    explicit Session(Mode mode);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    /* ERROR_SUCCESS, or why the registry cannot be used now. */
    LONG Status() const { return m_status; }
    const KeyPtr &Root() const;
    /* Writes the tree to the file. When that fails, the tree is read
     * again from the file by the next session. */
    LONG Commit();

private:
    std::unique_lock<std::recursive_mutex> m_lock;
    std::string m_dir;
    int m_dirFd = -1;
    LONG m_status = 0;
};

} // namespace lzport::reg

#endif

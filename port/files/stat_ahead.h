/* stat_ahead.h - the attributes of a batch of listed entries, read on a
 * helper thread while the caller works through the entries before them.
 *
 * Windows hands out a folder's entries in batches that already carry each
 * entry's attributes; here every entry needs a stat of its own, and a walk
 * that deletes what it lists would otherwise wait for each stat in turn.
 * Whichever thread comes to an entry first reads it: the caller never
 * waits for the helper to reach an entry that it can read itself. */
#ifndef LZPORT_STAT_AHEAD_H
#define LZPORT_STAT_AHEAD_H

#include <sys/stat.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace lzport {

class StatAhead {
public:
    StatAhead() = default;
    ~StatAhead() { Reset(); }
    StatAhead(const StatAhead &) = delete;
    StatAhead &operator=(const StatAhead &) = delete;

    /* A new batch: lstat of each host name relative to the folder dirFd,
     * which stays open until Reset or destruction. */
    void Start(int dirFd, std::vector<std::string> names);
    /* Forgets the batch once the helper no longer touches it. */
    void Reset();

    size_t Size() const { return m_names.size(); }
    const std::string &Name(size_t i) const { return m_names[i]; }
    /* The entry's lstat; false when it could not be read (gone). */
    bool Get(size_t i, struct stat &st);

    /* Used by the helper thread: reads the next entry nobody has claimed;
     * false when none is left. */
    bool ReadNext();

private:
    struct Slot {
        std::atomic<int> state{0}; /* 0 free, 1 being read, 2 read */
        int rc = 0;
        struct stat st {};
    };
    void Read(size_t i);

    int m_dirFd = -1;
    std::vector<std::string> m_names;
    std::unique_ptr<Slot[]> m_slots;
    std::atomic<size_t> m_next{0};
};

} // namespace lzport

#endif

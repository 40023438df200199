/* stat_ahead.cpp - one helper thread for the whole process reads listed
 * entries' attributes ahead of the listing; the newest batch comes first,
 * since a walk works in its deepest folder. */
#include "stat_ahead.h"

#include <fcntl.h>
#include <sched.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace lzport {

namespace {

struct Helper {
    std::mutex mutex;
    std::condition_variable work, idle;
    std::vector<StatAhead *> batches; /* newest last */
    StatAhead *busy = nullptr;        /* the batch being read from right now */
    bool started = false;

    void Run()
    {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            work.wait(lock, [this] { return !batches.empty(); });
            busy = batches.back();
            lock.unlock();
            bool more = busy->ReadNext();
            lock.lock();
            auto it = std::find(batches.begin(), batches.end(), busy);
            if (!more && it != batches.end()) /* its owner may have taken it back meanwhile */
                batches.erase(it);
            busy = nullptr;
            idle.notify_all();
        }
    }
};

Helper &TheHelper()
{
    static Helper *helper = new Helper; /* lives as long as its thread */
    return *helper;
}

} // namespace

void StatAhead::Start(int dirFd, std::vector<std::string> names)
{
    Reset();
    m_dirFd = dirFd;
    m_names = std::move(names);
    m_slots.reset(new Slot[m_names.size()]);
    m_next = 0;
    if (m_names.size() < 2)
        return; /* nothing to gain */
    Helper &h = TheHelper();
    {
        std::lock_guard<std::mutex> lock(h.mutex);
        if (!h.started) {
            std::thread([&h] { h.Run(); }).detach();
            h.started = true;
        }
        h.batches.push_back(this);
    }
    h.work.notify_one();
}

void StatAhead::Reset()
{
    if (!m_slots)
        return;
    Helper &h = TheHelper();
    {
        std::unique_lock<std::mutex> lock(h.mutex);
        auto it = std::find(h.batches.begin(), h.batches.end(), this);
        if (it != h.batches.end())
            h.batches.erase(it);
        h.idle.wait(lock, [&h, this] { return h.busy != this; });
    }
    m_slots.reset();
    m_names.clear();
    m_dirFd = -1;
}

void StatAhead::Read(size_t i)
{
    Slot &slot = m_slots[i];
    slot.rc = fstatat(m_dirFd, m_names[i].c_str(), &slot.st, AT_SYMLINK_NOFOLLOW);
    slot.state.store(2, std::memory_order_release);
}

bool StatAhead::ReadNext()
{
    for (;;) {
        size_t i = m_next.fetch_add(1);
        if (i >= m_names.size())
            return false;
        int expected = 0;
        if (m_slots[i].state.compare_exchange_strong(expected, 1)) {
            Read(i);
            return true;
        }
    }
}

bool StatAhead::Get(size_t i, struct stat &st)
{
    Slot &slot = m_slots[i];
    int expected = 0;
    if (slot.state.compare_exchange_strong(expected, 1))
        Read(i);
    while (slot.state.load(std::memory_order_acquire) != 2)
        sched_yield();
    st = slot.st;
    return slot.rc == 0;
}

} // namespace lzport

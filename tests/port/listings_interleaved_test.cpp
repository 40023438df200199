/* listings_interleaved_test.cpp - several listings open at once and read in
 * turn, one entry at a time, as a walk down a tree reads its folders: each
 * gives every entry of its own folder once and with that entry's own size,
 * whether it is read to its end or closed half-way, and while entries of
 * its folder are deleted behind its back. */
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "testenv.h"

namespace {

const int kFolders = 4;
const int kFiles = 200; /* more than one batch of a listing */

/* The file "f<n>" holds n % 13 bytes. */
DWORD SizeOf(const std::string &name) { return (DWORD)(atoi(name.c_str() + 1) % 13); }

struct Listing {
    std::string folder;
    HANDLE h = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA data;
    std::set<std::string> seen, deletedAhead;
    bool done = false;
};

TEST(InterleavedListings, EachGivesItsOwnEntriesOnceWithTheirSizes)
{
    lztest::Scratch s;
    std::vector<Listing> listings(kFolders);
    for (int f = 0; f < kFolders; f++) {
        listings[f].folder = s / ("d" + std::to_string(f));
        ASSERT_TRUE(lztest::MakeDir(listings[f].folder));
        for (int n = 0; n < kFiles; n++)
            ASSERT_TRUE(
                lztest::WriteFileText(listings[f].folder + "\\f" + std::to_string(n), std::string(n % 13, 'x')));
    }
    for (Listing &l : listings) {
        l.h = FindFirstFileA((l.folder + "\\*").c_str(), &l.data);
        ASSERT_NE(INVALID_HANDLE_VALUE, l.h) << l.folder;
    }
    const size_t kClosedAfter = 40; /* listing 1 is closed half-way through its first batch */
    const size_t kDeleteAt = 150;   /* listing 2 loses entries it has not given yet */
    for (bool busy = true; busy;) {
        busy = false;
        for (size_t f = 0; f < listings.size(); f++) {
            Listing &l = listings[f];
            if (l.done)
                continue;
            busy = true;
            std::string name = l.data.cFileName;
            if (name != "." && name != "..") {
                EXPECT_TRUE(l.seen.insert(name).second) << name << " listed twice in " << l.folder;
                EXPECT_EQ(SizeOf(name), l.data.nFileSizeLow) << name << " in " << l.folder;
                EXPECT_FALSE(l.data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) << name;
            }
            if (f == 2 && l.seen.size() == kDeleteAt) {
                for (int n = 0; n < kFiles && l.deletedAhead.size() < 30; n++) {
                    std::string other = "f" + std::to_string(n);
                    if (!l.seen.count(other) && DeleteFileA((l.folder + "\\" + other).c_str()))
                        l.deletedAhead.insert(other);
                }
            }
            if (f == 1 && l.seen.size() == kClosedAfter) {
                l.done = true;
            } else if (!FindNextFileA(l.h, &l.data)) {
                EXPECT_EQ((DWORD)ERROR_NO_MORE_FILES, GetLastError()) << l.folder;
                l.done = true;
            }
            if (l.done) {
                EXPECT_TRUE(FindClose(l.h));
            }
        }
    }
    for (size_t f = 0; f < listings.size(); f++) {
        Listing &l = listings[f];
        if (f == 1) {
            EXPECT_EQ(kClosedAfter, l.seen.size());
            continue;
        }
        /* entries deleted before the listing came to them may still be
         * given: a listing hands out what it has read */
        std::set<std::string> all = l.seen;
        all.insert(l.deletedAhead.begin(), l.deletedAhead.end());
        EXPECT_EQ((size_t)kFiles, all.size()) << l.folder;
    }
}

} // namespace

/* files_test.cpp - files, folders, listings and the working directory
 * through Win32 and the runtime's directory calls: the path forms that name
 * an entry (letter case, ".", "..", separators, trailing dots), double-byte
 * names, errors for missing and unsuitable targets, and the working
 * directory's round trips. */
#include <direct.h>
#include <errno.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "testenv.h"

namespace {

const DWORD kSentinel = 0xdeadbeef;
const char kSo[] = "\x83\x5c";          /* ソ: trail byte 0x5C */
const char kKanaA[] = "\x83\x41";       /* ア: trail byte 'A' */
const char kKanaSmallYa[] = "\x83\x61"; /* ャ: trail byte 'a' */
const char kWideUpperA[] = "\x82\x60";  /* full-width A */
const char kWideLowerA[] = "\x82\x81";  /* full-width a */

enum Kind { kFolder, kFile, kError };

struct Found {
    std::string name;
    DWORD attributes;
    DWORD size;
};

/* Every entry that `pattern` lists, in listing order; `error` receives the
 * failure of FindFirstFileA, or the error that ended the listing. */
std::vector<Found> ListAll(const std::string &pattern, DWORD &error)
{
    std::vector<Found> found;
    WIN32_FIND_DATAA fd;
    memset(&fd, 0xcc, sizeof fd);
    SetLastError(kSentinel);
    HANDLE h = FindFirstFileA(pattern.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return found;
    }
    do
        found.push_back({fd.cFileName, fd.dwFileAttributes, fd.nFileSizeLow});
    while (FindNextFileA(h, &fd));
    error = GetLastError();
    SetLastError(kSentinel);
    EXPECT_FALSE(FindNextFileA(h, &fd)) << "a finished listing stays finished";
    EXPECT_EQ((DWORD)ERROR_NO_MORE_FILES, GetLastError());
    EXPECT_TRUE(FindClose(h));
    return found;
}

std::set<std::string> NamesOf(const std::vector<Found> &found)
{
    std::set<std::string> names;
    for (const Found &f : found)
        names.insert(f.name);
    return names;
}

class FilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(lztest::MakeTree(m_s.Path(), {"Dir\\File.txt", "Dir\\Sub\\", std::string(kSo) + "\\x.txt",
                                                  std::string(kWideUpperA) + "\\", kKanaA}));
    }

    lztest::Scratch m_s;
};

TEST_F(FilesTest, PathFormsNameTheirEntries)
{
    std::string leaf = m_s.Path().substr(m_s.Path().rfind('\\') + 1);
    const struct {
        std::string path;
        Kind kind;
        DWORD error;
    } cases[] = {
        {m_s / "Dir", kFolder, 0},
        {m_s / "dIR", kFolder, 0},
        {m_s / "DIR\\FILE.TXT", kFile, 0},
        {m_s / "Dir\\", kFolder, 0},
        {m_s / "Dir/File.txt", kFile, 0},
        {m_s.Path() + "\\\\Dir\\\\File.txt", kFile, 0},
        {m_s / "Dir\\.\\File.txt", kFile, 0},
        {m_s / "Dir\\Sub\\..\\File.txt", kFile, 0},
        {m_s / "Dir\\Sub\\..\\..\\..\\" + leaf + "\\Dir", kFolder, 0},
        {m_s / "Dir\\File.txt.", kFile, 0},
        {m_s / "Dir\\File.txt . ", kFile, 0},
        {m_s / "Dir.\\File.txt", kFile, 0},
        {m_s / "Dir..\\File.txt", kError, ERROR_PATH_NOT_FOUND},
        {m_s / "Dir\\File.txt\\", kError, ERROR_PATH_NOT_FOUND},
        {m_s / "Dir\\File.txt\\x", kError, ERROR_PATH_NOT_FOUND},
        {m_s / "Dir\\missing", kError, ERROR_FILE_NOT_FOUND},
        {m_s / "missing\\File.txt", kError, ERROR_PATH_NOT_FOUND},
        {m_s / "Dir\\*", kError, ERROR_INVALID_NAME},
        {m_s / "Dir\\F?le.txt", kError, ERROR_INVALID_NAME},
        {m_s / "Dir\\a|b", kError, ERROR_INVALID_NAME},
        {m_s / kSo, kFolder, 0},
        {m_s / kSo + "\\", kFolder, 0},
        {m_s / kSo + "\\X.TXT", kFile, 0},
        {m_s / kWideLowerA, kFolder, 0},
        {m_s / kKanaA, kFile, 0},
        {m_s / kKanaSmallYa, kError, ERROR_FILE_NOT_FOUND},
        {"", kError, ERROR_PATH_NOT_FOUND},
        /* relative to the working directory, set to the scratch folder */
        {"Dir\\File.txt", kFile, 0},
        {".\\Dir", kFolder, 0},
        {"..\\" + leaf + "\\Dir\\Sub", kFolder, 0},
        {m_s.Path().substr(0, 2) + "Dir", kFolder, 0},
        {".", kFolder, 0},
        {"missing", kError, ERROR_FILE_NOT_FOUND},
    };
    ASSERT_TRUE(SetCurrentDirectoryA(m_s.Path().c_str()));
    for (const auto &c : cases) {
        SetLastError(kSentinel);
        DWORD a = GetFileAttributesA(c.path.c_str());
        if (c.kind == kError) {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, a) << c.path;
            EXPECT_EQ(c.error, GetLastError()) << c.path;
            continue;
        }
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, a) << c.path << " error " << GetLastError();
        EXPECT_EQ(c.kind == kFolder, (a & FILE_ATTRIBUTE_DIRECTORY) != 0) << c.path;
        EXPECT_EQ(kSentinel, GetLastError()) << c.path;
    }
    SetLastError(kSentinel);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(nullptr));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
}

TEST_F(FilesTest, ListingGivesDotsFirstThenEveryEntryWithItsAttributes)
{
    ASSERT_TRUE(lztest::WriteFileText(m_s / "Dir\\ro.txt", "12345"));
    ASSERT_TRUE(lztest::WriteFileText(m_s / "Dir\\.hidden", ""));
    ASSERT_TRUE(SetFileAttributesA((m_s / "Dir\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    for (const char *pattern : {"\\*.*", "\\*"}) {
        DWORD error = 0;
        std::vector<Found> found = ListAll(m_s.Path() + "\\Dir" + pattern, error);
        EXPECT_EQ((DWORD)ERROR_NO_MORE_FILES, error);
        ASSERT_EQ(6u, found.size()) << pattern;
        EXPECT_EQ(".", found[0].name);
        EXPECT_EQ("..", found[1].name);
        EXPECT_EQ((std::set<std::string>{".", "..", ".hidden", "File.txt", "Sub", "ro.txt"}), NamesOf(found));
        for (const Found &f : found) {
            bool folder = f.name == "." || f.name == ".." || f.name == "Sub";
            EXPECT_EQ(folder, (f.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) << f.name;
            EXPECT_EQ(f.name == "ro.txt", (f.attributes & FILE_ATTRIBUTE_READONLY) != 0) << f.name;
            if (f.name == "ro.txt") {
                EXPECT_EQ(5u, f.size);
            }
        }
    }
    ASSERT_TRUE(SetFileAttributesA((m_s / "Dir\\ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
}

TEST_F(FilesTest, PatternsSelectEntries)
{
    ASSERT_TRUE(lztest::MakeTree(m_s / "p", {"a.txt", "B.DAT", "ab.txt", "noext", "sub\\"}));
    const struct {
        const char *pattern;
        std::set<std::string> names;
        DWORD error;
    } cases[] = {
        {"*.txt", {"a.txt", "ab.txt"}, ERROR_NO_MORE_FILES},
        {"?.txt", {"a.txt"}, ERROR_NO_MORE_FILES},
        {"b.*", {"B.DAT"}, ERROR_NO_MORE_FILES},
        {"*b.*", {"B.DAT", "ab.txt", "sub"}, ERROR_NO_MORE_FILES}, /* ".*" at the end may match nothing */
        {"a.txt*", {"a.txt"}, ERROR_NO_MORE_FILES},
        {"noext.*", {"noext"}, ERROR_NO_MORE_FILES},
        {"SUB", {"sub"}, ERROR_NO_MORE_FILES}, /* a plain name lists its entry, named as on disk */
        {"*.none", {}, ERROR_FILE_NOT_FOUND},
        {"missing.txt", {}, ERROR_FILE_NOT_FOUND},
        {"missing\\*.*", {}, ERROR_PATH_NOT_FOUND},
        {"s*\\*", {}, ERROR_INVALID_NAME},
        {"sub\\", {}, ERROR_FILE_NOT_FOUND},
    };
    for (const auto &c : cases) {
        DWORD error = 0;
        EXPECT_EQ(c.names, NamesOf(ListAll(m_s / "p\\" + c.pattern, error))) << c.pattern;
        EXPECT_EQ(c.error, error) << c.pattern;
    }
    /* a drive root lists no dots */
    DWORD error = 0;
    std::set<std::string> root = NamesOf(ListAll(m_s.Path().substr(0, 3) + "*", error));
    EXPECT_FALSE(root.empty());
    EXPECT_EQ(0u, root.count(".") + root.count(".."));
}

TEST_F(FilesTest, DoubleByteNamesKeepTheirTrailBytes)
{
    /* ア and ャ differ only in a trail byte that looks like a letter's case */
    ASSERT_TRUE(lztest::WriteFileText(m_s / kKanaSmallYa, "ya"));
    DWORD error = 0;
    std::set<std::string> names = NamesOf(ListAll(m_s / "*", error));
    EXPECT_EQ(1u, names.count(kKanaA));
    EXPECT_EQ(1u, names.count(kKanaSmallYa));
    EXPECT_TRUE(DeleteFileA((m_s / kKanaSmallYa).c_str()));
    EXPECT_TRUE(lztest::Exists(m_s / kKanaA));

    /* ソ ends in 0x5C: listed, entered and split as one character */
    EXPECT_EQ((std::set<std::string>{".", "..", "x.txt"}), NamesOf(ListAll(m_s / kSo + "\\*.*", error)));
    char full[MAX_PATH];
    char *part = nullptr;
    std::string expected = m_s / kSo;
    ASSERT_EQ(expected.size(), GetFullPathNameA((m_s / kSo).c_str(), sizeof full, full, &part));
    EXPECT_EQ(expected, full);
    EXPECT_STREQ(kSo, part);
    ASSERT_EQ(0, _chdir((m_s / kSo).c_str()));
    char cwd[1024];
    ASSERT_NE(nullptr, _getcwd(cwd, sizeof cwd));
    EXPECT_EQ(expected, cwd);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("x.txt"));
    ASSERT_EQ(0, _chdir(".."));
    ASSERT_NE(nullptr, _getcwd(cwd, sizeof cwd));
    EXPECT_EQ(m_s.Path(), cwd);

    /* full-width letters have case */
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryA((m_s / kWideLowerA).c_str(), nullptr));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
}

TEST_F(FilesTest, DeletingAndRemovingRefuseUnsuitableTargets)
{
    ASSERT_TRUE(lztest::WriteFileText(m_s / "ro.txt", "x"));
    ASSERT_TRUE(SetFileAttributesA((m_s / "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    const struct {
        BOOL(WINAPI *call)(LPCSTR);
        const char *callName;
        std::string path;
        DWORD error;
    } cases[] = {
        {DeleteFileA, "DeleteFileA", m_s / "ro.txt", ERROR_ACCESS_DENIED},
        {DeleteFileA, "DeleteFileA", m_s / "Dir", ERROR_ACCESS_DENIED},
        {DeleteFileA, "DeleteFileA", m_s / "Dir\\File.txt\\", ERROR_INVALID_NAME},
        {DeleteFileA, "DeleteFileA", m_s / "missing", ERROR_FILE_NOT_FOUND},
        {DeleteFileA, "DeleteFileA", m_s / "missing\\x", ERROR_PATH_NOT_FOUND},
        {RemoveDirectoryA, "RemoveDirectoryA", m_s / "Dir", ERROR_DIR_NOT_EMPTY},
        {RemoveDirectoryA, "RemoveDirectoryA", m_s / "Dir\\File.txt", ERROR_DIRECTORY},
        {RemoveDirectoryA, "RemoveDirectoryA", m_s / "missing", ERROR_FILE_NOT_FOUND},
        {RemoveDirectoryA, "RemoveDirectoryA", m_s / "missing\\x", ERROR_PATH_NOT_FOUND},
        {RemoveDirectoryA, "RemoveDirectoryA", "", ERROR_INVALID_NAME},
    };
    for (const auto &c : cases) {
        SetLastError(kSentinel);
        EXPECT_FALSE(c.call(c.path.c_str())) << c.callName << " " << c.path;
        EXPECT_EQ(c.error, GetLastError()) << c.callName << " " << c.path;
    }
    EXPECT_TRUE(lztest::Exists(m_s / "ro.txt"));
    errno = 0;
    EXPECT_EQ(-1, remove((m_s / "ro.txt").c_str()));
    EXPECT_EQ(EACCES, errno);
    ASSERT_TRUE(SetFileAttributesA((m_s / "ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(0, remove((m_s / "ro.txt").c_str()));
    EXPECT_FALSE(lztest::Exists(m_s / "ro.txt"));
    errno = 0;
    EXPECT_EQ(-1, _rmdir((m_s / "Dir").c_str()));
    EXPECT_EQ(ENOTEMPTY, errno);
}

/* The way a folder walk works: list the working directory one entry
 * ahead, and delete each entry by its lower-cased name while listing. */
TEST_F(FilesTest, AWalkDeletesWhatItListsByLowerCasedNames)
{
    ASSERT_TRUE(lztest::MakeTree(m_s / "w", {"Mixed.TXT", "Other.Txt", "KEEP.TXT", "Sub\\"}));
    ASSERT_EQ(0, _chdir((m_s / "w").c_str()));
    WIN32_FIND_DATAA ahead;
    HANDLE h = FindFirstFileA("*.*", &ahead);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    std::set<std::string> handled;
    for (BOOL more = TRUE; more;) {
        WIN32_FIND_DATAA current = ahead;
        more = FindNextFileA(h, &ahead);
        std::string name = current.cFileName;
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return (char)tolower((unsigned char)c); });
        handled.insert(name);
        if (name == "." || name == "..")
            continue;
        if (name == "keep.txt") {
            /* made read-only after it was listed: still refused */
            ASSERT_TRUE(SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY));
            EXPECT_NE(0, remove(name.c_str()));
        } else if (current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EXPECT_TRUE(RemoveDirectoryA(name.c_str())) << name;
        } else {
            EXPECT_EQ(0, remove(name.c_str())) << name;
        }
    }
    EXPECT_TRUE(FindClose(h));
    EXPECT_EQ((std::set<std::string>{".", "..", "mixed.txt", "other.txt", "keep.txt", "sub"}), handled);
    EXPECT_EQ((std::vector<std::string>{"KEEP.TXT"}), lztest::List("."));
    ASSERT_TRUE(SetFileAttributesA("KEEP.TXT", FILE_ATTRIBUTE_NORMAL));
}

TEST_F(FilesTest, ALongListingGivesEachEntryOnceWhileItIsEmptied)
{
    /* more entries than one read of the folder gives, deleted as they come,
     * and some not yet listed deleted behind the listing's back: those may
     * still be handed out (a listing gives what it has read, as Windows'
     * batches do), but nothing comes twice and nothing is missed */
    const int kCount = 700;
    ASSERT_TRUE(lztest::MakeDir(m_s / "long"));
    for (int i = 0; i < kCount; i++)
        ASSERT_TRUE(lztest::WriteFileText(m_s / ("long\\f" + std::to_string(i)), "x"));
    ASSERT_EQ(0, _chdir((m_s / "long").c_str()));
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA("*", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    std::set<std::string> seen;
    std::set<std::string> deletedAhead;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        EXPECT_TRUE(seen.insert(name).second) << name << " listed twice";
        if (!deletedAhead.count(name)) {
            EXPECT_EQ(0, remove(name.c_str())) << name;
        }
        if (seen.size() == 300) {
            for (int i = 0; i < kCount; i++) {
                std::string other = "f" + std::to_string(i);
                if (!seen.count(other) && deletedAhead.size() < 50 && remove(other.c_str()) == 0)
                    deletedAhead.insert(other);
            }
        }
    } while (FindNextFileA(h, &data));
    EXPECT_EQ((DWORD)ERROR_NO_MORE_FILES, GetLastError());
    EXPECT_TRUE(FindClose(h));
    seen.insert(deletedAhead.begin(), deletedAhead.end());
    EXPECT_EQ((size_t)kCount, seen.size());
    EXPECT_TRUE(lztest::List(".").empty());
}

TEST_F(FilesTest, FoldersInUseCannotBeRemoved)
{
    ASSERT_TRUE(lztest::MakeDir(m_s / "busy"));
    /* the working directory */
    ASSERT_TRUE(SetCurrentDirectoryA((m_s / "busy").c_str()));
    SetLastError(kSentinel);
    EXPECT_FALSE(RemoveDirectoryA((m_s / "busy").c_str()));
    EXPECT_EQ((DWORD)ERROR_SHARING_VIOLATION, GetLastError());
    ASSERT_TRUE(SetCurrentDirectoryA(m_s.Path().c_str()));
    /* a folder being listed */
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((m_s / "busy\\*").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    SetLastError(kSentinel);
    EXPECT_FALSE(RemoveDirectoryA("busy"));
    EXPECT_EQ((DWORD)ERROR_SHARING_VIOLATION, GetLastError());
    EXPECT_TRUE(FindClose(h));
    EXPECT_TRUE(RemoveDirectoryA("busy"));
    /* a file open without sharing deletion */
    HANDLE f = CreateFileA("held.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    SetLastError(kSentinel);
    EXPECT_FALSE(DeleteFileA("held.txt"));
    EXPECT_EQ((DWORD)ERROR_SHARING_VIOLATION, GetLastError());
    EXPECT_TRUE(CloseHandle(f));
    EXPECT_TRUE(DeleteFileA("held.txt"));
}

TEST_F(FilesTest, CreatingFoldersAndFiles)
{
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryA((m_s / "Dir").c_str(), nullptr));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryA((m_s / "no\\new").c_str(), nullptr));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    EXPECT_TRUE(CreateDirectoryA((m_s / "new\\").c_str(), nullptr));
    EXPECT_TRUE(lztest::IsDir(m_s / "new"));
    errno = 0;
    EXPECT_EQ(-1, _mkdir((m_s / "new").c_str()));
    EXPECT_EQ(EEXIST, errno);

    const struct {
        std::string path;
        DWORD access;
        DWORD disposition;
        bool opens;
        DWORD error; /* the last error, after success too */
    } cases[] = {
        {m_s / "f.txt", GENERIC_WRITE, CREATE_NEW, true, 0},
        {m_s / "f.txt", GENERIC_WRITE, CREATE_NEW, false, ERROR_FILE_EXISTS},
        {m_s / "F.TXT", GENERIC_WRITE, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {m_s / "f.txt", GENERIC_READ, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {m_s / "g.txt", GENERIC_WRITE, OPEN_ALWAYS, true, 0},
        {m_s / "f.txt", GENERIC_READ, OPEN_EXISTING, true, 0},
        {m_s / "h.txt", GENERIC_READ, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {m_s / "no\\h.txt", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND},
        {m_s / "h.txt\\", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_INVALID_NAME},
        {m_s / "Dir", GENERIC_READ, OPEN_EXISTING, false, ERROR_ACCESS_DENIED},
        {m_s / "f.txt", GENERIC_WRITE, 0, false, ERROR_INVALID_PARAMETER},
        {"", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND},
    };
    for (const auto &c : cases) {
        SetLastError(kSentinel);
        HANDLE h = CreateFileA(c.path.c_str(), c.access, 0, nullptr, c.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(c.error, GetLastError()) << c.path << " " << c.disposition;
        EXPECT_EQ(c.opens, h != INVALID_HANDLE_VALUE) << c.path << " " << c.disposition;
        if (h == INVALID_HANDLE_VALUE)
            continue;
        DWORD written = kSentinel;
        BOOL ok = WriteFile(h, "abc", 3, &written, nullptr);
        EXPECT_EQ((c.access & GENERIC_WRITE) != 0, ok != FALSE) << c.path;
        EXPECT_EQ(ok ? 3u : 0u, written) << c.path;
        if (!ok) {
            EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError()) << c.path;
        }
        EXPECT_TRUE(CloseHandle(h));
    }
    SetLastError(kSentinel);
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
}

TEST_F(FilesTest, WorkingDirectoryRoundTrips)
{
    ASSERT_EQ(0, _chdir(m_s.Path().c_str()));
    char buf[1024];
    ASSERT_EQ(buf, _getcwd(buf, sizeof buf));
    EXPECT_EQ(m_s.Path(), buf);
    const struct {
        const char *to;
        std::string expected;
    } steps[] = {
        {"Dir", m_s / "Dir"},   {"Sub", m_s / "Dir\\Sub"}, {"..", m_s / "Dir"}, {"..\\DIR\\SUB\\", m_s / "DIR\\SUB"},
        {"..\\..", m_s.Path()}, {".", m_s.Path()},
    };
    for (const auto &s : steps) {
        ASSERT_EQ(0, _chdir(s.to)) << s.to;
        ASSERT_EQ(buf, _getcwd(buf, sizeof buf)) << s.to;
        EXPECT_EQ(s.expected, buf) << s.to;
    }
    /* failures leave the working directory alone */
    const struct {
        const char *to;
        int error;
    } failures[] = {{"", EINVAL}, {"missing", ENOENT}, {"missing\\x", ENOENT}, {"Dir\\File.txt", EINVAL}};
    for (const auto &f : failures) {
        errno = 0;
        EXPECT_EQ(-1, _chdir(f.to)) << f.to;
        EXPECT_EQ(f.error, errno) << f.to;
    }
    SetLastError(kSentinel);
    EXPECT_FALSE(SetCurrentDirectoryA("Dir\\File.txt"));
    EXPECT_EQ((DWORD)ERROR_DIRECTORY, GetLastError());
    ASSERT_EQ(buf, _getcwd(buf, sizeof buf));
    EXPECT_EQ(m_s.Path(), buf);

    /* sizes: the length without the NUL when it fits, the size needed
     * with it when it does not */
    DWORD length = (DWORD)m_s.Path().size();
    EXPECT_EQ(length + 1, GetCurrentDirectoryA(0, nullptr));
    memset(buf, 'x', sizeof buf);
    EXPECT_EQ(length + 1, GetCurrentDirectoryA(length, buf));
    EXPECT_EQ('x', buf[0]);
    EXPECT_EQ(length, GetCurrentDirectoryA(length + 1, buf));
    errno = 0;
    EXPECT_EQ(nullptr, _getcwd(buf, (int)length));
    EXPECT_EQ(ERANGE, errno);
    char *allocated = _getcwd(nullptr, 0);
    ASSERT_NE(nullptr, allocated);
    EXPECT_EQ(m_s.Path(), allocated);
    free(allocated);
}

TEST_F(FilesTest, FullAndLongPathNames)
{
    ASSERT_TRUE(SetCurrentDirectoryA((m_s / "Dir").c_str()));
    std::string parent = m_s.Path();
    std::string drive = parent.substr(0, 2);
    const struct {
        std::string in;
        std::string full;
        const char *part;
    } cases[] = {
        {"abc", m_s / "Dir\\abc", "abc"},
        {"abc\\", m_s / "Dir\\abc\\", nullptr},
        {"..\\x\\.\\y", m_s / "x\\y", "y"},
        {"x/y//z. . ", m_s / "Dir\\x\\y\\z", "z"},
        {".", m_s / "Dir", "Dir"},
        {drive, m_s / "Dir\\", nullptr},
        {drive + "abc", m_s / "Dir\\abc", "abc"},
        {drive + "\\a\\..\\..\\b", drive + "\\b", "b"},
        {"\\rooted", drive + "\\rooted", "rooted"},
    };
    for (const auto &c : cases) {
        char full[MAX_PATH];
        char *part = (char *)&full; /* sentinel: not written */
        SetLastError(kSentinel);
        ASSERT_EQ(c.full.size(), GetFullPathNameA(c.in.c_str(), sizeof full, full, &part)) << c.in;
        EXPECT_EQ(c.full, full) << c.in;
        if (c.part)
            EXPECT_STREQ(c.part, part) << c.in;
        else
            EXPECT_EQ(nullptr, part) << c.in;
        EXPECT_EQ(kSentinel, GetLastError()) << c.in;
        char small[4] = "xyz";
        EXPECT_EQ(c.full.size() + 1, GetFullPathNameA(c.in.c_str(), sizeof small, small, nullptr)) << c.in;
        EXPECT_STREQ("xyz", small) << c.in;
    }

    char buf[MAX_PATH];
    std::string existing = m_s / "Dir\\File.txt";
    EXPECT_EQ(existing.size(), GetLongPathNameA(existing.c_str(), buf, sizeof buf));
    EXPECT_EQ(existing, buf);
    EXPECT_EQ(existing.size() + 1, GetLongPathNameA(existing.c_str(), buf, 3));
    EXPECT_EQ(8u, GetLongPathNameA("File.txt", buf, sizeof buf));
    for (const std::string &missing : {m_s / "Dir\\nope", m_s / "nope\\File.txt"}) {
        SetLastError(kSentinel);
        EXPECT_EQ(0u, GetLongPathNameA(missing.c_str(), buf, sizeof buf)) << missing;
        EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError()) << missing;
    }
    SetLastError(kSentinel);
    EXPECT_EQ(0u, GetLongPathNameA("", buf, sizeof buf));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
}

/* The runtime reads the working directory into MAX_PATH bytes: a deeper
 * one cannot be read. Only where the system lets such a folder be
 * entered. */
TEST_F(FilesTest, GetcwdFailsPastMaxPath)
{
    const std::string name(40, 'd');
    ASSERT_EQ(0, _chdir(m_s.Path().c_str()));
    size_t depth = 0;
    std::string expected = m_s.Path();
    while (expected.size() < 300) {
        if (!CreateDirectoryA(name.c_str(), nullptr))
            break;
        if (_chdir(name.c_str()) != 0) {
            ASSERT_TRUE(RemoveDirectoryA(name.c_str()));
            break;
        }
        expected += "\\" + name;
        ++depth;
    }
    bool entered = expected.size() >= 300;
    if (entered) {
        char buf[1024];
        EXPECT_EQ(nullptr, _getcwd(buf, sizeof buf));
        SetLastError(kSentinel);
        EXPECT_EQ(0u, GetCurrentDirectoryA(sizeof buf, buf));
        EXPECT_EQ((DWORD)ERROR_FILENAME_EXCED_RANGE, GetLastError());
    }
    for (; depth > 0; --depth) {
        ASSERT_EQ(0, _chdir(".."));
        ASSERT_EQ(0, _rmdir(name.c_str()));
    }
    char buf[1024];
    ASSERT_NE(nullptr, _getcwd(buf, sizeof buf));
    EXPECT_EQ(m_s.Path(), buf);
    if (!entered)
        GTEST_SKIP() << "this system does not enter a folder that deep";
}

} // namespace

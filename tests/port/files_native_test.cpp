/* files_native_test.cpp - what only the native layer shows, or only the host
 * can arrange: names stored in UTF-8, links, a working directory far deeper
 * than MAX_PATH, its folder renamed or removed behind its back, drives,
 * permissions closed to everyone, and host names without a code page 932
 * form. */
#include <direct.h>
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <windows.h>

#include <string>

#include "lzport.h"
#include "testenv.h"

namespace {

const DWORD kSentinel = 0xdeadbeef;

std::string Host(const std::string &winPath)
{
    char buf[8192];
    EXPECT_TRUE(LzPortHostPath(winPath.c_str(), buf, sizeof buf)) << winPath;
    return buf;
}

bool HostExists(const std::string &hostPath)
{
    struct stat st;
    return lstat(hostPath.c_str(), &st) == 0;
}

std::string Cwd()
{
    char buf[MAX_PATH];
    return _getcwd(buf, sizeof buf) ? buf : "";
}

TEST(FilesNativeTest, NamesAreStoredInUtf8AndFoundInAnyCase)
{
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"ソ\\Ａｂ.TXT"}));
    std::string folder = Host(s.Path());
    EXPECT_EQ(folder + u8"/ソ/Ａｂ.TXT", Host(s / "ソ\\Ａｂ.TXT"));
    EXPECT_TRUE(HostExists(folder + u8"/ソ/Ａｂ.TXT"));
    /* other letter case finds the name on disk; a missing last name is
     * taken as written */
    EXPECT_EQ(folder + u8"/ソ/Ａｂ.TXT", Host(s / "ソ\\ａＢ.txt"));
    EXPECT_EQ(folder + u8"/ソ/New.txt", Host(s / "ソ\\New.txt"));
    ASSERT_TRUE(SetCurrentDirectoryA((s / "ソ").c_str()));
    EXPECT_EQ(folder + u8"/ソ/Ａｂ.TXT", Host("ａｂ.txt"));

    char buf[16];
    EXPECT_FALSE(LzPortHostPath("Q:\\x", buf, sizeof buf)) << "no such drive";
    EXPECT_FALSE(LzPortHostPath((s / "ソ").c_str(), buf, sizeof buf)) << "too small";

    /* a name that has no host form */
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryA((s / "a\x81").c_str(), nullptr));
    EXPECT_EQ((DWORD)ERROR_INVALID_NAME, GetLastError());
}

TEST(FilesNativeTest, HostNamesWithoutACodePageFormAreListedWithQuestionMarks)
{
    lztest::Scratch s;
    std::string folder = Host(s.Path());
    for (const char *name : {u8"é.txt", "\xff.txt"})
        ASSERT_EQ(0, close(creat((folder + "/" + name).c_str(), 0644)));
    std::vector<std::string> names = lztest::List(s.Path());
    EXPECT_EQ((std::vector<std::string>{"?.txt", "?.txt"}), names);
    SetLastError(kSentinel);
    EXPECT_FALSE(DeleteFileA((s / "?.txt").c_str()));
    EXPECT_EQ((DWORD)ERROR_INVALID_NAME, GetLastError());
}

TEST(FilesNativeTest, LinksShowAsReparsePointsAndGoWithoutTheirTargets)
{
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"deep\\real\\f.txt"}));
    ASSERT_TRUE(lztest::MakeLink(s / "dlink", s / "deep\\real"));
    ASSERT_TRUE(lztest::MakeLink(s / "flink", s / "deep\\real\\f.txt"));
    ASSERT_EQ(0, symlink("nowhere", (Host(s.Path()) + "/dangle").c_str()));

    const struct {
        const char *name;
        DWORD attributes;
    } links[] = {{"dlink", 0x410}, {"flink", 0x420}, {"dangle", 0x420}, {"deep", FILE_ATTRIBUTE_DIRECTORY}};
    for (const auto &l : links) {
        EXPECT_EQ(l.attributes, GetFileAttributesA((s / l.name).c_str())) << l.name;
        WIN32_FIND_DATAA fd;
        memset(&fd, 0xcc, sizeof fd);
        HANDLE h = FindFirstFileA((s / l.name).c_str(), &fd);
        ASSERT_NE(INVALID_HANDLE_VALUE, h) << l.name;
        EXPECT_EQ(l.attributes, fd.dwFileAttributes) << l.name;
        EXPECT_EQ(l.attributes & FILE_ATTRIBUTE_REPARSE_POINT ? 0xA000000Cu : 0u, fd.dwReserved0) << l.name;
        FindClose(h);
    }

    /* a link on the way is followed; ".." climbs back to where the path
     * came from, not to the target's parent */
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_ARCHIVE, GetFileAttributesA((s / "dlink\\f.txt").c_str()));
    ASSERT_EQ(0, _chdir((s / "dlink").c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("f.txt"));
    ASSERT_EQ(0, _chdir(".."));
    EXPECT_EQ(s.Path(), Cwd());

    SetLastError(kSentinel);
    EXPECT_FALSE(DeleteFileA((s / "dlink").c_str()));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    SetLastError(kSentinel);
    EXPECT_FALSE(RemoveDirectoryA((s / "flink").c_str()));
    EXPECT_EQ((DWORD)ERROR_DIRECTORY, GetLastError());
    EXPECT_TRUE(RemoveDirectoryA((s / "dlink").c_str()));
    EXPECT_TRUE(DeleteFileA((s / "flink").c_str()));
    EXPECT_TRUE(DeleteFileA((s / "dangle").c_str()));
    EXPECT_EQ((std::vector<std::string>{"deep"}), lztest::List(s.Path()));
    EXPECT_EQ((std::vector<std::string>{"f.txt"}), lztest::List(s / "deep\\real"));
}

TEST(FilesNativeTest, AThousandNestedFoldersAreEnteredAndRemovedOneByOne)
{
    lztest::Scratch s;
    const int kDepth = 1000;
    ASSERT_EQ(0, _chdir(s.Path().c_str()));
    for (int i = 0; i < kDepth; ++i) {
        ASSERT_EQ(0, _mkdir("d")) << i;
        ASSERT_EQ(0, _chdir("d")) << i;
    }
    ASSERT_TRUE(lztest::WriteFileText("f.txt", "bottom"));
    char buf[MAX_PATH];
    EXPECT_EQ(nullptr, _getcwd(buf, sizeof buf));
    SetLastError(kSentinel);
    EXPECT_EQ(0u, GetCurrentDirectoryA(sizeof buf, buf));
    EXPECT_EQ((DWORD)ERROR_FILENAME_EXCED_RANGE, GetLastError());
    EXPECT_EQ((std::vector<std::string>{"f.txt"}), lztest::List("."));
    ASSERT_EQ(0, remove("f.txt"));
    for (int i = 0; i < kDepth; ++i) {
        ASSERT_EQ(0, _chdir("..")) << i;
        ASSERT_EQ(0, _rmdir("d")) << i;
    }
    EXPECT_EQ(s.Path(), Cwd());
    EXPECT_TRUE(lztest::List(s.Path()).empty());
}

TEST(FilesNativeTest, TheWorkingDirectoryFollowsItsFolderWhenRenamed)
{
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"a\\f.txt"}));
    ASSERT_EQ(0, _chdir((s / "a").c_str()));
    ASSERT_EQ(0, rename(Host(s / "a").c_str(), (Host(s.Path()) + "/b").c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("f.txt"));
    EXPECT_TRUE(lztest::WriteFileText("g.txt", "g"));
    EXPECT_TRUE(lztest::Exists(s / "b\\g.txt"));
    EXPECT_EQ(s / "a", Cwd()) << "the text stays as it was set";
}

TEST(FilesNativeTest, AWorkingDirectoryRemovedBehindItsBackHoldsNothing)
{
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeDir(s / "gone"));
    ASSERT_EQ(0, _chdir((s / "gone").c_str()));
    ASSERT_EQ(0, rmdir(Host(s / "gone").c_str()));
    SetLastError(kSentinel);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("x"));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryA("x", nullptr));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    WIN32_FIND_DATAA fd;
    SetLastError(kSentinel);
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA("*.*", &fd));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError());
    /* the parent is still there */
    ASSERT_EQ(0, _chdir(".."));
    EXPECT_EQ(s.Path(), Cwd());
}

TEST(FilesNativeTest, Drives)
{
    /* Windows answers ERROR_PATH_NOT_FOUND for every path on a drive that
     * does not exist; Wine says ERROR_FILE_NOT_FOUND for a name directly
     * in its root */
    for (const char *path : {"Q:\\x", "Q:\\", "q:\\x\\y"}) {
        SetLastError(kSentinel);
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path)) << path;
        EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, GetLastError()) << path;
    }
    std::string drive = std::string(LzPortMachineDir()) + "/drives/q";
    ASSERT_EQ(0, mkdir(drive.c_str(), 0777));
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA("q:\\"));
    EXPECT_TRUE(CreateDirectoryA("Q:\\x", nullptr));
    EXPECT_TRUE(HostExists(drive + "/x"));
    char full[MAX_PATH];
    EXPECT_EQ(4u, GetFullPathNameA("q:x", sizeof full, full, nullptr)) << "the root of another drive";
    EXPECT_STREQ("q:\\x", full);
    EXPECT_TRUE(RemoveDirectoryA("Q:\\X"));
    ASSERT_EQ(0, rmdir(drive.c_str()));
}

TEST(FilesNativeTest, PermissionsClosedToEveryoneRefuseEvenTheSuperuser)
{
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"closed\\f.txt", "ro\\"}));
    std::string closed = Host(s / "closed");
    ASSERT_EQ(0, chmod(closed.c_str(), 0));
    SetLastError(kSentinel);
    EXPECT_FALSE(SetCurrentDirectoryA((s / "closed").c_str()));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    WIN32_FIND_DATAA fd;
    SetLastError(kSentinel);
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileA((s / "closed\\*.*").c_str(), &fd));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    ASSERT_EQ(0, chmod(closed.c_str(), 0755));

    /* a folder without write permission shows as read-only; clearing the
     * attribute gives it back; setting it on a folder does nothing */
    std::string ro = Host(s / "ro");
    ASSERT_EQ(0, chmod(ro.c_str(), 0555));
    EXPECT_EQ((DWORD)(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY), GetFileAttributesA((s / "ro").c_str()));
    ASSERT_TRUE(SetFileAttributesA((s / "ro").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA((s / "ro").c_str()));
    ASSERT_TRUE(SetFileAttributesA((s / "ro").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ((DWORD)FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA((s / "ro").c_str()));
}

TEST(FilesNativeTest, LongPathNamesAreThePathsAsGiven)
{
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"Dir\\File.txt"}));
    std::string given = s / "DIR\\file.TXT";
    char buf[MAX_PATH];
    EXPECT_EQ(given.size(), GetLongPathNameA(given.c_str(), buf, sizeof buf));
    EXPECT_EQ(given, buf);
    /* Wine answers ERROR_PATH_NOT_FOUND for a null path; Windows checks
     * the parameter */
    SetLastError(kSentinel);
    EXPECT_EQ(0u, GetLongPathNameA(nullptr, buf, sizeof buf));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
}

TEST(FilesNativeTest, ANameListedElsewhereDoesNotStandInForTheWorkingDirectorys)
{
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"a\\Same.txt", "b\\SAME.TXT"}));
    ASSERT_EQ(0, _chdir((s / "b").c_str()));
    EXPECT_EQ((std::vector<std::string>{"Same.txt"}), lztest::List(s / "a"));
    EXPECT_EQ(0, remove("same.txt"));
    EXPECT_TRUE(lztest::List(s / "b").empty());
    EXPECT_EQ((std::vector<std::string>{"Same.txt"}), lztest::List(s / "a"));
}

TEST(FilesNativeTest, SelectingAMachineStartsAtTheRootOfC)
{
    std::string machine = LzPortMachineDir();
    {
        lztest::Scratch s;
        ASSERT_EQ(0, _chdir(s.Path().c_str()));
        ASSERT_TRUE(LzPortUseMachine(machine.c_str()));
        EXPECT_EQ("C:\\", Cwd());
    }
    EXPECT_EQ("C:\\", Cwd());
}

} // namespace

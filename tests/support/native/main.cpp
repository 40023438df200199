/* main.cpp (native) - runs the tests on a throw-away machine of the
 * platform layer, made afresh in a temporary folder and removed after. */
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ftw.h>
#include <string>

#include "lzport.h"
#include "testenv.h"

namespace lztest {

std::string ScratchBase() { return "C:\\scratch"; }

bool MakeLink(const std::string &link, const std::string &target)
{
    char hostLink[4096], hostTarget[4096];
    if (!LzPortHostPath(link.c_str(), hostLink, sizeof hostLink) ||
        !LzPortHostPath(target.c_str(), hostTarget, sizeof hostTarget))
        return false;
    return symlink(hostTarget, hostLink) == 0;
}

} // namespace lztest

static int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    if (rmdir(path) != 0)
        unlink(path);
    return 0;
}

static int MakeWritable(const char *path, const struct stat *sb, int, struct FTW *)
{
    if (!S_ISLNK(sb->st_mode))
        chmod(path, 0700);
    return 0;
}

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    char dir[] = "/tmp/lztest-machine-XXXXXX";
    if (!mkdtemp(dir)) {
        perror("mkdtemp");
        return 2;
    }
    if (!LzPortUseMachine(dir)) {
        fprintf(stderr, "cannot use machine %s: %s\n", dir, LzPortLastMessage());
        return 2;
    }
    /* the Windows folder exists on every machine, as it does on Windows */
    char windowsDir[MAX_PATH];
    UINT n = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    if (n == 0 || n >= sizeof windowsDir || !CreateDirectoryA(windowsDir, NULL)) {
        fprintf(stderr, "cannot make the Windows folder of machine %s\n", dir);
        return 2;
    }
    int rc = RUN_ALL_TESTS();
    nftw(dir, MakeWritable, 64, FTW_PHYS);
    nftw(dir, RemoveEntry, 64, FTW_DEPTH | FTW_PHYS);
    return rc;
}

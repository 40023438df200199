/* path_split_fuzz.cpp - arbitrary paths through RemoveFolder on a scratch
 * machine of the platform layer. Whatever the path, nothing outside the
 * machine's drives is touched and the call returns 0 or 1. */
#include <mbctype.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "UninstallDlg.h"
#include "scratch_machine.h"

namespace {

std::string g_sentinel;

void Setup()
{
    std::string machine = UseScratchMachine();
    /* a file beside the machine's drives that no path may reach */
    g_sentinel = std::string(machine) + "/sentinel";
    FILE *f = fopen(g_sentinel.c_str(), "w");
    if (!f)
        abort();
    fclose(f);
}

void MakeSampleTree()
{
    CreateDirectoryA("C:\\App", NULL);
    CreateDirectoryA("C:\\App\\ソ表", NULL);
    CreateDirectoryA("C:\\App\\Sub", NULL);
    HANDLE h = CreateFileA("C:\\App\\Sub\\f.txt", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool once = (Setup(), true);
    static CWinApp app("fuzz");
    static CUninstallDlg dlg;
    (void)once;
    MakeSampleTree();
    std::string path(reinterpret_cast<const char *>(data), size);
    path = path.c_str();
    size_t cut = path.find('|'); /* "path|keep" */
    std::string keep = cut == std::string::npos ? std::string() : path.substr(cut + 1);
    if (cut != std::string::npos)
        path.resize(cut);
    SetCurrentDirectoryA("C:\\");
    BOOL rc = dlg.RemoveFolder(path.c_str(), cut == std::string::npos ? NULL : keep.c_str());
    if (rc != 0 && rc != 1)
        abort();
    struct stat st;
    if (stat(g_sentinel.c_str(), &st) != 0)
        abort(); /* escaped the machine */
    return 0;
}

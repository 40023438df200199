/* main.cpp (Windows) - runs the tests with scratch folders in the temporary
 * folder of the machine (under Wine, of the test prefix). */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "testenv.h"

namespace lztest {

std::string ScratchBase()
{
    char temp[MAX_PATH];
    DWORD n = GetTempPathA(sizeof temp, temp);
    std::string base(temp, n);
    if (!base.empty() && base.back() == '\\')
        base.pop_back();
    return base + "\\lztest";
}

namespace {

/* Under Wine a link is a Unix symbolic link, made by /bin/ln: Wine 8's
 * CreateSymbolicLinkA reports success but leaves nothing a listing shows. */
bool MakeUnixLink(const std::string &link, const std::string &target)
{
    typedef char *(CDECL * UnixNameFn)(LPCWSTR);
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    UnixNameFn unixName = (UnixNameFn)(void *)GetProcAddress(kernel32, "wine_get_unix_file_name");
    if (!unixName)
        return false;
    auto toUnix = [&](const std::string &path) {
        WCHAR wide[MAX_PATH * 2];
        if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2))
            return std::string();
        char *name = unixName(wide);
        std::string result = name ? name : "";
        HeapFree(GetProcessHeap(), 0, name);
        return result;
    };
    std::string unixLink = toUnix(link), unixTarget = toUnix(target);
    if (unixLink.empty() || unixTarget.empty())
        return false;
    /* Wine splits the command line by the Windows rules: double quotes
     * group, single quotes are part of the argument. Wine with its 32-bit
     * side installed may start a Unix program twice: -fn makes the second
     * run replace the link instead of making one inside its target. */
    std::string command = "/bin/ln -sfn \"" + unixTarget + "\" \"" + unixLink + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA("Z:\\bin\\ln", &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    /* a Unix child's handle does not tell when it ends: watch for the link */
    for (int i = 0; i < 200; i++) {
        if (Attributes(link) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(10);
    }
    return false;
}

} // namespace

bool MakeLink(const std::string &link, const std::string &target)
{
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        return MakeUnixLink(link, target);
    typedef BOOLEAN(WINAPI * CreateSymbolicLinkFn)(LPCSTR, LPCSTR, DWORD);
    CreateSymbolicLinkFn create =
        (CreateSymbolicLinkFn)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA");
    if (!create)
        return false;
    DWORD flags = IsDir(target) ? 1 /* SYMBOLIC_LINK_FLAG_DIRECTORY */ : 0;
    return create(link.c_str(), target.c_str(), flags) != 0 && Exists(link);
}

} // namespace lztest

int main(int argc, char **argv)
{
    /* no error dialogs from the system in a test run */
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

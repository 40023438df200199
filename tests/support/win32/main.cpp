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

bool MakeLink(const std::string &link, const std::string &target)
{
    typedef BOOLEAN(WINAPI * CreateSymbolicLinkFn)(LPCSTR, LPCSTR, DWORD);
    CreateSymbolicLinkFn create =
        (CreateSymbolicLinkFn)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA");
    if (!create)
        return false;
    DWORD flags = IsDir(target) ? 1 /* SYMBOLIC_LINK_FLAG_DIRECTORY */ : 0;
    return create(link.c_str(), target.c_str(), flags) != 0;
}

} // namespace lztest

int main(int argc, char **argv)
{
    /* no error dialogs from the system in a test run */
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

/* wow64_e2e_test.cpp - the setting the end-to-end tests run in. The test
 * program and LZUNINSTALL.EXE are built for the same processor, so that
 * the registry data the tests plant lands in the view the program reads.
 * A 32-bit release on 64-bit Windows (or a 64-bit Wine prefix) runs under
 * WOW64: it sees HKLM\Software through Software\WOW6432Node, and its
 * ProgramFilesDir names "Program Files (x86)". */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "program_run.h"
#include "sample_install.h"
#include "testenv.h"

namespace {

/* The machine field of a program's PE header, or 0 when it cannot be read. */
WORD MachineOf(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    IMAGE_DOS_HEADER dos;
    DWORD read = 0;
    WORD machine = 0;
    if (ReadFile(file, &dos, sizeof dos, &read, NULL) && read == sizeof dos && dos.e_magic == IMAGE_DOS_SIGNATURE &&
        SetFilePointer(file, dos.e_lfanew + 4, NULL, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
        ReadFile(file, &machine, sizeof machine, &read, NULL) && read == sizeof machine) {
        CloseHandle(file);
        return machine;
    }
    CloseHandle(file);
    return 0;
}

std::string OwnPath()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    return n > 0 && n < sizeof path ? std::string(path, n) : std::string();
}

bool RunsUnderWow64()
{
    typedef BOOL(WINAPI * IsWow64ProcessFn)(HANDLE, PBOOL);
    IsWow64ProcessFn isWow64 =
        (IsWow64ProcessFn)(void *)GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 != NULL && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

/* A value of HKLM as the 64-bit view shows it. */
bool Read64(const std::string &path, const char *name, std::string &value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    char data[MAX_PATH];
    DWORD size = sizeof data, type = 0;
    LONG rc = RegQueryValueExA(key, name, NULL, &type, (BYTE *)data, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ || size == 0)
        return false;
    value.assign(data, size - 1);
    return true;
}

TEST(Wow64Setting, TheProgramIsBuiltForTheTestsProcessor)
{
    std::string program = e2e::ProgramPath();
    ASSERT_FALSE(program.empty()) << "LZ_UNINSTALL_EXE does not name the program";
    WORD machine = MachineOf(program);
    EXPECT_TRUE(machine == IMAGE_FILE_MACHINE_I386 || machine == IMAGE_FILE_MACHINE_AMD64)
        << program << ": " << machine;
    EXPECT_EQ(MachineOf(OwnPath()), machine) << program;
}

class Wow64View : public testing::Test {
protected:
    void SetUp() override
    {
        if (sizeof(void *) == 8)
            GTEST_SKIP() << "a 64-bit run (the twin, on a machine without 32-bit programs): no WOW64 view to check";
        ASSERT_TRUE(RunsUnderWow64()) << "a 32-bit test program, but not in a 64-bit prefix";
    }
};

TEST_F(Wow64View, ProgramFilesIsTheX86Folder)
{
    std::string dir;
    ASSERT_TRUE(lztest::RegGetSz("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", dir));
    EXPECT_EQ("C:\\Program Files (x86)", dir);
    std::string native;
    ASSERT_TRUE(Read64("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", native));
    EXPECT_EQ("C:\\Program Files", native);
}

TEST_F(Wow64View, ProductKeysLandBelowWow6432Node)
{
    lztest::Scratch scratch;
    e2e::SampleInstall install(scratch.Path());
    ASSERT_TRUE(install.Create());
    std::string seen = "unread";
    EXPECT_TRUE(Read64("Software\\WOW6432Node\\VEMO\\LumeoZelcor\\1.0", "DIRECTORY", seen));
    EXPECT_EQ(install.InstallDir(), seen);
    EXPECT_FALSE(Read64("Software\\VEMO\\LumeoZelcor\\1.0", "DIRECTORY", seen));
}

} // namespace

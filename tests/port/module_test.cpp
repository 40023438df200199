/* module_test.cpp - the program's module when it carries no resources
 * (this test program links none): its handle and file name, and every
 * resource function failing as for an image without a resource section;
 * and kernel32.dll, found by name. */
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

const DWORD kUntouched = 0xdeadbeef;

TEST(Module, HandlesAndFileNamesOfTheProgramAndKernel32)
{
    HMODULE self = GetModuleHandleA(NULL);
    ASSERT_TRUE(self != NULL);
    EXPECT_EQ(self, GetModuleHandleA(NULL));

    char byNull[MAX_PATH], byHandle[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, byNull, sizeof byNull);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(n, GetModuleFileNameA(self, byHandle, sizeof byHandle));
    EXPECT_STREQ(byNull, byHandle);
    const char *file = strrchr(byNull, '\\');
    ASSERT_TRUE(file != NULL);
    EXPECT_EQ(0, strncmp(file, "\\port_tests", 11)) << "the program's own file: " << file;

    /* kernel32.dll, loaded in every process: found by its name in any letter
     * case, ".dll" understood, and named by its file in the system folder */
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_TRUE(kernel != NULL);
    EXPECT_NE(self, kernel);
    for (const char *name : {"KERNEL32.DLL", "Kernel32"})
        EXPECT_EQ(kernel, GetModuleHandleA(name)) << name;
    for (const char *name : {"kernel32.dl", "kernel", "nosuch.dll"}) {
        SetLastError(kUntouched);
        EXPECT_TRUE(GetModuleHandleA(name) == NULL) << name;
        EXPECT_EQ((DWORD)ERROR_MOD_NOT_FOUND, GetLastError()) << name;
    }
    char system[MAX_PATH], path[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryA(system, sizeof system), 0u);
    memset(path, 'x', sizeof path);
    n = GetModuleFileNameA(kernel, path, sizeof path);
    EXPECT_EQ(strlen(path), n);
    EXPECT_EQ(0, lstrcmpiA((std::string(system) + "\\kernel32.dll").c_str(), path)) << path;
}

TEST(Module, NoResourceSectionNoStringsNorIcons)
{
    static const struct {
        const char *what;
        LPCSTR type, name;
        DWORD error;
    } cases[] = {
        {"ordinals", RT_DIALOG, MAKEINTRESOURCEA(100), ERROR_RESOURCE_DATA_NOT_FOUND},
        {"# forms", "#5", "#100", ERROR_RESOURCE_DATA_NOT_FOUND},
        {"a name", RT_STRING, "TITLE", ERROR_RESOURCE_DATA_NOT_FOUND},
        /* the names are read before the module is looked at */
        {"# name beyond 65535", RT_DIALOG, "#65536", ERROR_INVALID_PARAMETER},
        {"# type beyond 65535", "#65536", MAKEINTRESOURCEA(100), ERROR_INVALID_PARAMETER},
    };
    HMODULE self = GetModuleHandleA(NULL);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetLastError(kUntouched);
        EXPECT_TRUE(FindResourceA(self, c.name, c.type) == NULL);
        EXPECT_EQ(c.error, GetLastError());
        SetLastError(kUntouched);
        EXPECT_TRUE(FindResourceExA(NULL, c.type, c.name, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)) == NULL);
        EXPECT_EQ(c.error, GetLastError());
        /* enumeration looks for the resources first */
        SetLastError(kUntouched);
        EXPECT_FALSE(EnumResourceLanguagesA(
            self, c.type, c.name, [](HMODULE, LPCSTR, LPCSTR, WORD, LONG_PTR) CALLBACK -> BOOL { return TRUE; }, 0));
        EXPECT_EQ((DWORD)ERROR_RESOURCE_DATA_NOT_FOUND, GetLastError());
    }

    SetLastError(kUntouched);
    EXPECT_TRUE(LoadResource(self, NULL) == NULL);
    EXPECT_EQ(0u, SizeofResource(self, NULL));
    EXPECT_TRUE(LockResource(NULL) == NULL);
    EXPECT_EQ(kUntouched, GetLastError());

    /* no strings and no icons */
    char buffer[16];
    memset(buffer, 'x', sizeof buffer);
    SetLastError(kUntouched);
    EXPECT_EQ(0, LoadStringA(self, 57344, buffer, sizeof buffer));
    EXPECT_EQ('\0', buffer[0]);
    EXPECT_EQ((DWORD)ERROR_RESOURCE_DATA_NOT_FOUND, GetLastError());

    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(-1, LoadStringA(self, 57344, buffer, 0));
    EXPECT_EQ('x', buffer[0]);

    SetLastError(kUntouched);
    EXPECT_TRUE(LoadIconA(self, MAKEINTRESOURCEA(128)) == NULL);
    EXPECT_EQ((DWORD)ERROR_RESOURCE_DATA_NOT_FOUND, GetLastError());
}

} // namespace

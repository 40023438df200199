/* system_names_test.cpp - the calls through which the program reads the
 * folders that the system names: environment strings in registry values,
 * the values of a key one by one, and functions looked up at run time. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "testenv.h"

namespace {

const DWORD kSentinel = 0xdeadbeef;

std::string WindowsFolder()
{
    char buf[MAX_PATH];
    UINT n = GetWindowsDirectoryA(buf, sizeof buf);
    return std::string(buf, n < sizeof buf ? n : 0);
}

size_t Characters(const std::string &text)
{
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += IsDBCSLeadByte((BYTE)text[i]) ? 2 : 1)
        count++;
    return count;
}

TEST(SystemNamesTest, ExpandEnvironmentStrings)
{
    std::string windows = WindowsFolder();
    ASSERT_GT(windows.size(), 2u);
    std::string drive = windows.substr(0, 2);
    const struct {
        const char *in;
        std::string out;
    } cases[] = {
        {"%SystemRoot%\\Profiles", windows + "\\Profiles"},
        {"%systemroot%", windows}, /* names in any letter case */
        {"%windir%%SystemDrive%", windows + drive},
        {"%SystemDrive%\\表\\%windir%", drive + "\\表\\" + windows},
        {"%LZ_NO_SUCH_VARIABLE%windir%", "%LZ_NO_SUCH_VARIABLE%windir%"}, /* unknown: kept, with both signs */
        {"%%windir%", "%%windir%"},
        {"100%", "100%"},
        {"a%b", "a%b"},
        {"", ""},
    };
    /* the count is in characters, a double-byte one counting once, with
     * the NUL (Wine sets a last error even on success: not looked at) */
    for (const auto &c : cases) {
        char buf[MAX_PATH];
        EXPECT_EQ(Characters(c.out) + 1, ExpandEnvironmentStringsA(c.in, buf, sizeof buf)) << c.in;
        EXPECT_EQ(c.out, buf) << c.in;
    }
    /* too small: the size it needs, and as much as fits */
    char small[5];
    SetLastError(kSentinel);
    EXPECT_EQ(windows.size() + 1, ExpandEnvironmentStringsA("%windir%", small, sizeof small));
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetLastError());
    EXPECT_EQ(windows.substr(0, 4), small);
    EXPECT_EQ(windows.size() + 1, ExpandEnvironmentStringsA("%windir%", nullptr, 0));
}

TEST(SystemNamesTest, EnumValuesInTheOrderTheyWereMade)
{
    const char *path = "Software\\LZTest\\EnumValues";
    lztest::PlantedValue first(HKEY_CURRENT_USER, path, "Alpha", "C:\\one");
    lztest::PlantedValue second(HKEY_CURRENT_USER, path, "B", "%windir%\\x", REG_EXPAND_SZ);
    lztest::PlantedValue third(HKEY_CURRENT_USER, path, "Common Desktop", "");
    ASSERT_TRUE(first.Ok() && second.Ok() && third.Ok());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key));
    const struct {
        const char *name;
        DWORD type;
        const char *data;
    } values[] = {{"Alpha", REG_SZ, "C:\\one"}, {"B", REG_EXPAND_SZ, "%windir%\\x"}, {"Common Desktop", REG_SZ, ""}};
    for (DWORD i = 0; i < 3; i++) {
        char name[64], data[64];
        DWORD cchName = sizeof name, cbData = sizeof data, type = kSentinel;
        ASSERT_EQ(ERROR_SUCCESS, RegEnumValueA(key, i, name, &cchName, nullptr, &type, (LPBYTE)data, &cbData)) << i;
        EXPECT_STREQ(values[i].name, name);
        EXPECT_EQ(strlen(values[i].name), cchName);
        EXPECT_EQ(values[i].type, type);
        EXPECT_EQ(strlen(values[i].data) + 1, cbData);
        EXPECT_STREQ(values[i].data, data);
    }
    /* the end: nothing written */
    char name[64] = "sentinel";
    DWORD cchName = sizeof name, cbData = kSentinel, type = kSentinel;
    EXPECT_EQ(ERROR_NO_MORE_ITEMS, RegEnumValueA(key, 3, name, &cchName, nullptr, &type, nullptr, &cbData));
    EXPECT_STREQ("sentinel", name);
    EXPECT_EQ(kSentinel, type);
    EXPECT_EQ(kSentinel, cbData);
    /* data that does not fit: the size it needs, and no name */
    char data[3];
    cchName = sizeof name;
    cbData = sizeof data;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumValueA(key, 0, name, &cchName, nullptr, &type, (LPBYTE)data, &cbData));
    EXPECT_EQ(7u, cbData);
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_STREQ("sentinel", name);
    /* a name that does not fit */
    char shortName[5];
    cchName = sizeof shortName;
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumValueA(key, 0, shortName, &cchName, nullptr, &type, nullptr, nullptr));
    RegCloseKey(key);
}

/* What the program binds at run time, and what it finds missing. */
TEST(SystemNamesTest, FunctionsLookedUpByName)
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_NE(nullptr, kernel);
    FARPROC found = GetProcAddress(kernel, "GetLongPathNameA");
    ASSERT_NE(nullptr, (void *)found);
    typedef DWORD(WINAPI * GetLongPathNameFn)(LPCSTR, LPSTR, DWORD);
    GetLongPathNameFn getLongPathName = (GetLongPathNameFn)(void (*)(void))found;
    char buf[MAX_PATH];
    std::string windows = WindowsFolder();
    EXPECT_EQ(windows.size(), getLongPathName(windows.c_str(), buf, sizeof buf));

    const struct {
        HMODULE module;
        const char *name;
    } missing[] = {
        {kernel, "LzNoSuchFunction"}, {GetModuleHandleA(nullptr), "LzNoSuchExport"}, /* the program exports nothing */
    };
    for (const auto &m : missing) {
        SetLastError(kSentinel);
        EXPECT_EQ(nullptr, (void *)GetProcAddress(m.module, m.name)) << m.name;
        EXPECT_EQ((DWORD)ERROR_PROC_NOT_FOUND, GetLastError()) << m.name;
    }
}

} // namespace

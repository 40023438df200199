/* resource_lookup_test.cpp - looking up the program's own resources: the
 * forms of types and names, the language fallback, LoadStringA's buffer
 * rules and missing strings, CString::LoadString, and LoadIconA. */
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "afx.h"
#include "resource.h"

namespace {

const DWORD kUntouched = 0xdeadbeef;
const char kTitle[] = "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ";
const char kAboutItem[] = "ﾊﾞｰｼﾞｮﾝ情報(LZUninstall) (&A)...";

TEST(ResourceLookup, TypesAndNamesInEveryForm)
{
    static const struct {
        const char *what;
        LPCSTR type, name;
        DWORD error; /* 0: found */
    } cases[] = {
        {"ordinals", RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUTBOX), 0},
        {"# name", RT_DIALOG, "#100", 0},
        {"# type and name", "#5", "#102", 0},
        {"# with sign and leading zeros", RT_DIALOG, "#+0100", 0},
        {"# stops at the first non-digit", RT_DIALOG, "#100abc", 0},
        {"# stops at a blank", RT_DIALOG, "#100 ", 0},
        {"# skips blanks", RT_DIALOG, "#  100", 0},
        {"# skips a tab", RT_DIALOG, "#\t100", 0},
        {"# skips blanks before the sign", RT_DIALOG, "# +100", 0},
        {"# no blank after the sign", RT_DIALOG, "#+ 100", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"# one sign only", RT_DIALOG, "#+-100", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"# decimal only", RT_DIALOG, "#0x64", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"# without digits is ordinal 0", RT_DIALOG, "#abc", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"# alone is ordinal 0", RT_DIALOG, "#", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"# minus zero is ordinal 0", RT_DIALOG, "#-0", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"# 65535", RT_DIALOG, "#65535", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"# beyond 65535", RT_DIALOG, "#65536", ERROR_INVALID_PARAMETER},
        {"# negative", RT_DIALOG, "#-100", ERROR_INVALID_PARAMETER},
        {"# negative beyond 65535", RT_DIALOG, "#-65536", ERROR_INVALID_PARAMETER},
        {"# type beyond 65535", "#70000", MAKEINTRESOURCEA(IDD_ABOUTBOX), ERROR_INVALID_PARAMETER},
        {"a blank before # makes a name", RT_DIALOG, " #100", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"no such name", RT_DIALOG, MAKEINTRESOURCEA(101), ERROR_RESOURCE_NAME_NOT_FOUND},
        {"no such named resource", RT_DIALOG, "about", ERROR_RESOURCE_NAME_NOT_FOUND},
        {"no such type", MAKEINTRESOURCEA(99), MAKEINTRESOURCEA(IDD_ABOUTBOX), ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"no such named type", "DIALOG", MAKEINTRESOURCEA(IDD_ABOUTBOX), ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"the version record", RT_VERSION, MAKEINTRESOURCEA(1), 0},
        {"a string block", RT_STRING, MAKEINTRESOURCEA(AFX_IDS_APP_TITLE / 16 + 1), 0},
    };
    HMODULE self = GetModuleHandleA(NULL);
    HRSRC expected = FindResourceA(self, MAKEINTRESOURCEA(IDD_ABOUTBOX), RT_DIALOG);
    ASSERT_TRUE(expected != NULL);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SetLastError(kUntouched);
        HRSRC found = FindResourceA(self, c.name, c.type);
        EXPECT_EQ(c.error == 0, found != NULL);
        EXPECT_EQ(c.error == 0 ? kUntouched : c.error, GetLastError());
        if (c.type == RT_DIALOG && c.error == 0) {
            EXPECT_EQ(expected, found);
        }
        /* a null module is the program */
        EXPECT_EQ(found, FindResourceA(NULL, c.name, c.type));
    }
}

TEST(ResourceLookup, LanguageFallback)
{
    static const struct {
        WORD language;
        DWORD error;
    } cases[] = {
        {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), 0},
        {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), 0},     /* the locale's language */
        {MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), 0},     /* the user's */
        {MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), 0}, /* the system's */
        {MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), ERROR_RESOURCE_LANG_NOT_FOUND},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_NEUTRAL), ERROR_RESOURCE_LANG_NOT_FOUND},
    };
    HMODULE self = GetModuleHandleA(NULL);
    HRSRC japanese = FindResourceExA(self, RT_DIALOG, MAKEINTRESOURCEA(IDD_UNINSTALL_DIALOG),
                                     MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    ASSERT_TRUE(japanese != NULL);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        SetLastError(kUntouched);
        HRSRC found = FindResourceExA(self, RT_DIALOG, MAKEINTRESOURCEA(IDD_UNINSTALL_DIALOG), c.language);
        EXPECT_EQ(c.error == 0 ? japanese : (HRSRC)NULL, found);
        EXPECT_EQ(c.error == 0 ? kUntouched : c.error, GetLastError());
    }
}

TEST(ResourceLookup, LoadedDataIsTheResourceItself)
{
    HMODULE self = GetModuleHandleA(NULL);
    HRSRC info = FindResourceA(self, MAKEINTRESOURCEA(IDD_ABOUTBOX), RT_DIALOG);
    ASSERT_TRUE(info != NULL);
    HGLOBAL data = LoadResource(self, info);
    ASSERT_TRUE(data != NULL);
    EXPECT_EQ(data, LoadResource(NULL, info)) << "loading again gives the same data";
    EXPECT_EQ((LPVOID)data, LockResource(data));
    EXPECT_EQ(0u, (ULONG_PTR)data % 4) << "data on a 4-byte boundary";
    EXPECT_FALSE(FreeResource(data));
    EXPECT_EQ(0x80C800C0u, *(const DWORD *)data) << "the template's style";

    SetLastError(kUntouched);
    EXPECT_TRUE(LoadResource(self, NULL) == NULL);
    EXPECT_EQ(0u, SizeofResource(self, NULL));
    EXPECT_EQ(kUntouched, GetLastError()) << "a null handle is no error";
}

TEST(ResourceLookup, EnumeratingLanguages)
{
    HMODULE self = GetModuleHandleA(NULL);
    int calls = 0;
    auto stop = [](HMODULE, LPCSTR, LPCSTR, WORD, LONG_PTR param) CALLBACK -> BOOL {
        ++*(int *)param;
        return FALSE;
    };
    EXPECT_FALSE(EnumResourceLanguagesA(self, RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUTBOX), stop, (LONG_PTR)&calls))
        << "the callback's answer";
    EXPECT_EQ(1, calls);

    static const struct {
        LPCSTR type, name;
        DWORD error;
    } failures[] = {
        {RT_DIALOG, MAKEINTRESOURCEA(999), ERROR_RESOURCE_NAME_NOT_FOUND},
        {MAKEINTRESOURCEA(99), MAKEINTRESOURCEA(IDD_ABOUTBOX), ERROR_RESOURCE_TYPE_NOT_FOUND},
        {RT_DIALOG, "#65536", ERROR_INVALID_PARAMETER},
    };
    for (const auto &f : failures) {
        SCOPED_TRACE(f.error);
        calls = 0;
        SetLastError(kUntouched);
        EXPECT_FALSE(EnumResourceLanguagesA(self, f.type, f.name, stop, (LONG_PTR)&calls));
        EXPECT_EQ(f.error, GetLastError());
        EXPECT_EQ(0, calls);
    }
}

/* LoadStringA copies at most the buffer size less one bytes, never half a
 * double-byte character, and always terminates. */
TEST(ResourceLookup, LoadStringBufferSizes)
{
    const int title = (int)strlen(kTitle);
    static const struct {
        UINT id;
        int size;
        const char *text; /* what the buffer holds */
    } cases[] = {
        {AFX_IDS_APP_TITLE, 256, kTitle},
        {AFX_IDS_APP_TITLE, title + 1, kTitle},
        {AFX_IDS_APP_TITLE, title, "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗ"},
        {AFX_IDS_APP_TITLE, 2, "ﾙ"},
        {AFX_IDS_APP_TITLE, 1, ""},
        {IDS_ABOUTBOX, 10, "ﾊﾞｰｼﾞｮﾝ情"},
        {IDS_ABOUTBOX, 9, "ﾊﾞｰｼﾞｮﾝ"},                            /* 情 would need two more bytes */
        {(UINT)MAKELONG(IDS_ABOUTBOX, 0x8000), 256, kAboutItem}, /* the high word is not looked at */
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " into " + std::to_string(c.size));
        char buffer[300];
        memset(buffer, 'x', sizeof buffer);
        SetLastError(kUntouched);
        EXPECT_EQ((int)strlen(c.text), LoadStringA(GetModuleHandleA(NULL), c.id, buffer, c.size));
        EXPECT_STREQ(c.text, buffer);
        EXPECT_EQ(kUntouched, GetLastError());
    }

    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(-1, LoadStringA(GetModuleHandleA(NULL), AFX_IDS_APP_TITLE, buffer, 0)) << "no room at all";
    EXPECT_EQ('x', buffer[0]);
}

TEST(ResourceLookup, StringsFoundAndMissing)
{
    static const struct {
        UINT id;
        const char *text;
        DWORD error; /* kUntouched: found, or its block exists and the string is empty */
    } cases[] = {
        {AFX_IDS_APP_TITLE, kTitle, kUntouched}, {IDS_ABOUTBOX, kAboutItem, kUntouched},
        {IDS_ABOUTBOX - 1, "", kUntouched},      {IDS_ABOUTBOX + 1, "", kUntouched},
        {AFX_IDS_APP_TITLE + 1, "", kUntouched}, {200, "", ERROR_RESOURCE_NAME_NOT_FOUND},
        {0, "", ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.id);
        char buffer[64];
        memset(buffer, 'x', sizeof buffer);
        SetLastError(kUntouched);
        EXPECT_EQ((int)strlen(c.text), LoadStringA(NULL, c.id, buffer, sizeof buffer));
        EXPECT_STREQ(c.text, buffer);
        EXPECT_EQ(c.error, GetLastError());

        CString text("unchanged");
        EXPECT_EQ(c.text[0] != '\0', text.LoadString(c.id) != FALSE);
        EXPECT_STREQ(c.text, text);
    }
}

TEST(ResourceLookup, ProgramIconIsShared)
{
    HMODULE self = GetModuleHandleA(NULL);
    HICON icon = LoadIconA(self, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_TRUE(icon != NULL);
    EXPECT_EQ(icon, LoadIconA(self, MAKEINTRESOURCEA(IDR_MAINFRAME)));
    EXPECT_EQ(icon, LoadIconA(self, "#128"));

    static const struct {
        LPCSTR name;
        DWORD error;
    } failures[] = {
        /* after the icon group, an animated icon of the name is looked for */
        {MAKEINTRESOURCEA(IDD_ABOUTBOX), ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"MAINFRAME", ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"#65536", ERROR_INVALID_PARAMETER},
    };
    for (const auto &f : failures) {
        SCOPED_TRACE(f.error);
        SetLastError(kUntouched);
        EXPECT_TRUE(LoadIconA(self, f.name) == NULL);
        EXPECT_EQ(f.error, GetLastError());
    }
}

} // namespace

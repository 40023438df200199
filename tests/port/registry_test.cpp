/* registry_test.cpp - the registry functions as Win32 defines them: key
 * creation and opening, names, enumeration, value sizes and types,
 * deletion, handles of deleted keys and handle rights, each below
 * HKEY_LOCAL_MACHINE and below HKEY_CURRENT_USER. Each test works in its
 * own key below SoftWare\LzPortTest and removes it afterwards, so the file
 * runs against Wine's registry as well. */
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "testenv.h"

namespace {

const HKEY kSentinelKey = (HKEY)(ULONG_PTR)0xdeadbeef;
const DWORD kSentinel = 0xdeadbeef;
const BYTE kFill = 0xbd;

HKEY CreateKey(HKEY parent, const std::string &name, DWORD *disposition = nullptr, REGSAM sam = KEY_ALL_ACCESS)
{
    HKEY key = kSentinelKey;
    DWORD disp = kSentinel;
    LONG rc = RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, sam, nullptr, &key, &disp);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "creating " << name;
    if (disposition)
        *disposition = disp;
    return rc == ERROR_SUCCESS ? key : nullptr;
}

HKEY OpenKey(HKEY parent, const std::string &name, REGSAM sam = KEY_ALL_ACCESS)
{
    HKEY key = kSentinelKey;
    LONG rc = RegOpenKeyExA(parent, name.c_str(), 0, sam, &key);
    EXPECT_EQ(ERROR_SUCCESS, rc) << "opening " << name;
    return rc == ERROR_SUCCESS ? key : nullptr;
}

std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD length = sizeof name;
        LONG rc = RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) {
            EXPECT_EQ(ERROR_NO_MORE_ITEMS, rc);
            return names;
        }
        EXPECT_EQ(strlen(name), length);
        names.push_back(name);
    }
}

LONG SetBytes(HKEY key, const char *name, DWORD type, const std::string &data)
{
    return RegSetValueExA(key, name, 0, type, (const BYTE *)data.data(), (DWORD)data.size());
}

class RegistryTest : public testing::TestWithParam<HKEY> {
protected:
    void SetUp() override
    {
        static unsigned counter = 0;
        m_path = "SoftWare\\LzPortTest\\" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        lztest::RegDeleteTree(m_path, m_root);
        m_key = CreateKey(m_root, m_path);
        ASSERT_NE(nullptr, m_key);
    }

    void TearDown() override
    {
        RegCloseKey(m_key);
        lztest::RegDeleteTree(m_path, m_root);
        RegDeleteKeyA(m_root, "SoftWare\\LzPortTest"); /* refused while other runs use it */
    }

    bool Exists(const std::string &path) const { return lztest::RegKeyExists(path, m_root); }
    bool SetSz(const std::string &path, const char *name, const std::string &value) const
    {
        return lztest::RegSetSz(path, name, value, REG_SZ, m_root);
    }
    bool GetSz(const std::string &path, const char *name, std::string &value) const
    {
        return lztest::RegGetSz(path, name, value, nullptr, m_root);
    }
    bool ValueExists(const std::string &path, const char *name) const
    {
        return lztest::RegValueExists(path, name, m_root);
    }

    const HKEY m_root = GetParam();
    std::string m_path;
    HKEY m_key = nullptr;
};

TEST_P(RegistryTest, CreateMakesEveryMissingKeyAndTellsWhetherItExisted)
{
    DWORD disp;
    RegCloseKey(CreateKey(m_key, "a\\b\\c", &disp));
    EXPECT_EQ((DWORD)REG_CREATED_NEW_KEY, disp);
    EXPECT_TRUE(Exists(m_path + "\\a"));
    EXPECT_TRUE(Exists(m_path + "\\a\\b\\c"));

    for (const char *again : {"a\\b\\c", "A\\B\\C", "a\\\\b\\c\\", "a\\b"}) {
        RegCloseKey(CreateKey(m_key, again, &disp));
        EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disp) << again;
    }
    RegCloseKey(CreateKey(m_key, "a\\d", &disp));
    EXPECT_EQ((DWORD)REG_CREATED_NEW_KEY, disp);
    EXPECT_EQ((std::vector<std::string>{"b", "d"}), SubkeyNames(OpenKey(m_key, "a")));
}

TEST_P(RegistryTest, OpenNeverCreatesAndClearsTheResultOnFailure)
{
    struct Case {
        const char *name;
        LONG expected;
    } cases[] = {
        {"missing", ERROR_FILE_NOT_FOUND},
        {"missing\\deeper", ERROR_FILE_NOT_FOUND},
        {"\\leading", ERROR_BAD_PATHNAME},
    };
    for (const Case &c : cases) {
        HKEY key = kSentinelKey;
        EXPECT_EQ(c.expected, RegOpenKeyExA(m_key, c.name, 0, KEY_READ, &key)) << c.name;
        EXPECT_EQ(nullptr, key) << c.name;
    }
    EXPECT_FALSE(Exists(m_path + "\\missing"));

    HKEY key = kSentinelKey;
    DWORD disp = kSentinel;
    EXPECT_EQ(ERROR_BAD_PATHNAME,
              RegCreateKeyExA(m_key, "\\leading", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disp));
    EXPECT_EQ(nullptr, key);
    EXPECT_EQ(kSentinel, disp);
}

TEST_P(RegistryTest, EmptySubkeyNameOpensTheKeyItself)
{
    HKEY key = kSentinelKey;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(m_root, "", 0, KEY_READ, &key));
    EXPECT_EQ(m_root, key);

    HKEY again = OpenKey(m_key, "");
    ASSERT_NE(nullptr, again);
    EXPECT_NE(m_key, again);
    EXPECT_TRUE(SetSz(m_path, "through", "the path"));
    char buf[32];
    DWORD size = sizeof buf;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(again, "through", nullptr, nullptr, (BYTE *)buf, &size));
    EXPECT_STREQ("the path", buf);
    RegCloseKey(again);
}

TEST_P(RegistryTest, KeyNamesIgnoreCaseAndKeepTheirSpelling)
{
    struct Case {
        const char *created;
        const char *other;
    } cases[] = {
        {"MixedCase", "mIXEDcASE"},
        {"ＡＢｃ", "ａｂＣ"}, /* full-width letters have case too */
        {"ΑΒΓ", "αβγ"},
    };
    std::vector<std::string> created;
    for (const Case &c : cases) {
        DWORD disp;
        RegCloseKey(CreateKey(m_key, c.created));
        HKEY key = OpenKey(m_key, c.other);
        EXPECT_NE(nullptr, key) << c.other;
        RegCloseKey(key);
        RegCloseKey(CreateKey(m_key, c.other, &disp));
        EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disp) << c.other;
        created.push_back(c.created);
    }
    std::vector<std::string> listed = SubkeyNames(m_key);
    std::sort(listed.begin(), listed.end());
    std::sort(created.begin(), created.end());
    EXPECT_EQ(created, listed);
}

TEST_P(RegistryTest, ATrailByte5CIsNoSeparator)
{
    /* ソ is 83 5C and 表 is 95 5C in code page 932 */
    RegCloseKey(CreateKey(m_key, "ソ\\表\\child"));
    EXPECT_EQ((std::vector<std::string>{"ソ"}), SubkeyNames(m_key));
    HKEY key = OpenKey(m_key, "ソ\\表");
    EXPECT_EQ((std::vector<std::string>{"child"}), SubkeyNames(key));
    RegCloseKey(key);
}

TEST_P(RegistryTest, SubkeysAreListedByCodePointWithoutRegardToCase)
{
    for (const char *name : {"b", "ｱ", "~", "A", "Ｚ", "亜", "a2", "ａ", "ア"})
        RegCloseKey(CreateKey(m_key, name));
    EXPECT_EQ((std::vector<std::string>{"A", "a2", "b", "~", "ア", "亜", "ａ", "Ｚ", "ｱ"}), SubkeyNames(m_key));
}

TEST_P(RegistryTest, EnumerationLeavesItsBuffersAloneWhenItFails)
{
    RegCloseKey(CreateKey(m_key, "abc"));
    struct Case {
        DWORD index;
        DWORD length;
        LONG expected;
    } cases[] = {
        {1, 256, ERROR_NO_MORE_ITEMS},
        {0, 3, ERROR_MORE_DATA}, /* no room for the NUL */
        {0, 0, ERROR_MORE_DATA},
        {0, 4, ERROR_SUCCESS},
    };
    for (const Case &c : cases) {
        char name[8];
        memset(name, '#', sizeof name);
        DWORD length = c.length;
        FILETIME written = {kSentinel, kSentinel};
        EXPECT_EQ(c.expected, RegEnumKeyExA(m_key, c.index, name, &length, nullptr, nullptr, nullptr, &written))
            << c.index << "/" << c.length;
        if (c.expected == ERROR_SUCCESS) {
            EXPECT_STREQ("abc", name);
            EXPECT_EQ(3u, length);
        } else {
            EXPECT_EQ('#', name[0]);
            EXPECT_EQ(c.length, length);
        }
        if (c.expected != ERROR_NO_MORE_ITEMS) {
            EXPECT_NE(kSentinel, written.dwLowDateTime) << "last write time of the sub-key";
        }
    }
    DWORD reserved = 0, length = 8;
    char name[8];
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegEnumKeyExA(m_key, 0, name, &length, &reserved, nullptr, nullptr, nullptr));
}

TEST_P(RegistryTest, AnsiPathsLongerThanMaxPathAreRefusedBeforeAnyLookup)
{
    /* counted in characters, a double-byte character being one */
    auto kana = [](int count) {
        std::string out;
        while (count--)
            out += "ア";
        return out;
    };
    struct {
        std::string path;
        LONG expected;
    } cases[] = {
        {std::string(255, 'a') + "\\abcd", ERROR_FILE_NOT_FOUND}, /* 260 characters */
        {std::string(255, 'a') + "\\abcde", ERROR_MORE_DATA},     /* 261 */
        {kana(131) + "\\" + kana(128), ERROR_FILE_NOT_FOUND},     /* 260 characters in 519 bytes */
        {kana(131) + "\\" + kana(129), ERROR_MORE_DATA},          /* 261 */
    };
    for (const auto &c : cases) {
        HKEY key = (HKEY)(ULONG_PTR)0xdeadbeef;
        DWORD disposition = 0xdeadbeef;
        EXPECT_EQ(c.expected, RegOpenKeyExA(m_key, c.path.c_str(), 0, KEY_READ, &key)) << c.path.size();
        EXPECT_EQ(c.expected, RegDeleteKeyA(m_key, c.path.c_str())) << c.path.size();
        if (c.expected == ERROR_MORE_DATA) {
            EXPECT_EQ(ERROR_MORE_DATA, RegCreateKeyExA(m_key, c.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                       &key, &disposition));
            EXPECT_EQ(0xdeadbeefu, disposition);
        }
    }
}

TEST_P(RegistryTest, NamesUpTo256CharactersAndListingThemInA256ByteBuffer)
{
    auto repeat = [](const char *text, int times) {
        std::string out;
        while (times--)
            out += text;
        return out;
    };
    const std::string n255(255, 'n'), m256(256, 'm'), q257(257, 'q');
    const std::string dbcs256Bytes = repeat("ソ", 128), dbcs256Chars = repeat("ソ", 256),
                      dbcs257Chars = repeat("ソ", 257);
    for (const std::string *name : {&n255, &m256, &dbcs256Bytes, &dbcs256Chars})
        RegCloseKey(CreateKey(m_key, *name));
    RegCloseKey(CreateKey(m_key, "z"));
    for (const std::string *name : {&q257, &dbcs257Chars}) {
        HKEY key = kSentinelKey;
        EXPECT_EQ(ERROR_INVALID_PARAMETER,
                  RegCreateKeyExA(m_key, name->c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        EXPECT_EQ(ERROR_INVALID_PARAMETER, RegOpenKeyExA(m_key, name->c_str(), 0, KEY_READ, &key));
    }

    /* the program lists with a 256-byte buffer: a name of 255 bytes comes
     * whole, longer ones fail without ending the listing */
    std::vector<std::string> listed;
    std::vector<LONG> results;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        LONG rc = RegEnumKeyExA(m_key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        results.push_back(rc);
        if (rc == ERROR_SUCCESS) {
            listed.push_back(name);
        } else {
            EXPECT_EQ((DWORD)sizeof name, length);
        }
    }
    EXPECT_EQ((std::vector<LONG>{ERROR_MORE_DATA, ERROR_SUCCESS, ERROR_SUCCESS, ERROR_MORE_DATA, ERROR_MORE_DATA}),
              results);
    EXPECT_EQ((std::vector<std::string>{n255, "z"}), listed);

    /* names that long cannot be listed for the cleanup */
    for (const std::string *name : {&m256, &dbcs256Bytes, &dbcs256Chars})
        EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(m_key, name->c_str()));
}

TEST_P(RegistryTest, QueryGivesTypeAndSizeAndLeavesAShortBufferAlone)
{
    struct Case {
        const char *name;
        DWORD type;
        std::string data;
    } cases[] = {
        {"sz", REG_SZ, std::string("C:\\ソフト") + '\0'},     {"expand", REG_EXPAND_SZ, std::string("%WINDIR%") + '\0'},
        {"multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5)},  {"dword", REG_DWORD, std::string("\x2a\0\0\0", 4)},
        {"binary", REG_BINARY, std::string("\x01\0\xff", 3)}, {"none", REG_NONE, "xyz"},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(ERROR_SUCCESS, SetBytes(m_key, c.name, c.type, c.data)) << c.name;
        const DWORD size = (DWORD)c.data.size();
        BYTE buf[64];
        DWORD type = kSentinel, length = size;
        memset(buf, kFill, sizeof buf);
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(m_key, c.name, nullptr, &type, buf, &length)) << c.name;
        EXPECT_EQ(c.type, type);
        EXPECT_EQ(size, length);
        EXPECT_EQ(c.data, std::string((char *)buf, size)) << c.name;
        EXPECT_EQ(kFill, buf[size]) << c.name << ": nothing written past the data";

        type = kSentinel;
        length = size - 1;
        memset(buf, kFill, sizeof buf);
        EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExA(m_key, c.name, nullptr, &type, buf, &length)) << c.name;
        EXPECT_EQ(c.type, type);
        EXPECT_EQ(size, length) << c.name << ": the size needed";
        EXPECT_EQ(std::string(sizeof buf, (char)kFill), std::string((char *)buf, sizeof buf)) << c.name;

        type = kSentinel;
        length = 0;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(m_key, c.name, nullptr, &type, nullptr, &length)) << c.name;
        EXPECT_EQ(c.type, type);
        EXPECT_EQ(size, length);
    }
}

TEST_P(RegistryTest, QueryOfAMissingValueAndBadArguments)
{
    BYTE buf[8];
    DWORD type = kSentinel, length = kSentinel;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExA(m_key, "missing", nullptr, &type, buf, &length));
    EXPECT_EQ((DWORD)REG_NONE, type);
    EXPECT_EQ(kSentinel, length);

    DWORD reserved = 0;
    length = sizeof buf;
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExA(m_key, "missing", nullptr, nullptr, buf, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegQueryValueExA(m_key, "missing", &reserved, nullptr, buf, &length));
}

TEST_P(RegistryTest, StringsWithoutTheirNul)
{
    /* a count one short of the NUL gets the NUL counted (NT) */
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(m_key, "short", 0, REG_SZ, (const BYTE *)"abcd", 4));
    DWORD length = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(m_key, "short", nullptr, nullptr, nullptr, &length));
    EXPECT_EQ(5u, length);

    /* followed by other text, the four bytes are stored as they are; a
     * reader with room gets a NUL added that is not counted */
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(m_key, "cut", 0, REG_SZ, (const BYTE *)"abcdXY", 4));
    BYTE buf[8];
    memset(buf, kFill, sizeof buf);
    length = sizeof buf;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(m_key, "cut", nullptr, nullptr, buf, &length));
    EXPECT_EQ(4u, length);
    EXPECT_EQ(std::string("abcd\0", 5), std::string((char *)buf, 5));
    memset(buf, kFill, sizeof buf);
    length = 4;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(m_key, "cut", nullptr, nullptr, buf, &length));
    EXPECT_EQ(kFill, buf[4]);

    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(m_key, "empty", 0, REG_SZ, (const BYTE *)"", 0));
    memset(buf, kFill, sizeof buf);
    length = sizeof buf;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(m_key, "empty", nullptr, nullptr, buf, &length));
    EXPECT_EQ(0u, length);
    EXPECT_EQ(kFill, buf[0]);
}

TEST_P(RegistryTest, ValueNamesIgnoreCaseAndTheDefaultValueHasTwoNames)
{
    EXPECT_TRUE(SetSz(m_path, "Name", "first"));
    EXPECT_TRUE(SetSz(m_path, "NAME", "second"));
    std::string value;
    EXPECT_TRUE(GetSz(m_path, "name", value));
    EXPECT_EQ("second", value);

    EXPECT_TRUE(SetSz(m_path, nullptr, "default"));
    EXPECT_TRUE(GetSz(m_path, "", value));
    EXPECT_EQ("default", value);

    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(m_key, "nAmE"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(m_key, "Name"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(m_key, nullptr));
    EXPECT_FALSE(ValueExists(m_path, ""));
}

TEST_P(RegistryTest, SetValueChecksItsArguments)
{
    EXPECT_EQ(ERROR_NOACCESS, RegSetValueExA(m_key, "x", 0, REG_BINARY, nullptr, 4));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(m_key, std::string(16383, 'v').c_str(), 0, REG_SZ, (const BYTE *)"", 1));
    EXPECT_EQ(ERROR_INVALID_PARAMETER,
              RegSetValueExA(m_key, std::string(16384, 'v').c_str(), 0, REG_SZ, (const BYTE *)"", 1));
}

TEST_P(RegistryTest, DeleteRefusesAKeyWithSubkeys)
{
    RegCloseKey(CreateKey(m_key, "parent\\child"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(m_key, "parent"));
    EXPECT_TRUE(Exists(m_path + "\\parent\\child"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(m_key, "PARENT\\Child"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(m_key, "parent"));
    EXPECT_TRUE(SubkeyNames(m_key).empty());

    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyA(m_key, "parent"));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegDeleteKeyA(m_key, nullptr));
    EXPECT_EQ(ERROR_BAD_PATHNAME, RegDeleteKeyA(m_key, "\\parent"));
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyA(m_root, ""));

    HKEY self = CreateKey(m_key, "self", nullptr, KEY_READ);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(self, ""));
    EXPECT_FALSE(Exists(m_path + "\\self"));
    RegCloseKey(self);
}

TEST_P(RegistryTest, AHandleOfADeletedKeyStaysDeleted)
{
    HKEY first = CreateKey(m_key, "gone");
    DWORD disp;
    HKEY second = CreateKey(m_key, "gone", &disp);
    EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disp);
    EXPECT_TRUE(SetSz(m_path + "\\gone", "old", "value"));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(m_key, "gone"));

    const std::vector<std::pair<const char *, std::function<LONG()>>> operations = {
        {"query",
         [&] {
             DWORD n = 8;
             BYTE b[8];
             return RegQueryValueExA(first, "old", nullptr, nullptr, b, &n);
         }},
        {"set", [&] { return RegSetValueExA(first, "new", 0, REG_SZ, (const BYTE *)"x", 2); }},
        {"delete value", [&] { return RegDeleteValueA(first, "old"); }},
        {"enumerate",
         [&] {
             char n[8];
             DWORD l = 8;
             return RegEnumKeyExA(first, 0, n, &l, nullptr, nullptr, nullptr, nullptr);
         }},
        {"open",
         [&] {
             HKEY k;
             return RegOpenKeyExA(first, "", 0, KEY_READ, &k);
         }},
        {"delete", [&] { return RegDeleteKeyA(first, ""); }},
        {"create",
         [&] {
             HKEY k;
             DWORD d = kSentinel;
             LONG rc = RegCreateKeyExA(first, "sub", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, &d);
             EXPECT_EQ(kSentinel, d);
             return rc;
         }},
    };
    for (const auto &op : operations)
        EXPECT_EQ(ERROR_KEY_DELETED, op.second()) << op.first;

    RegCloseKey(CreateKey(m_key, "gone", &disp));
    EXPECT_EQ((DWORD)REG_CREATED_NEW_KEY, disp);
    EXPECT_FALSE(ValueExists(m_path + "\\gone", "old"));
    EXPECT_EQ(ERROR_KEY_DELETED, RegSetValueExA(second, "new", 0, REG_SZ, (const BYTE *)"x", 2));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(first));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(second));
}

TEST_P(RegistryTest, AHandleDoesWhatItWasOpenedFor)
{
    EXPECT_TRUE(SetSz(m_path, "v", "x"));
    HKEY reader = OpenKey(m_root, m_path, KEY_READ);
    HKEY writer = OpenKey(m_root, m_path, KEY_SET_VALUE);
    DWORD length = 0;
    char name[8];
    DWORD nameLength = sizeof name;
    struct Case {
        const char *what;
        LONG expected;
        LONG got;
    } cases[] = {
        {"set through KEY_READ", ERROR_ACCESS_DENIED, RegSetValueExA(reader, "v", 0, REG_SZ, (const BYTE *)"y", 2)},
        {"delete value through KEY_READ", ERROR_ACCESS_DENIED, RegDeleteValueA(reader, "v")},
        {"query through KEY_READ", ERROR_SUCCESS, RegQueryValueExA(reader, "v", nullptr, nullptr, nullptr, &length)},
        {"query through KEY_SET_VALUE", ERROR_ACCESS_DENIED,
         RegQueryValueExA(writer, "v", nullptr, nullptr, nullptr, &length)},
        {"enumerate through KEY_SET_VALUE", ERROR_ACCESS_DENIED,
         RegEnumKeyExA(writer, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr)},
        {"set through KEY_SET_VALUE", ERROR_SUCCESS, RegSetValueExA(writer, "v", 0, REG_SZ, (const BYTE *)"y", 2)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, c.got) << c.what;
    /* creating a sub-key asks nothing of the parent's handle */
    RegCloseKey(CreateKey(reader, "sub"));
    RegCloseKey(reader);
    RegCloseKey(writer);
}

TEST_P(RegistryTest, CloseKey)
{
    HKEY key = OpenKey(m_key, "");
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(nullptr));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey((HKEY)(ULONG_PTR)0x1235));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(m_root));
}

INSTANTIATE_TEST_SUITE_P(Roots, RegistryTest, testing::Values(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER),
                         [](const testing::TestParamInfo<HKEY> &info) {
                             return std::string(info.param == HKEY_LOCAL_MACHINE ? "LocalMachine" : "CurrentUser");
                         });

} // namespace

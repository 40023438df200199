/* registry_test.cpp - how the registry keeps keys and values, below
 * HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER: names that ignore case and
 * keep their spelling, code page 932 names, the order of sub-keys, the
 * longest names, every type of value, handles of deleted keys and closing.
 * What each function answers to its arguments is in
 * registry_calls_test.cpp. */
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "registry_support.h"

namespace {

using namespace lzreg;

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

TEST_P(RegistryTest, NamesUpTo256CharactersAndListingThemInA256ByteBuffer)
{
    const std::string n255(255, 'n'), m256(256, 'm'), q257(257, 'q');
    const std::string dbcs256Bytes = Repeat("ソ", 128), dbcs256Chars = Repeat("ソ", 256),
                      dbcs257Chars = Repeat("ソ", 257);
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

TEST_P(RegistryTest, ValueNamesIgnoreCaseAndTheDefaultValueHasTwoNames)
{
    EXPECT_TRUE(SetSz("", "Name", "first"));
    EXPECT_TRUE(SetSz("", "NAME", "second"));
    std::string value;
    EXPECT_TRUE(GetSz("", "name", value));
    EXPECT_EQ("second", value);

    EXPECT_TRUE(SetSz("", nullptr, "default"));
    EXPECT_TRUE(GetSz("", "", value));
    EXPECT_EQ("default", value);

    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(m_key, "nAmE"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueA(m_key, "Name"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(m_key, nullptr));
    EXPECT_FALSE(ValueExists("", ""));
}

TEST_P(RegistryTest, AHandleOfADeletedKeyStaysDeleted)
{
    HKEY first = CreateKey(m_key, "gone");
    DWORD disp;
    HKEY second = CreateKey(m_key, "gone", &disp);
    EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disp);
    EXPECT_TRUE(SetSz("gone", "old", "value"));
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
    EXPECT_FALSE(ValueExists("gone", "old"));
    EXPECT_EQ(ERROR_KEY_DELETED, RegSetValueExA(second, "new", 0, REG_SZ, (const BYTE *)"x", 2));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(first));
    EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(second));
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

TEST_P(RegistryTest, DeletingAValueNeedsTheRightToSetValues)
{
    ASSERT_TRUE(SetSz("", "v", "x"));
    HKEY reader = OpenKey(m_key, "", KEY_READ);
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteValueA(reader, "v"));
    RegCloseKey(reader);
    HKEY writer = OpenKey(m_key, "", KEY_SET_VALUE);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueA(writer, "v"));
    RegCloseKey(writer);
}

LZREG_ON_EVERY_ROOT(RegistryTest);

} // namespace

/* registry_test.cpp - the registry below HKEY_LOCAL_MACHINE and
 * HKEY_CURRENT_USER, each test in a key of its own below SoftWare\LzPortTest
 * so that the tests run against Wine's registry too. How it keeps keys and
 * values: names that ignore case and keep their spelling, code page 932
 * names, the order of sub-keys, the longest names, every type of value,
 * handles of deleted keys and closing. Then what each function answers and
 * writes, one table per function: its argument checks with their error
 * codes and the order they come in, the outputs it leaves alone when it
 * fails, and its results. Outputs start as sentinels so that a row sees
 * what the call did not write. */
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "testenv.h"

namespace {

const HKEY kSentinelKey = (HKEY)(ULONG_PTR)0xdeadbeef;
const DWORD kSentinel = 0xdeadbeef;
const BYTE kFill = 0xbd;
const LONG kOk = ERROR_SUCCESS;
const char *const kNoPath = nullptr;

HKEY CreateKey(HKEY parent, const std::string &name, DWORD *disposition = nullptr)
{
    HKEY key = kSentinelKey;
    DWORD ignored;
    LONG rc = RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              disposition ? disposition : &ignored);
    EXPECT_EQ(kOk, rc) << "creating " << name;
    return rc == kOk ? key : nullptr;
}

HKEY OpenKey(HKEY parent, const std::string &name, REGSAM sam = KEY_ALL_ACCESS)
{
    HKEY key = kSentinelKey;
    LONG rc = RegOpenKeyExA(parent, name.c_str(), 0, sam, &key);
    EXPECT_EQ(kOk, rc) << "opening " << name;
    return rc == kOk ? key : nullptr;
}

std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[1024];
        DWORD length = sizeof name;
        LONG rc = RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != kOk) {
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

/* The value's type and bytes, a NUL shown as "|"; or "missing". */
std::string Stored(HKEY key, const char *name)
{
    char data[256];
    DWORD type = kSentinel, size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &type, (BYTE *)data, &size) != kOk)
        return "missing";
    std::string shown = std::to_string(type) + ":";
    for (DWORD i = 0; i < size; ++i)
        shown.push_back(data[i] == '\0' ? '|' : data[i]);
    return shown;
}

/* `count` copies of `text`. */
std::string Repeat(const char *text, int count)
{
    std::string out;
    while (count-- > 0)
        out += text;
    return out;
}

/* Paths around the ANSI functions' limit of MAX_PATH characters, a
 * double-byte character counting once. */
const std::string k257Chars(257, 'q');
const std::string k260Chars = std::string(255, 'a') + "\\abcd";
const std::string k261Chars = std::string(255, 'a') + "\\abcde";
const std::string k260Kana = Repeat("ア", 131) + "\\" + Repeat("ア", 128); /* 519 bytes */
const std::string k261Kana = Repeat("ア", 131) + "\\" + Repeat("ア", 129);

/* A sub-key path of a row, as its trace shows it. */
std::string Shown(const char *path) { return path ? "\"" + std::string(path).substr(0, 24) + "\"" : "NULL"; }

/* The handle a row works through. */
enum Base {
    kKey,       /* the test's own key, all rights */
    kRoot,      /* the predefined key */
    kReadOnly,  /* the test's key, KEY_READ */
    kWriteOnly, /* the test's key, KEY_SET_VALUE */
    kGone,      /* a key deleted since it was opened; it had a value "old" */
};

/* What a call left in its result handle. */
enum Result {
    kNewHandle,  /* a handle of its own */
    kSameHandle, /* the handle it was given */
    kNull,
    kUntouched,
};

class RegistryTest : public testing::TestWithParam<HKEY> {
protected:
    void SetUp() override
    {
        static unsigned counter = 0;
        m_path = "SoftWare\\LzPortTest\\" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        lztest::RegDeleteTree(m_path, m_root);
        m_key = CreateKey(m_root, m_path);
        ASSERT_NE(nullptr, m_key);
        m_handles[kKey] = m_key;
        m_handles[kRoot] = m_root;
        m_handles[kReadOnly] = OpenKey(m_key, "", KEY_READ);
        m_handles[kWriteOnly] = OpenKey(m_key, "", KEY_SET_VALUE);
        m_handles[kGone] = CreateKey(m_key, "gone");
        ASSERT_EQ(kOk, SetBytes(m_handles[kGone], "old", REG_SZ, std::string("value", 6)));
        ASSERT_EQ(kOk, RegDeleteKeyA(m_key, "gone"));
    }

    void TearDown() override
    {
        for (Base b : {kKey, kReadOnly, kWriteOnly, kGone})
            RegCloseKey(m_handles[b]);
        lztest::RegDeleteTree(m_path, m_root);
        RegDeleteKeyA(m_root, "SoftWare\\LzPortTest"); /* refused while other runs use it */
    }

    HKEY Handle(Base base) const { return m_handles[base]; }

    /* The path of a key below the test's own key ("" for that key). */
    std::string Below(const std::string &relative) const
    {
        return relative.empty() ? m_path : m_path + "\\" + relative;
    }
    bool Exists(const std::string &relative) const { return lztest::RegKeyExists(Below(relative), m_root); }
    bool SetSz(const std::string &relative, const char *name, const std::string &value) const
    {
        return lztest::RegSetSz(Below(relative), name, value, REG_SZ, m_root);
    }
    bool ValueExists(const std::string &relative, const char *name) const
    {
        return lztest::RegValueExists(Below(relative), name, m_root);
    }

    /* Checks what a call left in its result handle; closes a new one. */
    void ExpectResult(Result expected, Base base, HKEY got) const
    {
        if (expected != kNewHandle) {
            EXPECT_EQ(expected == kSameHandle ? Handle(base) : expected == kNull ? nullptr : kSentinelKey, got);
            return;
        }
        EXPECT_TRUE(got != nullptr && got != kSentinelKey && got != Handle(base));
        if (got != nullptr && got != kSentinelKey) {
            EXPECT_EQ(kOk, RegCloseKey(got));
        }
    }

    const HKEY m_root = GetParam();
    std::string m_path;
    HKEY m_key = nullptr;
    HKEY m_handles[kGone + 1] = {};
};

TEST_P(RegistryTest, KeyNamesIgnoreCaseKeepTheirSpellingAndAreListedByCodePoint)
{
    static const struct {
        const char *created, *other;
    } cases[] = {
        {"MixedCase", "mIXEDcASE"},
        {"ＡＢｃ", "ａｂＣ"}, /* full-width letters have case too */
        {"ΑΒΓ", "αβγ"},
    };
    for (const auto &c : cases) {
        DWORD disp;
        RegCloseKey(CreateKey(m_key, c.created));
        RegCloseKey(OpenKey(m_key, c.other));
        RegCloseKey(CreateKey(m_key, c.other, &disp));
        EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disp) << c.other;
    }
    for (const char *name : {"b", "ｱ", "~", "A", "Ｚ", "亜", "a2", "ａ", "ア"})
        RegCloseKey(CreateKey(m_key, name));
    /* ソ is 83 5C and 表 is 95 5C in code page 932: no separators */
    RegCloseKey(CreateKey(m_key, "ソ\\表\\child"));
    EXPECT_EQ((std::vector<std::string>{"A", "a2", "b", "MixedCase", "~", "ΑΒΓ", "ア", "ソ", "亜", "ａ", "ＡＢｃ", "Ｚ",
                                        "ｱ"}),
              SubkeyNames(m_key));
    HKEY key = OpenKey(m_key, "ソ\\表");
    EXPECT_EQ((std::vector<std::string>{"child"}), SubkeyNames(key));
    RegCloseKey(key);
}

TEST_P(RegistryTest, NamesUpTo256CharactersAndListingThemInA256ByteBuffer)
{
    const std::string n255(255, 'n'), m256(256, 'm');
    const std::string dbcs256Bytes = Repeat("ソ", 128), dbcs256Chars = Repeat("ソ", 256),
                      dbcs257Chars = Repeat("ソ", 257);
    for (const std::string *name : {&n255, &m256, &dbcs256Bytes, &dbcs256Chars})
        RegCloseKey(CreateKey(m_key, *name));
    RegCloseKey(CreateKey(m_key, "z"));
    for (const std::string *name : {&k257Chars, &dbcs257Chars}) {
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
        if (rc == kOk) {
            listed.push_back(name);
        } else {
            EXPECT_EQ((DWORD)sizeof name, length);
        }
    }
    EXPECT_EQ((std::vector<LONG>{ERROR_MORE_DATA, kOk, kOk, ERROR_MORE_DATA, ERROR_MORE_DATA}), results);
    EXPECT_EQ((std::vector<std::string>{n255, "z"}), listed);

    /* names that long cannot be listed for the cleanup */
    for (const std::string *name : {&m256, &dbcs256Bytes, &dbcs256Chars})
        EXPECT_EQ(kOk, RegDeleteKeyA(m_key, name->c_str()));
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
        ASSERT_EQ(kOk, SetBytes(m_key, c.name, c.type, c.data)) << c.name;
        const int size = (int)c.data.size();
        /* room for the data, a byte short of it, no buffer at all */
        for (int room : {size, size - 1, -1}) {
            SCOPED_TRACE(std::string(c.name) + " into " + std::to_string(room));
            BYTE buf[64];
            memset(buf, kFill, sizeof buf);
            DWORD type = kSentinel, length = room < 0 ? 0 : (DWORD)room;
            EXPECT_EQ(room == size - 1 ? ERROR_MORE_DATA : kOk,
                      RegQueryValueExA(m_key, c.name, nullptr, &type, room < 0 ? nullptr : buf, &length));
            EXPECT_EQ(c.type, type);
            EXPECT_EQ((DWORD)size, length) << "the size of the data, or the size needed";
            if (room >= 0) {
                std::string expected = room == size ? c.data : "";
                expected.resize(sizeof buf, (char)kFill);
                EXPECT_EQ(expected, std::string((char *)buf, sizeof buf)) << "nothing written past the data";
            }
        }
    }
}

TEST_P(RegistryTest, ValueNamesIgnoreCaseAndDeletingOneNeedsTheRightToSetValues)
{
    ASSERT_TRUE(SetSz("", "Name", "first") && SetSz("", "NAME", "second") && SetSz("", nullptr, "default"));
    EXPECT_EQ("1:second|", Stored(m_key, "name"));
    EXPECT_EQ("1:default|", Stored(m_key, "")) << "the default value has two names";
    /* in order: each row sees what the rows before it deleted */
    static const struct {
        Base base;
        const char *name;
        LONG rc;
    } rows[] = {
        {kReadOnly, "Name", ERROR_ACCESS_DENIED}, {kWriteOnly, "nAmE", kOk},
        {kKey, "Name", ERROR_FILE_NOT_FOUND},     {kKey, nullptr, kOk},
        {kGone, "old", ERROR_KEY_DELETED},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.rc, RegDeleteValueA(Handle(row.base), row.name)) << row.base << " " << Shown(row.name);
    EXPECT_FALSE(ValueExists("", ""));
}

TEST_P(RegistryTest, EveryHandleOfADeletedKeyStaysDeletedAndClosingHandles)
{
    DWORD disp;
    HKEY first = CreateKey(m_key, "k"), second = CreateKey(m_key, "k", &disp);
    EXPECT_EQ((DWORD)REG_OPENED_EXISTING_KEY, disp);
    EXPECT_TRUE(SetSz("k", "old", "value"));
    ASSERT_EQ(kOk, RegDeleteKeyA(m_key, "k"));
    RegCloseKey(CreateKey(m_key, "k", &disp));
    EXPECT_EQ((DWORD)REG_CREATED_NEW_KEY, disp);
    EXPECT_FALSE(ValueExists("k", "old"));
    for (HKEY key : {first, second}) {
        EXPECT_EQ(ERROR_KEY_DELETED, RegSetValueExA(key, "new", 0, REG_SZ, (const BYTE *)"x", 2));
        EXPECT_EQ(kOk, RegCloseKey(key));
    }

    HKEY key = OpenKey(m_key, "");
    EXPECT_EQ(kOk, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(key));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(nullptr));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey((HKEY)(ULONG_PTR)0x1235));
    EXPECT_EQ(kOk, RegCloseKey(m_root));
}

TEST_P(RegistryTest, OpenKey)
{
    RegCloseKey(CreateKey(m_key, "child\\grand"));
    ASSERT_TRUE(SetSz("", "id", "self") && SetSz("child", "id", "child") && SetSz("child\\grand", "id", "grand"));
    static const struct {
        Base base;
        const char *path;
        LONG rc;
        Result result;
        const char *id; /* the "id" value of the key opened */
    } rows[] = {
        {kKey, "child", kOk, kNewHandle, "child"},
        {kKey, "CHILD\\Grand", kOk, kNewHandle, "grand"},
        {kKey, "child\\\\grand\\", kOk, kNewHandle, "grand"}, /* runs of separators, a trailing one */
        {kKey, "", kOk, kNewHandle, "self"},
        {kKey, kNoPath, kOk, kNewHandle, "self"},
        {kRoot, "", kOk, kSameHandle, nullptr},
        {kRoot, kNoPath, kOk, kSameHandle, nullptr},
        {kWriteOnly, "child", kOk, kNewHandle, "child"}, /* asks nothing of the parent's handle */
        {kKey, "missing", ERROR_FILE_NOT_FOUND, kNull, nullptr},
        {kKey, "child\\missing", ERROR_FILE_NOT_FOUND, kNull, nullptr},
        {kKey, "\\child", ERROR_BAD_PATHNAME, kNull, nullptr},
        {kKey, "\\", ERROR_BAD_PATHNAME, kNull, nullptr},
        {kKey, k257Chars.c_str(), ERROR_INVALID_PARAMETER, kNull, nullptr},
        {kKey, k260Chars.c_str(), ERROR_FILE_NOT_FOUND, kNull, nullptr},
        {kKey, k261Chars.c_str(), ERROR_MORE_DATA, kUntouched, nullptr},
        {kKey, k260Kana.c_str(), ERROR_FILE_NOT_FOUND, kNull, nullptr},
        {kKey, k261Kana.c_str(), ERROR_MORE_DATA, kUntouched, nullptr},
        {kGone, "", ERROR_KEY_DELETED, kNull, nullptr},
        {kGone, kNoPath, ERROR_KEY_DELETED, kNull, nullptr},
        /* the path's length first, then the handle, then the path's names */
        {kGone, "\\x", ERROR_KEY_DELETED, kNull, nullptr},
        {kGone, k257Chars.c_str(), ERROR_KEY_DELETED, kNull, nullptr},
        {kGone, k261Chars.c_str(), ERROR_MORE_DATA, kUntouched, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.base) + " " + Shown(row.path));
        HKEY key = kSentinelKey;
        EXPECT_EQ(row.rc, RegOpenKeyExA(Handle(row.base), row.path, 0, KEY_READ, &key));
        if (row.id) {
            EXPECT_EQ("1:" + std::string(row.id) + "|", Stored(key, "id"));
        }
        ExpectResult(row.result, row.base, key);
    }
    EXPECT_FALSE(Exists("missing")) << "opening never creates";
}

TEST_P(RegistryTest, CreateKey)
{
    RegCloseKey(CreateKey(m_key, "child"));
    enum Disposition { kCreated = REG_CREATED_NEW_KEY, kOpened = REG_OPENED_EXISTING_KEY, kNone = 0xdeadbeef };
    /* in order: each row sees the keys the rows before it made */
    static const struct {
        Base base;
        const char *path;
        DWORD reserved;
        LONG rc;
        Result result;
        Disposition disposition;
        const char *made; /* where the new handle's key lies */
    } rows[] = {
        {kKey, "new", 0, kOk, kNewHandle, kCreated, "new"},
        {kKey, "child", 0, kOk, kNewHandle, kOpened, "child"},
        {kKey, "CHILD", 0, kOk, kNewHandle, kOpened, "child"},
        {kKey, "a\\b\\c", 0, kOk, kNewHandle, kCreated, "a\\b\\c"},
        {kKey, "A\\B\\C", 0, kOk, kNewHandle, kOpened, "a\\b\\c"},
        {kKey, "a\\\\b\\c\\", 0, kOk, kNewHandle, kOpened, "a\\b\\c"},
        {kKey, "a\\b", 0, kOk, kNewHandle, kOpened, "a\\b"},
        {kKey, "a\\d", 0, kOk, kNewHandle, kCreated, "a\\d"},
        {kReadOnly, "made", 0, kOk, kNewHandle, kCreated, "made"}, /* asks nothing of the parent's handle */
        {kKey, "x", 1, ERROR_INVALID_PARAMETER, kUntouched, kNone, nullptr},
        {kKey, "\\lead", 0, ERROR_BAD_PATHNAME, kNull, kNone, nullptr},
        {kKey, k257Chars.c_str(), 0, ERROR_INVALID_PARAMETER, kNull, kNone, nullptr},
        {kKey, k261Chars.c_str(), 0, ERROR_MORE_DATA, kUntouched, kNone, nullptr},
        {kKey, k261Kana.c_str(), 0, ERROR_MORE_DATA, kUntouched, kNone, nullptr},
        {kGone, "sub", 0, ERROR_KEY_DELETED, kNull, kNone, nullptr},
        /* the reserved word and the path's length first, then the handle,
         * then the path's names */
        {kGone, "sub", 1, ERROR_INVALID_PARAMETER, kUntouched, kNone, nullptr},
        {kGone, k261Chars.c_str(), 0, ERROR_MORE_DATA, kUntouched, kNone, nullptr},
        {kGone, "\\x", 0, ERROR_KEY_DELETED, kNull, kNone, nullptr},
        {kGone, k257Chars.c_str(), 0, ERROR_KEY_DELETED, kNull, kNone, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.base) + " " + Shown(row.path) + " reserved " + std::to_string(row.reserved));
        HKEY key = kSentinelKey;
        DWORD disposition = kSentinel;
        EXPECT_EQ(row.rc, RegCreateKeyExA(Handle(row.base), row.path, row.reserved, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                          &key, &disposition));
        EXPECT_EQ((DWORD)row.disposition, disposition);
        if (row.made) {
            EXPECT_EQ(kOk, RegSetValueExA(key, "made", 0, REG_SZ, (const BYTE *)"", 1));
            EXPECT_TRUE(ValueExists(row.made, "made"));
        }
        ExpectResult(row.result, row.base, key);
    }
    EXPECT_EQ((std::vector<std::string>{"a", "child", "made", "new"}), SubkeyNames(m_key));
    HKEY a = OpenKey(m_key, "a");
    EXPECT_EQ((std::vector<std::string>{"b", "d"}), SubkeyNames(a));
    RegCloseKey(a);

    HKEY key = kSentinelKey;
    EXPECT_EQ(kOk, RegCreateKeyExA(m_key, "quiet", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        << "the disposition is optional";
    RegCloseKey(key);
}

TEST_P(RegistryTest, EnumKey)
{
    RegCloseKey(CreateKey(m_key, "abc"));
    static const struct {
        Base base;
        DWORD index, room;
        bool reserved;
        LONG rc;
        bool written; /* the name and its length */
        bool stamped; /* the last write time */
    } rows[] = {
        {kKey, 0, 256, false, kOk, true, true},
        {kKey, 0, 4, false, kOk, true, true},
        {kReadOnly, 0, 4, false, kOk, true, true},
        {kKey, 0, 3, false, ERROR_MORE_DATA, false, true}, /* no room for the NUL */
        {kKey, 0, 0, false, ERROR_MORE_DATA, false, true},
        {kKey, 1, 256, false, ERROR_NO_MORE_ITEMS, false, false},
        {kKey, 0, 256, true, ERROR_INVALID_PARAMETER, false, false},
        {kWriteOnly, 0, 256, false, ERROR_ACCESS_DENIED, false, false},
        {kGone, 0, 256, false, ERROR_KEY_DELETED, false, false},
        /* the reserved word first, then the handle and its rights, then the index */
        {kGone, 0, 256, true, ERROR_INVALID_PARAMETER, false, false},
        {kWriteOnly, 0, 256, true, ERROR_INVALID_PARAMETER, false, false},
        {kWriteOnly, 5, 256, false, ERROR_ACCESS_DENIED, false, false},
        {kKey, 5, 256, true, ERROR_INVALID_PARAMETER, false, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.base) + " index " + std::to_string(row.index) + " room " +
                     std::to_string(row.room) + (row.reserved ? " reserved" : ""));
        char name[8];
        memset(name, '#', sizeof name);
        DWORD length = row.room, reserved = 0;
        FILETIME written = {kSentinel, kSentinel};
        EXPECT_EQ(row.rc, RegEnumKeyExA(Handle(row.base), row.index, name, &length, row.reserved ? &reserved : nullptr,
                                        nullptr, nullptr, &written));
        EXPECT_EQ(row.written ? std::string("abc") : std::string(sizeof name, '#'),
                  std::string(name, row.written ? strlen(name) : sizeof name));
        EXPECT_EQ(row.written ? 3u : row.room, length);
        EXPECT_EQ(row.stamped, written.dwLowDateTime != kSentinel || written.dwHighDateTime != kSentinel);
    }
    DWORD length = 8;
    char name[8];
    EXPECT_EQ(kOk, RegEnumKeyExA(m_key, 0, name, &length, nullptr, nullptr, nullptr, nullptr))
        << "the last write time is optional";
}

TEST_P(RegistryTest, DeleteKey)
{
    for (const char *path : {"parent\\child", "leaf", "self"})
        RegCloseKey(CreateKey(m_key, path));
    HKEY self = OpenKey(m_key, "self", KEY_READ);
    /* in order: each row sees what the rows before it deleted */
    const struct {
        HKEY handle;
        const char *path;
        LONG rc;
        const char *gone; /* a key the row deletes */
    } rows[] = {
        {m_key, kNoPath, ERROR_INVALID_PARAMETER, nullptr},
        {m_key, "\\parent", ERROR_BAD_PATHNAME, nullptr},
        {m_key, k257Chars.c_str(), ERROR_INVALID_PARAMETER, nullptr},
        {m_key, k260Chars.c_str(), ERROR_FILE_NOT_FOUND, nullptr},
        {m_key, k261Chars.c_str(), ERROR_MORE_DATA, nullptr},
        {m_key, k261Kana.c_str(), ERROR_MORE_DATA, nullptr},
        {m_key, "missing", ERROR_FILE_NOT_FOUND, nullptr},
        {m_key, "parent", ERROR_ACCESS_DENIED, nullptr}, /* it has a sub-key */
        {m_key, "PARENT\\Child\\", kOk, "parent\\child"},
        {m_key, "parent", kOk, "parent"},
        {m_key, "parent", ERROR_FILE_NOT_FOUND, nullptr},
        {Handle(kReadOnly), "leaf", kOk, "leaf"}, /* asks nothing of the parent's handle */
        {self, "", kOk, "self"},                  /* the key itself */
        {self, "", ERROR_KEY_DELETED, nullptr},
        {Handle(kGone), "", ERROR_KEY_DELETED, nullptr}, /* deleted through its parent */
        {m_root, "", ERROR_ACCESS_DENIED, nullptr},
        /* the path's presence and length first, then the handle, then the path's names */
        {Handle(kGone), kNoPath, ERROR_INVALID_PARAMETER, nullptr},
        {Handle(kGone), k261Chars.c_str(), ERROR_MORE_DATA, nullptr},
        {Handle(kGone), "\\x", ERROR_KEY_DELETED, nullptr},
        {Handle(kGone), k257Chars.c_str(), ERROR_KEY_DELETED, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(Shown(row.path));
        EXPECT_EQ(row.rc, RegDeleteKeyA(row.handle, row.path));
        if (row.gone) {
            EXPECT_FALSE(Exists(row.gone));
        }
    }
    EXPECT_TRUE(SubkeyNames(m_key).empty());
    RegCloseKey(self);
}

/* A query's outputs: the buffer's room, or no buffer, or not even a size. */
enum Room : DWORD {
    kNoBuffer = 0xFFFF0000u, /* a size but no buffer */
    kNothing = 0xFFFF0001u,  /* neither */
    kNoSize = 0xFFFF0002u,   /* a buffer but no size */
};

TEST_P(RegistryTest, QueryValueEx)
{
    ASSERT_EQ(kOk, SetBytes(m_key, "sz", REG_SZ, std::string("abc", 4)));
    ASSERT_EQ(kOk, SetBytes(m_key, "", REG_BINARY, "\x01\x02"));
    ASSERT_EQ(kOk, SetBytes(m_key, "empty", REG_SZ, ""));
    const DWORD untouched = kSentinel;
    const struct {
        Base base;
        const char *name;
        DWORD room;
        bool reserved;
        LONG rc;
        DWORD type, size; /* after the call */
        const char *data; /* the buffer afterwards; null: untouched */
    } rows[] = {
        {kKey, "sz", 4, false, kOk, REG_SZ, 4, "abc"},
        {kKey, "SZ", 16, false, kOk, REG_SZ, 4, "abc"},
        {kReadOnly, "sz", 16, false, kOk, REG_SZ, 4, "abc"},
        {kKey, "sz", 3, false, ERROR_MORE_DATA, REG_SZ, 4, nullptr},
        {kKey, "sz", kNoBuffer, false, kOk, REG_SZ, 4, nullptr},
        {kKey, "sz", kNothing, false, kOk, REG_SZ, untouched, nullptr},
        {kKey, nullptr, 16, false, kOk, REG_BINARY, 2, "\x01\x02"},
        {kKey, "", 16, false, kOk, REG_BINARY, 2, "\x01\x02"},
        {kKey, "empty", 16, false, kOk, REG_SZ, 0, nullptr},
        /* the type is cleared, and the size when no buffer was given */
        {kKey, "missing", 16, false, ERROR_FILE_NOT_FOUND, REG_NONE, 16, nullptr},
        {kKey, "missing", kNoBuffer, false, ERROR_FILE_NOT_FOUND, REG_NONE, 0, nullptr},
        {kWriteOnly, "sz", 16, false, ERROR_ACCESS_DENIED, REG_NONE, 16, nullptr},
        {kWriteOnly, "sz", kNoBuffer, false, ERROR_ACCESS_DENIED, REG_NONE, 0, nullptr},
        {kGone, "sz", kNoBuffer, false, ERROR_KEY_DELETED, REG_NONE, 0, nullptr},
        {kGone, "old", 16, false, ERROR_KEY_DELETED, REG_NONE, 16, nullptr},
        /* the arguments first: nothing is written */
        {kKey, "sz", 16, true, ERROR_INVALID_PARAMETER, untouched, 16, nullptr},
        {kKey, "sz", kNoSize, false, ERROR_INVALID_PARAMETER, untouched, untouched, nullptr},
        {kGone, "sz", 16, true, ERROR_INVALID_PARAMETER, untouched, 16, nullptr},
        {kWriteOnly, "sz", 16, true, ERROR_INVALID_PARAMETER, untouched, 16, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.base) + " " + Shown(row.name) + " room " + std::to_string(row.room) +
                     (row.reserved ? " reserved" : ""));
        BYTE buffer[16];
        memset(buffer, kFill, sizeof buffer);
        DWORD type = kSentinel, reserved = 0;
        DWORD size = row.room == kNoBuffer ? kSentinel : row.room;
        bool withBuffer = row.room != kNoBuffer && row.room != kNothing;
        bool withSize = row.room != kNothing && row.room != kNoSize;
        EXPECT_EQ(row.rc, RegQueryValueExA(Handle(row.base), row.name, row.reserved ? &reserved : nullptr, &type,
                                           withBuffer ? buffer : nullptr, withSize ? &size : nullptr));
        EXPECT_EQ(row.type, type);
        if (withSize) {
            EXPECT_EQ(row.size, size);
        }
        size_t length = row.data ? strlen(row.data) + (row.type == REG_SZ ? 1 : 0) : 0;
        std::string expected = std::string(row.data ? row.data : "", length);
        expected.append(sizeof buffer - length, (char)kFill);
        EXPECT_EQ(expected, std::string((const char *)buffer, sizeof buffer));
    }
}

TEST_P(RegistryTest, SetValueEx)
{
    const std::string longest(16383, 'v'), tooLong(16384, 'v');
    const BYTE *none = nullptr;
    const BYTE *text = (const BYTE *)"x";
    const struct {
        Base base;
        const char *name;
        DWORD reserved, type;
        const BYTE *data;
        DWORD count;
        LONG rc;
        const char *stored; /* how the value reads afterwards, or "missing" */
    } rows[] = {
        {kKey, "v", 0, REG_SZ, text, 2, kOk, "1:x|"},
        {kKey, "r", 5, REG_SZ, text, 2, kOk, "1:x|"}, /* the reserved word is not looked at */
        {kKey, "bin", 0, REG_BINARY, none, 4, ERROR_NOACCESS, "missing"},
        {kKey, "nil", 0, REG_BINARY, none, 0, kOk, "3:"},
        {kKey, "odd", 0, 0x12345, text, 1, kOk, "74565:x"},
        {kKey, nullptr, 0, REG_DWORD, (const BYTE *)"\x2a\0\0\0", 4, kOk, nullptr},
        {kKey, longest.c_str(), 0, REG_SZ, text, 2, kOk, nullptr},
        {kKey, tooLong.c_str(), 0, REG_SZ, text, 2, ERROR_INVALID_PARAMETER, nullptr},
        {kReadOnly, "w", 0, REG_SZ, text, 2, ERROR_ACCESS_DENIED, "missing"},
        {kWriteOnly, "w", 0, REG_SZ, text, 2, kOk, "1:x|"},
        {kGone, "w", 0, REG_SZ, text, 2, ERROR_KEY_DELETED, nullptr},
        /* the name first, then the data, then the handle and its rights */
        {kKey, tooLong.c_str(), 0, REG_BINARY, none, 4, ERROR_INVALID_PARAMETER, nullptr},
        {kReadOnly, tooLong.c_str(), 0, REG_SZ, text, 2, ERROR_INVALID_PARAMETER, nullptr},
        {kReadOnly, "w2", 0, REG_BINARY, none, 4, ERROR_NOACCESS, "missing"},
        {kGone, tooLong.c_str(), 0, REG_SZ, text, 2, ERROR_INVALID_PARAMETER, nullptr},
        {kGone, "w2", 0, REG_BINARY, none, 4, ERROR_NOACCESS, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.base) + " " + (row.name ? std::string(row.name).substr(0, 16) : "NULL"));
        EXPECT_EQ(row.rc, RegSetValueExA(Handle(row.base), row.name, row.reserved, row.type, row.data, row.count));
        if (row.stored) {
            EXPECT_EQ(row.stored, Stored(m_key, row.name));
        }
    }
    EXPECT_EQ("4:*|||", Stored(m_key, "")) << "a null name sets the default value";
    EXPECT_TRUE(ValueExists("", longest.c_str()));
    EXPECT_FALSE(ValueExists("", tooLong.c_str()));
}

INSTANTIATE_TEST_SUITE_P(Roots, RegistryTest, testing::Values(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER),
                         [](const testing::TestParamInfo<HKEY> &info) {
                             return info.param == HKEY_LOCAL_MACHINE ? "LocalMachine" : "CurrentUser";
                         });

} // namespace

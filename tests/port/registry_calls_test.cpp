/* registry_calls_test.cpp - what each registry function answers and what it
 * writes, one table per function: its argument checks with their error
 * codes and the order they come in, the outputs it leaves alone when it
 * fails, and its results. Outputs start as sentinels so that a row sees
 * what the call did not write. */
#include <string>
#include <vector>

#include "registry_support.h"

namespace {

using namespace lzreg;

/* The handle a row works through. */
enum Base {
    kKey,       /* the test's own key, all rights */
    kRoot,      /* the predefined key */
    kReadOnly,  /* the test's key, KEY_READ */
    kWriteOnly, /* the test's key, KEY_SET_VALUE */
    kGone,      /* a key deleted since it was opened */
};

/* What a call left in its result handle. */
enum Result {
    kNewHandle,  /* a handle of its own */
    kSameHandle, /* the handle it was given */
    kNull,
    kUntouched,
};

const LONG kOk = ERROR_SUCCESS;
const char *const kNoPath = nullptr;

/* Paths around the ANSI functions' limit of MAX_PATH characters, a
 * double-byte character counting once. */
const std::string k257Chars(257, 'q');
const std::string k260Chars = std::string(255, 'a') + "\\abcd";
const std::string k261Chars = std::string(255, 'a') + "\\abcde";
const std::string k260Kana = Repeat("ア", 131) + "\\" + Repeat("ア", 128); /* 519 bytes */
const std::string k261Kana = Repeat("ア", 131) + "\\" + Repeat("ア", 129);

/* A sub-key path of a row: text, or none at all. */
struct Path {
    Path(const char *text) : given(text != nullptr), text(text ? text : "") {}
    Path(const std::string &text) : given(true), text(text) {}
    const char *Get() const { return given ? text.c_str() : nullptr; }
    std::string Shown() const { return given ? "\"" + text.substr(0, 24) + "\"" : "NULL"; }

    bool given;
    std::string text;
};

class RegistryCallsTest : public RegistryTest {
protected:
    void SetUp() override
    {
        RegistryTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        m_handles[kKey] = m_key;
        m_handles[kRoot] = m_root;
        m_handles[kReadOnly] = OpenKey(m_key, "", KEY_READ);
        m_handles[kWriteOnly] = OpenKey(m_key, "", KEY_SET_VALUE);
        m_handles[kGone] = CreateKey(m_key, "gone");
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(m_key, "gone"));
    }

    void TearDown() override
    {
        for (Base b : {kReadOnly, kWriteOnly, kGone})
            RegCloseKey(m_handles[b]);
        RegistryTest::TearDown();
    }

    HKEY Handle(Base base) const { return m_handles[base]; }

    /* Checks what a call left in its result handle; closes a new one. */
    void ExpectResult(Result expected, Base base, HKEY got) const
    {
        switch (expected) {
        case kNewHandle:
            EXPECT_TRUE(got != nullptr && got != kSentinelKey && got != Handle(base));
            break;
        case kSameHandle:
            EXPECT_EQ(Handle(base), got);
            break;
        case kNull:
            EXPECT_EQ(nullptr, got);
            break;
        case kUntouched:
            EXPECT_EQ(kSentinelKey, got);
            break;
        }
        if (expected == kNewHandle && got != nullptr && got != kSentinelKey) {
            EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(got));
        }
    }

    HKEY m_handles[kGone + 1] = {};
};

TEST_P(RegistryCallsTest, OpenKey)
{
    HKEY grand = CreateKey(m_key, "child\\grand");
    RegCloseKey(grand);
    ASSERT_TRUE(SetSz("", "id", "self") && SetSz("child", "id", "child") && SetSz("child\\grand", "id", "grand"));
    static const struct {
        Base base;
        Path path;
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
        {kKey, k257Chars, ERROR_INVALID_PARAMETER, kNull, nullptr},
        {kKey, k260Chars, ERROR_FILE_NOT_FOUND, kNull, nullptr},
        {kKey, k261Chars, ERROR_MORE_DATA, kUntouched, nullptr},
        {kKey, k260Kana, ERROR_FILE_NOT_FOUND, kNull, nullptr},
        {kKey, k261Kana, ERROR_MORE_DATA, kUntouched, nullptr},
        {kGone, "", ERROR_KEY_DELETED, kNull, nullptr},
        {kGone, kNoPath, ERROR_KEY_DELETED, kNull, nullptr},
        /* the path's length first, then the handle, then the path's names */
        {kGone, "\\x", ERROR_KEY_DELETED, kNull, nullptr},
        {kGone, k257Chars, ERROR_KEY_DELETED, kNull, nullptr},
        {kGone, k261Chars, ERROR_MORE_DATA, kUntouched, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.base) + " " + row.path.Shown());
        HKEY key = kSentinelKey;
        EXPECT_EQ(row.rc, RegOpenKeyExA(Handle(row.base), row.path.Get(), 0, KEY_READ, &key));
        if (row.id) {
            std::string id;
            char data[16];
            DWORD size = sizeof data;
            if (RegQueryValueExA(key, "id", nullptr, nullptr, (BYTE *)data, &size) == ERROR_SUCCESS)
                id.assign(data, size - 1);
            EXPECT_EQ(row.id, id);
        }
        ExpectResult(row.result, row.base, key);
    }
    EXPECT_FALSE(Exists("missing")) << "opening never creates";
}

TEST_P(RegistryCallsTest, CreateKey)
{
    RegCloseKey(CreateKey(m_key, "child"));
    enum Disposition { kCreated = REG_CREATED_NEW_KEY, kOpened = REG_OPENED_EXISTING_KEY, kNone = 0xdeadbeef };
    /* in order: each row sees the keys the rows before it made */
    static const struct {
        Base base;
        Path path;
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
        {kKey, k257Chars, 0, ERROR_INVALID_PARAMETER, kNull, kNone, nullptr},
        {kKey, k261Chars, 0, ERROR_MORE_DATA, kUntouched, kNone, nullptr},
        {kKey, k261Kana, 0, ERROR_MORE_DATA, kUntouched, kNone, nullptr},
        {kGone, "sub", 0, ERROR_KEY_DELETED, kNull, kNone, nullptr},
        /* the reserved word and the path's length first, then the handle,
         * then the path's names */
        {kGone, "sub", 1, ERROR_INVALID_PARAMETER, kUntouched, kNone, nullptr},
        {kGone, k261Chars, 0, ERROR_MORE_DATA, kUntouched, kNone, nullptr},
        {kGone, "\\x", 0, ERROR_KEY_DELETED, kNull, kNone, nullptr},
        {kGone, k257Chars, 0, ERROR_KEY_DELETED, kNull, kNone, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.base) + " " + row.path.Shown() + " reserved " + std::to_string(row.reserved));
        HKEY key = kSentinelKey;
        DWORD disposition = kSentinel;
        EXPECT_EQ(row.rc, RegCreateKeyExA(Handle(row.base), row.path.Get(), row.reserved, nullptr, 0, KEY_ALL_ACCESS,
                                          nullptr, &key, &disposition));
        EXPECT_EQ((DWORD)row.disposition, disposition);
        if (row.made) {
            EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "made", 0, REG_SZ, (const BYTE *)"", 1));
            EXPECT_TRUE(ValueExists(row.made, "made"));
        }
        ExpectResult(row.result, row.base, key);
    }
    EXPECT_EQ((std::vector<std::string>{"a", "child", "made", "new"}), SubkeyNames(m_key));
    HKEY a = OpenKey(m_key, "a");
    EXPECT_EQ((std::vector<std::string>{"b", "d"}), SubkeyNames(a));
    RegCloseKey(a);

    HKEY key = kSentinelKey;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(m_key, "quiet", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        << "the disposition is optional";
    RegCloseKey(key);
}

TEST_P(RegistryCallsTest, EnumKey)
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
    EXPECT_EQ(ERROR_SUCCESS, RegEnumKeyExA(m_key, 0, name, &length, nullptr, nullptr, nullptr, nullptr))
        << "the last write time is optional";
}

TEST_P(RegistryCallsTest, DeleteKey)
{
    for (const char *path : {"parent\\child", "leaf", "self"})
        RegCloseKey(CreateKey(m_key, path));
    HKEY self = OpenKey(m_key, "self", KEY_READ);
    /* in order: each row sees what the rows before it deleted */
    const struct {
        HKEY handle;
        Path path;
        LONG rc;
        const char *gone; /* a key the row deletes */
    } rows[] = {
        {m_key, kNoPath, ERROR_INVALID_PARAMETER, nullptr},
        {m_key, "\\parent", ERROR_BAD_PATHNAME, nullptr},
        {m_key, k257Chars, ERROR_INVALID_PARAMETER, nullptr},
        {m_key, k260Chars, ERROR_FILE_NOT_FOUND, nullptr},
        {m_key, k261Chars, ERROR_MORE_DATA, nullptr},
        {m_key, k261Kana, ERROR_MORE_DATA, nullptr},
        {m_key, "missing", ERROR_FILE_NOT_FOUND, nullptr},
        {m_key, "parent", ERROR_ACCESS_DENIED, nullptr}, /* it has a sub-key */
        {m_key, "PARENT\\Child\\", kOk, "parent\\child"},
        {m_key, "parent", kOk, "parent"},
        {m_key, "parent", ERROR_FILE_NOT_FOUND, nullptr},
        {Handle(kReadOnly), "leaf", kOk, "leaf"}, /* asks nothing of the parent's handle */
        {self, "", kOk, "self"},                  /* the key itself */
        {self, "", ERROR_KEY_DELETED, nullptr},
        {m_root, "", ERROR_ACCESS_DENIED, nullptr},
        /* the path's presence and length first, then the handle, then the path's names */
        {Handle(kGone), kNoPath, ERROR_INVALID_PARAMETER, nullptr},
        {Handle(kGone), k261Chars, ERROR_MORE_DATA, nullptr},
        {Handle(kGone), "\\x", ERROR_KEY_DELETED, nullptr},
        {Handle(kGone), k257Chars, ERROR_KEY_DELETED, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path.Shown());
        EXPECT_EQ(row.rc, RegDeleteKeyA(row.handle, row.path.Get()));
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

TEST_P(RegistryCallsTest, QueryValueEx)
{
    ASSERT_EQ(ERROR_SUCCESS, SetBytes(m_key, "sz", REG_SZ, std::string("abc", 4)));
    ASSERT_EQ(ERROR_SUCCESS, SetBytes(m_key, "", REG_BINARY, "\x01\x02"));
    ASSERT_EQ(ERROR_SUCCESS, SetBytes(m_key, "empty", REG_SZ, ""));
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
        /* the arguments first: nothing is written */
        {kKey, "sz", 16, true, ERROR_INVALID_PARAMETER, untouched, 16, nullptr},
        {kKey, "sz", kNoSize, false, ERROR_INVALID_PARAMETER, untouched, untouched, nullptr},
        {kGone, "sz", 16, true, ERROR_INVALID_PARAMETER, untouched, 16, nullptr},
        {kWriteOnly, "sz", 16, true, ERROR_INVALID_PARAMETER, untouched, 16, nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.base) + " " + (row.name ? row.name : "NULL") + " room " +
                     std::to_string(row.room) + (row.reserved ? " reserved" : ""));
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

TEST_P(RegistryCallsTest, SetValueEx)
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

LZREG_ON_EVERY_ROOT(RegistryCallsTest);

} // namespace

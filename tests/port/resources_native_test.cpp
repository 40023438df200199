/* resources_native_test.cpp - the program's resources read from compiled
 * images built here record by record (this test program carries none of
 * its own): named types and names, images cut short or malformed, string
 * tables with characters code page 932 lacks, and LoadIconA's icons. The
 * language fallback and the choice of an icon's image are tested with
 * Win32 calls in tests/resources. */
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "lzport.h"

namespace {

const DWORD kUntouched = 0xdeadbeef;
const WORD kRcData = 10;

/* A type or name of a record: an ordinal, or a UTF-16 name. */
struct Key {
    WORD id;
    std::u16string name;
    Key(int ordinal) : id(static_cast<WORD>(ordinal)) {}
    Key(const char16_t *text) : id(0), name(text) {}
};

/* A compiled resource image: the empty record that opens every compiled
 * script, then the records added, each on a 4-byte boundary. */
class Image {
public:
    Image() { Add(0, 0, 0, {}); }

    Image &Add(const Key &type, const Key &name, WORD language, const std::vector<BYTE> &data)
    {
        size_t start = m_bytes.size();
        Dword(static_cast<DWORD>(data.size()));
        Dword(0); /* header size, known at the end of the header */
        KeyField(type);
        KeyField(name);
        Align();
        Dword(0);     /* DataVersion */
        Word(0x1030); /* MemoryFlags */
        Word(language);
        Dword(0); /* Version */
        Dword(0); /* Characteristics */
        DWORD headerSize = static_cast<DWORD>(m_bytes.size() - start);
        for (int i = 0; i < 4; ++i)
            m_bytes[start + 4 + i] = static_cast<BYTE>(headerSize >> (8 * i));
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        Align();
        return *this;
    }

    std::vector<BYTE> &Bytes() { return m_bytes; }

private:
    void Word(WORD w) { m_bytes.insert(m_bytes.end(), {static_cast<BYTE>(w), static_cast<BYTE>(w >> 8)}); }
    void Dword(DWORD d)
    {
        Word(static_cast<WORD>(d));
        Word(static_cast<WORD>(d >> 16));
    }
    /* an ordinal follows 0xFFFF; a name ends in a NUL */
    void KeyField(const Key &key)
    {
        for (char16_t c : key.name.empty() ? std::u16string{u'\xFFFF', key.id} : key.name + u'\0')
            Word(c);
    }
    void Align()
    {
        while (m_bytes.size() % 4 != 0)
            m_bytes.push_back(0);
    }

    std::vector<BYTE> m_bytes;
};

/* UTF-16 units as the bytes of a resource. */
std::vector<BYTE> Units(const std::u16string &units)
{
    std::vector<BYTE> bytes;
    for (char16_t c : units)
        bytes.insert(bytes.end(), {static_cast<BYTE>(c), static_cast<BYTE>(c >> 8)});
    return bytes;
}

/* Each test gives the program an image of its own and takes it back. */
class NativeResources : public testing::Test {
protected:
    void Use(Image &image) { LzPortUseResourceImage(image.Bytes().data(), image.Bytes().size()); }
    void TearDown() override { LzPortUseResourceImage(NULL, 0); }

    /* The first byte of the resource found, or the error. */
    static std::string Lookup(LPCSTR type, LPCSTR name)
    {
        SetLastError(kUntouched);
        HRSRC found = FindResourceExA(NULL, type, name, 0);
        if (found == NULL)
            return "error " + std::to_string(GetLastError());
        const BYTE *data = static_cast<const BYTE *>(LockResource(LoadResource(NULL, found)));
        return "data " + std::to_string(data[0]) + (GetLastError() == kUntouched ? "" : " with an error");
    }
    static std::string Error(DWORD error) { return "error " + std::to_string(error); }
    static std::string Data(int first) { return "data " + std::to_string(first); }
};

TEST_F(NativeResources, NamedTypesAndNames)
{
    Image image;
    image.Add(kRcData, u"ABOUT", 0x0411, {1})
        .Add(u"MYTYPE", 7, 0x0411, {2})
        .Add(kRcData, u"\uFF21\uFF22\uFF23", 0x0411, {3}) /* full-width ABC */
        .Add(kRcData, u"lower", 0x0411, {4});
    Use(image);
    static const struct {
        LPCSTR type, name;
        int data; /* 0: not found */
        DWORD error;
    } cases[] = {
        {MAKEINTRESOURCEA(kRcData), "ABOUT", 1, 0},
        {MAKEINTRESOURCEA(kRcData), "about", 1, 0},
        {"#10", "About", 1, 0},
        {"MYTYPE", MAKEINTRESOURCEA(7), 2, 0},
        {"mytype", "#7", 2, 0},
        {MAKEINTRESOURCEA(kRcData), "ａｂｃ", 3, 0}, /* full-width letters have case too */
        /* names are compared in upper case, as the resource compiler stores them */
        {MAKEINTRESOURCEA(kRcData), "lower", 0, ERROR_RESOURCE_NAME_NOT_FOUND},
        {MAKEINTRESOURCEA(kRcData), "ABOU", 0, ERROR_RESOURCE_NAME_NOT_FOUND},
        {MAKEINTRESOURCEA(kRcData), "ABOUTS", 0, ERROR_RESOURCE_NAME_NOT_FOUND},
        {MAKEINTRESOURCEA(kRcData), MAKEINTRESOURCEA(7), 0, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"OTHER", MAKEINTRESOURCEA(7), 0, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {MAKEINTRESOURCEA(7), "MYTYPE", 0, ERROR_RESOURCE_TYPE_NOT_FOUND},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(IS_INTRESOURCE(c.name) ? std::to_string((ULONG_PTR)c.name) : std::string(c.name));
        EXPECT_EQ(c.data ? Data(c.data) : Error(c.error), Lookup(c.type, c.name));
    }
}

TEST_F(NativeResources, ImagesCutShortOrMalformed)
{
    Image whole;
    whole.Add(kRcData, 1, 0x0411, {1, 1, 1, 1}).Add(kRcData, 2, 0x0411, {2, 2, 2, 2, 2, 2, 2, 2});
    const size_t all = whole.Bytes().size(), record2 = all - 8 - 32;
    const std::string none = Error(ERROR_RESOURCE_NAME_NOT_FOUND), noType = Error(ERROR_RESOURCE_TYPE_NOT_FOUND);
    /* the image's first `size` bytes, the one at `at` changed to `patch` */
    const struct {
        const char *what;
        size_t size, at;
        BYTE patch;
        std::string first, second;
    } cases[] = {
        {"whole", all, 0, 0, Data(1), Data(2)},
        {"cut in the last data", all - 3, 0, 0, Data(1), none},
        {"cut in the last header", record2 + 20, 0, 0, Data(1), none},
        {"data beyond the end", all, record2, 0xFF, Data(1), none}, /* the second record's data size */
        {"header too short", all, record2 + 4, 8, Data(1), none},   /* short of the header's own fields */
        {"empty", 0, 0, 0, noType, noType},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> bytes(whole.Bytes().begin(), whole.Bytes().begin() + c.size);
        if (c.patch)
            bytes[c.at] = c.patch;
        /* an empty image still has an address: null would mean none */
        LzPortUseResourceImage(c.size ? bytes.data() : whole.Bytes().data(), c.size);
        EXPECT_EQ(c.first, Lookup(MAKEINTRESOURCEA(kRcData), MAKEINTRESOURCEA(1)));
        EXPECT_EQ(c.second, Lookup(MAKEINTRESOURCEA(kRcData), MAKEINTRESOURCEA(2)));
    }

    Image twice;
    twice.Add(kRcData, 1, 0x0411, {1}).Add(kRcData, 1, 0x0411, {2});
    Use(twice);
    EXPECT_EQ(Data(1), Lookup(MAKEINTRESOURCEA(kRcData), MAKEINTRESOURCEA(1))) << "the first of two alike";

    LzPortUseResourceImage(NULL, 0);
    EXPECT_EQ(Error(ERROR_RESOURCE_DATA_NOT_FOUND), Lookup(MAKEINTRESOURCEA(kRcData), MAKEINTRESOURCEA(1)))
        << "the program's own again: none";
}

TEST_F(NativeResources, StringTables)
{
    /* block 1 holds strings 0 to 15: a wave dash, a character outside the
     * basic plane (two units), then a count that runs past the table */
    const std::u16string block = u"\u0003A\u301C!\u0002\U0001F600\u0009xy";
    Image image;
    image.Add(6, 1, 0x0411, Units(block));
    Use(image);

    static const struct {
        UINT id;
        int size;
        const char *text;
    } cases[] = {
        {0, 16, "A\x81\x60!"}, {0, 4, "A\x81\x60"}, {0, 3, "A"}, /* no room for both bytes of the wave dash */
        {1, 16, "??"},         {2, 16, ""},         {3, 16, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " into " + std::to_string(c.size));
        char buffer[16];
        memset(buffer, 'x', sizeof buffer);
        SetLastError(kUntouched);
        EXPECT_EQ((int)strlen(c.text), LoadStringA(NULL, c.id, buffer, c.size));
        EXPECT_STREQ(c.text, buffer);
        EXPECT_EQ(kUntouched, GetLastError());
    }

    char buffer[16];
    SetLastError(kUntouched);
    EXPECT_EQ(0, LoadStringA(NULL, 16, buffer, sizeof buffer));
    EXPECT_EQ((DWORD)ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError()) << "block 2 is missing";
}

/* An icon group: its header, then one 14-byte entry per image of width,
 * height, bits per pixel and image id. */
std::vector<BYTE> Group(const std::vector<std::vector<int>> &entries)
{
    std::vector<BYTE> group = {0, 0, 1, 0, static_cast<BYTE>(entries.size()), 0};
    for (const auto &e : entries)
        for (int byte : {e[0], e[1], 0, 0, 1, 0, e[2], 0, 40, 0, 0, 0, e[3], 0})
            group.push_back(static_cast<BYTE>(byte));
    return group;
}

TEST_F(NativeResources, LoadIconA)
{
    Image image;
    for (BYTE id = 1; id <= 5; ++id)
        image.Add(3, id, 0x0411, std::vector<BYTE>(40, id));
    image.Add(14, 1, 0x0411, Group({{16, 16, 8, 1}, {32, 32, 4, 2}, {32, 32, 8, 3}, {48, 48, 32, 4}, {0, 0, 32, 5}}))
        .Add(14, 2, 0x0411, Group({{16, 16, 8, 1}}))
        .Add(14, 4, 0x0411, Group({{32, 32, 8, 9}}))
        .Add(14, 5, 0x0411, Group({}));
    Use(image);

    static const struct {
        WORD group;
        WORD image; /* 0: no icon */
        DWORD error;
    } cases[] = {
        {1, 3, kUntouched}, /* the image for the system's icon size, as LookupIconIdFromDirectoryEx chooses */
        {2, 1, kUntouched}, /* the only one */
        {4, 0, ERROR_RESOURCE_NAME_NOT_FOUND}, /* the image it lists is missing */
        {5, 0, kUntouched},                    /* a group without images fails without an error */
        {6, 0, ERROR_RESOURCE_TYPE_NOT_FOUND},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.group);
        SetLastError(kUntouched);
        HICON icon = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(c.group));
        EXPECT_EQ(c.error, GetLastError());
        WORD id = 0;
        EXPECT_EQ(c.image != 0, (bool)LzPortIconResourceId(icon, &id));
        EXPECT_EQ(c.image, id);
        if (c.image != 0) {
            EXPECT_EQ(icon, LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(c.group))) << "shared";
        }
    }
    WORD id = 0;
    EXPECT_FALSE(LzPortIconResourceId(reinterpret_cast<HICON>(&id), &id));

    HICON icon = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(1));
    ASSERT_TRUE(LzPortIconResourceId(icon, &id));
    LzPortUseResourceImage(NULL, 0);
    EXPECT_FALSE(LzPortIconResourceId(icon, &id)) << "gone with the image it came from";
}

} // namespace

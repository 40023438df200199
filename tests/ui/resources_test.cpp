/* resources_test.cpp - the compiled resources linked into this test
 * program, read through the module functions: dialog templates byte for
 * byte, strings with LoadStringA's buffer rules, the icon group, the
 * version record, and the errors of lookups that find nothing. */
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "afx.h"
#include "resource.h"
#include "resource_reader.h"

namespace {

using namespace lzres;

class DialogTemplate : public testing::TestWithParam<const Dialog *> {};

TEST(Resources, AnsiCodePageIs932) { EXPECT_EQ(932u, GetACP()); }

TEST_P(DialogTemplate, MatchesTheTable)
{
    const Dialog &want = *GetParam();
    EXPECT_EQ(std::vector<WORD>{kJapanese}, Languages(RT_DIALOG, MAKEINTRESOURCEA(want.id)));
    std::vector<BYTE> bytes = ResourceBytes(RT_DIALOG, MAKEINTRESOURCEA(want.id));
    ASSERT_FALSE(bytes.empty());
    Reader r(bytes);

    DWORD style, exStyle;
    WORD count;
    if (want.extended) {
        EXPECT_EQ(1, r.Word()) << "dlgVer";
        EXPECT_EQ(0xFFFF, r.Word()) << "signature";
        EXPECT_EQ(0u, r.Dword()) << "helpID";
        exStyle = r.Dword();
        style = r.Dword();
    } else {
        style = r.Dword();
        exStyle = r.Dword();
    }
    EXPECT_EQ(Style{want.style}, Style{style});
    EXPECT_EQ(Style{want.exStyle}, Style{exStyle});
    count = r.Word();
    ASSERT_EQ(want.controls.size(), count);
    short x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
    EXPECT_EQ(want.x, x);
    EXPECT_EQ(want.y, y);
    EXPECT_EQ(want.cx, cx);
    EXPECT_EQ(want.cy, cy);
    Reader::SzOrOrd menu = r.NameOrOrdinal(), cls = r.NameOrOrdinal();
    EXPECT_EQ(0, menu.ordinal);
    EXPECT_EQ("", menu.text);
    EXPECT_EQ(0, cls.ordinal);
    EXPECT_EQ("", cls.text);
    EXPECT_EQ(want.caption, r.Text());

    ASSERT_TRUE(style & DS_SETFONT);
    EXPECT_EQ(9, r.Word()) << "point size";
    if (want.extended) {
        EXPECT_EQ(0, r.Word()) << "weight";
        EXPECT_EQ(0u, r.Read(1)) << "italic";
        EXPECT_EQ(1u, r.Read(1)) << "charset";
    }
    EXPECT_EQ(kFont, r.Text());

    for (size_t i = 0; i < want.controls.size(); ++i) {
        const Control &c = want.controls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1));
        r.Align4();
        DWORD id;
        if (want.extended) {
            EXPECT_EQ(0u, r.Dword()) << "helpID";
            exStyle = r.Dword();
            style = r.Dword();
        } else {
            style = r.Dword();
            exStyle = r.Dword();
        }
        EXPECT_EQ(Style{c.style}, Style{style});
        EXPECT_EQ(Style{0}, Style{exStyle});
        x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
        EXPECT_EQ(c.x, x);
        EXPECT_EQ(c.y, y);
        EXPECT_EQ(c.cx, cx);
        EXPECT_EQ(c.cy, cy);
        id = want.extended ? r.Dword() : r.Word();
        EXPECT_EQ(want.extended ? (DWORD)c.id : (WORD)c.id, id);
        cls = r.NameOrOrdinal();
        EXPECT_EQ(c.classAtom, cls.ordinal);
        Reader::SzOrOrd text = r.NameOrOrdinal();
        EXPECT_EQ(c.textOrdinal, text.ordinal);
        EXPECT_EQ(c.text ? c.text : "", text.text);
        EXPECT_EQ(0, r.Word()) << "creation data";
    }
    EXPECT_EQ(bytes.size(), r.Pos()) << "bytes after the last control";
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogTemplate, testing::Values(&kAboutBox, &kUninstallDialog), DialogName);

TEST(Resources, Strings)
{
    static const struct {
        UINT id;
        const char *text;
    } strings[] = {
        {AFX_IDS_APP_TITLE, "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ"},
        {IDS_ABOUTBOX, "ﾊﾞｰｼﾞｮﾝ情報(LZUninstall) (&A)..."},
    };
    for (const auto &s : strings) {
        SCOPED_TRACE(s.id);
        char text[256];
        memset(text, 'x', sizeof text);
        int n = LoadStringA(GetModuleHandleA(NULL), s.id, text, sizeof text);
        EXPECT_EQ((int)strlen(s.text), n);
        EXPECT_STREQ(s.text, text);
        EXPECT_EQ(std::vector<WORD>{kJapanese}, Languages(RT_STRING, MAKEINTRESOURCEA(s.id / 16 + 1)));
    }
}

TEST(Resources, IconGroupListsTwo256ColourImages)
{
    EXPECT_EQ(std::vector<WORD>{kJapanese}, Languages(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME)));
    std::vector<BYTE> group = ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_FALSE(group.empty());
    Reader r(group);
    EXPECT_EQ(0, r.Word()) << "reserved";
    EXPECT_EQ(1, r.Word()) << "type: icon";
    ASSERT_EQ(2, r.Word()) << "images";
    static const BYTE sizes[] = {32, 16};
    for (BYTE size : sizes) {
        SCOPED_TRACE((int)size);
        EXPECT_EQ(size, r.Read(1)) << "width";
        EXPECT_EQ(size, r.Read(1)) << "height";
        EXPECT_EQ(0u, r.Read(1)) << "colour count: 0 for 256";
        EXPECT_EQ(0u, r.Read(1)) << "reserved";
        EXPECT_EQ(1, r.Word()) << "planes";
        EXPECT_EQ(8, r.Word()) << "bits per pixel";
        DWORD bytes = r.Dword();
        WORD id = r.Word();

        /* the image: a bitmap header of twice the height (colour and mask) */
        std::vector<BYTE> image = ResourceBytes(RT_ICON, MAKEINTRESOURCEA(id));
        ASSERT_EQ(bytes, image.size());
        Reader header(image);
        EXPECT_EQ(40u, header.Dword()) << "header size";
        EXPECT_EQ(size, header.Dword()) << "width";
        EXPECT_EQ(2u * size, header.Dword()) << "height";
        EXPECT_EQ(1, header.Word()) << "planes";
        EXPECT_EQ(8, header.Word()) << "bits per pixel";
    }
    EXPECT_EQ(group.size(), r.Pos());
}

/* One node of the version record: key, value and children. */
struct VersionNode {
    std::string key;
    WORD type; /* 1 text, 0 binary */
    std::vector<BYTE> value;
    std::vector<VersionNode> children;
};

VersionNode ReadVersionNode(Reader &r, size_t size)
{
    size_t start = r.Pos();
    VersionNode node;
    WORD length = r.Word();
    WORD valueLength = r.Word();
    node.type = r.Word();
    node.key = r.Text();
    r.Align4();
    size_t valueBytes = node.type == 1 ? valueLength * 2u : valueLength;
    for (size_t i = 0; i < valueBytes && r.Pos() < size; ++i)
        node.value.push_back((BYTE)r.Read(1));
    size_t end = start + length;
    EXPECT_LE(end, size) << node.key;
    for (r.Align4(); r.Pos() < end && r.Pos() < size; r.Align4())
        node.children.push_back(ReadVersionNode(r, end));
    r.Seek(end);
    return node;
}

std::string TextValue(const VersionNode &node)
{
    std::vector<WCHAR> text(node.value.size() / 2);
    memcpy(text.data(), node.value.data(), text.size() * 2);
    while (!text.empty() && text.back() == 0)
        text.pop_back();
    return ToAnsi932(text.data(), text.size());
}

TEST(Resources, VersionRecord)
{
    EXPECT_EQ(std::vector<WORD>{kJapanese}, Languages(RT_VERSION, MAKEINTRESOURCEA(1)));
    std::vector<BYTE> bytes = ResourceBytes(RT_VERSION, MAKEINTRESOURCEA(1));
    ASSERT_FALSE(bytes.empty());
    Reader r(bytes);
    VersionNode root = ReadVersionNode(r, bytes.size());
    EXPECT_EQ("VS_VERSION_INFO", root.key);
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), root.value.size());
    VS_FIXEDFILEINFO fixed;
    memcpy(&fixed, root.value.data(), sizeof fixed);
    EXPECT_EQ(0xFEEF04BDu, fixed.dwSignature);
    EXPECT_EQ(0x00010000u, fixed.dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed.dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed.dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed.dwProductVersionLS);
    EXPECT_EQ(0x3Fu, fixed.dwFileFlagsMask);
    EXPECT_EQ(0u, fixed.dwFileFlags);
    EXPECT_EQ((DWORD)VOS__WINDOWS32, fixed.dwFileOS);
    EXPECT_EQ((DWORD)VFT_APP, fixed.dwFileType);
    EXPECT_EQ(0u, fixed.dwFileSubtype);
    EXPECT_EQ(0u, fixed.dwFileDateMS);
    EXPECT_EQ(0u, fixed.dwFileDateLS);

    ASSERT_EQ(2u, root.children.size());
    const VersionNode &strings = root.children[0], &vars = root.children[1];
    EXPECT_EQ("StringFileInfo", strings.key);
    ASSERT_EQ(1u, strings.children.size());
    const VersionNode &table = strings.children[0];
    EXPECT_EQ("041104b0", table.key);
    static const struct {
        const char *key, *value; /* value null: any text */
    } entries[] = {
        {"CompanyName", NULL},
        {"FileDescription", "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾙ ｱﾌﾟﾘｹｰｼｮﾝ"},
        {"FileVersion", "Version 1.0"},
        {"InternalName", "LZUNINSTALL"},
        {"LegalCopyright", NULL},
        {"OriginalFilename", "LZUNINSTALL.EXE"},
        {"ProductName", "LZUNINSTALL ｱﾌﾟﾘｹｰｼｮﾝ"},
        {"ProductVersion", "Version 1.0"},
    };
    ASSERT_EQ(sizeof entries / sizeof entries[0], table.children.size());
    for (size_t i = 0; i < table.children.size(); ++i) {
        const VersionNode &entry = table.children[i];
        EXPECT_EQ(entries[i].key, entry.key);
        EXPECT_EQ(1, entry.type) << entry.key;
        if (entries[i].value)
            EXPECT_EQ(entries[i].value, TextValue(entry)) << entry.key;
        else
            EXPECT_NE("", TextValue(entry)) << entry.key;
    }

    EXPECT_EQ("VarFileInfo", vars.key);
    ASSERT_EQ(1u, vars.children.size());
    EXPECT_EQ("Translation", vars.children[0].key);
    EXPECT_EQ(0, vars.children[0].type);
    EXPECT_EQ((std::vector<BYTE>{0x11, 0x04, 0xB0, 0x04}), vars.children[0].value);
}

} // namespace

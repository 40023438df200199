/* resources_gui_test.cpp - the compiled resources linked into this test
 * program: dialog templates byte for byte, strings, icon and version record,
 * and the templates as the system's dialog manager builds them. */
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "resource.h"

namespace {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
const char kFont[] = "ＭＳ Ｐゴシック";

std::string ToAnsi932(const WCHAR *text, size_t length)
{
    if (length == 0)
        return std::string();
    std::vector<char> out(length * 2 + 1);
    int n = WideCharToMultiByte(932, 0, text, (int)length, out.data(), (int)out.size(), NULL, NULL);
    return std::string(out.data(), n > 0 ? n : 0);
}

/* The languages in which a resource exists. */
std::vector<WORD> Languages(LPCSTR type, LPCSTR name)
{
    std::vector<WORD> found;
    EnumResourceLanguagesA(
        GetModuleHandleA(NULL), type, name,
        [](HMODULE, LPCSTR, LPCSTR, WORD lang, LONG_PTR param) -> BOOL {
            ((std::vector<WORD> *)param)->push_back(lang);
            return TRUE;
        },
        (LONG_PTR)&found);
    return found;
}

/* The bytes of a resource of this program, in Japanese. */
std::vector<BYTE> ResourceBytes(LPCSTR type, LPCSTR name)
{
    HMODULE self = GetModuleHandleA(NULL);
    HRSRC info = FindResourceExA(self, type, name, kJapanese);
    if (!info)
        return std::vector<BYTE>();
    const BYTE *data = (const BYTE *)LockResource(LoadResource(self, info));
    return std::vector<BYTE>(data, data + SizeofResource(self, info));
}

/* Reads the fields of a resource one after another. Reading past the end
 * fails the test and yields zeros. */
class Reader {
public:
    explicit Reader(const std::vector<BYTE> &bytes) : m_bytes(bytes), m_pos(0) {}

    size_t Pos() const { return m_pos; }
    void Seek(size_t pos) { m_pos = pos; }
    void Align4() { m_pos = (m_pos + 3) & ~(size_t)3; }

    DWORD Read(size_t size)
    {
        DWORD value = 0;
        if (m_pos + size > m_bytes.size()) {
            ADD_FAILURE() << "read past the end at " << m_pos;
            m_pos = m_bytes.size();
            return 0;
        }
        for (size_t i = 0; i < size; ++i)
            value |= (DWORD)m_bytes[m_pos + i] << (8 * i);
        m_pos += size;
        return value;
    }
    WORD Word() { return (WORD)Read(2); }
    DWORD Dword() { return Read(4); }
    short Short() { return (short)Word(); }

    /* A zero-terminated UTF-16 string, returned in code page 932. */
    std::string Text()
    {
        std::vector<WCHAR> text;
        for (WCHAR c; (c = Word()) != 0;)
            text.push_back(c);
        return ToAnsi932(text.data(), text.size());
    }

    /* A name-or-ordinal field: 0xFFFF and an ordinal, or a string. */
    struct SzOrOrd {
        WORD ordinal; /* 0 when a string */
        std::string text;
    };
    SzOrOrd NameOrOrdinal()
    {
        if (m_pos + 2 <= m_bytes.size() && m_bytes[m_pos] == 0xFF && m_bytes[m_pos + 1] == 0xFF) {
            m_pos += 2;
            return SzOrOrd{Word(), std::string()};
        }
        return SzOrOrd{0, Text()};
    }

private:
    const std::vector<BYTE> &m_bytes;
    size_t m_pos;
};

const WORD kButton = 0x0080, kStatic = 0x0082;

/* A style, shown in hexadecimal when a check fails. */
struct Style {
    DWORD value;
    bool operator==(const Style &other) const { return value == other.value; }
};
void PrintTo(const Style &style, std::ostream *out)
{
    *out << "0x" << std::hex << style.value;
}

struct Control {
    int id;
    WORD classAtom;
    const char *text;  /* null: the text is the resource ordinal below */
    WORD textOrdinal;
    DWORD style;
    short x, y, cx, cy;
};

struct Dialog {
    int id;
    bool extended;
    DWORD style, exStyle;
    short x, y, cx, cy;
    const char *caption;
    std::vector<Control> controls;
};

const Dialog kAboutBox = {
    IDD_ABOUTBOX, false, 0x80C800C0, 0, 0, 0, 217, 55, "ﾊﾞｰｼﾞｮﾝ情報 LZUninstall",
    {
        {IDC_STATIC, kStatic, NULL, IDR_MAINFRAME, 0x50000003, 11, 17, 20, 20},
        {IDC_STATIC, kStatic, "LZUninstall Version 1.0", 0, 0x50020080, 40, 10, 119, 8},
        {IDOK, kButton, "OK", 0, 0x50030001, 178, 7, 32, 14},
    }};

const Dialog kUninstallDialog = {
    IDD_UNINSTALL_DIALOG, true, 0x90C800C0, 0x00040000, 0, 0, 191, 169, "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ",
    {
        {IDCANCEL, kButton, "ｷｬﾝｾﾙ", 0, 0x50030001, 135, 150, 50, 14},
        {IDOK, kButton, "実行", 0, 0x50014000, 80, 150, 50, 14},
        {IDC_DELETE_STOCKBOOK, kButton, "ｽﾄｯｸﾌﾞｯｸ削除", 0, 0x50010003, 65, 125, 57, 10},
        {IDC_INSTALL_DIR, kStatic, "", 0, 0x50020000, 20, 10, 155, 8},
        {IDC_STATIC, kStatic, "  にインストールされているルメオ ゼルコアバージョンを削除します。", 0, 0x50020000, 20, 20,
         150, 25},
        {IDC_STATIC, kStatic, "  削除する場合は実行を押してください。やめる場合はキャンセルを押してください。", 0,
         0x50020000, 20, 50, 155, 25},
        {IDC_STATIC, kStatic,
         "  注意：アンインストールを実行するとストックブックも削除されてしまいます。削除したくない場合は、下のチェックを"
         "はずして下さい。",
         0, 0x50020000, 20, 90, 155, 30},
        {IDC_STATIC, kButton, "", 0, 0x50000007, 5, 0, 180, 80},
        {IDC_STATIC, kButton, "", 0, 0x50000007, 5, 80, 180, 60},
    }};

class DialogTemplate : public testing::TestWithParam<const Dialog *> {};

TEST(Resources, AnsiCodePageIs932)
{
    EXPECT_EQ(932u, GetACP());
}

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

/* The dialog manager builds the windows from the templates: captions and
 * control texts come back in code page 932, and the About box's icon
 * control finds the program icon. */
TEST_P(DialogTemplate, BuildsItsWindows)
{
    const Dialog &want = *GetParam();
    HWND dlg = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(want.id), NULL,
                                  [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_TRUE(dlg != NULL) << GetLastError();
    char text[512];
    GetWindowTextA(dlg, text, sizeof text);
    EXPECT_STREQ(want.caption, text);
    EXPECT_EQ(want.style & WS_VISIBLE, (DWORD)GetWindowLongA(dlg, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(want.exStyle & WS_EX_APPWINDOW, (DWORD)GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    HWND child = GetWindow(dlg, GW_CHILD);
    for (size_t i = 0; i < want.controls.size(); ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        const Control &c = want.controls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1));
        ASSERT_TRUE(child != NULL);
        EXPECT_EQ(c.id, (int)(short)GetDlgCtrlID(child));
        EXPECT_EQ(Style{c.style}, Style{(DWORD)GetWindowLongA(child, GWL_STYLE)});
        if (c.text) {
            GetWindowTextA(child, text, sizeof text);
            EXPECT_STREQ(c.text, text);
        } else {
            EXPECT_TRUE(SendMessageA(child, STM_GETICON, 0, 0) != 0) << "no icon";
        }
    }
    EXPECT_TRUE(child == NULL) << "more controls than in the template";
    DestroyWindow(dlg);
}

INSTANTIATE_TEST_SUITE_P(Resources, DialogTemplate, testing::Values(&kAboutBox, &kUninstallDialog),
                         [](const testing::TestParamInfo<const Dialog *> &info) {
                             return std::string(info.param->extended ? "UninstallDialog" : "AboutBox");
                         });

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

TEST(Resources, IconHasTwo256ColourImages)
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

        std::vector<BYTE> image = ResourceBytes(RT_ICON, MAKEINTRESOURCEA(id));
        ASSERT_EQ(bytes, image.size());
        HICON icon = CreateIconFromResourceEx(image.data(), bytes, TRUE, 0x00030000, 0, 0, 0);
        ASSERT_TRUE(icon != NULL);
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask;
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(size, mask.bmWidth);
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
        DestroyIcon(icon);
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

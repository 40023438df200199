/* resource_reader.h - what the resource tests share: the program's own
 * resources read back through the module functions, a reader for their
 * fields, and the dialog templates as they must come out. */
#ifndef LZTEST_RESOURCE_READER_H
#define LZTEST_RESOURCE_READER_H

#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "resource.h"

namespace lzres {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
const char kFont[] = "ＭＳ Ｐゴシック";

inline std::string ToAnsi932(const WCHAR *text, size_t length)
{
    if (length == 0)
        return std::string();
    std::vector<char> out(length * 2 + 1);
    int n = WideCharToMultiByte(932, 0, text, (int)length, out.data(), (int)out.size(), NULL, NULL);
    return std::string(out.data(), n > 0 ? n : 0);
}

/* The languages in which a resource exists. */
inline std::vector<WORD> Languages(LPCSTR type, LPCSTR name)
{
    std::vector<WORD> found;
    EnumResourceLanguagesA(
        GetModuleHandleA(NULL), type, name,
        [](HMODULE, LPCSTR, LPCSTR, WORD lang, LONG_PTR param) CALLBACK -> BOOL {
            ((std::vector<WORD> *)param)->push_back(lang);
            return TRUE;
        },
        (LONG_PTR)&found);
    return found;
}

/* The bytes of a resource of this program, in Japanese. */
inline std::vector<BYTE> ResourceBytes(LPCSTR type, LPCSTR name)
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
inline void PrintTo(const Style &style, std::ostream *out) { *out << "0x" << std::hex << style.value; }

struct Control {
    int id;
    WORD classAtom;
    const char *text; /* null: the text is the resource ordinal below */
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

const Dialog kAboutBox = {IDD_ABOUTBOX,
                          false,
                          0x80C800C0,
                          0,
                          0,
                          0,
                          217,
                          55,
                          "ﾊﾞｰｼﾞｮﾝ情報 LZUninstall",
                          {
                              {IDC_STATIC, kStatic, NULL, IDR_MAINFRAME, 0x50000003, 11, 17, 20, 20},
                              {IDC_STATIC, kStatic, "LZUninstall Version 1.0", 0, 0x50020080, 40, 10, 119, 8},
                              {IDOK, kButton, "OK", 0, 0x50030001, 178, 7, 32, 14},
                          }};

const Dialog kUninstallDialog = {
    IDD_UNINSTALL_DIALOG,
    true,
    0x90C800C0,
    0x00040000,
    0,
    0,
    191,
    169,
    "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ",
    {
        {IDCANCEL, kButton, "ｷｬﾝｾﾙ", 0, 0x50030001, 135, 150, 50, 14},
        {IDOK, kButton, "実行", 0, 0x50014000, 80, 150, 50, 14},
        {IDC_DELETE_STOCKBOOK, kButton, "ｽﾄｯｸﾌﾞｯｸ削除", 0, 0x50010003, 65, 125, 57, 10},
        {IDC_INSTALL_DIR, kStatic, "", 0, 0x50020000, 20, 10, 155, 8},
        {IDC_STATIC, kStatic, "  にインストールされているルメオ ゼルコアバージョンを削除します。", 0, 0x50020000, 20,
         20, 150, 25},
        {IDC_STATIC, kStatic, "  削除する場合は実行を押してください。やめる場合はキャンセルを押してください。", 0,
         0x50020000, 20, 50, 155, 25},
        {IDC_STATIC, kStatic,
         "  "
         "注意：アンインストールを実行するとストックブックも削除されてしまいます。削除したくない場合は、下のチェックを"
         "はずして下さい。",
         0, 0x50020000, 20, 90, 155, 30},
        {IDC_STATIC, kButton, "", 0, 0x50000007, 5, 0, 180, 80},
        {IDC_STATIC, kButton, "", 0, 0x50000007, 5, 80, 180, 60},
    }};

inline std::string DialogName(const testing::TestParamInfo<const Dialog *> &info)
{
    return std::string(info.param->extended ? "UninstallDialog" : "AboutBox");
}

} // namespace lzres

#endif

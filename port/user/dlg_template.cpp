/* dlg_template.cpp - reading dialog templates word by word. Each control
 * starts on a DWORD boundary; a name-or-ordinal field is 0xFFFF and an
 * ordinal, or a zero-terminated UTF-16 string. */
#include "dlg_template.h"

#include <string.h>

#include "cp932.h"

namespace lzport {

namespace {

const char *const kBuiltInClasses[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};

class Reader {
public:
    explicit Reader(const void *data) : m_p(static_cast<const BYTE *>(data)) {}

    WORD Word()
    {
        WORD w;
        memcpy(&w, m_p, sizeof w);
        m_p += sizeof w;
        return w;
    }
    DWORD Dword()
    {
        DWORD d = Word();
        return d | (static_cast<DWORD>(Word()) << 16);
    }
    WORD Peek() const
    {
        WORD w;
        memcpy(&w, m_p, sizeof w);
        return w;
    }
    const BYTE *Here() const { return m_p; }
    void Skip(size_t bytes) { m_p += bytes; }
    void AlignDword(const void *base)
    {
        size_t offset = static_cast<size_t>(m_p - static_cast<const BYTE *>(base));
        m_p += (4 - offset % 4) % 4;
    }

    /* A zero-terminated UTF-16 string, in code page 932 ('?' for what it
     * lacks). */
    std::string Text()
    {
        std::string utf8;
        for (WORD c = Word(); c != 0; c = Word()) {
            unsigned cp = c;
            if (c >= 0xD800 && c <= 0xDBFF && Peek() >= 0xDC00 && Peek() <= 0xDFFF)
                cp = 0x10000 + ((c - 0xD800u) << 10) + (Word() - 0xDC00u);
            AppendUtf8(utf8, cp);
        }
        std::string out;
        if (!Utf8ToCp932(utf8, out)) {
            out.clear();
            for (char ch : utf8) {
                if (!(static_cast<unsigned char>(ch) & 0x80))
                    out += ch;
                else if ((static_cast<unsigned char>(ch) & 0xC0) == 0xC0)
                    out += '?';
            }
        }
        return out;
    }

private:
    static void AppendUtf8(std::string &out, unsigned cp)
    {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    const BYTE *m_p;
};

ControlTemplate ReadControl(Reader &r, bool extended, const void *base)
{
    ControlTemplate c;
    r.AlignDword(base);
    if (extended) {
        c.helpId = r.Dword();
        c.exStyle = r.Dword();
        c.style = r.Dword();
    } else {
        c.style = r.Dword();
        c.exStyle = r.Dword();
    }
    c.x = static_cast<short>(r.Word());
    c.y = static_cast<short>(r.Word());
    c.cx = static_cast<short>(r.Word());
    c.cy = static_cast<short>(r.Word());
    /* an extended template's id is a signed 32-bit number */
    c.id = extended ? static_cast<LONG_PTR>(static_cast<LONG>(r.Dword())) : static_cast<LONG_PTR>(r.Word());
    if (r.Peek() == 0xFFFF) {
        r.Word();
        WORD atom = r.Word();
        /* the built-in class ids 0 to 5 stand for 0x80 to 0x85 as well */
        WORD index = atom >= 0x80 ? static_cast<WORD>(atom - 0x80) : atom;
        c.className = index < 6 ? kBuiltInClasses[index] : std::string();
    } else {
        c.className = r.Text();
    }
    if (r.Peek() == 0xFFFF) {
        r.Word();
        c.textOrdinal = true;
        c.ordinal = r.Word();
    } else {
        c.text = r.Text();
    }
    WORD dataSize = r.Word();
    if (dataSize != 0) {
        c.data = r.Here() - sizeof(WORD);
        r.Skip(dataSize);
    }
    return c;
}

} // namespace

DialogTemplate ParseDialogTemplate(const void *data)
{
    DialogTemplate t;
    Reader r(data);
    WORD version = r.Word();
    WORD signature = r.Word();
    t.extended = version == 1 && signature == 0xFFFF;
    if (t.extended) {
        t.helpId = r.Dword();
        t.exStyle = r.Dword();
        t.style = r.Dword();
    } else {
        t.style = static_cast<DWORD>(version) | (static_cast<DWORD>(signature) << 16);
        t.exStyle = r.Dword();
    }
    WORD count = r.Word();
    t.x = static_cast<short>(r.Word());
    t.y = static_cast<short>(r.Word());
    t.cx = static_cast<short>(r.Word());
    t.cy = static_cast<short>(r.Word());
    if (r.Peek() == 0xFFFF) {
        r.Skip(2 * sizeof(WORD));
        t.hasMenu = true;
    } else if (r.Peek() == 0) {
        r.Word();
    } else {
        t.hasMenu = true;
        r.Text();
    }
    if (r.Peek() == 0xFFFF) {
        r.Word();
        t.classAtom = r.Word();
    } else if (r.Peek() == 0) {
        r.Word();
    } else {
        t.className = r.Text();
    }
    t.caption = r.Text();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Word();
        /* 0x7FFF: the message box font, with no more of the record */
        if (t.pointSize != 0x7FFF) {
            if (t.extended)
                r.Skip(2 * sizeof(WORD)); /* weight, italic and character set */
            t.faceName = r.Text();
        }
    }
    for (WORD i = 0; i < count; ++i)
        t.controls.push_back(ReadControl(r, t.extended, data));
    return t;
}

} // namespace lzport

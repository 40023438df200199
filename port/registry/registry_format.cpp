/* registry_format.cpp - writing and reading the REGEDIT4 registry file. */
#include "registry_format.h"

#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <vector>

#include "cp932.h"
#include "winreg.h"

namespace lzport::reg {

namespace {

constexpr char kHeader[] = "REGEDIT4";
constexpr size_t kHexLineWidth = 76;

std::string Utf8(std::string_view cp932)
{
    std::string out;
    Cp932ToUtf8(cp932, out);
    return out;
}

std::string Quote(std::string_view utf8)
{
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

bool IsStringValue(const Value &v)
{
    return v.type == REG_SZ && !v.data.empty() && v.data.find('\0') == v.data.size() - 1 &&
           IsPlainText(std::string_view(v.data).substr(0, v.data.size() - 1));
}

void FormatValue(const Value &v, std::string &out)
{
    std::string line = v.name.empty() ? std::string("@=") : Quote(Utf8(v.name)) + "=";
    if (IsStringValue(v)) {
        out += line + Quote(Utf8(std::string_view(v.data).substr(0, v.data.size() - 1))) + "\n";
        return;
    }
    char buf[32];
    if (v.type == REG_DWORD && v.data.size() == 4) {
        const unsigned char *b = reinterpret_cast<const unsigned char *>(v.data.data());
        snprintf(buf, sizeof buf, "dword:%08x", (unsigned)(b[0] | b[1] << 8 | b[2] << 16 | (unsigned)b[3] << 24));
        out += line + buf + "\n";
        return;
    }
    if (v.type == REG_BINARY)
        line += "hex:";
    else {
        snprintf(buf, sizeof buf, "hex(%x):", (unsigned)v.type);
        line += buf;
    }
    size_t width = line.size();
    for (size_t i = 0; i < v.data.size(); ++i) {
        snprintf(buf, sizeof buf, "%02x", (unsigned char)v.data[i]);
        line += buf;
        width += 2;
        if (i + 1 < v.data.size()) {
            line += ",";
            if (++width > kHexLineWidth) {
                line += "\\\n  ";
                width = 2;
            }
        }
    }
    out += line + "\n";
}

void FormatKey(const Key &key, const std::string &path, bool isRoot, std::string &out)
{
    if (!isRoot || !key.values.empty()) {
        out += "\n[" + path + "]\n";
        for (const Value &v : key.values)
            FormatValue(v, out);
    }
    for (const KeyPtr &sub : key.subkeys)
        FormatKey(*sub, path + "\\" + Utf8(sub->name), false, out);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/* Reads up to `maxDigits` hex digits at text[pos]; false when there are none. */
bool ReadHex(std::string_view text, size_t &pos, size_t maxDigits, unsigned &value)
{
    size_t start = pos;
    value = 0;
    while (pos < text.size() && pos - start < maxDigits && HexDigit(text[pos]) >= 0)
        value = value << 4 | (unsigned)HexDigit(text[pos++]);
    return pos > start;
}

/* The names of a code page 932 path, empty ones included; a trail byte
 * 0x5C is part of its character, not a separator. */
std::vector<std::string> PathParts(std::string_view path)
{
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (c == '\\') {
            parts.emplace_back();
        } else if (Cp932IsLead(c) && i + 1 < path.size()) {
            parts.back().append(path.substr(i++, 2));
        } else {
            parts.back().push_back(path[i]);
        }
    }
    return parts;
}

void SkipBlanks(std::string_view text, size_t &pos)
{
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
}

class Parser {
public:
    Parser(std::string_view text, std::string_view rootName, const FILETIME &stamp, ParseError &error)
        : m_text(text), m_rootName(rootName), m_stamp(stamp), m_error(error)
    {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
            m_text.remove_prefix(3);
    }

    bool Run(KeyPtr &root)
    {
        root = NewRootKey();
        root->lastWrite = m_stamp;
        std::string line;
        bool header = false;
        KeyPtr current;
        while (NextLine(line)) {
            if (line.empty())
                continue;
            if (!header) {
                if (line != kHeader)
                    return Fail("the file does not start with " + std::string(kHeader));
                header = true;
            } else if (line[0] == ';') {
                continue;
            } else if (line[0] == '[') {
                if (!Section(line, root, current))
                    return false;
            } else if (line[0] == '"' || line[0] == '@') {
                if (!current)
                    return Fail("value outside of a [key] section");
                if (!ValueLine(line, *current))
                    return false;
            } else {
                return Fail("expected a [key] section or a \"name\"=value line");
            }
        }
        if (!header) {
            m_line = 1; /* an empty file: the header belongs on its first line */
            return Fail("the file is empty; it must start with " + std::string(kHeader));
        }
        return true;
    }

private:
    bool Fail(const std::string &message)
    {
        m_error.line = m_line;
        m_error.message = message;
        return false;
    }

    /* The next line without its end and trailing blanks. */
    bool NextLine(std::string &line)
    {
        if (m_pos >= m_text.size())
            return false;
        size_t end = m_text.find('\n', m_pos);
        if (end == std::string_view::npos)
            end = m_text.size();
        line.assign(m_text.substr(m_pos, end - m_pos));
        m_pos = end + 1;
        ++m_line;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        return true;
    }

    bool Name(const std::string &utf8, bool isKey, std::string &cp932)
    {
        if (!Utf8ToCp932(utf8, cp932))
            return Fail(std::string(isKey ? "key name" : "value name") + " is not text of code page 932");
        return CheckName(cp932, isKey);
    }

    bool CheckName(const std::string &cp932, bool isKey)
    {
        const char *what = isKey ? "key name" : "value name";
        if (!IsPlainText(cp932))
            return Fail(std::string(what) + " is not text of code page 932");
        if (Cp932CharCount(cp932) > (isKey ? kMaxKeyNameChars : kMaxValueNameChars))
            return Fail(std::string(what) + " is too long");
        return true;
    }

    /* The path is split where its code page 932 form has a backslash, so
     * that a yen sign, which is that backslash, separates too. */
    bool Section(const std::string &line, const KeyPtr &root, KeyPtr &current)
    {
        if (line.back() != ']')
            return Fail("a [key] line must end with ]");
        std::string_view path = std::string_view(line).substr(1, line.size() - 2);
        size_t cut = path.find('\\');
        std::string_view top = path.substr(0, cut);
        if (top.size() != m_rootName.size() || strncasecmp(top.data(), m_rootName.data(), top.size()) != 0)
            return Fail("keys must lie under " + std::string(m_rootName));
        current = root;
        if (cut == std::string_view::npos)
            return true;
        std::string below;
        if (!Utf8ToCp932(std::string(path.substr(cut + 1)), below))
            return Fail("key name is not text of code page 932");
        for (const std::string &name : PathParts(below)) {
            if (name.empty())
                return Fail("empty key name in the path");
            if (!CheckName(name, true))
                return false;
            KeyPtr sub = FindSubkey(*current, name);
            current = sub ? sub : AddSubkey(current, name, m_stamp);
        }
        return true;
    }

    /* A quoted string starting at text[pos] (the opening quote), unescaped. */
    bool Quoted(std::string_view text, size_t &pos, std::string &out)
    {
        out.clear();
        for (++pos; pos < text.size(); ++pos) {
            char c = text[pos];
            if (c == '"') {
                ++pos;
                return true;
            }
            if (c == '\\') {
                if (++pos >= text.size() || (text[pos] != '\\' && text[pos] != '"'))
                    return Fail("only \\\\ and \\\" may follow a backslash in a string");
                c = text[pos];
            }
            out.push_back(c);
        }
        return Fail("string without its closing quote");
    }

    bool HexList(std::string text, std::string &data)
    {
        std::string next;
        while (!text.empty() && text.back() == '\\') {
            text.pop_back();
            if (!NextLine(next))
                return Fail("hex list continued past the end of the file");
            text += next;
        }
        size_t pos = 0;
        SkipBlanks(text, pos);
        while (pos < text.size()) {
            unsigned byte;
            if (!ReadHex(text, pos, 2, byte))
                return Fail("bad hex byte");
            data.push_back((char)byte);
            SkipBlanks(text, pos);
            if (pos == text.size())
                break;
            if (text[pos] != ',')
                return Fail("hex bytes must be separated by commas");
            ++pos;
            SkipBlanks(text, pos);
            if (pos == text.size())
                return Fail("hex list ends with a comma");
        }
        return true;
    }

    bool Data(const std::string &line, size_t pos, DWORD &type, std::string &data)
    {
        std::string_view rest = std::string_view(line).substr(pos);
        if (!rest.empty() && rest[0] == '"') {
            std::string utf8;
            size_t at = pos;
            if (!Quoted(line, at, utf8))
                return false;
            if (at != line.size())
                return Fail("text after the closing quote");
            if (!Utf8ToCp932(utf8, data) || !IsPlainText(data))
                return Fail("string is not text of code page 932");
            data.push_back('\0');
            type = REG_SZ;
            return true;
        }
        if (rest.substr(0, 6) == "dword:") {
            size_t at = 6;
            unsigned value;
            if (!ReadHex(rest, at, 8, value) || at != rest.size())
                return Fail("dword: needs up to 8 hex digits");
            unsigned char bytes[4] = {(unsigned char)value, (unsigned char)(value >> 8), (unsigned char)(value >> 16),
                                      (unsigned char)(value >> 24)};
            data.assign(reinterpret_cast<const char *>(bytes), 4);
            type = REG_DWORD;
            return true;
        }
        if (rest.substr(0, 4) == "hex:") {
            type = REG_BINARY;
            return HexList(std::string(rest.substr(4)), data);
        }
        if (rest.substr(0, 4) == "hex(") {
            size_t at = 4;
            unsigned t;
            if (!ReadHex(rest, at, 8, t) || rest.substr(at, 2) != "):")
                return Fail("hex(type): needs a hex type number");
            type = t;
            return HexList(std::string(rest.substr(at + 2)), data);
        }
        return Fail("unknown kind of value (expected \"text\", dword:, hex: or hex(n):)");
    }

    bool ValueLine(const std::string &line, Key &key)
    {
        std::string name;
        size_t pos = 0;
        if (line[0] == '@') {
            pos = 1;
        } else {
            std::string utf8;
            if (!Quoted(line, pos, utf8) || !Name(utf8, false, name))
                return false;
        }
        SkipBlanks(line, pos);
        if (pos >= line.size() || line[pos] != '=')
            return Fail("expected = after the value name");
        ++pos;
        SkipBlanks(line, pos);
        DWORD type = 0;
        std::string data;
        if (!Data(line, pos, type, data))
            return false;
        SetValue(key, name, type, std::move(data));
        key.lastWrite = m_stamp;
        return true;
    }

    std::string_view m_text;
    std::string_view m_rootName;
    FILETIME m_stamp;
    ParseError &m_error;
    size_t m_pos = 0;
    int m_line = 0;
};

} // namespace

bool IsPlainText(std::string_view text)
{
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    std::string utf8;
    return Cp932ToUtf8(text, utf8);
}

std::string FormatRegistry(const Key &root, std::string_view rootName)
{
    std::string out = std::string(kHeader) + "\n";
    FormatKey(root, std::string(rootName), true, out);
    return out;
}

bool ParseRegistry(std::string_view text, std::string_view rootName, const FILETIME &stamp, KeyPtr &root,
                   ParseError &error)
{
    return Parser(text, rootName, stamp, error).Run(root);
}

} // namespace lzport::reg

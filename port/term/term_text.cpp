/* term_text.cpp - decoding and measuring window texts for the terminal. */
#include "term_text.h"

#include <langinfo.h>
#include <locale.h>
#include <string.h>
#include <wchar.h>

#include "cp932.h"

namespace lzport {

namespace {

bool LocaleIsUtf8()
{
    const char *codeset = nl_langinfo(CODESET);
    return codeset && (strcmp(codeset, "UTF-8") == 0 || strcmp(codeset, "utf8") == 0);
}

/* Appends the characters of well-formed UTF-8 (as the converter writes it). */
void AppendUtf8(std::string_view utf8, std::u32string &out)
{
    for (size_t i = 0; i < utf8.size();) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t ch = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; k <= extra && i + k < utf8.size(); k++)
            ch = (ch << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(ch);
        i += extra + 1;
    }
}

} // namespace

bool UseUtf8Locale()
{
    setlocale(LC_ALL, "");
    if (LocaleIsUtf8())
        return true;
    return setlocale(LC_CTYPE, "C.UTF-8") != nullptr && LocaleIsUtf8();
}

std::u32string DecodeCp932(std::string_view text)
{
    std::u32string out;
    std::string utf8;
    if (Cp932ToUtf8(text, utf8)) {
        AppendUtf8(utf8, out);
        return out;
    }
    /* one character at a time, so that only the bad ones are lost */
    for (size_t i = 0; i < text.size();) {
        size_t n = (Cp932IsLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
        if (Cp932ToUtf8(text.substr(i, n), utf8))
            AppendUtf8(utf8, out);
        else
            out.push_back(U'?');
        i += n;
    }
    return out;
}

int CellWidth(char32_t ch)
{
    int w = wcwidth(static_cast<wchar_t>(ch));
    return w < 0 ? (ch < 0x20 || ch == 0x7F ? 0 : 1) : w;
}

int CellWidth(std::u32string_view text)
{
    int cells = 0;
    for (char32_t ch : text)
        cells += CellWidth(ch);
    return cells;
}

std::string EncodeUtf8(std::u32string_view text)
{
    std::string out;
    for (char32_t ch : text) {
        if (ch < 0x80) {
            out.push_back(static_cast<char>(ch));
        } else if (ch < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
            out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        } else if (ch < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
            out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
            out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
        }
    }
    return out;
}

} // namespace lzport

/* term_text.cpp - decoding, measuring and wrapping window texts for the
 * terminal. */
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

bool IsWordChar(char32_t ch) { return ch > 0x20 && ch < 0x7F; }

/* Punctuation that Japanese text never starts a line with: it stays at the
 * end of the line before, past the width if need be. */
bool HangsAtLineEnd(char32_t ch)
{
    static const std::u32string_view kHanging =
        U"、。，．・：；？！」』）〕］｝〉》ー々ゝゞァィゥェォッャュョヮヵヶぁぃぅぇぉっゃゅょゎ｡､｣ｧｨｩｪｫｬｭｮｯｰﾞﾟ";
    return kHanging.find(ch) != std::u32string_view::npos;
}

void WrapParagraph(std::u32string_view text, int width, std::vector<std::u32string> &lines)
{
    std::u32string line;
    int cells = 0;
    for (size_t i = 0; i < text.size(); i++) {
        char32_t ch = text[i];
        int w = CellWidth(ch);
        if (cells + w <= width || line.empty() || (HangsAtLineEnd(ch) && cells <= width)) {
            line.push_back(ch);
            cells += w;
            continue;
        }
        if (ch == U' ') {
            /* the break swallows the space it happens at */
            lines.push_back(line);
            line.clear();
            cells = 0;
            continue;
        }
        std::u32string carried;
        size_t space = line.find_last_of(U' ');
        if (IsWordChar(ch) && space != std::u32string::npos && space > 0) {
            bool wholeWord = true;
            for (size_t k = space + 1; k < line.size(); k++)
                wholeWord = wholeWord && IsWordChar(line[k]);
            if (wholeWord) {
                carried = line.substr(space + 1);
                line.erase(space);
            }
        }
        lines.push_back(line);
        line = carried;
        line.push_back(ch);
        cells = CellWidth(line);
    }
    lines.push_back(line);
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

std::u32string StripAccessMarks(std::u32string_view text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == U'&' && i + 1 < text.size())
            i++;
        else if (text[i] == U'&')
            continue;
        out.push_back(text[i]);
    }
    return out;
}

std::vector<std::u32string> WrapText(std::u32string_view text, int width)
{
    std::vector<std::u32string> lines;
    if (width < 1)
        width = 1;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(U'\n', start);
        std::u32string_view paragraph = text.substr(start, end == std::u32string_view::npos ? end : end - start);
        if (!paragraph.empty() && paragraph.back() == U'\r')
            paragraph.remove_suffix(1);
        WrapParagraph(paragraph, width, lines);
        if (end == std::u32string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
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

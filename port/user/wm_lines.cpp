/* wm_lines.cpp - text broken into lines, as static controls and message
 * boxes show it: greedy, one character at a time, so that the same text
 * in the same width always gives the same lines; Latin words move to the
 * next line whole, Japanese text breaks anywhere, except before closing
 * punctuation, which hangs at the end of the line instead. */
#include "wm_lines.h"

#include "cp932.h"
#include "frontend.h"
#include "wm_text.h"

namespace lzport {

namespace {

/* Static control types that keep their text to one line. */
const DWORD kStaticSimple = 0x0B;
const DWORD kStaticLeftNoWordWrap = 0x0C;

size_t CharLength(std::string_view text, size_t at)
{
    bool pair = Cp932IsLead(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
    return pair ? 2 : 1;
}

/* Closing brackets and punctuation, the long-vowel and iteration marks and
 * the small kana, full-width and half-width. */
bool NeverStartsALine(std::string_view ch)
{
    static const std::string marks = TextFromUtf8(
        "、。，．・：；？！」』）〕］｝〉》ー々ゝゞァィゥェォッャュョヮヵヶぁぃぅぇぉっゃゅょゎ｡､｣ｧｨｩｪｫｬｭｮｯｰﾞﾟ");
    for (size_t at = 0; at < marks.size(); at += CharLength(marks, at)) {
        if (marks.compare(at, CharLength(marks, at), ch) == 0)
            return true;
    }
    return false;
}

bool IsLatinWordChar(char c) { return c > ' ' && c < 0x7F; }

/* Where the Latin word at the end of a line starts, when a space with
 * something before it comes just ahead of that word; npos otherwise. */
size_t MovableWordStart(const std::string &line)
{
    size_t start = 0;
    for (size_t at = 0; at < line.size();) {
        size_t n = CharLength(line, at);
        at += n;
        if (n > 1 || !IsLatinWordChar(line[at - 1]))
            start = at;
    }
    bool spaceBefore = start > 0 && line[start - 1] == ' ';
    bool textBeforeSpace = spaceBefore && line.find_first_not_of(' ') < start - 1;
    return textBeforeSpace ? start : std::string::npos;
}

/* One paragraph (no line breaks in it) into lines of `width` pixels. */
void BreakParagraph(std::string_view text, int width, std::vector<std::string> &lines)
{
    std::string line;
    for (size_t at = 0; at < text.size();) {
        std::string_view ch = text.substr(at, CharLength(text, at));
        at += ch.size();
        if (line.empty() || TextWidth(line) + TextWidth(ch) <= width || NeverStartsALine(ch)) {
            line += ch;
            continue;
        }
        /* a break at a space takes the space's place */
        std::string next(ch == " " ? std::string_view() : ch);
        size_t word = IsLatinWordChar(ch[0]) ? MovableWordStart(line) : std::string::npos;
        if (word != std::string::npos) {
            next.insert(0, line, word);
            line.erase(word - 1);
        }
        lines.push_back(line);
        line = next;
    }
    lines.push_back(line);
}

} // namespace

int TextWidth(std::string_view text) { return static_cast<int>(text.size()) * kTextCharWidth; }

std::string WithoutAccessMarks(std::string_view text)
{
    std::string shown;
    for (size_t at = 0; at < text.size();) {
        size_t n = CharLength(text, at);
        if (text[at] == '&') {
            at++;
            if (at == text.size())
                break;
            n = CharLength(text, at);
        }
        shown.append(text.substr(at, n));
        at += n;
    }
    return shown;
}

std::vector<std::string> BreakLines(std::string_view text, int width)
{
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        size_t end = text.find('\n', start);
        std::string_view paragraph = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.remove_suffix(1);
        BreakParagraph(paragraph, width, lines);
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

std::vector<std::string> StaticLines(const WindowView &control)
{
    DWORD type = control.style & SS_TYPEMASK;
    bool oneLine = type == kStaticSimple || type == kStaticLeftNoWordWrap;
    std::string text = (control.style & SS_NOPREFIX) ? control.text : WithoutAccessMarks(control.text);
    return BreakLines(text, oneLine ? kUnlimitedWidth : control.rect.right - control.rect.left);
}

} // namespace lzport

/* text_test.cpp - cell widths of code page 932 text, wrapping, access
 * marks, and full-width characters on the grid. */
#include <gtest/gtest.h>

#include "term_grid.h"
#include "term_text.h"

namespace {

class TermText : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(lzport::UseUtf8Locale()); }
};

std::vector<std::string> Utf8Lines(const std::vector<std::u32string> &lines)
{
    std::vector<std::string> out;
    for (const std::u32string &line : lines)
        out.push_back(lzport::EncodeUtf8(line));
    return out;
}

TEST_F(TermText, WidthsOfCodePage932Text)
{
    struct Case {
        const char *text; /* code page 932 at run time */
        size_t chars;
        int cells;
    } cases[] = {
        {"OK", 2, 2},
        {"ｱﾝｲﾝｽﾄｰﾙ", 8, 8},       /* half-width katakana: one byte, one cell */
        {"ｽﾄｯｸﾌﾞｯｸ削除", 10, 12}, /* half-width kana and kanji */
        {"「C:\\LZ」", 7, 9},     /* corner brackets are full-width */
        {"注意：", 3, 6},
        {"ﾊﾞｰｼﾞｮﾝ情報(LZUninstall)", 22, 24},
        {"表示", 2, 4}, /* trail byte 0x5C is no backslash */
    };
    for (const Case &c : cases) {
        std::u32string text = lzport::DecodeCp932(c.text);
        EXPECT_EQ(c.chars, text.size()) << lzport::EncodeUtf8(text);
        EXPECT_EQ(c.cells, lzport::CellWidth(text)) << lzport::EncodeUtf8(text);
    }
}

TEST_F(TermText, UndecodableBytesShowAsQuestionMarks)
{
    /* 0x85 0x40 is an unassigned double-byte code; the rest decodes */
    EXPECT_EQ(U"A?B", lzport::DecodeCp932("A\x85\x40"
                                          "B"));
    /* a lead byte at the end has no character to complete */
    EXPECT_EQ(U"A?", lzport::DecodeCp932("A\x82"));
}

TEST_F(TermText, AccessMarks)
{
    struct Case {
        const char32_t *in, *out;
    } cases[] = {
        {U"&Yes", U"Yes"}, {U"はい(&Y)", U"はい(Y)"}, {U"R&&D", U"R&D"}, {U"end&", U"end"}, {U"none", U"none"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(std::u32string(c.out), lzport::StripAccessMarks(c.in)) << lzport::EncodeUtf8(c.in);
}

TEST_F(TermText, Wrapping)
{
    struct Case {
        const char32_t *text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        /* full-width text breaks between any two characters */
        {U"あいうえおかき", 6, {u8"あいう", u8"えおか", u8"き"}},
        /* an odd width leaves the last cell empty rather than split a character */
        {U"あいうえ", 5, {u8"あい", u8"うえ"}},
        /* Latin words move whole to the next line, the space is dropped */
        {U"LZUninstall Version 1.0", 15, {u8"LZUninstall", u8"Version 1.0"}},
        /* a word longer than the line is broken */
        {U"Uninstallation", 6, {u8"Uninst", u8"allati", u8"on"}},
        /* closing punctuation hangs instead of starting a line */
        {U"あいう。えお", 6, {u8"あいう。", u8"えお"}},
        {U"あいう」。え", 6, {u8"あいう」", u8"。え"}},
        /* line breaks in the text, CR LF or LF, and empty lines */
        {U"ab\r\ncd\n\nef", 10, {u8"ab", u8"cd", u8"", u8"ef"}},
        /* leading spaces of a paragraph are kept */
        {U"  あいう", 4, {u8"  あ", u8"いう"}},
        {U"", 4, {u8""}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.lines, Utf8Lines(lzport::WrapText(c.text, c.width))) << lzport::EncodeUtf8(c.text);
}

TEST_F(TermText, FullWidthCharactersOnTheGrid)
{
    lzport::Grid grid(6, 2);
    /* the third character would need columns 5 and 6: it is left out */
    EXPECT_EQ(7, grid.Put(1, 0, U"あいう", lzport::kAttrNone));
    EXPECT_EQ(u8" あい", grid.PlainLines()[0]);
    EXPECT_TRUE(grid.At(2, 0).continuation);
    EXPECT_FALSE(grid.At(5, 0).continuation);

    /* writing over the right half of "あ" blanks its left half */
    grid.Put(2, 0, U"x", lzport::kAttrNone);
    EXPECT_EQ(u8"  xい", grid.PlainLines()[0]);
    /* and over the left half of "い" blanks its right half */
    grid.Put(3, 0, U"y", lzport::kAttrNone);
    EXPECT_EQ("  xy", grid.PlainLines()[0]);
    EXPECT_FALSE(grid.At(4, 0).continuation);

    /* clipped to a rectangle: only what lies inside is written */
    grid.Put(-1, 1, U"abcdef", lzport::kAttrNone, lzport::CellRect{1, 1, 4, 2});
    EXPECT_EQ(" cde", grid.PlainLines()[1]);
}

TEST_F(TermText, FramesInPlainText)
{
    lzport::Grid grid(5, 3);
    grid.Frame(lzport::CellRect{0, 0, 4, 3}, lzport::kAttrNone);
    EXPECT_EQ((std::vector<std::string>{"+--+", "|  |", "+--+"}), grid.PlainLines());
    EXPECT_EQ(lzport::kCornerTL, grid.At(0, 0).ch);
}

} // namespace

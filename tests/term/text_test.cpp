/* text_test.cpp - cell widths of code page 932 text, and full-width
 * characters on the grid. */
#include <gtest/gtest.h>

#include "term_grid.h"
#include "term_text.h"

namespace {

class TermText : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(lzport::UseUtf8Locale()); }
};

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

/* render_test.cpp - the renderer's grid: the uninstall dialog as it opens,
 * message boxes over it, the system menu, screens too small for it, and
 * the screen in pixels that a grid shows whole; the cell widths of code
 * page 932 text, and full-width characters and frames on the grid. */
#include <gtest/gtest.h>

#include "term_grid.h"
#include "term_text.h"
#include "views.h"

namespace {

class Render : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(lzport::UseUtf8Locale()); }

    lzport::RenderInfo Draw(const lzport::Scene &scene, int cols = 80, int rows = 24)
    {
        m_grid = lzport::Grid(cols, rows);
        return lzport::Render(scene, m_grid);
    }

    /* The column and row where `text` starts on the screen (lines drawn as
     * in plain text); {-1, -1} when it is not there. */
    std::pair<int, int> Find(const std::u32string &text) const
    {
        for (int row = 0; row < m_grid.Rows(); row++) {
            std::u32string line;
            std::vector<int> cols;
            for (int col = 0; col < m_grid.Cols(); col++) {
                if (!m_grid.At(col, row).continuation) {
                    line.push_back(lzport::PlainLineChar(m_grid.At(col, row).ch));
                    cols.push_back(col);
                }
            }
            size_t at = line.find(text);
            if (at != std::u32string::npos)
                return {cols[at], row};
        }
        return {-1, -1};
    }

    lzport::Grid m_grid{0, 0};
};

TEST_F(Render, UninstallDialogFitsEightyByTwentyFourAndShowsTheStatesOfItsControls)
{
    lzport::RenderInfo info = Draw(lztest::UninstallScene());
    const std::vector<std::string> expected = {
        u8"           +- ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ ---------------------------+",
        u8"           |  +--------------------------------------------------+  |",
        u8"           |  |   「C:\\LZ」                                      |  |",
        u8"           |  |                                                  |  |",
        u8"           |  |     にインストールされているルメオ ゼルコアバー  |  |",
        u8"           |  |   ジョンを削除します。                           |  |",
        u8"           |  |                                                  |  |",
        u8"           |  |     削除する場合は実行を押してください。やめる   |  |",
        u8"           |  |   場合はキャンセルを押してください。             |  |",
        u8"           |  |                                                  |  |",
        u8"           |  +--------------------------------------------------+  |",
        u8"           |  +--------------------------------------------------+  |",
        u8"           |  |     注意：アンインストールを実行するとストック   |  |",
        u8"           |  |   ブックも削除されてしまいます。削除したくない   |  |",
        u8"           |  |   場合は、下のチェックをはずして下さい。         |  |",
        u8"           |  |                                                  |  |",
        u8"           |  |                                                  |  |",
        u8"           |  |                [x] ｽﾄｯｸﾌﾞｯｸ削除                  |  |",
        u8"           |  +--------------------------------------------------+  |",
        u8"           |                                                        |",
        u8"           |                          < 実行 >        <[ｷｬﾝｾﾙ]>     |",
        u8"           |                                                        |",
        u8"           +--------------------------------------------------------+",
        u8"",
    };
    EXPECT_EQ(expected, m_grid.PlainLines());
    EXPECT_TRUE(info.drewWindow);
    EXPECT_EQ(u8"ｷｬﾝｾﾙ", info.focus);

    /* the focused button is shown reversed, and nothing else is */
    auto [col, row] = Find(U"<[ｷｬﾝｾﾙ]>");
    ASSERT_GE(col, 0);
    for (int c = 0; c < m_grid.Cols(); c++) {
        bool inButton = c >= col && c < col + 9;
        EXPECT_EQ(inButton, (m_grid.At(c, row).attr & lzport::kAttrReverse) != 0) << "column " << c;
    }
    /* the active window's caption stands out */
    auto caption = Find(U"ﾙﾒｵ");
    EXPECT_TRUE(m_grid.At(caption.first, caption.second).attr & lzport::kAttrBold);

    struct Case {
        int checkState;
        bool focusOnOk;
        const char32_t *checkBox, *okButton, *cancelButton;
    } cases[] = {
        /* BST_CHECKED, the focus on ｷｬﾝｾﾙ: the screen above */
        {BST_UNCHECKED, false, U"[ ] ｽﾄｯｸﾌﾞｯｸ削除", U"< 実行 >", U"<[ｷｬﾝｾﾙ]>"},
        {BST_INDETERMINATE, false, U"[-] ｽﾄｯｸﾌﾞｯｸ削除", U"< 実行 >", U"<[ｷｬﾝｾﾙ]>"},
        /* the default follows the focus among push buttons */
        {BST_CHECKED, true, U"[x] ｽﾄｯｸﾌﾞｯｸ削除", U"<[実行]>", U"< ｷｬﾝｾﾙ >"},
    };
    for (const Case &c : cases) {
        lzport::Scene scene = lztest::UninstallScene();
        std::vector<lzport::WindowView> &controls = scene.children[scene.topLevels[0].hwnd];
        controls[2].checkState = c.checkState;
        controls[0].focused = controls[0].defaultButton = !c.focusOnOk;
        controls[1].focused = controls[1].defaultButton = c.focusOnOk;
        info = Draw(scene);
        EXPECT_GE(Find(c.checkBox).first, 0) << lzport::EncodeUtf8(c.checkBox);
        EXPECT_GE(Find(c.okButton).first, 0) << lzport::EncodeUtf8(c.okButton);
        EXPECT_GE(Find(c.cancelButton).first, 0) << lzport::EncodeUtf8(c.cancelButton);
        EXPECT_EQ(c.focusOnOk ? u8"実行" : u8"ｷｬﾝｾﾙ", info.focus);
        /* both buttons on one row, 実行 left of ｷｬﾝｾﾙ, as in the template */
        EXPECT_EQ(Find(c.okButton).second, Find(c.cancelButton).second);
        EXPECT_LT(Find(c.okButton).first, Find(c.cancelButton).first);
    }
}

TEST_F(Render, MessageBoxOverItsOwnerOrAloneWhenTheOwnerIsHidden)
{
    struct Case {
        int icon; /* FakeIcon number; 1-4 are the system's hand, question, exclamation, asterisk */
        const char32_t *marker;
    } cases[] = {{1, U"(x)"}, {2, U"(?)"}, {3, U"(!)"}, {4, U"(i)"}, {9, U"[#]"}};
    for (const Case &c : cases) {
        lzport::Scene scene = lztest::UninstallScene();
        lztest::AddMessageBox(scene, "完全に削除しました。", lztest::FakeIcon(c.icon), c.icon == 2);
        lzport::RenderInfo info = Draw(scene);
        auto marker = Find(c.marker);
        auto text = Find(U"完全に削除しました。");
        ASSERT_GE(marker.first, 0) << lzport::EncodeUtf8(c.marker);
        /* the icon at the left of the text, the box's caption (the title,
         * not the dialog's caption) above both */
        EXPECT_LT(marker.first, text.first);
        auto caption = Find(U"ｱﾝｲﾝｽﾄﾗｰ -");
        ASSERT_GE(caption.first, 0);
        EXPECT_LT(caption.second, marker.second);
        EXPECT_EQ(c.icon == 2 ? u8"はい(Y)" : u8"OK", info.focus);
        /* the owner stays visible around the box, dimmed */
        auto ownerCaption = Find(U"ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ");
        ASSERT_GE(ownerCaption.first, 0);
        EXPECT_LT(ownerCaption.second, caption.second);
        EXPECT_TRUE(m_grid.At(ownerCaption.first, ownerCaption.second).attr & lzport::kAttrDim);
        EXPECT_FALSE(m_grid.At(caption.first, caption.second).attr & lzport::kAttrDim);
        /* the owner's controls show around the box, not under it */
        EXPECT_GE(Find(U"にインストールされている").first, 0);
        EXPECT_EQ(-1, Find(U"場合はキャンセル").first);
    }
    /* a box whose owner is hidden stands alone */
    lzport::Scene scene = lztest::UninstallScene();
    lztest::AddMessageBox(scene, "ルメオ ゼルコアバージョンがインストールされていません。", lztest::FakeIcon(1), false);
    scene.topLevels[1].visible = false;
    Draw(scene);
    EXPECT_EQ(-1, Find(U"ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ").first);
    auto top = Find(U"+- ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ");
    ASSERT_GE(top.first, 0);
    /* centred on the screen */
    int right = top.first + 1, bottom = top.second + 1;
    while (right < m_grid.Cols() && m_grid.At(right, top.second).ch != lzport::kCornerTR)
        right++;
    while (bottom < m_grid.Rows() && m_grid.At(top.first, bottom).ch != lzport::kCornerBL)
        bottom++;
    ASSERT_LT(right, m_grid.Cols());
    ASSERT_LT(bottom, m_grid.Rows());
    EXPECT_EQ((80 - (right + 1 - top.first)) / 2, top.first);
    EXPECT_EQ((24 - (bottom + 1 - top.second)) / 2, top.second);
    EXPECT_GE(Find(U"(x)").first, 0);
    EXPECT_GE(Find(U"<[OK]>").first, 0);
}

TEST_F(Render, SystemMenuUnderTheCaption)
{
    lzport::Scene scene = lztest::UninstallScene();
    scene.menuOpen = true;
    scene.menu.owner = scene.topLevels[0].hwnd;
    scene.menu.items = {"移動(&M)", "閉じる(&C)\tAlt+F4", "", "ﾊﾞｰｼﾞｮﾝ情報(LZUninstall) (&A)..."};
    scene.menu.ids = {0xF010, 0xF060, 0, 0x10};
    scene.menu.selected = 3;
    lzport::RenderInfo info = Draw(scene);
    EXPECT_EQ(u8"ﾊﾞｰｼﾞｮﾝ情報(LZUninstall) (A)...", info.focus);
    const std::vector<std::string> lines = m_grid.PlainLines();
    auto frame = Find(U"+- ﾙﾒｵ");
    ASSERT_GE(frame.first, 0);
    /* the list opens on the row under the caption, at the window's left edge */
    EXPECT_EQ(frame.second + 1, Find(U"+-----").second);
    EXPECT_EQ(frame.first, Find(U"+-----").first);
    auto move = Find(U"| 移動(M)");
    auto close = Find(U"| 閉じる(C)");
    auto about = Find(U"| ﾊﾞｰｼﾞｮﾝ情報(LZUninstall) (A)...");
    ASSERT_GE(move.first, 0);
    EXPECT_EQ(move.second + 1, close.second);
    EXPECT_EQ(close.second + 2, about.second);
    EXPECT_NE(std::string::npos, lines[close.second].find(u8"Alt+F4 |"));
    EXPECT_NE(std::string::npos, lines[close.second + 1].find(u8"|--------"));
    /* only the selected item is reversed */
    EXPECT_TRUE(m_grid.At(about.first + 2, about.second).attr & lzport::kAttrReverse);
    EXPECT_FALSE(m_grid.At(move.first + 2, move.second).attr & lzport::kAttrReverse);
}

/* Screens too small keep the dialog's top-left corner; the screen the
 * window system is told of for a grid holds a window with a dialog frame
 * (3 pixels, the caption 19 more) whole. */
TEST_F(Render, ScreensSmallerThanTheDialogAndTheScreenOfAGrid)
{
    struct Case {
        int cols, rows;
    } cases[] = {{40, 10}, {1, 1}, {0, 0}, {48, 23}};
    for (const Case &c : cases) {
        lzport::RenderInfo info = Draw(lztest::UninstallScene(), c.cols, c.rows);
        EXPECT_EQ(c.cols > 0 && c.rows > 0, m_grid.Rows() > 0);
        EXPECT_EQ(u8"ｷｬﾝｾﾙ", info.focus);
        if (c.cols >= 2 && c.rows >= 1) {
            EXPECT_EQ(lzport::kCornerTL, m_grid.At(0, 0).ch) << c.cols << "x" << c.rows;
        }
    }
    const std::pair<int, int> grids[] = {{80, 24}, {41, 12}, {132, 43}};
    for (const auto &[cols, rows] : grids) {
        SCOPED_TRACE(testing::Message() << cols << "x" << rows);
        SIZE screen = lzport::ScreenOfGrid(cols, rows);
        lzport::Scene scene;
        scene.topLevels.push_back(lztest::DialogView(lztest::FakeHwnd(1), "box", 3, 22, 0, 0));
        scene.topLevels[0].client = RECT{3, 22, screen.cx - 3, screen.cy - 3};
        Draw(scene, cols, rows);
        EXPECT_EQ(lzport::kCornerTL, m_grid.At(0, 0).ch);
        EXPECT_EQ(lzport::kCornerBR, m_grid.At(cols - 1, rows - 1).ch);
    }
}

TEST_F(Render, NothingShown)
{
    lzport::Scene scene = lztest::UninstallScene();
    scene.topLevels[0].visible = false;
    lzport::RenderInfo info = Draw(scene);
    EXPECT_FALSE(info.drewWindow);
    EXPECT_EQ("", info.focus);
    EXPECT_EQ(std::vector<std::string>(24, ""), m_grid.PlainLines());
}

using TermText = Render;

TEST_F(TermText, WidthsOfCodePage932TextAndUndecodableBytesAsQuestionMarks)
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
    /* 0x85 0x40 is an unassigned double-byte code; the rest decodes */
    EXPECT_EQ(U"A?B", lzport::DecodeCp932("A\x85\x40"
                                          "B"));
    /* a lead byte at the end has no character to complete */
    EXPECT_EQ(U"A?", lzport::DecodeCp932("A\x82"));
}

TEST_F(TermText, FullWidthCharactersAndFramesOnTheGrid)
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

    lzport::Grid framed(5, 3);
    framed.Frame(lzport::CellRect{0, 0, 4, 3}, lzport::kAttrNone);
    EXPECT_EQ((std::vector<std::string>{"+--+", "|  |", "+--+"}), framed.PlainLines());
    EXPECT_EQ(lzport::kCornerTL, framed.At(0, 0).ch);
}

} // namespace

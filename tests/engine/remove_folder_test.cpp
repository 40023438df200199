/* remove_folder_test.cpp - folder removal on a real file system, Win32
 * only: runs natively and under Wine. */
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UninstallDlg.h"
#include "testapp.h"
#include "testenv.h"

namespace {

using lztest::Exists;
using lztest::IsDir;

class RemoveFolderTest : public testing::Test {
protected:
    void SetUp() override
    {
        lztest::TestApp();
        m_dlg.reset(new CUninstallDlg);
        m_root = m_scratch.Path();
        ASSERT_TRUE(SetCurrentDirectoryA(m_root.c_str()));
    }
    BOOL Remove(const std::string &path, LPCSTR keep = NULL) { return m_dlg->RemoveFolder(path.c_str(), keep); }

    lztest::Scratch m_scratch;
    std::string m_root;
    std::unique_ptr<CUninstallDlg> m_dlg;
};

TEST_F(RemoveFolderTest, RefusesPathsItCannotSplitOrEnter)
{
    ASSERT_TRUE(lztest::MakeTree(m_root, {"App\\file.txt", "Other\\"}));
    std::string cwd = lztest::CurrentDir();
    struct {
        std::string path;
        std::string cwdAfter;
    } cases[] = {
        {"", cwd},
        {"NoBackslash", cwd},
        {m_root + "\\Missing", m_root},                 /* parent entered, folder missing */
        {m_root + "\\NoParent\\App", cwd},              /* parent missing */
        {m_root + "\\App\\", m_root + "\\App"},         /* empty leaf cannot be entered */
        {m_root + "\\App\\file.txt", m_root + "\\App"}, /* not a folder */
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(SetCurrentDirectoryA(cwd.c_str()));
        EXPECT_EQ(0, Remove(c.path)) << c.path;
        EXPECT_EQ(c.cwdAfter, lztest::CurrentDir()) << c.path;
        EXPECT_TRUE(Exists(m_root + "\\App\\file.txt")) << c.path;
        EXPECT_TRUE(IsDir(m_root + "\\Other")) << c.path;
    }
}

TEST_F(RemoveFolderTest, RemovesWholeTreeAndRestoresWorkingDirectory)
{
    ASSERT_TRUE(lztest::MakeTree(m_root, {"App\\a.txt", "App\\.hidden", "App\\Sub\\b.txt", "App\\Sub\\Deep\\c.txt",
                                          "App\\Sub\\Empty\\", "App\\z\\", "Keep\\x.txt"}));
    std::string cwd = m_root + "\\Keep";
    ASSERT_TRUE(SetCurrentDirectoryA(cwd.c_str()));
    EXPECT_EQ(1, Remove(m_root + "\\App"));
    EXPECT_FALSE(Exists(m_root + "\\App"));
    EXPECT_EQ(cwd, lztest::CurrentDir());
    EXPECT_TRUE(Exists(m_root + "\\Keep\\x.txt"));

    ASSERT_TRUE(lztest::MakeDir(m_root + "\\Empty"));
    EXPECT_EQ(1, Remove(m_root + "\\Empty"));
    EXPECT_FALSE(Exists(m_root + "\\Empty"));
}

TEST_F(RemoveFolderTest, SparesKeptFolderInAnyLetterCase)
{
    const char *keeps[] = {"StockBook", "stockbook", "STOCKBOOK", "ＳｔｏｃｋＢｏｏｋ"};
    const char *folders[] = {"StockBook", "STOCKbook", "stockBOOK", "ｓｔｏｃｋｂｏｏｋ"};
    for (int i = 0; i < 4; i++) {
        std::string app = m_root + "\\App" + std::to_string(i);
        std::string kept = std::string(folders[i]) + "\\";
        ASSERT_TRUE(lztest::MakeTree(app, {"bin\\prog.exe", kept + "data.db", kept + "sub\\more.db", "readme.txt"}));
        EXPECT_EQ(1, Remove(app, keeps[i])) << keeps[i];
        EXPECT_EQ(std::vector<std::string>{folders[i]}, lztest::List(app)) << keeps[i];
        EXPECT_TRUE(Exists(app + "\\" + folders[i] + "\\sub\\more.db")) << keeps[i];
        EXPECT_EQ(m_root, lztest::CurrentDir());
    }
}

TEST_F(RemoveFolderTest, KeptNameSparesOnlyAFolderDirectlyInside)
{
    ASSERT_TRUE(lztest::MakeTree(m_root, {"App\\Book", "App\\Sub\\Book\\deep.db", "App2\\Book\\x"}));
    EXPECT_EQ(1, Remove(m_root + "\\App", "book"));
    EXPECT_FALSE(Exists(m_root + "\\App")) << "a file named like the kept folder goes, and so does a deeper folder";

    EXPECT_EQ(1, Remove(m_root + "\\App2", ""));
    EXPECT_FALSE(Exists(m_root + "\\App2")) << "an empty kept name spares nothing";
}

TEST_F(RemoveFolderTest, ReadOnlyFileStopsTheWalkWhereItLies)
{
    ASSERT_TRUE(lztest::MakeTree(m_root, {"App\\Sub\\Inner\\locked.txt"}));
    std::string locked = m_root + "\\App\\Sub\\Inner\\locked.txt";
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(0, Remove(m_root + "\\App"));
    EXPECT_TRUE(Exists(locked));
    EXPECT_EQ(m_root + "\\App\\Sub\\Inner", lztest::CurrentDir());
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(RemoveFolderTest, WorkingDirectoryInsideRemovedFolderEndsAtItsParent)
{
    ASSERT_TRUE(lztest::MakeTree(m_root, {"App\\Sub\\file.txt"}));
    ASSERT_TRUE(SetCurrentDirectoryA((m_root + "\\App\\Sub").c_str()));
    EXPECT_EQ(1, Remove(m_root + "\\App"));
    EXPECT_FALSE(Exists(m_root + "\\App"));
    EXPECT_EQ(m_root, lztest::CurrentDir());
}

TEST_F(RemoveFolderTest, DoubleByteNamesSplitAndMatchAsCharacters)
{
    /* ソ and 表 end in 0x5C, the backslash byte; ア and ナ end in letter bytes */
    const char *names[] = {"ソフト表", "アナ", "ＡＢＣ", "ｶﾀｶﾅ"};
    for (const char *name : names) {
        std::string dir = m_root + "\\" + name;
        ASSERT_TRUE(lztest::MakeTree(dir, {std::string(name) + ".txt", "表\\ア.dat", "ソ\\"})) << name;
        EXPECT_EQ(1, Remove(dir)) << name;
        EXPECT_FALSE(Exists(dir)) << name;
        EXPECT_EQ(m_root, lztest::CurrentDir()) << name;
    }
    ASSERT_TRUE(lztest::MakeTree(m_root, {"App\\表\\kept.db", "App\\ソ\\gone.db"}));
    EXPECT_EQ(1, Remove(m_root + "\\App", "表"));
    EXPECT_EQ(std::vector<std::string>{"表"}, lztest::List(m_root + "\\App"));
}

TEST_F(RemoveFolderTest, LinksAreNeverFollowed)
{
    ASSERT_TRUE(lztest::MakeTree(m_root, {"Outside\\precious.txt", "App\\own.txt", "Probe\\kept.txt"}));
    if (!lztest::MakeLink(m_root + "\\ProbeLink", m_root + "\\Probe"))
        GTEST_SKIP() << "no links on this platform";
    /* Windows and the native layer remove a link to a folder itself. Wine 8
     * works on the folder it leads to instead: RemoveDirectoryA fails on a
     * link to a folder with something in it (and removes an empty one) */
    BOOL linksRemovable = RemoveDirectoryA((m_root + "\\ProbeLink").c_str());
    EXPECT_TRUE(Exists(m_root + "\\Probe\\kept.txt"));
    ASSERT_TRUE(lztest::MakeLink(m_root + "\\App\\ToOutside", m_root + "\\Outside"));
    ASSERT_TRUE(lztest::MakeLink(m_root + "\\Link", m_root + "\\Outside"));
    EXPECT_NE(0u, lztest::Attributes(m_root + "\\Link") & FILE_ATTRIBUTE_REPARSE_POINT);

    EXPECT_EQ(linksRemovable, Remove(m_root + "\\App"));
    EXPECT_EQ(!linksRemovable, Exists(m_root + "\\App"));
    EXPECT_TRUE(Exists(m_root + "\\Outside\\precious.txt"));

    EXPECT_EQ(linksRemovable, Remove(m_root + "\\Link")) << "the folder given may itself be a link";
    EXPECT_EQ(!linksRemovable, Exists(m_root + "\\Link"));
    EXPECT_TRUE(Exists(m_root + "\\Outside\\precious.txt"));
    EXPECT_EQ(std::vector<std::string>{"precious.txt"}, lztest::List(m_root + "\\Outside"));
}

} // namespace

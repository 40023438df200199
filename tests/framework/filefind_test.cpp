/* filefind_test.cpp - CFileFind: the listing reads one entry ahead, so the
 * entry made current by the call that returns 0 is the last one; names,
 * paths and attribute tests of the current entry; closing and reopening. */
#include <gtest/gtest.h>
#include <mbctype.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "afxfind.h"
#include "testenv.h"

namespace {

struct Entry {
    std::string name;
    std::string path;
    bool directory;
    bool dots;
};

/* Walks a listing the way the program does: advance, then handle the
 * current entry, until the advance says nothing follows. Checks on the way
 * that a current entry is there after every advance. */
std::vector<Entry> Walk(CFileFind &finder)
{
    std::vector<Entry> entries;
    BOOL more = TRUE;
    while (more) {
        more = finder.FindNextFile();
        CString name = finder.GetFileName();
        EXPECT_FALSE(name.IsEmpty()) << "no current entry after an advance";
        entries.push_back({std::string(name), std::string(finder.GetFilePath()), finder.IsDirectory() != FALSE,
                           finder.IsDots() != FALSE});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.name < b.name; });
    return entries;
}

std::vector<std::string> Names(const std::vector<Entry> &entries)
{
    std::vector<std::string> names;
    for (const Entry &e : entries)
        names.push_back(e.name);
    return names;
}

class FileFindTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_savedCodePage = _getmbcp();
        ASSERT_EQ(0, _setmbcp(_MB_CP_ANSI));
    }
    void TearDown() override { _setmbcp(m_savedCodePage); }

    lztest::Scratch m_scratch;

private:
    int m_savedCodePage = 0;
};

TEST_F(FileFindTest, NothingIsCurrentBeforeTheFirstAdvance)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"a.txt"}));
    CFileFind finder;
    EXPECT_STREQ("", finder.GetFileName());
    EXPECT_STREQ("", finder.GetFilePath());
    EXPECT_FALSE(finder.IsDirectory());
    EXPECT_FALSE(finder.IsDots());

    ASSERT_TRUE(finder.FindFile(CString(m_scratch.Path().c_str()) + "\\*.*"));
    EXPECT_STREQ("", finder.GetFileName());
    EXPECT_STREQ("", finder.GetFilePath());
    EXPECT_FALSE(finder.MatchesMask(0xFFFFFFFF));
}

TEST_F(FileFindTest, ListsEveryEntryWithPathsAndKinds)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"a.txt", "b.dat", "sub\\", "sub\\inner.txt"}));
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile((m_scratch / "*.*").c_str()));
    std::vector<Entry> entries = Walk(finder);

    const struct {
        const char *name;
        bool directory;
        bool dots;
    } expected[] = {
        {".", true, true}, {"..", true, true}, {"a.txt", false, false}, {"b.dat", false, false}, {"sub", true, false},
    };
    ASSERT_EQ(std::size(expected), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(expected[i].name, entries[i].name);
        EXPECT_EQ(m_scratch / expected[i].name, entries[i].path);
        EXPECT_EQ(expected[i].directory, entries[i].directory) << entries[i].name;
        EXPECT_EQ(expected[i].dots, entries[i].dots) << entries[i].name;
    }
}

TEST_F(FileFindTest, TheLastAdvanceReturnsZeroWithTheLastEntryCurrent)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"only.txt", "other.txt"}));
    CFileFind finder;
    /* a pattern that names one file lists exactly that file */
    ASSERT_TRUE(finder.FindFile((m_scratch / "only.txt").c_str()));
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ("only.txt", finder.GetFileName());
    EXPECT_EQ(m_scratch / "only.txt", std::string(finder.GetFilePath()));
    EXPECT_FALSE(finder.IsDirectory());

    /* past the end: nothing read ahead, nothing current */
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ("", finder.GetFileName());
    EXPECT_FALSE(finder.IsDirectory());
    EXPECT_FALSE(finder.FindNextFile());
}

TEST_F(FileFindTest, AnEmptyFolderListsOnlyItsDots)
{
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile((m_scratch / "*.*").c_str()));
    std::vector<Entry> entries = Walk(finder);
    EXPECT_EQ((std::vector<std::string>{".", ".."}), Names(entries));
    for (const Entry &e : entries)
        EXPECT_TRUE(e.directory && e.dots) << e.name;
}

TEST_F(FileFindTest, PatternsThatListNothing)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"a.txt"}));
    const struct {
        std::string pattern;
        DWORD error;
    } cases[] = {
        {m_scratch / "missing\\*.*", ERROR_PATH_NOT_FOUND},
        {m_scratch / "*.none", ERROR_FILE_NOT_FOUND},
        {m_scratch / "missing.txt", ERROR_FILE_NOT_FOUND},
    };
    for (const auto &c : cases) {
        CFileFind finder;
        SetLastError(0xdeadbeef);
        EXPECT_FALSE(finder.FindFile(c.pattern.c_str())) << c.pattern;
        EXPECT_EQ(c.error, GetLastError()) << c.pattern;
        EXPECT_FALSE(finder.FindNextFile()) << c.pattern;
        EXPECT_STREQ("", finder.GetFileName()) << c.pattern;
    }
}

TEST_F(FileFindTest, AFailedFindFileEndsThePreviousListing)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"a.txt", "b.txt"}));
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile((m_scratch / "*.*").c_str()));
    ASSERT_TRUE(finder.FindNextFile());
    EXPECT_FALSE(finder.FindFile((m_scratch / "missing\\*.*").c_str()));
    EXPECT_STREQ("", finder.GetFileName());
    EXPECT_FALSE(finder.FindNextFile());
}

TEST_F(FileFindTest, FindFileAgainStartsAFreshListing)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"one\\", "one\\x.txt", "two\\", "two\\y.txt"}));
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile((m_scratch / "one\\*.*").c_str()));
    ASSERT_TRUE(finder.FindNextFile());
    ASSERT_TRUE(finder.FindFile((m_scratch / "two\\*.*").c_str()));
    EXPECT_STREQ("", finder.GetFileName());
    std::vector<Entry> entries = Walk(finder);
    EXPECT_EQ((std::vector<std::string>{".", "..", "y.txt"}), Names(entries));
    EXPECT_EQ(m_scratch / "two\\y.txt", entries[2].path);
}

TEST_F(FileFindTest, CloseEndsTheListing)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"a.txt", "b.txt"}));
    CFileFind finder;
    EXPECT_FALSE(finder.FindNextFile()); /* never opened */
    ASSERT_TRUE(finder.FindFile((m_scratch / "*.*").c_str()));
    ASSERT_TRUE(finder.FindNextFile());
    finder.Close();
    EXPECT_STREQ("", finder.GetFileName());
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_STREQ("", finder.GetFileName());
    finder.Close(); /* twice is harmless */
    EXPECT_FALSE(finder.FindNextFile());
}

TEST_F(FileFindTest, NoPatternListsTheWorkingDirectoryByName)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"file.txt", "dir\\"}));
    ASSERT_TRUE(SetCurrentDirectoryA(m_scratch.Path().c_str()));
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile());
    std::vector<Entry> entries = Walk(finder);
    ASSERT_EQ((std::vector<std::string>{".", "..", "dir", "file.txt"}), Names(entries));
    EXPECT_EQ("dir", entries[2].path);
    EXPECT_TRUE(entries[2].directory);
    EXPECT_EQ("file.txt", entries[3].path);
    EXPECT_FALSE(entries[3].directory);
}

TEST_F(FileFindTest, MatchesMaskTestsTheCurrentEntrysAttributes)
{
    ASSERT_TRUE(lztest::MakeTree(m_scratch.Path(), {"locked.txt", "plain.txt", "folder\\"}));
    ASSERT_TRUE(SetFileAttributesA((m_scratch / "locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    const struct {
        const char *name;
        BOOL readOnly;
        BOOL directory;
    } cases[] = {{"locked.txt", TRUE, FALSE}, {"plain.txt", FALSE, FALSE}, {"folder", FALSE, TRUE}};
    for (const auto &c : cases) {
        CFileFind finder;
        ASSERT_TRUE(finder.FindFile((m_scratch / c.name).c_str())) << c.name;
        EXPECT_FALSE(finder.FindNextFile()) << c.name;
        EXPECT_EQ(c.readOnly, finder.IsReadOnly()) << c.name;
        EXPECT_EQ(c.readOnly, finder.MatchesMask(FILE_ATTRIBUTE_READONLY)) << c.name;
        EXPECT_EQ(c.directory, finder.IsDirectory()) << c.name;
        EXPECT_EQ(c.readOnly || c.directory, finder.MatchesMask(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
            << c.name;
        EXPECT_FALSE(finder.MatchesMask(0)) << c.name;
    }
}

TEST_F(FileFindTest, DoubleByteNamesAndTheFolderPart)
{
    /* "能" and "表" end in the byte of a backslash: the folder part of the
     * pattern must end at the real separator */
    std::string folder = m_scratch / "能力";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(lztest::WriteFileText(folder + "\\ソフト表.txt", "x"));
    ASSERT_TRUE(CreateDirectoryA((folder + "\\アA").c_str(), nullptr));
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile((folder + "\\*.*").c_str()));
    std::vector<Entry> entries = Walk(finder);
    ASSERT_EQ((std::vector<std::string>{".", "..", "アA", "ソフト表.txt"}), Names(entries));
    EXPECT_EQ(folder + "\\アA", entries[2].path);
    EXPECT_TRUE(entries[2].directory);
    EXPECT_EQ(folder + "\\ソフト表.txt", entries[3].path);
    EXPECT_FALSE(entries[3].directory);
}

} // namespace

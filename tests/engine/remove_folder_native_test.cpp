/* remove_folder_native_test.cpp - folder removal where only the native
 * platform layer can go: a chain of folders deeper than Windows' path
 * limit, and reparse points that are no links (cloud placeholders,
 * deduplicated files), which tests under Wine cannot make. */
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "UninstallDlg.h"
#include "lzport.h"
#include "testapp.h"
#include "testenv.h"

namespace {

TEST(RemoveFolderNative, RemovesAChainOfAThousandFolders)
{
    lztest::TestApp();
    lztest::Scratch scratch;
    ASSERT_TRUE(lztest::MakeDir(scratch / "Chain"));
    ASSERT_TRUE(SetCurrentDirectoryA((scratch / "Chain").c_str()));
    for (int depth = 0; depth < 1000; depth++) {
        ASSERT_TRUE(CreateDirectoryA("level", NULL)) << depth;
        ASSERT_TRUE(SetCurrentDirectoryA("level")) << depth;
    }
    ASSERT_TRUE(lztest::WriteFileText("bottom.txt", "x"));
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path().c_str()));

    CUninstallDlg dlg;
    EXPECT_EQ(1, dlg.RemoveFolder((scratch / "Chain").c_str(), NULL));
    EXPECT_FALSE(lztest::Exists(scratch / "Chain"));
    EXPECT_EQ(scratch.Path(), lztest::CurrentDir());
}

/* Reparse points that stand for no other name are the user's own files and
 * folders: walked and removed like any other. Links beside them are removed
 * as themselves, and what they lead to stays. */
TEST(RemoveFolderNative, WalksReparsePointsThatAreNoLinks)
{
    lztest::TestApp();
    lztest::Scratch scratch;
    ASSERT_TRUE(lztest::MakeTree(scratch.Path(), {"Book\\Cloud\\page.lzb", "Book\\Cloud\\Inner\\note.txt",
                                                  "Book\\dedup.lzb", "Outside\\precious.txt"}));
    ASSERT_TRUE(LzPortMarkReparsePoint((scratch / "Book\\Cloud").c_str(), IO_REPARSE_TAG_CLOUD));
    ASSERT_TRUE(LzPortMarkReparsePoint((scratch / "Book\\dedup.lzb").c_str(), IO_REPARSE_TAG_DEDUP));
    ASSERT_TRUE(lztest::MakeLink(scratch / "Book\\Cloud\\ToOutside", scratch / "Outside"));
    EXPECT_FALSE(LzPortMarkReparsePoint((scratch / "Book\\Cloud\\ToOutside").c_str(), IO_REPARSE_TAG_CLOUD));
    EXPECT_FALSE(LzPortMarkReparsePoint((scratch / "Book\\dedup.lzb").c_str(), IO_REPARSE_TAG_MOUNT_POINT));

    const struct {
        const char *name;
        DWORD attributes, tag;
    } listed[] = {
        {"Cloud", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_CLOUD},
        {"dedup.lzb", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_DEDUP},
        {"Cloud\\ToOutside", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT, IO_REPARSE_TAG_SYMLINK},
    };
    for (const auto &entry : listed) {
        WIN32_FIND_DATAA data;
        memset(&data, 0xCC, sizeof data);
        HANDLE h = FindFirstFileA((scratch / "Book\\" + entry.name).c_str(), &data);
        ASSERT_NE(INVALID_HANDLE_VALUE, h) << entry.name;
        FindClose(h);
        EXPECT_EQ(entry.attributes, data.dwFileAttributes) << entry.name;
        EXPECT_EQ(entry.tag, data.dwReserved0) << entry.name;
    }

    CUninstallDlg dlg;
    EXPECT_EQ(1, dlg.RemoveFolder((scratch / "Book").c_str(), NULL));
    EXPECT_FALSE(lztest::Exists(scratch / "Book"));
    EXPECT_EQ(std::vector<std::string>{"precious.txt"}, lztest::List(scratch / "Outside"));
}

/* A kept stock book may itself be such a folder: it survives whole. */
TEST(RemoveFolderNative, KeepsAStockBookThatIsACloudFolder)
{
    lztest::TestApp();
    lztest::Scratch scratch;
    ASSERT_TRUE(lztest::MakeTree(scratch.Path(), {"App\\StockBook\\book.lzb", "App\\program.exe"}));
    ASSERT_TRUE(LzPortMarkReparsePoint((scratch / "App\\StockBook").c_str(), IO_REPARSE_TAG_CLOUD));
    CUninstallDlg dlg;
    EXPECT_EQ(1, dlg.RemoveFolder((scratch / "App").c_str(), "stockbook"));
    EXPECT_EQ(std::vector<std::string>{"StockBook"}, lztest::List(scratch / "App"));
    EXPECT_TRUE(lztest::Exists(scratch / "App\\StockBook\\book.lzb"));
}

} // namespace

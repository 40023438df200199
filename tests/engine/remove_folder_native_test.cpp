/* remove_folder_native_test.cpp - folder removal where only the native
 * platform layer can go: a chain of folders deeper than Windows' path limit. */
#include <gtest/gtest.h>

#include <string>

#include "UninstallDlg.h"
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

} // namespace

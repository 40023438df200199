/* folder_policy_test.cpp - which registry-supplied folders the uninstall
 * run may remove, and what it spares for a kept stock book. */
#include <gtest/gtest.h>
#include <mbctype.h>

#include <string>
#include <vector>

#include "FolderPolicy.h"
#include "testenv.h"

namespace {

std::string SystemFolderValue(const char *name)
{
    std::string value;
    lztest::RegGetSz("SoftWare\\Microsoft\\Windows\\CurrentVersion", name, value);
    return value;
}

std::string Folder(UINT(WINAPI *get)(LPSTR, UINT))
{
    char buf[MAX_PATH];
    UINT n = get(buf, sizeof buf);
    return std::string(buf, n < sizeof buf ? n : 0);
}

std::string Lower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return s;
}

class FolderPolicyTest : public testing::Test {
protected:
    void SetUp() override { _setmbcp(_MB_CP_ANSI); }
};

TEST_F(FolderPolicyTest, RefusesMalformedPaths)
{
    const char *bad[] = {
        "",
        "relative\\folder",
        "folder",
        "\\rooted\\folder",
        "\\\\server\\share\\folder",
        "\\\\?\\C:\\folder",
        "C:",
        "C:folder",
        "C:\\",
        "c:\\",
        "1:\\folder",
        "C:/folder/sub",
        "C:\\a\\\\b",
        "C:\\a\\.\\b",
        "C:\\a\\..\\b",
        "C:\\..",
        "C:\\.",
        "C:\\a\\..",
        "C:\\a\\\\",
    };
    for (const char *path : bad)
        EXPECT_EQ(FALSE, IsRemovableFolder(path)) << path;
}

TEST_F(FolderPolicyTest, RefusesSystemFolders)
{
    std::string windows = Folder(GetWindowsDirectoryA);
    std::string system = Folder(GetSystemDirectoryA);
    ASSERT_FALSE(windows.empty());
    std::vector<std::string> bad = {windows, Lower(windows), windows + "\\", system, Lower(system) + "\\"};
    /* every folder that holds the Windows folder */
    for (size_t p = windows.find('\\', 3); p != std::string::npos; p = windows.find('\\', p + 1))
        bad.push_back(windows.substr(0, p));
    for (const char *name : {"ProgramFilesDir", "CommonFilesDir"}) {
        std::string value = SystemFolderValue(name);
        if (!value.empty()) {
            bad.push_back(value);
            bad.push_back(Lower(value) + "\\");
        }
    }
    for (const std::string &path : bad)
        EXPECT_EQ(FALSE, IsRemovableFolder(path.c_str())) << path;
}

TEST_F(FolderPolicyTest, AcceptsOrdinaryFolders)
{
    std::string windows = Folder(GetWindowsDirectoryA);
    lztest::Scratch scratch;
    std::vector<std::string> good = {
        scratch / "ソフト表",
        scratch / "App\\",
        "C:\\VEMO\\LumeoZelcor",
        "d:\\Data\\StockBook",
        windows + "\\Profiles\\All Users\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ルメオ ゼルコアバージョン",
        windows + "x",
    };
    std::string programFiles = SystemFolderValue("ProgramFilesDir");
    if (!programFiles.empty())
        good.push_back(programFiles + "\\VEMO\\LumeoZelcor");
    for (const std::string &path : good)
        EXPECT_EQ(TRUE, IsRemovableFolder(path.c_str())) << path;
}

TEST_F(FolderPolicyTest, KeptFolderName)
{
    struct {
        const char *stockBook, *install;
        BOOL removeInstall;
        const char *keep;
    } cases[] = {
        {"C:\\LZ\\StockBook", "C:\\LZ", TRUE, "StockBook"},  /* the usual place */
        {"C:\\lz\\data\\StockBook", "C:\\LZ", TRUE, "data"}, /* deeper: spare the way there */
        {"c:\\lz\\Data\\SB\\", "C:\\LZ\\", TRUE, "Data"},
        {"C:\\ＬＺ\\data\\SB", "C:\\ｌｚ", TRUE, "data"}, /* full-width letters fold too */
        {"C:\\ソ\\表\\Book", "C:\\ソ", TRUE, "表"},       /* trail bytes 0x5C */
        {"C:\\LZ", "C:\\LZ", FALSE, ""},                  /* the folder itself */
        {"C:\\lz\\", "C:\\LZ", FALSE, ""},
        {"C:\\", "C:\\LZ", FALSE, ""}, /* a folder that holds it */
        {"C:\\Apps", "C:\\Apps\\LZ", FALSE, ""},
        {"C:\\Other\\Book", "C:\\LZ", TRUE, "Book"}, /* elsewhere: last component */
        {"C:\\LZX\\Book", "C:\\LZ", TRUE, "Book"},   /* not at a backslash boundary */
        {"D:\\Data\\Book\\", "C:\\LZ", TRUE, ""},
        {"Book", "C:\\LZ", TRUE, "Book"},
        {"", "C:\\LZ", TRUE, ""},
    };
    for (const auto &c : cases) {
        CString keep = "sentinel";
        EXPECT_EQ(c.removeInstall, GetKeptFolderName(c.stockBook, c.install, keep)) << c.stockBook;
        if (c.removeInstall) {
            EXPECT_STREQ(c.keep, keep) << c.stockBook;
        }
    }
}

} // namespace

/* folder_policy_test.cpp - which folders named by the registry the uninstall
 * run may remove. One table of the ways to write a path that the system
 * resolves to another (what GetFullPathNameA makes of each is checked on
 * the way), applied to every kind of folder that the system names; and what
 * the run spares for a kept stock book. */
#include <gtest/gtest.h>
#include <mbctype.h>

#include <memory>
#include <string>
#include <vector>

#include "FolderPolicy.h"
#include "PathResolve.h"
#include "testenv.h"

namespace {

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kNtProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const char k9xProfileList[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileList";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

/* Every backslash after the drive replaced; trail bytes 0x5C of
 * double-byte characters stay. */
std::string Replaced(const std::string &text, const std::string &from, const std::string &to)
{
    std::string out = text.substr(0, 2);
    for (size_t i = 2; i < text.size(); i++) {
        if (IsDBCSLeadByte((BYTE)text[i]) && i + 1 < text.size())
            out += text.substr(i++, 2);
        else
            out += text.compare(i, from.size(), from) == 0 ? to : text.substr(i, 1);
    }
    return out;
}

std::string Cased(std::string text, bool upper)
{
    for (char &c : text) {
        if (upper && c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
        else if (!upper && c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    }
    return text;
}

/* A way of writing folder F, and what the system resolves it to. Only the
 * plain forms (accepted) name F as the installer records paths. */
struct Shape {
    const char *name;
    std::string (*write)(const std::string &f);
    std::string (*resolved)(const std::string &f);
    bool accepted;
};

std::string Same(const std::string &f) { return f; }
std::string WithBackslash(const std::string &f) { return f + "\\"; }

const Shape kShapes[] = {
    {"plain", Same, Same, true},
    {"trailing backslash", WithBackslash, WithBackslash, true},
    {"lower case", [](const std::string &f) { return Cased(f, false); },
     [](const std::string &f) { return Cased(f, false); }, true},
    {"upper case", [](const std::string &f) { return Cased(f, true); },
     [](const std::string &f) { return Cased(f, true); }, true},
    {"trailing dot", [](const std::string &f) { return f + "."; }, Same, false},
    {"trailing space", [](const std::string &f) { return f + " "; }, Same, false},
    {"trailing dots and spaces", [](const std::string &f) { return f + ". . "; }, Same, false},
    {"dot component", [](const std::string &f) { return f + "\\."; }, Same, false},
    {"three dots", [](const std::string &f) { return f + "\\..."; }, WithBackslash, false},
    {"four dots", [](const std::string &f) { return f + "\\...."; }, WithBackslash, false},
    {"dot-dot after a name", [](const std::string &f) { return f + "\\x\\.."; }, Same, false},
    {"two trailing backslashes", [](const std::string &f) { return f + "\\\\"; }, WithBackslash, false},
    {"forward slashes", [](const std::string &f) { return Replaced(f, "\\", "/"); }, Same, false},
    {"doubled backslashes", [](const std::string &f) { return Replaced(f, "\\", "\\\\"); }, Same, false},
    {"slashes, dot and dot", [](const std::string &f) { return Replaced(f, "\\", "/") + "/./."; }, Same, false},
    {"upper case, doubled, dot", [](const std::string &f) { return Cased(Replaced(f, "\\", "\\\\"), true) + "."; },
     [](const std::string &f) { return Cased(f, true); }, false},
};

std::string FullPath(const std::string &path)
{
    char full[1024];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? std::string(full, n) : std::string("(failed)");
}

std::string ShortPath(const std::string &path)
{
    char buf[1024];
    DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof buf);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

std::string SystemFolder(UINT(WINAPI *get)(LPSTR, UINT))
{
    char buf[MAX_PATH];
    UINT n = get(buf, sizeof buf);
    return std::string(buf, n < sizeof buf ? n : 0);
}

/* Folders that the system names, each planted under the scratch folder
 * through one of the places where Windows versions keep them, beside the
 * machine's own Windows and system folders. */
class SystemNamedFolders : public testing::Test {
protected:
    void SetUp() override
    {
        _setmbcp(_MB_CP_ANSI);
        m_protected = {SystemFolder(GetWindowsDirectoryA), SystemFolder(GetSystemDirectoryA)};
        std::string profiles;
        if (!lztest::RegGetSz(kNtProfileList, "ProfilesDirectory", profiles)) {
            profiles = m_s / "Profiles Directory";
            Plant(HKEY_LOCAL_MACHINE, kNtProfileList, "ProfilesDirectory", profiles);
        }
        Plant(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramW6432Dir", m_s / "Program Files Native");
        Plant(HKEY_LOCAL_MACHINE, std::string(kNtProfileList) + "\\S-1-5-21-7-7-7-7001", "ProfileImagePath",
              m_s / "Profiles Directory\\LZ Test User", REG_EXPAND_SZ);
        Plant(HKEY_LOCAL_MACHINE, kNtProfileList, "LZTestShared", "LZ Shared Profile", REG_EXPAND_SZ);
        m_protected.push_back(profiles + "\\LZ Shared Profile");
        Plant(HKEY_LOCAL_MACHINE, std::string(k9xProfileList) + "\\lztest", "ProfileImagePath",
              m_s / "Windows 98 Profiles\\lztest");
        Plant(HKEY_CURRENT_USER, kShellFolders, "LZTest Desktop", m_s / "User Profile\\Desktop Folder");
        Plant(HKEY_CURRENT_USER, kUserShellFolders, "LZTest Personal", m_s / "User Profile\\My Documents",
              REG_EXPAND_SZ);
        Plant(HKEY_LOCAL_MACHINE, kShellFolders, "LZTest Common Programs", m_s / "All Users\\Start Menu\\Programs");
        Plant(HKEY_LOCAL_MACHINE, kUserShellFolders, "LZTest Common Documents", m_s / "All Users\\Documents");
        for (const char *name : {"ProgramFilesDir", "CommonFilesDir"}) {
            std::string value;
            if (lztest::RegGetSz(kCurrentVersion, name, value))
                m_protected.push_back(value);
        }
    }

    /* Plants a value that names a folder, and makes the folder. */
    void Plant(HKEY root, const std::string &key, const char *name, const std::string &folder, DWORD type = REG_SZ)
    {
        m_values.emplace_back(new lztest::PlantedValue(root, key, name, folder, type));
        ASSERT_TRUE(m_values.back()->Ok()) << key << " " << name;
        if (folder.find('\\') == std::string::npos)
            return; /* a name inside the profiles folder */
        ASSERT_TRUE(lztest::MakeDir(folder)) << folder;
        m_protected.push_back(folder);
    }

    lztest::Scratch m_s;
    std::vector<std::unique_ptr<lztest::PlantedValue>> m_values;
    std::vector<std::string> m_protected;
};

TEST_F(SystemNamedFolders, NoWayOfWritingOneIsRemovable)
{
    for (const std::string &folder : m_protected) {
        std::vector<std::string> written = {folder};
        std::string shortName = ShortPath(folder);
        if (!shortName.empty())
            written.push_back(shortName);
        for (const std::string &f : written) {
            for (const Shape &shape : kShapes) {
                std::string path = shape.write(f);
                EXPECT_EQ(shape.resolved(f), FullPath(path)) << path;
                EXPECT_EQ(FALSE, IsRemovableFolder(path.c_str())) << shape.name << ": " << path;
            }
        }
        /* nor any folder that holds one */
        for (size_t p = folder.find('\\', 3); p != std::string::npos; p = folder.find('\\', p + 1))
            EXPECT_EQ(FALSE, IsRemovableFolder(folder.substr(0, p).c_str())) << folder.substr(0, p);
    }
}

TEST_F(SystemNamedFolders, FolderInsideOneIsRemovableOnlyAsWrittenByTheSystem)
{
    for (const std::string &folder : m_protected) {
        std::string inside = folder + "\\VEMO\\ルメオ";
        for (const Shape &shape : kShapes) {
            std::string path = shape.write(inside);
            EXPECT_EQ(shape.resolved(inside), FullPath(path)) << path;
            EXPECT_EQ(shape.accepted ? TRUE : FALSE, IsRemovableFolder(path.c_str())) << shape.name << ": " << path;
        }
    }
}

TEST(FolderPolicyTest, RefusesWhatIsNoFolderOnADrive)
{
    const char *bad[] = {
        "",
        "relative\\folder",
        "folder",
        "\\rooted\\folder",
        "\\\\server\\share\\folder",
        "\\\\?\\C:\\folder",
        "\\\\.\\C:\\folder",
        "C:",
        "C:folder",
        "C:\\",
        "c:/",
        "C:\\.",
        "C:\\..",
        "C:\\...",
        "C:\\\\",
        "1:\\folder",
        "C:\\a*",
        "C:\\a?b\\c",
        "C:\\a|b",
        "C:\\a\\b:c",
        "C:\\a<b>",
        "C:\\a\"b",
    };
    for (const char *path : bad)
        EXPECT_EQ(FALSE, IsRemovableFolder(path)) << path;
}

/* A path through a link reaches somewhere else than it reads: refused. The
 * link itself may go (the walk removes it as itself). */
TEST(FolderPolicyTest, RefusesPathsThroughLinks)
{
    _setmbcp(_MB_CP_ANSI);
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"Target\\Inner\\kept.txt"}));
    if (!lztest::MakeLink(s / "Link", s / "Target"))
        GTEST_SKIP() << "no links on this platform";
    const struct {
        std::string path;
        BOOL removable;
    } cases[] = {
        {s / "Link\\Inner", FALSE},  {s / "Link\\Inner\\Missing", FALSE}, {s / "Link", TRUE},
        {s / "Target\\Inner", TRUE}, {s / "Missing\\Inner", TRUE},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.removable, IsRemovableFolder(c.path.c_str())) << c.path;
}

/* Long names come from the listings on systems without GetLongPathNameA:
 * each existing component as its folder lists it, the rest as written. */
TEST(FolderPolicyTest, LongNamesFromListings)
{
    _setmbcp(_MB_CP_ANSI);
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"Long Folder Name\\", "Long Folder Name\\ソフト表\\"}));
    std::string longPath = s / "Long Folder Name\\ソフト表";
    std::string shortPath = ShortPath(longPath);
    ASSERT_FALSE(shortPath.empty());
    const struct {
        std::string in, out;
    } cases[] = {
        {shortPath, longPath},
        {shortPath + "\\", longPath + "\\"},
        {shortPath + "\\Not There\\Below", longPath + "\\Not There\\Below"},
    };
    for (const auto &c : cases) {
        CString out = "sentinel";
        ASSERT_TRUE(GetLongPathFromListings(c.in.c_str(), out)) << c.in;
        EXPECT_STREQ(Cased(c.out, false).c_str(), Lowered(out)) << c.in;
        CString viaSystem = "sentinel";
        ASSERT_TRUE(GetLongPath(c.in.c_str(), viaSystem)) << c.in;
        EXPECT_STREQ(Lowered(out), Lowered(viaSystem)) << c.in;
    }
    CString out = "sentinel";
    EXPECT_FALSE(GetLongPathFromListings((s / "Long*").c_str(), out));
    EXPECT_FALSE(GetLongPathFromListings("relative", out));
    EXPECT_STREQ("sentinel", out);
}

TEST(FolderPolicyTest, KeptFolderName)
{
    _setmbcp(_MB_CP_ANSI);
    lztest::Scratch s;
    ASSERT_TRUE(lztest::MakeTree(s.Path(), {"LZ\\", "LZ\\Stock Books\\", "Other\\"}));
    std::string lz = s / "LZ";
    std::string shortStock = ShortPath(s / "LZ\\Stock Books");
    ASSERT_FALSE(shortStock.empty());
    const struct {
        std::string stockBook, install;
        BOOL removeInstall;
        const char *keep;
    } cases[] = {
        {lz + "\\StockBook", lz, TRUE, "StockBook"},                /* the usual place */
        {Cased(lz, false) + "\\data\\StockBook", lz, TRUE, "data"}, /* deeper: spare the way there */
        {lz + "\\Data\\SB\\", lz + "\\", TRUE, "Data"},
        {lz + "\\表\\Book", lz, TRUE, "表"}, /* trail byte 0x5C */
        /* reached through forms the system resolves: the same folder */
        {lz + "\\.\\StockBook", lz, TRUE, "StockBook"},
        {lz + "\\\\StockBook", lz, TRUE, "StockBook"},
        {Replaced(lz, "\\", "/") + "/StockBook", lz, TRUE, "StockBook"},
        {lz + "\\StockBook. ", lz, TRUE, "StockBook"},
        {lz + "\\x\\..\\StockBook", lz, TRUE, "StockBook"},
        {shortStock, lz, TRUE, "Stock Books"}, /* a short name lists long */
        /* the installation folder itself, or a folder that holds it */
        {lz, lz, FALSE, ""},
        {lz + "\\.", lz, FALSE, ""},
        {lz + "\\\\", lz, FALSE, ""},
        {lz + "\\StockBook\\..", lz, FALSE, ""},
        {s.Path(), lz, FALSE, ""},
        {s.Path() + "\\.", lz, FALSE, ""},
        {lz.substr(0, 3), lz, FALSE, ""},
        /* elsewhere: its last component */
        {s / "Other\\Book", lz, TRUE, "Book"},
        {s / "Other\\Book\\", lz, TRUE, "Book"},
        {lz + "X\\Book", lz, TRUE, "Book"}, /* not at a backslash boundary */
        {"Book", lz, TRUE, "Book"},         /* no place on a drive: its name */
        {"Data\\Book", lz, TRUE, "Book"},
        {"", lz, TRUE, ""},
        /* where it lies cannot be told */
        {lz + "\\a*\\Book", lz, FALSE, ""},
    };
    for (const auto &c : cases) {
        CString keep = "sentinel";
        EXPECT_EQ(c.removeInstall, GetKeptFolderName(c.stockBook.c_str(), c.install.c_str(), keep)) << c.stockBook;
        if (c.removeInstall) {
            EXPECT_STREQ(c.keep, keep) << c.stockBook;
        }
    }
}

} // namespace

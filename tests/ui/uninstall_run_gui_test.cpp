/* uninstall_run_gui_test.cpp - the uninstall run started from 実行 in the
 * dialog: refusals and the declined confirmation, then the result message
 * and what is left on disk and in the registry for the ways an installation
 * can look. */
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "product_window.h"
#include "sample_install.h"
#include "support/uninstall_driver.h"
#include "testenv.h"

namespace {

using namespace uitest;
using e2e::GroupWidth;

const int kStockBookBox = 1001;
const char kCommonShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

/* The sample installation in a scratch folder of its own. */
struct Sample {
    lztest::Scratch scratch;
    e2e::SampleInstall install{scratch.Path()};
    std::vector<std::unique_ptr<lztest::PlantedValue>> planted; /* registry values of the case */
    HANDLE hListing = INVALID_HANDLE_VALUE;                     /* a listing the case keeps open */
    WIN32_FIND_DATAA found;

    ~Sample()
    {
        if (hListing != INVALID_HANDLE_VALUE)
            FindClose(hListing);
    }
    const std::string &Root() const { return scratch.Path(); }
};

struct StopCase {
    const char *name;
    std::vector<const char *> running; /* classes of the product windows open */
    const Box *box;
    int answer;
};

/* The run stops before it reads the check box: the dialog stays open with
 * the box as the user left it, and nothing is removed. */
TEST_F(UninstallDialogTest, RunThatStopsEarlyLeavesTheDialogOpenAndChangesNothing)
{
    const StopCase cases[] = {
        {"main application running", {"LZ7300_MainWindow_Kep@vemo"}, &kMainRunning, IDOK},
        {"explorer running", {"LZ7300_Explorer@vemo"}, &kExplorerRunning, IDOK},
        {"both running", {"LZ7300_Explorer@vemo", "LZ7300_MainWindow_Kep@vemo"}, &kMainRunning, IDOK},
        {"confirmation declined", {}, &kConfirm, IDNO},
    };
    for (const StopCase &c : cases) {
        SCOPED_TRACE(c.name);
        Sample sample;
        ASSERT_TRUE(sample.install.Create());
        std::vector<std::unique_ptr<e2e::ProductWindow>> windows;
        for (const char *className : c.running) {
            windows.emplace_back(new e2e::ProductWindow(className));
            ASSERT_NE(nullptr, windows.back()->Handle());
        }
        bool bStillShown = false;
        LRESULT check = 0xdeadbeef;
        CUninstallDlg dlg;
        EXPECT_EQ(IDCANCEL, RunDialog(dlg, {OnUninstallDialog([](HWND hDlg) {
                                                Press(hDlg, kStockBookBox);
                                                Press(hDlg, IDOK);
                                            }),
                                            Answer(*c.box, c.answer), OnUninstallDialog([&](HWND hDlg) {
                                                bStillShown = IsWindowVisible(hDlg) != FALSE;
                                                check =
                                                    SendMessageA(GetDlgItem(hDlg, kStockBookBox), BM_GETCHECK, 0, 0);
                                                Press(hDlg, IDCANCEL);
                                            })}));
        EXPECT_TRUE(bStillShown);
        EXPECT_EQ(BST_UNCHECKED, check);
        EXPECT_TRUE(dlg.m_bDeleteStockBook);
        EXPECT_EQ(std::vector<std::string>(), sample.install.Missing());
    }
}

/* ---- runs that go ahead ---- */

void ExpectRegistrationGone()
{
    EXPECT_FALSE(lztest::RegKeyExists(e2e::kProductKey));
    EXPECT_FALSE(lztest::RegKeyExists(e2e::kUninstallEntry));
    EXPECT_TRUE(lztest::RegKeyExists(e2e::kCompanyKey)) << "the company key is never removed";
}

void ExpectFoldersGone(const Sample &s, GroupWidth group = GroupWidth::Half)
{
    EXPECT_FALSE(lztest::Exists(s.install.InstallDir()));
    EXPECT_FALSE(lztest::Exists(s.install.Group(group)));
}

/* The installation folder was refused: only the stock book inside it went. */
void ExpectOnlyTheStockBookGone(const Sample &s)
{
    EXPECT_FALSE(lztest::Exists(s.install.StockBook()));
    EXPECT_TRUE(lztest::IsDir(s.install.InstallDir()));
    EXPECT_EQ(s.install.Missing(s.install.StockBook()), s.install.Missing(s.install.InstallDir()));
    EXPECT_FALSE(lztest::Exists(s.install.Group(GroupWidth::Half)));
    ExpectRegistrationGone();
}

void SetStockBook(const std::string &path) { ASSERT_TRUE(lztest::RegSetSz(e2e::kProductKey, "StockBookPath", path)); }
void SetInstallDir(const std::string &path) { ASSERT_TRUE(lztest::RegSetSz(e2e::kVersionKey, "DIRECTORY", path)); }

/* Everything but the stock book went: the stock book survived whole. */
void ExpectOnlyTheStockBookKept(const Sample &s)
{
    EXPECT_EQ(std::vector<std::string>(), s.install.Missing(s.install.StockBook()));
    EXPECT_EQ(std::vector<std::string>{"StockBook"}, lztest::List(s.install.InstallDir()));
    EXPECT_FALSE(lztest::Exists(s.install.Group(GroupWidth::Half)));
    ExpectRegistrationGone();
}

/* The installation folder was refused and survived whole, stock book and all. */
void ExpectTheInstallationFolderKept(const Sample &s)
{
    EXPECT_EQ(std::vector<std::string>(), s.install.Missing(s.install.InstallDir()));
    EXPECT_FALSE(lztest::Exists(s.install.Group(GroupWidth::Half)));
    ExpectRegistrationGone();
}

/* A stock book of its own beside the installation, named by `written`. */
void ArrangeOutsideStockBook(Sample &s, const std::string &written)
{
    ASSERT_TRUE(lztest::MakeTree(s.Root(), {"Books\\StockBook\\", "Books\\StockBook\\book.lzb"}));
    SetStockBook(written);
}

/* Every backslash a slash; trail bytes 0x5C of double-byte characters stay. */
std::string Slashed(std::string path)
{
    for (size_t i = 0; i < path.size(); i++) {
        if (IsDBCSLeadByte((BYTE)path[i]))
            i++;
        else if (path[i] == '\\')
            path[i] = '/';
    }
    return path;
}

struct RunCase {
    const char *name;
    GroupWidth group;
    bool untick;
    void (*arrange)(Sample &);       /* before the dialog opens; may be null */
    void (*beforeExecute)(Sample &); /* with the dialog open; may be null */
    const Box *result;
    void (*check)(const Sample &);
};

void PrintTo(const RunCase &c, std::ostream *out) { *out << c.name; }

class UninstallRunTest : public UninstallDialogTest, public testing::WithParamInterface<RunCase> {};

TEST_P(UninstallRunTest, ResultMessageTellsWhatWasRemoved)
{
    const RunCase &c = GetParam();
    Sample sample;
    ASSERT_TRUE(sample.install.Create(c.group));
    if (c.arrange != nullptr) {
        ASSERT_NO_FATAL_FAILURE(c.arrange(sample));
    }
    CUninstallDlg dlg;
    EXPECT_EQ(IDOK, RunDialog(dlg, {OnUninstallDialog([&](HWND hDlg) {
                                        if (c.untick)
                                            Press(hDlg, kStockBookBox);
                                        if (c.beforeExecute != nullptr)
                                            c.beforeExecute(sample);
                                        Press(hDlg, IDOK);
                                    }),
                                    Answer(kConfirm, IDYES), Answer(*c.result, IDOK)}));
    EXPECT_EQ(!c.untick, dlg.m_bDeleteStockBook != FALSE);
    c.check(sample);
}

const RunCase kRunCases[] = {
    {"TickedRemovesEverything", GroupWidth::Half, false, nullptr, nullptr, &kAllRemoved,
     [](const Sample &s) {
         ExpectFoldersGone(s);
         ExpectRegistrationGone();
     }},
    {"OnlyTheFullWidthGroupExists", GroupWidth::Full, false, nullptr, nullptr, &kAllRemoved,
     [](const Sample &s) {
         ExpectFoldersGone(s, GroupWidth::Full);
         ExpectRegistrationGone();
     }},
    {"UntickedKeepsTheStockBook", GroupWidth::Half, true, nullptr, nullptr, &kRemoved,
     [](const Sample &s) {
         EXPECT_EQ(std::vector<std::string>(), s.install.Missing(s.install.StockBook()));
         EXPECT_EQ(std::vector<std::string>{"StockBook"}, lztest::List(s.install.InstallDir()));
         EXPECT_FALSE(lztest::Exists(s.install.Group(GroupWidth::Half)));
         ExpectRegistrationGone();
     }},
    /* a stock book that could not be removed whole is not counted */
    {"StockBookWithAReadOnlyFile", GroupWidth::Half, false,
     [](Sample &s) {
         ASSERT_TRUE(lztest::MakeTree(s.Root(), {"Books\\", "Books\\StockBook\\", "Books\\StockBook\\book.lzb"}));
         ASSERT_TRUE(SetFileAttributesA((s.Root() + "\\Books\\StockBook\\book.lzb").c_str(), FILE_ATTRIBUTE_READONLY));
         SetStockBook(s.Root() + "\\Books\\StockBook");
     },
     nullptr, &kRemoved,
     [](const Sample &s) {
         EXPECT_TRUE(lztest::Exists(s.Root() + "\\Books\\StockBook\\book.lzb"));
         ExpectFoldersGone(s);
         ExpectRegistrationGone();
     }},
    /* kept: the first folder on the way from the installation folder down
     * to the stock book, with everything in it */
    {"UntickedKeepsTheFolderLeadingToADeeperStockBook", GroupWidth::Half, true,
     [](Sample &s) {
         ASSERT_TRUE(lztest::MakeTree(s.install.InstallDir(), {"Data\\StockBook\\", "Data\\StockBook\\book.lzb"}));
         SetStockBook(s.install.InstallDir() + "\\Data\\StockBook");
     },
     nullptr, &kRemoved,
     [](const Sample &s) {
         EXPECT_EQ(std::vector<std::string>{"Data"}, lztest::List(s.install.InstallDir()));
         EXPECT_EQ((std::vector<std::string>{"StockBook", "sample.dat"}),
                   lztest::List(s.install.InstallDir() + "\\Data"));
         EXPECT_TRUE(lztest::Exists(s.install.InstallDir() + "\\Data\\StockBook\\book.lzb"));
         EXPECT_FALSE(lztest::Exists(s.install.Group(GroupWidth::Half)));
         ExpectRegistrationGone();
     }},
    {"UntickedKeepsAnInstallationFolderThatIsTheStockBook", GroupWidth::Half, true,
     [](Sample &s) { SetStockBook(s.install.InstallDir()); }, nullptr, &kRemoved,
     [](const Sample &s) {
         EXPECT_EQ(std::vector<std::string>(), s.install.Missing(s.install.InstallDir()));
         EXPECT_FALSE(lztest::Exists(s.install.Group(GroupWidth::Half)));
         ExpectRegistrationGone();
     }},
    /* Refused installation folders, chosen so that a failing guard would
     * only reach into the scratch folder. */
    {"RelativeInstallationFolderIsRefused", GroupWidth::Half, false,
     [](Sample &s) {
         ASSERT_TRUE(SetCurrentDirectoryA(s.Root().c_str()));
         SetInstallDir("VEMO\\ゼルコアソフト");
     },
     nullptr, &kRemoved, ExpectOnlyTheStockBookGone},
    {"InstallationFolderThroughDotDotIsRefused", GroupWidth::Half, false,
     [](Sample &s) { SetInstallDir(s.install.InstallDir() + "\\..\\ゼルコアソフト"); }, nullptr, &kRemoved,
     ExpectOnlyTheStockBookGone},
    /* NT deletes one level at a time: a sub-key with sub-keys (listed
     * before the others) stops it, and the others still go */
    {"VersionSubKeyWithSubKeysKeepsTheProductKeys", GroupWidth::Half, false,
     [](Sample &) { ASSERT_TRUE(lztest::RegSetSz(std::string(e2e::kVersionKey) + "\\Layout\\Pane", "Width", "120")); },
     nullptr, &kRemoved,
     [](const Sample &s) {
         ExpectFoldersGone(s);
         EXPECT_FALSE(lztest::RegKeyExists(std::string(e2e::kVersionKey) + "\\Recent"));
         EXPECT_FALSE(lztest::RegKeyExists(std::string(e2e::kVersionKey) + "\\Settings"));
         EXPECT_TRUE(lztest::RegKeyExists(std::string(e2e::kVersionKey) + "\\Layout\\Pane"));
         EXPECT_TRUE(lztest::RegValueExists(e2e::kProductKey, "StockBookPath"));
         EXPECT_FALSE(lztest::RegKeyExists(e2e::kUninstallEntry));
     }},
    {"OtherVersionKeepsTheProductKey", GroupWidth::Half, false,
     [](Sample &) { ASSERT_TRUE(lztest::RegSetSz(std::string(e2e::kProductKey) + "\\2.0", "DIRECTORY", "C:\\LZ2")); },
     nullptr, &kRemoved,
     [](const Sample &s) {
         ExpectFoldersGone(s);
         EXPECT_FALSE(lztest::RegKeyExists(e2e::kVersionKey));
         EXPECT_TRUE(lztest::RegKeyExists(std::string(e2e::kProductKey) + "\\2.0"));
         EXPECT_TRUE(lztest::RegValueExists(e2e::kProductKey, "StockBookPath"));
         EXPECT_FALSE(lztest::RegKeyExists(e2e::kUninstallEntry));
     }},
    /* A registry path is followed only when it is written as the system
     * resolves it: any other way of writing it is refused. */
    {"InstallationFolderWithATrailingDotIsRefused", GroupWidth::Half, false,
     [](Sample &s) { SetInstallDir(s.install.InstallDir() + "."); }, nullptr, &kRemoved, ExpectOnlyTheStockBookGone},
    {"InstallationFolderThroughADotIsRefused", GroupWidth::Half, false,
     [](Sample &s) { SetInstallDir(s.install.InstallDir() + "\\."); }, nullptr, &kRemoved, ExpectOnlyTheStockBookGone},
    {"InstallationFolderWithSlashesIsRefused", GroupWidth::Half, true,
     [](Sample &s) { SetInstallDir(Slashed(s.install.InstallDir())); }, nullptr, &kRemoved,
     ExpectTheInstallationFolderKept},
    {"InstallationFolderWithATrailingBackslashIsRemoved", GroupWidth::Half, false,
     [](Sample &s) { SetInstallDir(s.install.InstallDir() + "\\"); }, nullptr, &kAllRemoved,
     [](const Sample &s) {
         ExpectFoldersGone(s);
         ExpectRegistrationGone();
     }},
    {"TickedStockBookThroughADotIsRefused", GroupWidth::Half, false,
     [](Sample &s) { ArrangeOutsideStockBook(s, s.Root() + "\\Books\\StockBook\\."); }, nullptr, &kRemoved,
     [](const Sample &s) {
         EXPECT_TRUE(lztest::Exists(s.Root() + "\\Books\\StockBook\\book.lzb"));
         ExpectFoldersGone(s);
         ExpectRegistrationGone();
     }},
    {"TickedStockBookWithATrailingSpaceIsRefused", GroupWidth::Half, false,
     [](Sample &s) { ArrangeOutsideStockBook(s, s.Root() + "\\Books\\StockBook "); }, nullptr, &kRemoved,
     [](const Sample &s) {
         EXPECT_TRUE(lztest::Exists(s.Root() + "\\Books\\StockBook\\book.lzb"));
         ExpectFoldersGone(s);
     }},
    /* unticked: the stock book is found where the system finds it */
    {"UntickedKeepsAStockBookReachedThroughADot", GroupWidth::Half, true,
     [](Sample &s) { SetStockBook(s.install.InstallDir() + "\\.\\StockBook"); }, nullptr, &kRemoved,
     ExpectOnlyTheStockBookKept},
    {"UntickedKeepsAStockBookReachedThroughADoubledBackslash", GroupWidth::Half, true,
     [](Sample &s) { SetStockBook(s.install.InstallDir() + "\\\\StockBook"); }, nullptr, &kRemoved,
     ExpectOnlyTheStockBookKept},
    {"UntickedKeepsAStockBookWrittenWithSlashesAndATrailingDot", GroupWidth::Half, true,
     [](Sample &s) { SetStockBook(Slashed(s.install.InstallDir()) + "/StockBook."); }, nullptr, &kRemoved,
     ExpectOnlyTheStockBookKept},
    {"UntickedKeepsAnInstallationFolderReachedThroughADot", GroupWidth::Half, true,
     [](Sample &s) { SetStockBook(s.install.InstallDir() + "\\StockBook\\.."); }, nullptr, &kRemoved,
     ExpectTheInstallationFolderKept},
    /* a folder that the system names is never removed, nor one above it */
    {"InstallationFolderThatIsAShellFolderIsRefused", GroupWidth::Half, true,
     [](Sample &s) {
         s.planted.emplace_back(new lztest::PlantedValue(HKEY_LOCAL_MACHINE, kCommonShellFolders, "LZTest Programs",
                                                         s.install.InstallDir()));
         ASSERT_TRUE(s.planted.back()->Ok());
     },
     nullptr, &kRemoved, ExpectTheInstallationFolderKept},
    {"InstallationFolderHoldingAUserShellFolderIsRefused", GroupWidth::Half, true,
     [](Sample &s) {
         s.planted.emplace_back(new lztest::PlantedValue(HKEY_CURRENT_USER, kUserShellFolders, "LZTest Personal",
                                                         s.install.InstallDir() + "\\Data\\Documents", REG_EXPAND_SZ));
         ASSERT_TRUE(s.planted.back()->Ok());
     },
     nullptr, &kRemoved, ExpectTheInstallationFolderKept},
    /* a folder counts as removed only when it is gone */
    {"InstallationFolderThatCannotGoIsNotCounted", GroupWidth::Half, false, nullptr,
     [](Sample &s) {
         s.hListing = FindFirstFileA((s.install.InstallDir() + "\\*").c_str(), &s.found);
         ASSERT_NE(INVALID_HANDLE_VALUE, s.hListing);
     },
     &kRemoved,
     [](const Sample &s) {
         EXPECT_EQ(std::vector<std::string>(), lztest::List(s.install.InstallDir()));
         EXPECT_FALSE(lztest::Exists(s.install.Group(GroupWidth::Half)));
         ExpectRegistrationGone();
     }},
    {"EverythingGoneSinceTheDialogOpened", GroupWidth::Half, false, nullptr,
     [](Sample &s) {
         lztest::RegDeleteTree(e2e::kProductKey);
         lztest::RegDeleteTree(e2e::kUninstallEntry);
         lztest::ForceRemoveTree(s.install.InstallDir());
         lztest::ForceRemoveTree(s.install.Group(GroupWidth::Half));
     },
     &kNothingRemoved,
     [](const Sample &s) {
         ExpectFoldersGone(s);
         ExpectRegistrationGone();
     }},
};

INSTANTIATE_TEST_SUITE_P(Installation, UninstallRunTest, testing::ValuesIn(kRunCases),
                         [](const testing::TestParamInfo<RunCase> &info) { return std::string(info.param.name); });

} // namespace

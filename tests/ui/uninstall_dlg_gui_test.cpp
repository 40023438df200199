/* uninstall_dlg_gui_test.cpp - the uninstall dialog opening: the
 * not-installed message and what it leaves untouched, the folder line, the
 * check box and focus at every start, and the icons. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "sample_install.h"
#include "support/uninstall_driver.h"
#include "testenv.h"

namespace {

using namespace uitest;

const int kFolderLine = 1003;
const int kStockBookBox = 1001;

/* What the registry holds of the product, to tell that opening wrote nothing. */
struct RegistryState {
    bool company, product, version, directory;
    std::string directoryData;
    DWORD directoryType = 0xdeadbeef;

    static RegistryState Now()
    {
        RegistryState state;
        state.company = lztest::RegKeyExists(e2e::kCompanyKey);
        state.product = lztest::RegKeyExists(e2e::kProductKey);
        state.version = lztest::RegKeyExists(e2e::kVersionKey);
        state.directory = lztest::RegGetSz(e2e::kVersionKey, "DIRECTORY", state.directoryData, &state.directoryType);
        return state;
    }
    void ExpectSame(const RegistryState &other) const
    {
        EXPECT_EQ(company, other.company);
        EXPECT_EQ(product, other.product);
        EXPECT_EQ(version, other.version);
        EXPECT_EQ(directory, other.directory);
        EXPECT_EQ(directoryData, other.directoryData);
        EXPECT_EQ(directoryType, other.directoryType);
    }
};

struct NotInstalledCase {
    const char *name;
    void (*arrange)();
};

TEST_F(UninstallDialogTest, NotInstalledSaysSoBeforeShowingAndWritesNothing)
{
    const NotInstalledCase cases[] = {
        {"nothing registered", [] {}},
        {"product key without the version key",
         [] { lztest::RegSetSz(e2e::kProductKey, "StockBookPath", "C:\\Books"); }},
        {"version key without DIRECTORY", [] { lztest::RegSetSz(e2e::kVersionKey, "Other", "C:\\LZ"); }},
        {"empty DIRECTORY", [] { lztest::RegSetSz(e2e::kVersionKey, "DIRECTORY", ""); }},
        {"DIRECTORY of type REG_EXPAND_SZ",
         [] { lztest::RegSetSz(e2e::kVersionKey, "DIRECTORY", "C:\\LZ", REG_EXPAND_SZ); }},
        {"DIRECTORY as a number", [] { lztest::RegSetDword(e2e::kVersionKey, "DIRECTORY", 0x5c3a43); }},
    };
    for (const NotInstalledCase &c : cases) {
        SCOPED_TRACE(c.name);
        lztest::Scratch scratch;
        e2e::SampleInstall cleanup(scratch.Path());
        c.arrange();
        const RegistryState before = RegistryState::Now();
        bool bDialogHidden = false;
        CUninstallDlg dlg;
        EXPECT_EQ(IDCANCEL, RunDialog(dlg, {Answer(kNotInstalled, IDOK, [&](HWND hBox) {
                                          bDialogHidden = !IsWindowVisible(GetWindow(hBox, GW_OWNER));
                                      })}));
        EXPECT_TRUE(bDialogHidden) << "the box comes before the dialog is shown";
        RegistryState::Now().ExpectSame(before);
    }
}

struct FolderLineCase {
    const char *name;
    std::string (*folder)(const e2e::SampleInstall &);
};

/* Opens on folder lines as they are stored, with the box ticked and the
 * focus on ｷｬﾝｾﾙ, so that Enter cancels; nothing is removed. */
TEST_F(UninstallDialogTest, FolderLineIsShownVerbatimAndEnterCancels)
{
    const FolderLineCase cases[] = {
        {"the installation folder", [](const e2e::SampleInstall &s) { return s.InstallDir(); }},
        {"trailing backslash", [](const e2e::SampleInstall &s) { return s.InstallDir() + "\\"; }},
        {"spaces around, no such folder", [](const e2e::SampleInstall &) { return std::string("  C:\\無い 所  "); }},
        {"trail byte 0x5C, no such folder", [](const e2e::SampleInstall &) { return std::string("Z:\\表示\\"); }},
        {"relative", [](const e2e::SampleInstall &) { return std::string("ゼルコアソフト"); }},
    };
    for (const FolderLineCase &c : cases) {
        SCOPED_TRACE(c.name);
        lztest::Scratch scratch;
        e2e::SampleInstall install(scratch.Path());
        ASSERT_TRUE(install.Create());
        const std::string folder = c.folder(install);
        ASSERT_TRUE(lztest::RegSetSz(e2e::kVersionKey, "DIRECTORY", folder));
        std::string line, caption;
        bool bVisible = false;
        LRESULT check = 0xdeadbeef, defId = 0xdeadbeef;
        HWND hFocus = reinterpret_cast<HWND>(0xdeadbeef), hCancel = NULL;
        CUninstallDlg dlg;
        EXPECT_EQ(IDCANCEL, RunDialog(dlg, {OnUninstallDialog([&](HWND hDlg) {
                                          caption = WindowText(hDlg);
                                          bVisible = IsWindowVisible(hDlg) != FALSE;
                                          line = WindowText(GetDlgItem(hDlg, kFolderLine));
                                          check = SendMessageA(GetDlgItem(hDlg, kStockBookBox), BM_GETCHECK, 0, 0);
                                          defId = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
                                          hFocus = GetFocus();
                                          hCancel = GetDlgItem(hDlg, IDCANCEL);
                                          PostMessageA(hFocus, WM_KEYDOWN, VK_RETURN, 1);
                                      })}));
        EXPECT_EQ(kDialogCaption, caption);
        EXPECT_TRUE(bVisible);
        EXPECT_EQ("「" + folder + "」", line);
        EXPECT_EQ(BST_CHECKED, check);
        EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), defId);
        EXPECT_EQ(hCancel, hFocus);
        EXPECT_TRUE(dlg.m_bDeleteStockBook);

        std::string stored;
        EXPECT_TRUE(lztest::RegGetSz(e2e::kVersionKey, "DIRECTORY", stored));
        EXPECT_EQ(folder, stored);
        EXPECT_EQ(std::vector<std::string>(), install.Missing(install.InstallDir()));
        EXPECT_TRUE(lztest::Exists(install.Group(e2e::GroupWidth::Half)));
        EXPECT_TRUE(lztest::RegKeyExists(e2e::kUninstallEntry));
    }
}

/* A run that unticked the box is forgotten: the next dialog object starts
 * ticked again. */
TEST_F(UninstallDialogTest, CheckBoxIsTickedAtEveryStart)
{
    lztest::Scratch scratch;
    e2e::SampleInstall install(scratch.Path());
    ASSERT_TRUE(install.Create());
    {
        CUninstallDlg first;
        EXPECT_TRUE(first.m_bDeleteStockBook);
        EXPECT_EQ(IDOK, RunDialog(first, {OnUninstallDialog([](HWND hDlg) {
                                              Press(hDlg, kStockBookBox);
                                              Press(hDlg, IDOK);
                                          }),
                                          Answer(kConfirm, IDYES), Answer(kRemoved, IDOK)}));
        EXPECT_FALSE(first.m_bDeleteStockBook);
    }
    ASSERT_TRUE(lztest::RegSetSz(e2e::kVersionKey, "DIRECTORY", install.InstallDir()));
    CUninstallDlg second;
    EXPECT_TRUE(second.m_bDeleteStockBook);
    LRESULT check = 0xdeadbeef;
    EXPECT_EQ(IDCANCEL, RunDialog(second, {OnUninstallDialog([&](HWND hDlg) {
                                      check = SendMessageA(GetDlgItem(hDlg, kStockBookBox), BM_GETCHECK, 0, 0);
                                      Press(hDlg, IDCANCEL);
                                  })}));
    EXPECT_EQ(BST_CHECKED, check);
}

/* The one icon serves the caption (both sizes) and the dragging of the
 * minimised dialog. */
TEST_F(UninstallDialogTest, ProgramIconIsTheWindowIconAndTheDragIcon)
{
    lztest::Scratch scratch;
    e2e::SampleInstall install(scratch.Path());
    ASSERT_TRUE(install.Create());
    HICON hExpected = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, hExpected);
    LRESULT bigIcon = 0xdeadbeef, smallIcon = 0xdeadbeef, drag = 0xdeadbeef;
    CUninstallDlg dlg;
    EXPECT_EQ(IDCANCEL, RunDialog(dlg, {OnUninstallDialog([&](HWND hDlg) {
                                      bigIcon = SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0);
                                      smallIcon = SendMessageA(hDlg, WM_GETICON, ICON_SMALL, 0);
                                      drag = SendMessageA(hDlg, WM_QUERYDRAGICON, 0, 0);
                                      Press(hDlg, IDCANCEL);
                                  })}));
    EXPECT_EQ(reinterpret_cast<LRESULT>(hExpected), bigIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(hExpected), smallIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(hExpected), drag);
}

TEST(UninstallDialogIconTest, MinimisedIconIsCentredRoundingTowardZero)
{
    const struct {
        int cxClient, cyClient, cxIcon, cyIcon;
        LONG x, y;
    } cases[] = {
        {36, 36, 32, 32, 2, 2},  {37, 37, 32, 32, 3, 3}, {0, 0, 32, 32, -15, -15},   {1, 1, 32, 32, -15, -15},
        {40, 36, 32, 16, 4, 10}, {32, 32, 32, 32, 0, 0}, {160, 120, 48, 48, 56, 36},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.cxClient << "x" << c.cyClient << ", icon " << c.cxIcon << "x" << c.cyIcon);
        POINT pt = CUninstallDlg::IconPosition(c.cxClient, c.cyClient, c.cxIcon, c.cyIcon);
        EXPECT_EQ(c.x, pt.x);
        EXPECT_EQ(c.y, pt.y);
    }
}

} // namespace

/* uninstall_e2e_test.cpp - LZUNINSTALL.EXE end to end. Each test makes a
 * sample installation, starts the program, works its dialog and message
 * boxes from this process as a user would, and then looks at the disk and
 * the registry. */
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "message_box.h"
#include "product_window.h"
#include "program_run.h"
#include "sample_install.h"
#include "testenv.h"
#include "window_ops.h"

namespace e2e {

void PrintTo(GroupWidth width, std::ostream *out) { *out << (width == GroupWidth::Half ? "half width" : "full width"); }

} // namespace e2e

namespace {

using e2e::BoxIcon;
using e2e::GroupWidth;

const char kDialogCaption[] = "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ";
const char kAppTitle[] = "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ";
const char kAboutCaption[] = "ﾊﾞｰｼﾞｮﾝ情報 LZUninstall";
const char kAboutText[] = "LZUninstall Version 1.0";
const int kFolderLine = 1003;
const int kStockBookBox = 1001;

struct Message {
    const char *text;
    BoxIcon icon;
    std::vector<int> buttons;
};
const Message kNotInstalled = {"ルメオ ゼルコアバージョンがインストールされていません。", BoxIcon::Stop, {IDOK}};
const Message kMainRunning = {
    "ルメオ ゼルコアバージョンが起動しています。終了させてから実行してください。", BoxIcon::Stop, {IDOK}};
const Message kExplorerRunning = {
    "ルメオ エクスプローラが起動しています。終了させてから実行してください。", BoxIcon::Stop, {IDOK}};
const Message kConfirm = {"ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？", BoxIcon::Question, {IDYES, IDNO}};
const Message kAllRemoved = {"完全に削除しました。", BoxIcon::Exclamation, {IDOK}};
const Message kRemoved = {"削除に成功しました。", BoxIcon::Exclamation, {IDOK}};

class UninstallerTest : public testing::Test {
protected:
    UninstallerTest() : m_install(m_scratch.Path()) {}
    /* The installation folder below `root` instead of a scratch folder. */
    explicit UninstallerTest(const std::string &root) : m_install(root) {}

    /* Starts the program and waits for its dialog, which shows the
     * installation folder in brackets with the stock book box ticked. */
    void Open(HWND *dialog)
    {
        *dialog = NULL;
        ASSERT_TRUE(m_program.Start()) << m_program.Error();
        HWND shown = m_program.WaitForNewDialog();
        ASSERT_NE(nullptr, shown) << m_program.Describe();
        ASSERT_EQ(kDialogCaption, e2e::TextOf(shown)) << m_program.Describe();
        EXPECT_EQ("「" + m_install.InstallDir() + "」", e2e::TextOf(GetDlgItem(shown, kFolderLine)));
        EXPECT_EQ(BST_CHECKED, e2e::Ask(GetDlgItem(shown, kStockBookBox), BM_GETCHECK));
        *dialog = shown;
    }

    /* Waits for the next message box over the dialog, checks it and
     * answers it with `button`. */
    void Answer(HWND dialog, const Message &expected, int button)
    {
        HWND box = m_program.WaitForNewDialog({dialog});
        ASSERT_NE(nullptr, box) << "no box \"" << expected.text << "\"; " << m_program.Describe();
        e2e::MessageBoxView view = e2e::ReadMessageBox(box);
        EXPECT_EQ(kAppTitle, view.caption);
        EXPECT_EQ(expected.text, view.text);
        EXPECT_EQ(expected.icon, view.icon);
        EXPECT_EQ(expected.buttons, view.buttons);
        EXPECT_EQ(dialog, view.owner);
        ASSERT_TRUE(e2e::PressAndWaitGone(box, button)) << m_program.Describe();
    }

    /* 実行, Yes to the confirmation, then the result: the program ends. */
    void Execute(HWND dialog, const Message &result)
    {
        ASSERT_TRUE(e2e::Click(GetDlgItem(dialog, IDOK)));
        ASSERT_NO_FATAL_FAILURE(Answer(dialog, kConfirm, IDYES));
        ASSERT_NO_FATAL_FAILURE(Answer(dialog, result, IDOK));
        EXPECT_TRUE(m_program.WaitForExit()) << m_program.Describe();
    }

    /* Waits until the dialog takes input again, after a box over it. */
    bool WaitUsable(HWND dialog)
    {
        return e2e::WaitUntil([dialog] { return IsWindowEnabled(dialog) != FALSE; });
    }

    /* With the dialog alone and usable again, ｷｬﾝｾﾙ: the program ends. */
    void Cancel(HWND dialog)
    {
        ASSERT_TRUE(WaitUsable(dialog)) << m_program.Describe();
        ASSERT_EQ(std::vector<HWND>{dialog}, m_program.ShownDialogs()) << m_program.Describe();
        ASSERT_TRUE(e2e::Click(GetDlgItem(dialog, IDCANCEL)));
        EXPECT_TRUE(m_program.WaitForExit()) << m_program.Describe();
    }

    void Untick(HWND dialog)
    {
        HWND box = GetDlgItem(dialog, kStockBookBox);
        ASSERT_TRUE(e2e::Click(box));
        ASSERT_TRUE(e2e::WaitUntil([box] { return e2e::Ask(box, BM_GETCHECK) == BST_UNCHECKED; }));
    }

    void ExpectRegistrationGone()
    {
        EXPECT_FALSE(lztest::RegKeyExists(e2e::kProductKey));
        EXPECT_FALSE(lztest::RegKeyExists(e2e::kUninstallEntry));
        EXPECT_TRUE(lztest::RegKeyExists(e2e::kCompanyKey));
    }

    lztest::Scratch m_scratch;
    e2e::SampleInstall m_install;
    e2e::ProgramRun m_program; /* ended first, before anything is cleared away */
};

TEST_F(UninstallerTest, NotInstalledSaysSoAndEndsWithoutShowingTheDialog)
{
    bool companyExisted = lztest::RegKeyExists(e2e::kCompanyKey);
    ASSERT_TRUE(m_program.Start()) << m_program.Error();
    HWND dialog = NULL;
    e2e::WaitUntil([&] {
        dialog = m_program.DialogCaptioned(kDialogCaption);
        return dialog != NULL || m_program.HasExited();
    });
    ASSERT_NE(nullptr, dialog) << m_program.Describe();
    ASSERT_NE(nullptr, m_program.WaitForNewDialog({dialog})) << m_program.Describe();
    EXPECT_FALSE(IsWindowVisible(dialog));
    ASSERT_NO_FATAL_FAILURE(Answer(dialog, kNotInstalled, IDOK));
    EXPECT_TRUE(m_program.WaitForExit()) << m_program.Describe();

    EXPECT_FALSE(lztest::RegKeyExists(e2e::kVersionKey));
    EXPECT_FALSE(lztest::RegKeyExists(e2e::kProductKey));
    EXPECT_EQ(companyExisted, lztest::RegKeyExists(e2e::kCompanyKey));
}

class UninstallerGroupTest : public UninstallerTest, public testing::WithParamInterface<GroupWidth> {};

TEST_P(UninstallerGroupTest, TickedBoxRemovesEverything)
{
    ASSERT_TRUE(m_install.Create(GetParam()));
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    ASSERT_NO_FATAL_FAILURE(Execute(dialog, kAllRemoved));

    EXPECT_FALSE(lztest::Exists(m_install.InstallDir()));
    EXPECT_FALSE(lztest::Exists(m_install.Group(GetParam())));
    ExpectRegistrationGone();
}

INSTANTIATE_TEST_SUITE_P(Width, UninstallerGroupTest, testing::Values(GroupWidth::Half, GroupWidth::Full),
                         [](const testing::TestParamInfo<GroupWidth> &info) {
                             return std::string(info.param == GroupWidth::Half ? "HalfWidthGroup" : "FullWidthGroup");
                         });

/* Where the product's installer puts it: the Program Files folder that the
 * registry names to a program built as this test is (on 64-bit Windows, a
 * 32-bit installer's is "Program Files (x86)"). */
std::string ProgramFilesDir()
{
    std::string dir;
    return lztest::RegGetSz("Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", dir) ? dir : "";
}

class UninstallerProgramFilesTest : public UninstallerTest {
protected:
    UninstallerProgramFilesTest() : UninstallerTest(ProgramFilesDir()) {}
};

TEST_F(UninstallerProgramFilesTest, RemovesAnInstallationInTheProgramFilesFolder)
{
    ASSERT_FALSE(ProgramFilesDir().empty());
    ASSERT_TRUE(m_install.Create());
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    ASSERT_NO_FATAL_FAILURE(Execute(dialog, kAllRemoved));

    EXPECT_FALSE(lztest::Exists(m_install.InstallDir()));
    EXPECT_FALSE(lztest::Exists(m_install.Group(GroupWidth::Half)));
    ExpectRegistrationGone();
}

TEST_F(UninstallerTest, UntickedBoxKeepsTheStockBookInsideTheInstallationFolder)
{
    ASSERT_TRUE(m_install.Create());
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    ASSERT_NO_FATAL_FAILURE(Untick(dialog));
    ASSERT_NO_FATAL_FAILURE(Execute(dialog, kRemoved));

    EXPECT_EQ(std::vector<std::string>(), m_install.Missing(m_install.StockBook()));
    EXPECT_EQ(std::vector<std::string>{"StockBook"}, lztest::List(m_install.InstallDir()));
    EXPECT_FALSE(lztest::Exists(m_install.Group(GroupWidth::Half)));
    ExpectRegistrationGone();
}

TEST_F(UninstallerTest, UntickedBoxKeepsAnInstallationFolderThatIsTheStockBook)
{
    ASSERT_TRUE(m_install.Create());
    ASSERT_TRUE(lztest::RegSetSz(e2e::kProductKey, "StockBookPath", m_install.InstallDir()));
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    ASSERT_NO_FATAL_FAILURE(Untick(dialog));
    ASSERT_NO_FATAL_FAILURE(Execute(dialog, kRemoved));

    EXPECT_EQ(std::vector<std::string>(), m_install.Missing(m_install.InstallDir()));
    EXPECT_FALSE(lztest::Exists(m_install.Group(GroupWidth::Half)));
    ExpectRegistrationGone();
}

TEST_F(UninstallerTest, FileThatCannotBeDeletedMakesTheRemovalIncomplete)
{
    ASSERT_TRUE(m_install.Create());
    std::string locked = m_install.InstallDir() + "\\LZ7300.EXE";
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    ASSERT_NO_FATAL_FAILURE(Execute(dialog, kRemoved));

    EXPECT_TRUE(lztest::Exists(locked));
    EXPECT_FALSE(lztest::Exists(m_install.StockBook()));
    EXPECT_FALSE(lztest::Exists(m_install.Group(GroupWidth::Half)));
    ExpectRegistrationGone();
}

struct RunningCase {
    const char *name;
    std::vector<const char *> classes; /* of the product windows open */
    const Message *message;
};

void PrintTo(const RunningCase &running, std::ostream *out) { *out << running.name; }

class UninstallerRunningTest : public UninstallerTest, public testing::WithParamInterface<RunningCase> {};

TEST_P(UninstallerRunningTest, RefusesWhileTheProductRunsAndStaysOpen)
{
    ASSERT_TRUE(m_install.Create());
    std::vector<std::unique_ptr<e2e::ProductWindow>> running;
    for (const char *className : GetParam().classes) {
        running.emplace_back(new e2e::ProductWindow(className));
        ASSERT_NE(nullptr, running.back()->Handle()) << className;
    }
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    ASSERT_TRUE(e2e::Click(GetDlgItem(dialog, IDOK)));
    ASSERT_NO_FATAL_FAILURE(Answer(dialog, *GetParam().message, IDOK));
    ASSERT_NO_FATAL_FAILURE(Cancel(dialog));

    EXPECT_EQ(std::vector<std::string>(), m_install.Missing());
}

INSTANTIATE_TEST_SUITE_P(
    Product, UninstallerRunningTest,
    testing::Values(RunningCase{"MainApplication", {"LZ7300_MainWindow_Kep@vemo"}, &kMainRunning},
                    RunningCase{"Explorer", {"LZ7300_Explorer@vemo"}, &kExplorerRunning},
                    RunningCase{"Both", {"LZ7300_Explorer@vemo", "LZ7300_MainWindow_Kep@vemo"}, &kMainRunning}),
    [](const testing::TestParamInfo<RunningCase> &info) { return std::string(info.param.name); });

TEST_F(UninstallerTest, DecliningTheConfirmationChangesNothing)
{
    ASSERT_TRUE(m_install.Create());
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    ASSERT_TRUE(e2e::Click(GetDlgItem(dialog, IDOK)));
    ASSERT_NO_FATAL_FAILURE(Answer(dialog, kConfirm, IDNO));
    ASSERT_NO_FATAL_FAILURE(Cancel(dialog));

    EXPECT_EQ(std::vector<std::string>(), m_install.Missing());
}

TEST_F(UninstallerTest, EnterRightAfterOpeningCancels)
{
    ASSERT_TRUE(m_install.Create());
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), e2e::Ask(dialog, DM_GETDEFID));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FocusOfThreadOf(dialog) == cancel; }))
        << "focus on " << e2e::TextOf(e2e::FocusOfThreadOf(dialog));
    ASSERT_TRUE(e2e::PressKey(cancel, VK_RETURN));
    EXPECT_TRUE(m_program.WaitForExit()) << m_program.Describe();

    EXPECT_EQ(std::vector<std::string>(), m_install.Missing());
}

TEST_F(UninstallerTest, AboutBoxFromTheSystemMenuLeavesTheDialogAsItWas)
{
    ASSERT_TRUE(m_install.Create());
    HWND dialog;
    ASSERT_NO_FATAL_FAILURE(Open(&dialog));
    ASSERT_NO_FATAL_FAILURE(Untick(dialog));
    const std::string folderLine = e2e::TextOf(GetDlgItem(dialog, kFolderLine));

    for (WPARAM command : {0x0010, 0x001F}) {
        SCOPED_TRACE(command);
        ASSERT_TRUE(PostMessageA(dialog, WM_SYSCOMMAND, command, 0));
        HWND about = m_program.WaitForNewDialog({dialog});
        ASSERT_NE(nullptr, about) << m_program.Describe();
        EXPECT_EQ(kAboutCaption, e2e::TextOf(about));
        EXPECT_EQ(dialog, GetWindow(about, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(dialog));
        std::vector<std::string> texts;
        for (HWND child : e2e::ChildrenOf(about))
            texts.push_back(e2e::TextOf(child));
        EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), kAboutText));
        ASSERT_TRUE(e2e::PressAndWaitGone(about, IDOK)) << m_program.Describe();

        EXPECT_TRUE(WaitUsable(dialog));
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(folderLine, e2e::TextOf(GetDlgItem(dialog, kFolderLine)));
        EXPECT_EQ(BST_UNCHECKED, e2e::Ask(GetDlgItem(dialog, kStockBookBox), BM_GETCHECK));
    }
    ASSERT_NO_FATAL_FAILURE(Cancel(dialog));

    EXPECT_EQ(std::vector<std::string>(), m_install.Missing());
}

} // namespace

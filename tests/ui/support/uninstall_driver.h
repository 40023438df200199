/* uninstall_driver.h - the uninstall dialog run inside the test process:
 * an application object set up by the framework's start-up, as the program's
 * own is, the dialog run modally as the program's main window, and the
 * program's message boxes read and answered from the timer script. */
#ifndef LZUITEST_UNINSTALL_DRIVER_H
#define LZUITEST_UNINSTALL_DRIVER_H

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "../../framework/gui_driver.h"
#include "UninstallDlg.h"
#include "afxwin.h"
#include "testenv.h"

namespace uitest {

using guitest::Script;
using guitest::Step;
using guitest::WindowText;

const char kAppTitle[] = "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ";
const char kDialogCaption[] = "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄｰﾗｰ";
const char kAboutCaption[] = "ﾊﾞｰｼﾞｮﾝ情報 LZUninstall";

/* controls of the system's message box */
const int kBoxTextId = 0xFFFF;
const int kBoxIconId = 0x0440;

/* A message box of the program: its text, the system icon it shows and its
 * buttons, ascending. */
struct Box {
    const char *text;
    LPCSTR icon;
    std::vector<int> buttons;
};

const Box kNotInstalled = {"ルメオ ゼルコアバージョンがインストールされていません。", IDI_HAND, {IDOK}};
const Box kMainRunning = {
    "ルメオ ゼルコアバージョンが起動しています。終了させてから実行してください。", IDI_HAND, {IDOK}};
const Box kExplorerRunning = {
    "ルメオ エクスプローラが起動しています。終了させてから実行してください。", IDI_HAND, {IDOK}};
const Box kConfirm = {"ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？", IDI_QUESTION, {IDYES, IDNO}};
const Box kAllRemoved = {"完全に削除しました。", IDI_EXCLAMATION, {IDOK}};
const Box kRemoved = {"削除に成功しました。", IDI_EXCLAMATION, {IDOK}};
const Box kNothingRemoved = {"削除されているか、削除に失敗しました。", IDI_EXCLAMATION, {IDOK}};

inline std::vector<int> VisibleButtons(HWND hBox)
{
    std::vector<int> ids;
    for (HWND hChild = GetWindow(hBox, GW_CHILD); hChild != NULL; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        char name[16];
        if (IsWindowVisible(hChild) && GetClassNameA(hChild, name, sizeof name) && lstrcmpiA(name, "Button") == 0)
            ids.push_back(GetDlgCtrlID(hChild));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

/* The active dialog of this thread when its caption is `caption`. */
inline HWND ActiveDialogCaptioned(const char *caption)
{
    HWND hDlg = guitest::ActiveDialog();
    return hDlg != NULL && WindowText(hDlg) == caption ? hDlg : NULL;
}

/* Runs action on the uninstall dialog once it takes input. */
inline Step OnUninstallDialog(std::function<void(HWND)> action)
{
    return [action] {
        HWND hDlg = ActiveDialogCaptioned(kDialogCaption);
        if (hDlg == NULL)
            return false;
        action(hDlg);
        return true;
    };
}

/* Checks the message box on screen against `expected`, runs `also` on it,
 * then presses `button`. Every box of the program carries the application
 * title and is owned by the uninstall dialog. */
inline Step Answer(const Box &expected, int button, std::function<void(HWND)> also = nullptr)
{
    return [expected, button, also] {
        HWND hBox = guitest::ActiveDialog();
        if (hBox == NULL || WindowText(hBox) == kDialogCaption || WindowText(hBox) == kAboutCaption)
            return false;
        SCOPED_TRACE(expected.text);
        EXPECT_EQ(kAppTitle, WindowText(hBox));
        EXPECT_EQ(expected.text, WindowText(GetDlgItem(hBox, kBoxTextId)));
        EXPECT_EQ(LoadIconA(NULL, expected.icon),
                  reinterpret_cast<HICON>(SendMessageA(GetDlgItem(hBox, kBoxIconId), STM_GETICON, 0, 0)));
        EXPECT_EQ(expected.buttons, VisibleButtons(hBox));
        EXPECT_EQ(kDialogCaption, WindowText(GetWindow(hBox, GW_OWNER)));
        if (also)
            also(hBox);
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return true;
    };
}

/* A click on control id of the dialog hDlg, as the control sends it. */
inline void Press(HWND hDlg, int id) { SendMessageA(GetDlgItem(hDlg, id), BM_CLICK, 0, 0); }

/* The application set up by the framework's start-up from this program's
 * module, whose resources are the uninstaller's: the title comes from the
 * title string, as in the program. */
class UninstallDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxWinInit(GetModuleHandleA(NULL)));
        ASSERT_NE(nullptr, m_app.m_pszAppName);
        ASSERT_EQ(std::string(kAppTitle), m_app.m_pszAppName);
    }

    /* Runs dlg modally as the program's main window, the script working
     * it; gives DoModal's result. Once the window has gone, the main window
     * is unset and the quit message for the program's end is waiting. A
     * failed folder removal leaves the working directory where it stopped,
     * which would keep that folder from being cleared away: the test puts
     * it back, the program having ended at this point. */
    INT_PTR RunDialog(CUninstallDlg &dlg, std::vector<Step> steps)
    {
        const std::string savedDir = lztest::CurrentDir();
        m_app.m_pMainWnd = &dlg;
        Script::Start(steps);
        INT_PTR nResult = dlg.DoModal();
        SetCurrentDirectoryA(savedDir.c_str());
        EXPECT_TRUE(Script::Finished());
        EXPECT_EQ(nullptr, m_app.m_pMainWnd);
        m_app.m_pMainWnd = NULL;
        WPARAM code = 0xdeadbeef;
        EXPECT_TRUE(guitest::TakeQuitMessage(&code));
        EXPECT_EQ(0u, code);
        return nResult;
    }

    CWinApp m_app;
};

} // namespace uitest

#endif

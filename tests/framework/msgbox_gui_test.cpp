/* msgbox_gui_test.cpp - the application's message box as the user sees
 * it: caption, text, icon, owner and the button pressed. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "afxwin.h"
#include "gui_driver.h"

using guitest::OnDialog;
using guitest::Script;
using guitest::WindowText;

namespace {

const char kTitle[] = "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ";
const int kTextId = 0xFFFF; /* the message box's text control */

struct Seen {
    std::string caption;
    std::string text;
    HICON hIcon = reinterpret_cast<HICON>(0xdeadbeef);
    HWND hOwner = reinterpret_cast<HWND>(0xdeadbeef);
    DWORD dwPromptContext = 0xdeadbeef;
};

BOOL CALLBACK FindIcon(HWND hWnd, LPARAM lParam)
{
    char name[16];
    if (GetClassNameA(hWnd, name, sizeof name) && lstrcmpiA(name, "Static") == 0 &&
        (GetWindowLongA(hWnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON *>(lParam) = reinterpret_cast<HICON>(SendMessageA(hWnd, STM_GETICON, 0, 0));
        return FALSE;
    }
    return TRUE;
}

/* Reads the box on screen, then presses button. */
guitest::Step ReadAndPress(Seen *pSeen, int button)
{
    return OnDialog([pSeen, button](HWND hBox) {
        pSeen->caption = WindowText(hBox);
        pSeen->text = WindowText(GetDlgItem(hBox, kTextId));
        pSeen->hIcon = NULL;
        EnumChildWindows(hBox, &FindIcon, reinterpret_cast<LPARAM>(&pSeen->hIcon));
        pSeen->hOwner = GetWindow(hBox, GW_OWNER);
        pSeen->dwPromptContext = AfxGetApp()->m_dwPromptContext;
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    });
}

HWND MakeTopLevel(HWND hOwner)
{
    return CreateWindowExA(0, "STATIC", "main", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, hOwner, NULL,
                           GetModuleHandleA(NULL), NULL);
}

class MessageBoxTest : public testing::Test {
protected:
    guitest::TestApp m_app{kTitle};
    CWnd m_mainWnd;

    void SetUp() override
    {
        ASSERT_TRUE(m_mainWnd.Attach(MakeTopLevel(NULL)));
        m_app.m_pMainWnd = &m_mainWnd;
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = NULL;
        m_mainWnd.DestroyWindow();
        EXPECT_TRUE(Script::Finished());
    }
};

struct IconCase {
    UINT nType;
    LPCSTR expectedIcon;
    int press;
};

TEST_F(MessageBoxTest, ExclamationIconIsAddedOnlyWhenTheTypeNamesNone)
{
    const IconCase cases[] = {
        {MB_OK, IDI_EXCLAMATION, IDOK},
        {MB_YESNO, IDI_EXCLAMATION, IDYES},
        {MB_OKCANCEL, IDI_EXCLAMATION, IDCANCEL},
        {MB_ICONHAND, IDI_HAND, IDOK},
        {MB_YESNO | MB_ICONQUESTION, IDI_QUESTION, IDNO},
        {MB_OKCANCEL | MB_ICONASTERISK, IDI_ASTERISK, IDOK},
    };
    for (const IconCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "type 0x" << std::hex << c.nType);
        Seen seen;
        Script::Start({ReadAndPress(&seen, c.press)});
        EXPECT_EQ(c.press, AfxMessageBox("削除に成功しました。", c.nType));
        EXPECT_EQ(kTitle, seen.caption);
        EXPECT_EQ("削除に成功しました。", seen.text);
        EXPECT_EQ(LoadIconA(NULL, c.expectedIcon), seen.hIcon);
        EXPECT_EQ(m_mainWnd.m_hWnd, seen.hOwner);
        EXPECT_EQ(0u, seen.dwPromptContext) << "no help id was given";
    }
}

TEST_F(MessageBoxTest, OwnerIsThePopupLastActiveOverTheMainWindow)
{
    HWND hPopup = MakeTopLevel(m_mainWnd.m_hWnd);
    SetActiveWindow(hPopup);
    ASSERT_EQ(hPopup, GetLastActivePopup(m_mainWnd.m_hWnd));
    Seen seen;
    Script::Start({ReadAndPress(&seen, IDOK)});
    EXPECT_EQ(IDOK, AfxMessageBox("text"));
    EXPECT_EQ(hPopup, seen.hOwner);
    DestroyWindow(hPopup);
}

TEST_F(MessageBoxTest, BoxIsUnownedWithoutAMainWindow)
{
    CWnd noWindow;
    const struct {
        const char *name;
        CWnd *pMainWnd;
    } cases[] = {{"no main window", NULL}, {"main window object without a window", &noWindow}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        m_app.m_pMainWnd = c.pMainWnd;
        Seen seen;
        Script::Start({ReadAndPress(&seen, IDOK)});
        EXPECT_EQ(IDOK, AfxMessageBox("text", MB_OK));
        EXPECT_EQ(nullptr, seen.hOwner);
        EXPECT_EQ(kTitle, seen.caption);
    }
}

TEST_F(MessageBoxTest, PromptFromAStringResourceCarriesItsHelpContext)
{
    const UINT IDS_ABOUTBOX = 101;
    Seen seen;
    Script::Start({ReadAndPress(&seen, IDOK)});
    EXPECT_EQ(IDOK, AfxMessageBox(IDS_ABOUTBOX));
    EXPECT_EQ("ﾊﾞｰｼﾞｮﾝ情報(LZUninstall) (&A)...", seen.text);
    EXPECT_EQ(HID_BASE_PROMPT + IDS_ABOUTBOX, seen.dwPromptContext);
    EXPECT_EQ(0u, m_app.m_dwPromptContext) << "restored when the box has gone";
}

} // namespace

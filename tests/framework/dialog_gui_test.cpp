/* dialog_gui_test.cpp - modal dialogs driven as a user would: how they end,
 * which commands reach OnOK, data exchange, message-map chaining and the
 * main window's clean-up. */
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "afxwin.h"
#include "gui_driver.h"

using guitest::Click;
using guitest::ControlDef;
using guitest::DialogTemplate;
using guitest::OnDialog;
using guitest::Script;
using guitest::Step;

namespace {

const int IDC_CHECK = 1001;
const int IDC_TEXT = 1003;
const int IDC_EXTRA = 2001;

/* Cancel first and default, as in the program's dialog; OK notifies focus. */
std::vector<ControlDef> StandardControls()
{
    return {
        {IDCANCEL, guitest::kButton, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 135, 150, 50, 14,
         "Cancel"},
        {IDOK, guitest::kButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_PUSHBUTTON, 80, 150, 50, 14,
         "Run"},
        {IDC_CHECK, guitest::kButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 65, 125, 57, 10, "Check"},
        {IDC_TEXT, guitest::kStatic, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 20, 10, 155, 8, ""},
    };
}

DialogTemplate StandardTemplate(bool extended = false)
{
    return DialogTemplate(extended, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 191, 169,
                          StandardControls());
}

/* Counts what reached OnOK and OnCancel; onInit runs at the end of
 * OnInitDialog. */
class TestDialog : public CDialog {
public:
    explicit TestDialog(const DialogTemplate &dialogTemplate, CWnd *pParent = NULL)
    {
        InitModalIndirect(dialogTemplate.Get(), pParent);
    }

    int m_nOK = 0;
    int m_nCancel = 0;
    std::vector<int> m_okNotifications; /* notification codes of WM_COMMAND for IDOK */
    std::function<void(TestDialog &)> m_onInit;

    BOOL OnInitDialog() override
    {
        BOOL bResult = CDialog::OnInitDialog();
        if (m_onInit)
            m_onInit(*this);
        return bResult;
    }
    void OnOK() override
    {
        m_nOK++;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        m_nCancel++;
        CDialog::OnCancel();
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDOK)
            m_okNotifications.push_back(HIWORD(wParam));
        return CDialog::OnCommand(wParam, lParam);
    }
};

/* The window of this thread that has the keyboard focus, or the dialog. */
HWND KeyTarget(HWND hDlg)
{
    HWND hFocus = GetFocus();
    return hFocus != NULL ? hFocus : hDlg;
}

class DialogTest : public testing::Test {
protected:
    guitest::TestApp m_app;

    void TearDown() override
    {
        WPARAM code;
        guitest::TakeQuitMessage(&code);
        EXPECT_TRUE(Script::Finished());
    }
};

/* ---- how a dialog ends ---- */

struct EndCase {
    const char *name;
    Step action;
    INT_PTR result;
    int nOK;
    int nCancel;
};

TEST_F(DialogTest, DoModalGivesTheEndDialogResultOfEachWayOut)
{
    const EndCase cases[] = {
        {"click OK", Click(IDOK), IDOK, 1, 0},
        {"click Cancel", Click(IDCANCEL), IDCANCEL, 0, 1},
        {"Esc key", OnDialog([](HWND h) { PostMessageA(KeyTarget(h), WM_KEYDOWN, VK_ESCAPE, 0); }), IDCANCEL, 0, 1},
        {"Enter key: Cancel is the default button",
         OnDialog([](HWND h) { PostMessageA(KeyTarget(h), WM_KEYDOWN, VK_RETURN, 0); }), IDCANCEL, 0, 1},
        {"WM_CLOSE", OnDialog([](HWND h) { PostMessageA(h, WM_CLOSE, 0, 0); }), IDCANCEL, 0, 1},
        {"close box", OnDialog([](HWND h) { PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL, 0, 1},
        {"EndDialog", OnDialog([](HWND h) { EndDialog(h, 42); }), 42, 0, 0},
    };
    for (const EndCase &c : cases) {
        SCOPED_TRACE(c.name);
        DialogTemplate dialogTemplate = StandardTemplate();
        TestDialog dlg(dialogTemplate);
        Script::Start({c.action});
        EXPECT_EQ(c.result, dlg.DoModal());
        EXPECT_EQ(c.nOK, dlg.m_nOK);
        EXPECT_EQ(c.nCancel, dlg.m_nCancel);
        EXPECT_EQ(nullptr, dlg.m_hWnd);
    }
}

TEST_F(DialogTest, FocusNotificationsOfTheOkButtonDoNotRunOnOK)
{
    DialogTemplate dialogTemplate = StandardTemplate();
    TestDialog dlg(dialogTemplate);
    int nOKAfterNotifications = -1;
    Script::Start({
        OnDialog([](HWND h) {
            /* a real focus change: BS_NOTIFY makes the button report it */
            SetFocus(GetDlgItem(h, IDOK));
            SetFocus(GetDlgItem(h, IDCANCEL));
            HWND hOK = GetDlgItem(h, IDOK);
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), reinterpret_cast<LPARAM>(hOK));
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_KILLFOCUS), reinterpret_cast<LPARAM>(hOK));
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_DOUBLECLICKED), reinterpret_cast<LPARAM>(hOK));
        }),
        [&] {
            nOKAfterNotifications = dlg.m_nOK;
            return true;
        },
        Click(IDOK),
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(0, nOKAfterNotifications);
    EXPECT_EQ(1, dlg.m_nOK);
    const std::vector<int> &codes = dlg.m_okNotifications;
    EXPECT_GE(std::count(codes.begin(), codes.end(), BN_SETFOCUS), 2) << "the button's own BN_SETFOCUS arrived";
    EXPECT_GE(std::count(codes.begin(), codes.end(), BN_KILLFOCUS), 2) << "the button's own BN_KILLFOCUS arrived";
}

/* ---- data exchange ---- */

class ExchangeDialog : public TestDialog {
public:
    using TestDialog::TestDialog;
    int m_nCheck = 0;
    int m_nExchangeId = IDC_CHECK;
    CStatic m_wndText;

protected:
    void DoDataExchange(CDataExchange *pDX) override
    {
        DDX_Control(pDX, IDC_TEXT, m_wndText);
        DDX_Check(pDX, m_nExchangeId, m_nCheck);
    }
};

struct CheckCase {
    int initial;
    int clicks;
    int endWith;
    LRESULT shown;
    int after;
};

TEST_F(DialogTest, CheckBoxExchangeGoesBothWays)
{
    const CheckCase cases[] = {
        {1, 0, IDOK, BST_CHECKED, 1},     {0, 0, IDOK, BST_UNCHECKED, 0},
        {1, 1, IDOK, BST_CHECKED, 0},     {0, 1, IDOK, BST_UNCHECKED, 1},
        {0, 2, IDOK, BST_UNCHECKED, 0},   {7, 0, IDOK, BST_UNCHECKED, 0}, /* no such state: shown unchecked */
        {1, 1, IDCANCEL, BST_CHECKED, 1},                                 /* Cancel takes nothing from the controls */
    };
    for (const CheckCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "initial " << c.initial << ", clicks " << c.clicks << ", end " << c.endWith);
        DialogTemplate dialogTemplate = StandardTemplate(true);
        ExchangeDialog dlg(dialogTemplate);
        dlg.m_nCheck = c.initial;
        LRESULT shown = -1;
        std::vector<Step> steps = {
            OnDialog([&](HWND h) { shown = SendMessageA(GetDlgItem(h, IDC_CHECK), BM_GETCHECK, 0, 0); })};
        for (int i = 0; i < c.clicks; i++)
            steps.push_back(Click(IDC_CHECK));
        steps.push_back(Click(c.endWith));
        Script::Start(steps);
        EXPECT_EQ(c.endWith, dlg.DoModal());
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.after, dlg.m_nCheck);
    }
}

TEST_F(DialogTest, ControlIsAttachedOnTheFirstExchangeAndReleasedWithTheDialog)
{
    DialogTemplate dialogTemplate = StandardTemplate();
    ExchangeDialog dlg(dialogTemplate);
    HWND hAttached = reinterpret_cast<HWND>(0xdeadbeef);
    HWND hControl = NULL;
    Script::Start({
        OnDialog([&](HWND h) {
            hControl = GetDlgItem(h, IDC_TEXT);
            hAttached = dlg.m_wndText.m_hWnd;
            /* later exchanges keep the same attachment */
            EXPECT_TRUE(dlg.UpdateData(TRUE));
            EXPECT_EQ(hControl, dlg.m_wndText.m_hWnd);
            dlg.m_wndText.SetWindowText("「C:\\ソフト\\表」");
        }),
        OnDialog([&](HWND h) {
            char text[64] = "";
            GetDlgItemTextA(h, IDC_TEXT, text, sizeof text);
            EXPECT_STREQ("「C:\\ソフト\\表」", text);
            CString read("sentinel");
            dlg.m_wndText.GetWindowText(read);
            EXPECT_STREQ("「C:\\ソフト\\表」", read);
            EXPECT_EQ(&dlg.m_wndText, CWnd::FromHandlePermanent(hControl));
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_NE(nullptr, hControl);
    EXPECT_EQ(hControl, hAttached);
    EXPECT_EQ(nullptr, dlg.m_wndText.m_hWnd) << "the control's end detached it";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hControl));
}

TEST_F(DialogTest, FailedExchangeKeepsTheDialogOpenOnOK)
{
    DialogTemplate dialogTemplate = StandardTemplate();
    ExchangeDialog dlg(dialogTemplate);
    dlg.m_nExchangeId = 999; /* no such control */
    dlg.m_nCheck = 1;
    bool bStillOpen = false;
    Script::Start({
        Click(IDOK),
        OnDialog([&](HWND h) { bStillOpen = IsWindowVisible(h) != FALSE; }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_nOK);
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(1, dlg.m_nCheck);
}

/* ---- message maps on real messages ---- */

class PaintingDialog : public TestDialog {
public:
    using TestDialog::TestDialog;
    std::vector<std::pair<UINT, LPARAM>> m_sysCommands;
    int m_nPaint = 0;
    bool m_bOwnPaint = false;
    bool m_bPaintContext = false;
    HICON m_hDragIcon = LoadIconA(NULL, IDI_APPLICATION);

protected:
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam)
    {
        m_sysCommands.push_back({nID, lParam});
        if ((nID & 0xFFF0) != 0x0010)
            CDialog::OnSysCommand(nID, lParam);
    }
    afx_msg void OnPaint()
    {
        m_nPaint++;
        if (!m_bOwnPaint) {
            CDialog::OnPaint();
            return;
        }
        CPaintDC dc(this);
        m_bPaintContext = dc.GetSafeHdc() != NULL && dc.m_ps.hdc == dc.GetSafeHdc() && dc.DrawIcon(0, 0, m_hDragIcon);
    }
    afx_msg HCURSOR OnQueryDragIcon() { return m_hDragIcon; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintingDialog, TestDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

class ExtraCommandDialog : public PaintingDialog {
public:
    using PaintingDialog::PaintingDialog;
    int m_nExtra = 0;

protected:
    afx_msg void OnExtra() { m_nExtra++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExtraCommandDialog, PaintingDialog)
ON_COMMAND(IDC_EXTRA, ExtraCommandDialog::OnExtra)
END_MESSAGE_MAP()

TEST_F(DialogTest, HandlersOfEveryMapInTheChainAreReached)
{
    DialogTemplate dialogTemplate = StandardTemplate();
    ExtraCommandDialog dlg(dialogTemplate);
    LRESULT dragIcon = 0;
    BOOL bUpdatePending = TRUE;
    Script::Start({
        OnDialog([&](HWND h) {
            SendMessageA(h, WM_SYSCOMMAND, 0x0013, 0x00050007);
            RedrawWindow(h, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            bUpdatePending = GetUpdateRect(h, NULL, FALSE);
            dragIcon = SendMessageA(h, WM_QUERYDRAGICON, 0, 0);
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_EXTRA, 0), 0);
            /* the system's own command goes on to the default: the close box */
            SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        }),
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_EQ(2u, dlg.m_sysCommands.size());
    EXPECT_EQ(0x0013u, dlg.m_sysCommands[0].first);
    EXPECT_EQ(0x00050007, dlg.m_sysCommands[0].second);
    EXPECT_EQ(static_cast<UINT>(SC_CLOSE), dlg.m_sysCommands[1].first);
    EXPECT_GE(dlg.m_nPaint, 1);
    EXPECT_FALSE(bUpdatePending) << "the default processing painted";
    EXPECT_EQ(reinterpret_cast<LRESULT>(dlg.m_hDragIcon), dragIcon);
    EXPECT_EQ(1, dlg.m_nExtra);
    EXPECT_EQ(1, dlg.m_nCancel) << "the base class's IDCANCEL entry was reached";
}

TEST_F(DialogTest, PaintContextBracketsOnePaint)
{
    DialogTemplate dialogTemplate = StandardTemplate();
    PaintingDialog dlg(dialogTemplate);
    dlg.m_bOwnPaint = true;
    BOOL bUpdatePending = TRUE;
    Script::Start({
        OnDialog([&](HWND h) {
            RedrawWindow(h, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
            bUpdatePending = GetUpdateRect(h, NULL, FALSE);
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_GE(dlg.m_nPaint, 1);
    EXPECT_TRUE(dlg.m_bPaintContext);
    EXPECT_FALSE(bUpdatePending) << "EndPaint validated the window";
}

/* ---- the main window ---- */

TEST_F(DialogTest, MainWindowIsClearedAndQuitPostedWhenTheDialogEnds)
{
    DialogTemplate dialogTemplate = StandardTemplate();
    TestDialog dlg(dialogTemplate);
    m_app.m_pMainWnd = &dlg;
    Script::Start({Click(IDOK)});
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    WPARAM code = 0xdeadbeef;
    EXPECT_TRUE(guitest::TakeQuitMessage(&code));
    EXPECT_EQ(0u, code);
}

TEST_F(DialogTest, DialogEndedDuringInitialisationIsNeverShownAndClearsTheMainWindow)
{
    DialogTemplate dialogTemplate = StandardTemplate();
    TestDialog dlg(dialogTemplate);
    bool bEverVisible = false;
    dlg.m_onInit = [&](TestDialog &d) {
        d.EndDialog(IDCANCEL);
        bEverVisible = d.IsWindowVisible() != FALSE;
    };
    m_app.m_pMainWnd = &dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(bEverVisible);
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    WPARAM code = 0xdeadbeef;
    EXPECT_TRUE(guitest::TakeQuitMessage(&code));
    EXPECT_EQ(0u, code);
}

TEST_F(DialogTest, OtherMainWindowIsLeftAloneWhenTheDialogEnds)
{
    CWnd other;
    m_app.m_pMainWnd = &other;
    DialogTemplate dialogTemplate = StandardTemplate();
    TestDialog dlg(dialogTemplate);
    Script::Start({Click(IDCANCEL)});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(&other, m_app.m_pMainWnd);
    WPARAM code;
    EXPECT_FALSE(guitest::TakeQuitMessage(&code));
}

TEST_F(DialogTest, MissingTemplateFailsAndClearsTheMainWindow)
{
    CDialog dlg(0x7ABC); /* no such dialog resource */
    m_app.m_pMainWnd = &dlg;
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(nullptr, m_app.m_pMainWnd);
    WPARAM code;
    EXPECT_FALSE(guitest::TakeQuitMessage(&code)) << "no window ended";
}

/* ---- commands that no dialog handles go to the application ---- */

class HelpApp : public guitest::TestApp {
public:
    int m_nHelp = 0;

protected:
    afx_msg void OnTestHelp() { m_nHelp++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpApp, guitest::TestApp)
ON_COMMAND(ID_HELP, HelpApp::OnTestHelp)
END_MESSAGE_MAP()

TEST_F(DialogTest, CommandsTheDialogDoesNotHandleReachTheApplication)
{
    HelpApp app;
    DialogTemplate dialogTemplate = StandardTemplate();
    TestDialog dlg(dialogTemplate);
    Script::Start({
        OnDialog([](HWND h) {
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
            /* a notification is no command: it stays with the dialog */
            SendMessageA(h, WM_COMMAND, MAKEWPARAM(ID_HELP, BN_SETFOCUS), reinterpret_cast<LPARAM>(h));
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(1, app.m_nHelp);
}

} // namespace

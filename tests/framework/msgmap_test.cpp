/* msgmap_test.cpp - the window layer's logic that needs no window: command
 * routing and message-map chaining, the handle maps, the current
 * application and the message-box hook. Runs natively and under Wine. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "afxwin.h"

namespace {

const UINT IDC_EXTRA = 2001;
/* a window handle that no window has: only the maps ever see it */
HWND FakeHandle(uintptr_t n) { return reinterpret_cast<HWND>(0x7FFF0000u + n * 4); }

/* A dialog without a window that records which handlers ran. */
class RecordingDialog : public CDialog {
public:
    std::vector<std::string> m_calls;
    using CDialog::OnWndMsg;

    void OnOK() override { m_calls.push_back("OnOK"); }
    void OnCancel() override { m_calls.push_back("OnCancel"); }

protected:
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam)
    {
        m_calls.push_back("OnSysCommand " + std::to_string(nID) + " " + std::to_string(lParam));
    }
    afx_msg void OnPaint() { m_calls.push_back("RecordingDialog::OnPaint"); }
    afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(0x5678); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingDialog, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

/* One more level: its own command and its own WM_PAINT. */
class DerivedDialog : public RecordingDialog {
protected:
    afx_msg void OnExtra() { m_calls.push_back("OnExtra"); }
    afx_msg void OnPaint() { m_calls.push_back("DerivedDialog::OnPaint"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDialog, RecordingDialog)
ON_COMMAND(IDC_EXTRA, DerivedDialog::OnExtra)
ON_WM_PAINT()
END_MESSAGE_MAP()

struct CommandCase {
    const char *name;
    WORD id;
    WORD code;
    LPARAM lParam; /* the control, or 0 for a menu or an accelerator */
    bool handled;
    const char *call;
};

TEST(CommandRoutingTest, OnlyClicksMenusAndAcceleratorsRunCommandHandlers)
{
    const LPARAM button = reinterpret_cast<LPARAM>(FakeHandle(1));
    const CommandCase cases[] = {
        {"OK clicked", IDOK, BN_CLICKED, button, true, "OnOK"},
        {"OK gets the focus", IDOK, BN_SETFOCUS, button, false, nullptr},
        {"OK loses the focus", IDOK, BN_KILLFOCUS, button, false, nullptr},
        {"OK double-clicked", IDOK, BN_DOUBLECLICKED, button, false, nullptr},
        {"OK from a menu", IDOK, 0, 0, true, "OnOK"},
        {"OK from an accelerator", IDOK, 1, 0, true, "OnOK"},
        {"Cancel clicked", IDCANCEL, BN_CLICKED, button, true, "OnCancel"},
        {"Cancel gets the focus", IDCANCEL, BN_SETFOCUS, button, false, nullptr},
        {"derived command clicked", IDC_EXTRA, BN_CLICKED, button, true, "OnExtra"},
        {"derived command, other notification", IDC_EXTRA, BN_KILLFOCUS, button, false, nullptr},
        {"unknown command", 3000, BN_CLICKED, button, false, nullptr},
        {"menu command 0", 0, 0, 0, false, nullptr},
    };
    for (const CommandCase &c : cases) {
        SCOPED_TRACE(c.name);
        DerivedDialog dlg;
        LRESULT lResult = 0xdeadbeef;
        EXPECT_EQ(c.handled, dlg.OnWndMsg(WM_COMMAND, MAKEWPARAM(c.id, c.code), c.lParam, &lResult) != FALSE);
        if (c.handled) {
            EXPECT_EQ(0, lResult);
            EXPECT_EQ(std::vector<std::string>{c.call}, dlg.m_calls);
        } else {
            EXPECT_EQ(static_cast<LRESULT>(0xdeadbeef), lResult);
            EXPECT_TRUE(dlg.m_calls.empty());
        }
    }
}

TEST(MessageMapTest, MostDerivedEntryWinsAndBaseEntriesAreStillReached)
{
    DerivedDialog dlg;
    LRESULT lResult = 0;
    EXPECT_TRUE(dlg.OnWndMsg(WM_PAINT, 0, 0, &lResult));
    EXPECT_TRUE(dlg.OnWndMsg(WM_SYSCOMMAND, 0x0013, 0x00050007, &lResult));
    EXPECT_TRUE(dlg.OnWndMsg(WM_QUERYDRAGICON, 0, 0, &lResult));
    EXPECT_EQ(0x5678, lResult) << "the handler's result is the message's";
    EXPECT_EQ((std::vector<std::string>{"DerivedDialog::OnPaint", "OnSysCommand 19 327687"}), dlg.m_calls);

    RecordingDialog base;
    EXPECT_TRUE(base.OnWndMsg(WM_PAINT, 0, 0, &lResult));
    EXPECT_EQ(std::vector<std::string>{"RecordingDialog::OnPaint"}, base.m_calls);

    lResult = 0xdeadbeef;
    EXPECT_FALSE(dlg.OnWndMsg(WM_TIMER, 0, 0, &lResult)) << "no map has an entry";
    EXPECT_EQ(static_cast<LRESULT>(0xdeadbeef), lResult);
}

/* ---- handle maps ---- */

TEST(HandleMapTest, FromHandleGivesTheAttachedObjectOrOneTemporaryPerHandle)
{
    EXPECT_EQ(nullptr, CWnd::FromHandle(NULL));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(NULL));

    CWnd wnd;
    EXPECT_TRUE(wnd.Attach(FakeHandle(10)));
    EXPECT_EQ(&wnd, CWnd::FromHandle(FakeHandle(10)));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(FakeHandle(10)));

    CWnd *pTemp = CWnd::FromHandle(FakeHandle(11));
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(FakeHandle(11), pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(FakeHandle(11)));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(FakeHandle(11)));

    EXPECT_EQ(FakeHandle(10), wnd.Detach());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(FakeHandle(10)));
}

TEST(HandleMapTest, AttachRefusesNullHandlesSecondHandlesAndTakenHandles)
{
    CWnd first, second;
    EXPECT_FALSE(first.Attach(NULL));
    EXPECT_TRUE(first.Attach(FakeHandle(20)));
    EXPECT_FALSE(first.Attach(FakeHandle(21))) << "already attached";
    EXPECT_EQ(FakeHandle(20), first.m_hWnd);
    EXPECT_FALSE(second.Attach(FakeHandle(20))) << "taken by another object";
    EXPECT_EQ(nullptr, second.m_hWnd);
    EXPECT_EQ(nullptr, second.Detach());
    EXPECT_EQ(&first, CWnd::FromHandlePermanent(FakeHandle(20)));
    first.Detach();
}

TEST(HandleMapTest, ObjectDestroyedWhileAttachedLeavesNoEntry)
{
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(FakeHandle(30)));
    }
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(FakeHandle(30)));
}

/* ---- data exchange without controls ---- */

class CheckDialog : public CDialog {
public:
    int m_nCheck = 1;
    CStatic m_wndText;

protected:
    void DoDataExchange(CDataExchange *pDX) override
    {
        DDX_Control(pDX, 1003, m_wndText);
        DDX_Check(pDX, 1001, m_nCheck);
    }
};

TEST(DataExchangeTest, ExchangeWithMissingControlsFailsAndChangesNothing)
{
    CheckDialog dlg;
    for (BOOL bSave : {FALSE, TRUE}) {
        EXPECT_FALSE(dlg.UpdateData(bSave));
        EXPECT_EQ(1, dlg.m_nCheck);
        EXPECT_EQ(nullptr, dlg.m_wndText.m_hWnd);
    }
}

/* ---- the application ---- */

class HookedApp : public CWinApp {
public:
    explicit HookedApp(LPCSTR lpszTitle) : CWinApp(lpszTitle) {}
    std::string m_text;
    UINT m_nType = 0xdeadbeef;
    UINT m_nIDPrompt = 0xdeadbeef;
    int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) override
    {
        m_text = lpszPrompt;
        m_nType = nType;
        m_nIDPrompt = nIDPrompt;
        return IDNO;
    }
};

TEST(ApplicationTest, TheLatestApplicationIsCurrentUntilItGoes)
{
    CWinApp *pBefore = AfxGetApp();
    {
        HookedApp outer("outer");
        EXPECT_EQ(&outer, AfxGetApp());
        EXPECT_STREQ("outer", outer.m_pszAppName);
        {
            HookedApp inner("inner");
            EXPECT_EQ(&inner, AfxGetApp());
        }
        EXPECT_EQ(&outer, AfxGetApp());
    }
    EXPECT_EQ(pBefore, AfxGetApp());
}

TEST(ApplicationTest, MessageBoxesGoThroughTheApplicationsHook)
{
    HookedApp app("title");
    EXPECT_EQ(IDNO, AfxMessageBox("ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？", MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ("ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？", app.m_text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), app.m_nType);
    EXPECT_EQ(0u, app.m_nIDPrompt);

    EXPECT_EQ(IDNO, AfxMessageBox(0x7ABC, MB_OK));
    EXPECT_EQ(0x7ABCu, app.m_nIDPrompt) << "the prompt's id is its help context";
    EXPECT_EQ(IDNO, AfxMessageBox(0x7ABC, MB_OK, 5));
    EXPECT_EQ(5u, app.m_nIDPrompt);
}

TEST(ApplicationTest, DestroyedMainWindowObjectIsNoLongerTheMainWindow)
{
    HookedApp app("title");
    {
        CDialog dlg(100);
        app.m_pMainWnd = &dlg;
        EXPECT_EQ(&dlg, AfxGetMainWnd());
    }
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

} // namespace

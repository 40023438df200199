/* placement_gui_test.cpp - where a modal dialog opens: centred in the work
 * area or over its owner when the dialog manager placed it by default, left
 * where it is otherwise. */
#include <gtest/gtest.h>
#include <windows.h>

#include <stdlib.h>

#include "afxwin.h"
#include "gui_driver.h"

using guitest::Click;
using guitest::ControlDef;
using guitest::DialogTemplate;
using guitest::ExpectCentredIn;
using guitest::OnDialog;
using guitest::Script;
using guitest::WorkArea;

namespace {

enum class Owner { None, Visible, Minimised, MainWindow, EnabledDuringInit };
enum class InitAction { None, Move, Show };
enum class Expect { WorkAreaCentre, OwnerCentre, Unmoved };

struct PlacementCase {
    const char *name;
    bool extended;
    short x, y;
    DWORD style;
    Owner owner;
    InitAction init;
    Expect expect;
};

const DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

/* Records where initialisation left the dialog, after acting on it. */
class PlacedDialog : public CDialog {
public:
    PlacedDialog(const DialogTemplate &dialogTemplate, CWnd *pParent, InitAction action) : m_action(action)
    {
        InitModalIndirect(dialogTemplate.Get(), pParent);
    }

    RECT m_rectAfterInit = {};

    BOOL OnInitDialog() override
    {
        BOOL bResult = CDialog::OnInitDialog();
        if (m_action == InitAction::Move)
            SetWindowPos(m_hWnd, NULL, 5, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        else if (m_action == InitAction::Show)
            ShowWindow(SW_SHOW);
        HWND hOwner = GetWindow(m_hWnd, GW_OWNER);
        if (hOwner != NULL && m_enableOwner)
            ::EnableWindow(hOwner, TRUE);
        GetWindowRect(&m_rectAfterInit);
        return bResult;
    }

    bool m_enableOwner = false;

private:
    InitAction m_action;
};

void ExpectSameRect(const RECT &a, const RECT &b)
{
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.bottom, b.bottom);
}

/* A top-level window away from the centre of the screen. */
HWND MakeOwnerWindow()
{
    return CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 60, 40, 520, 440, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}

TEST(PlacementTest, DefaultPlacedDialogsAreCentredAndOthersLeftAlone)
{
    const PlacementCase cases[] = {
        {"no owner", false, 0, 0, kStyle, Owner::None, InitAction::None, Expect::WorkAreaCentre},
        {"no owner, extended template", true, 0, 0, kStyle, Owner::None, InitAction::None, Expect::WorkAreaCentre},
        {"visible in the template", true, 0, 0, kStyle | WS_VISIBLE, Owner::None, InitAction::None,
         Expect::WorkAreaCentre},
        {"visible owner", false, 0, 0, kStyle, Owner::Visible, InitAction::None, Expect::OwnerCentre},
        {"main window as owner", true, 0, 0, kStyle, Owner::MainWindow, InitAction::None, Expect::OwnerCentre},
        {"minimised owner", false, 0, 0, kStyle, Owner::Minimised, InitAction::None, Expect::WorkAreaCentre},
        {"minimised owner, extended", true, 0, 0, kStyle, Owner::Minimised, InitAction::None, Expect::WorkAreaCentre},
        {"template position", false, 10, 10, kStyle, Owner::None, InitAction::None, Expect::Unmoved},
        {"template position y only", true, 0, 12, kStyle, Owner::None, InitAction::None, Expect::Unmoved},
        {"template position over an owner", false, 8, 0, kStyle, Owner::Visible, InitAction::None, Expect::Unmoved},
        {"DS_ABSALIGN", false, 0, 0, kStyle | DS_ABSALIGN, Owner::None, InitAction::None, Expect::Unmoved},
        {"DS_ABSALIGN, extended", true, 0, 0, kStyle | DS_ABSALIGN, Owner::None, InitAction::None, Expect::Unmoved},
        {"owner enabled during initialisation", false, 0, 0, kStyle, Owner::EnabledDuringInit, InitAction::None,
         Expect::Unmoved},
        {"moved during initialisation", false, 0, 0, kStyle, Owner::None, InitAction::Move, Expect::Unmoved},
        {"shown during initialisation", true, 0, 0, kStyle, Owner::None, InitAction::Show, Expect::Unmoved},
    };
    guitest::TestApp app;
    for (const PlacementCase &c : cases) {
        SCOPED_TRACE(c.name);
        HWND hOwner = c.owner != Owner::None ? MakeOwnerWindow() : NULL;
        if (c.owner == Owner::Minimised) {
            ShowWindow(hOwner, SW_MINIMIZE);
            ASSERT_TRUE(IsIconic(hOwner));
        }
        CWnd mainWnd;
        if (c.owner == Owner::MainWindow) {
            mainWnd.Attach(hOwner);
            app.m_pMainWnd = &mainWnd;
        }
        RECT ownerRect = {};
        GetWindowRect(hOwner, &ownerRect);
        CWnd *pParent = (c.owner == Owner::None || c.owner == Owner::MainWindow) ? NULL : CWnd::FromHandle(hOwner);

        DialogTemplate dialogTemplate(
            c.extended, c.style, c.x, c.y, 150, 80,
            {{IDOK, guitest::kButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 50, 60, 50, 14, "OK"}});
        PlacedDialog dlg(dialogTemplate, pParent, c.init);
        dlg.m_enableOwner = c.owner == Owner::EnabledDuringInit;
        RECT shown = {};
        HWND hDialogOwner = NULL;
        Script::Start({
            OnDialog([&](HWND h) {
                GetWindowRect(h, &shown);
                hDialogOwner = GetWindow(h, GW_OWNER);
            }),
            Click(IDOK),
        });
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_EQ(hOwner, hDialogOwner);
        switch (c.expect) {
        case Expect::WorkAreaCentre:
            ExpectCentredIn(shown, WorkArea());
            break;
        case Expect::OwnerCentre:
            ExpectCentredIn(shown, ownerRect);
            break;
        case Expect::Unmoved:
            ExpectSameRect(dlg.m_rectAfterInit, shown);
            break;
        }
        app.m_pMainWnd = NULL;
        mainWnd.Detach();
        if (hOwner != NULL)
            DestroyWindow(hOwner);
    }
    EXPECT_TRUE(Script::Finished());
}

TEST(PlacementTest, ChildWindowIsCentredInItsParentsClientArea)
{
    guitest::TestApp app;
    const WORD IDC_CHILD = 1003;
    DialogTemplate dialogTemplate(false, kStyle, 0, 0, 150, 80,
                                  {{IDC_CHILD, guitest::kStatic, WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, "child"},
                                   {IDCANCEL, guitest::kButton, WS_CHILD | WS_VISIBLE, 90, 60, 50, 14, "Cancel"}});
    CDialog dlg;
    dlg.InitModalIndirect(dialogTemplate.Get());
    RECT child = {}, client = {};
    Script::Start({
        OnDialog([&](HWND h) {
            HWND hChild = GetDlgItem(h, IDC_CHILD);
            CWnd::FromHandle(hChild)->CenterWindow();
            GetWindowRect(hChild, &child);
            MapWindowPoints(NULL, h, reinterpret_cast<LPPOINT>(&child), 2);
            GetClientRect(h, &client);
        }),
        Click(IDCANCEL),
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ExpectCentredIn(child, client);
    EXPECT_GT(child.left, 0);
}

/* The program's own About box: a plain template, hidden until the modal
 * loop shows it, with the one OK button. */
TEST(PlacementTest, AboutBoxFromTheResourcesOpensCentredAndEndsWithOK)
{
    const UINT IDD_ABOUTBOX = 100;
    guitest::TestApp app;
    ASSERT_NE(nullptr, FindResourceA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_ABOUTBOX), RT_DIALOG))
        << "the test program carries the program's resources";
    CDialog dlg(IDD_ABOUTBOX);
    RECT shown = {};
    Script::Start({OnDialog([&](HWND h) { GetWindowRect(h, &shown); }), Click(IDOK)});
    EXPECT_EQ(IDOK, dlg.DoModal());
    ExpectCentredIn(shown, WorkArea());
    EXPECT_TRUE(Script::Finished());
}

} // namespace

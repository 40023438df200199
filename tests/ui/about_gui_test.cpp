/* about_gui_test.cpp - the About item of the uninstall dialog's system
 * menu, the system commands that open the About box, and where the box and
 * the dialog open. */
#include <gtest/gtest.h>
#include <windows.h>

#include <stdlib.h>

#include <map>
#include <string>

#include "sample_install.h"
#include "support/uninstall_driver.h"
#include "testenv.h"

namespace {

using namespace uitest;
using guitest::ExpectCentredIn;
using guitest::WorkArea;

class AboutTest : public UninstallDialogTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(UninstallDialogTest::SetUp());
        ASSERT_TRUE(m_install.Create());
    }

    lztest::Scratch m_scratch;
    e2e::SampleInstall m_install{m_scratch.Path()};
};

/* Closes the About box once it is up, after recording where it is and
 * whose it is. */
Step CloseAboutBox(RECT *pRect, HWND *pOwner)
{
    return [pRect, pOwner] {
        HWND hAbout = ActiveDialogCaptioned(kAboutCaption);
        if (hAbout == NULL)
            return false;
        GetWindowRect(hAbout, pRect);
        *pOwner = GetWindow(hAbout, GW_OWNER);
        Press(hAbout, IDOK);
        return true;
    };
}

std::string MenuText(HMENU hMenu, int pos)
{
    char text[128] = "";
    GetMenuStringA(hMenu, pos, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(AboutTest, SystemMenuGainsASeparatorAndTheAboutItem)
{
    int nItems = -1, nStandard = -1;
    MENUITEMINFOA separator = {}, item = {};
    std::string text;
    CUninstallDlg dlg;
    EXPECT_EQ(IDCANCEL, RunDialog(dlg, {OnUninstallDialog([&](HWND hDlg) {
                                      HMENU hMenu = GetSystemMenu(hDlg, FALSE);
                                      nItems = GetMenuItemCount(hMenu);
                                      for (MENUITEMINFOA *pInfo : {&separator, &item}) {
                                          pInfo->cbSize = sizeof *pInfo;
                                          pInfo->fMask = MIIM_FTYPE | MIIM_ID;
                                          pInfo->wID = 0xdeadbeef;
                                      }
                                      GetMenuItemInfoA(hMenu, nItems - 2, TRUE, &separator);
                                      GetMenuItemInfoA(hMenu, nItems - 1, TRUE, &item);
                                      text = MenuText(hMenu, nItems - 1);
                                      GetSystemMenu(hDlg, TRUE); /* back to the system's own */
                                      nStandard = GetMenuItemCount(GetSystemMenu(hDlg, FALSE));
                                      Press(hDlg, IDCANCEL);
                                  })}));
    EXPECT_EQ(nStandard + 2, nItems);
    EXPECT_EQ(static_cast<UINT>(MFT_SEPARATOR), separator.fType & MFT_SEPARATOR);
    EXPECT_EQ(static_cast<UINT>(MFT_STRING), item.fType);
    EXPECT_EQ(0x0010u, item.wID);
    EXPECT_EQ("ﾊﾞｰｼﾞｮﾝ情報(LZUninstall) (&A)...", text);
}

/* Every command whose value without its low four bits is the About item's
 * opens the box over the dialog; the others do not. */
TEST_F(AboutTest, AboutBoxOpensForCommands0x10To0x1F)
{
    std::map<WPARAM, bool> opened;
    std::vector<Step> steps;
    HWND hDialog = NULL;
    for (WPARAM command = 0x000E; command <= 0x0021; command++) {
        steps.push_back(OnUninstallDialog([&opened, &hDialog, command](HWND hDlg) {
            hDialog = hDlg;
            opened[command] = false;
            SendMessageA(hDlg, WM_SYSCOMMAND, command, 0);
        }));
        /* runs inside the About box's modal loop when the command opened it */
        steps.push_back([&opened, &hDialog, command] {
            HWND hActive = guitest::ActiveDialog();
            if (hActive == NULL)
                return false;
            if (WindowText(hActive) == kAboutCaption) {
                opened[command] = true;
                EXPECT_EQ(hDialog, GetWindow(hActive, GW_OWNER));
                EXPECT_FALSE(IsWindowEnabled(hDialog));
                Press(hActive, IDOK);
            }
            return true;
        });
    }
    steps.push_back(OnUninstallDialog([](HWND hDlg) { Press(hDlg, IDCANCEL); }));
    CUninstallDlg dlg;
    EXPECT_EQ(IDCANCEL, RunDialog(dlg, steps));
    for (const auto &entry : opened)
        EXPECT_EQ(entry.first >= 0x0010 && entry.first <= 0x001F, entry.second)
            << "command 0x" << std::hex << entry.first;
    EXPECT_EQ(20u, opened.size());
    EXPECT_EQ(std::vector<std::string>(), m_install.Missing());
}

TEST_F(AboutTest, DialogOpensCentredAndTheAboutBoxOverItOrInTheWorkAreaWhenMinimised)
{
    RECT opening = {}, moved = {}, overDialog = {}, overMinimised = {};
    HWND hDialog = NULL, hOwner1 = NULL, hOwner2 = NULL;
    bool bMinimised = false;
    CUninstallDlg dlg;
    EXPECT_EQ(IDCANCEL, RunDialog(dlg, {OnUninstallDialog([&](HWND hDlg) {
                                            hDialog = hDlg;
                                            GetWindowRect(hDlg, &opening);
                                            /* off the centre, the box still fitting around it */
                                            SetWindowPos(hDlg, NULL, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                                            GetWindowRect(hDlg, &moved);
                                            SendMessageA(hDlg, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
                                        }),
                                        CloseAboutBox(&overDialog, &hOwner1), OnUninstallDialog([&](HWND hDlg) {
                                            ShowWindow(hDlg, SW_MINIMIZE);
                                            bMinimised = IsIconic(hDlg) != FALSE;
                                            SendMessageA(hDlg, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
                                        }),
                                        CloseAboutBox(&overMinimised, &hOwner2), OnUninstallDialog([](HWND hDlg) {
                                            ShowWindow(hDlg, SW_RESTORE);
                                            Press(hDlg, IDCANCEL);
                                        })}));
    {
        SCOPED_TRACE("the dialog opening");
        ExpectCentredIn(opening, WorkArea());
    }
    {
        SCOPED_TRACE("over the moved dialog");
        EXPECT_EQ(hDialog, hOwner1);
        ExpectCentredIn(overDialog, moved);
    }
    {
        SCOPED_TRACE("over the minimised dialog");
        ASSERT_TRUE(bMinimised);
        EXPECT_EQ(hDialog, hOwner2);
        ExpectCentredIn(overMinimised, WorkArea());
    }
}

} // namespace

/* appinit_native_test.cpp - start-up and dialogs on the native platform
 * layer, which has no window system yet: the title comes from the linked
 * resources, the module's file name follows Windows' truncation rule, and
 * windows fail cleanly. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "afxwin.h"

namespace {

const DWORD kCallNotImplemented = 120;

TEST(NativeStartTest, TitleComesFromTheTitleString)
{
    CWinApp app;
    ASSERT_TRUE(AfxWinInit(GetModuleHandleA(NULL)));
    EXPECT_STREQ("ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ", app.m_pszAppName);
    EXPECT_STREQ("framework_tests", app.m_pszExeName);
    std::string help = app.m_pszHelpFilePath;
    EXPECT_EQ(0u, help.rfind("\\\\?\\unix\\", 0)) << help;
    EXPECT_EQ("\\framework_tests.HLP", help.substr(help.size() - 20));
}

TEST(NativeStartTest, ModuleFileNameIsCutToTheBufferLikeWindows)
{
    char full[4096];
    DWORD n = GetModuleFileNameA(NULL, full, sizeof full);
    ASSERT_GT(n, 20u);
    ASSERT_EQ('\0', full[n]);
    const struct {
        DWORD size;
        DWORD result;
        DWORD error; /* 0: not set */
    } cases[] = {
        {n + 1, n, 0},
        {n, n, ERROR_INSUFFICIENT_BUFFER},
        {5, 5, ERROR_INSUFFICIENT_BUFFER},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[4096];
        memset(buffer, 'x', sizeof buffer);
        SetLastError(0xdeadbeef);
        EXPECT_EQ(c.result, GetModuleFileNameA(GetModuleHandleA(NULL), buffer, c.size));
        EXPECT_EQ(c.error ? c.error : 0xdeadbeef, GetLastError());
        EXPECT_EQ(0, memcmp(full, buffer, c.result));
        EXPECT_EQ(c.result < c.size ? '\0' : 'x', buffer[c.result]) << "terminated only when it fits";
    }
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, GetModuleHandleA("user32.dll"));
    EXPECT_EQ(126u, GetLastError()); /* ERROR_MOD_NOT_FOUND */
}

TEST(NativeWindowsTest, DialogsAndMessageBoxesFailCleanly)
{
    CWinApp app("title");
    CDialog dlg(100);
    app.m_pMainWnd = &dlg;
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(nullptr, app.m_pMainWnd);

    CDialog indirect;
    DLGTEMPLATE empty = {};
    ASSERT_TRUE(indirect.InitModalIndirect(&empty));
    SetLastError(0xdeadbeef);
    EXPECT_EQ(-1, indirect.DoModal());
    EXPECT_EQ(kCallNotImplemented, GetLastError());

    /* a message box is written out and answered with its default button */
    EXPECT_EQ(IDOK, AfxMessageBox("text"));
    EXPECT_EQ(IDYES, AfxMessageBox("text", MB_YESNO));
    EXPECT_EQ(IDNO, AfxMessageBox("text", MB_YESNO | MB_DEFBUTTON2));
    EXPECT_EQ(IDCANCEL, AfxMessageBox("text", MB_YESNOCANCEL | MB_DEFBUTTON3));
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, FindWindowA("LZ7300_MainWindow_Kep@vemo", NULL));
    EXPECT_EQ(kCallNotImplemented, GetLastError());
    EXPECT_EQ(nullptr, CWnd::FromHandle(FindWindowA("LZ7300_Explorer@vemo", NULL)));
}

} // namespace

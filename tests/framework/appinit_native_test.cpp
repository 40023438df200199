/* appinit_native_test.cpp - start-up and dialogs on the native platform
 * layer: the title comes from the linked resources, the module's file name
 * follows Windows' truncation rule, and modal loops end by themselves when
 * no input can come. */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "afxwin.h"

namespace {

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

/* Without a front end and without timers no input can ever come: the
 * window system ends each modal loop as Esc would, and by force where Esc
 * does nothing, instead of waiting for ever. */
TEST(NativeWindowsTest, ModalLoopsWithoutInputEndAsEscWould)
{
    CWinApp app("title");
    CDialog about(100);
    app.m_pMainWnd = &about;
    EXPECT_EQ(IDCANCEL, about.DoModal());
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the main window's end quits";

    const struct {
        UINT type;
        int answer;
    } boxes[] = {
        {MB_OK, IDOK},                              /* Esc answers OK where OK is all there is */
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},    /* Esc is Cancel */
        {MB_YESNOCANCEL | MB_DEFBUTTON1, IDCANCEL}, /* whatever the default */
        {MB_YESNO, IDCANCEL},                       /* Esc does nothing: ended by force */
    };
    for (const auto &box : boxes) {
        SCOPED_TRACE(box.type);
        EXPECT_EQ(box.answer, AfxMessageBox("text", box.type));
    }
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, FindWindowA("LZ7300_MainWindow_Kep@vemo", NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS), GetLastError());
}

} // namespace

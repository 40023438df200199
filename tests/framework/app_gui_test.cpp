/* app_gui_test.cpp - the program's start-up: the title and names taken from
 * the module, and the sequence InitInstance - Run or ExitInstance. */
#include <gtest/gtest.h>
#include <mbctype.h>
#include <windows.h>

#include <functional>
#include <string>

#include "afxwin.h"
#include "gui_driver.h"

using guitest::Click;
using guitest::DialogTemplate;
using guitest::Script;

namespace {

/* An application whose InitInstance and ExitInstance the test supplies. */
class ScriptedApp : public CWinApp {
public:
    explicit ScriptedApp(LPCSTR lpszAppName = NULL) : CWinApp(lpszAppName) {}

    std::function<BOOL(ScriptedApp &)> m_initInstance;
    std::function<int(ScriptedApp &)> m_exitInstance;
    int m_nExitCalls = 0;

    BOOL InitInstance() override { return m_initInstance ? m_initInstance(*this) : CWinApp::InitInstance(); }
    int ExitInstance() override
    {
        m_nExitCalls++;
        return m_exitInstance ? m_exitInstance(*this) : CWinApp::ExitInstance();
    }
};

std::string Lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

struct TitleCase {
    const char *name;
    LPCSTR given;
    HMODULE module;
    std::string title; /* compared without regard to case */
};

TEST(AppStartTest, TitleComesFromTheGivenNameTheTitleStringOrTheModuleName)
{
    HMODULE hProgram = GetModuleHandleA(NULL);
    HMODULE hKernel = GetModuleHandleA("kernel32.dll");
    char probe[8];
    ASSERT_EQ(0, LoadStringA(hKernel, AFX_IDS_APP_TITLE, probe, sizeof probe)) << "kernel32 has no title string";
    const TitleCase cases[] = {
        {"given", "Given title", hProgram, "given title"},
        {"title string", NULL, hProgram, "ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ"},
        {"no title string", NULL, hKernel, "kernel32"},
    };
    for (const TitleCase &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedApp app(c.given);
        ASSERT_TRUE(AfxWinInit(c.module));
        EXPECT_EQ(c.module, app.m_hInstance);
        ASSERT_NE(nullptr, app.m_pszAppName);
        EXPECT_EQ(c.title, Lower(app.m_pszAppName));
    }
}

TEST(AppStartTest, ProgramNameAndHelpFileComeFromTheModuleFileName)
{
    ScriptedApp app("x");
    _setmbcp(_MB_CP_SBCS);
    ASSERT_TRUE(AfxWinInit(GetModuleHandleA(NULL)));
    EXPECT_EQ(932, _getmbcp()) << "start-up selects the ANSI code page for multibyte text";
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof path);
    ASSERT_GT(n, 4u);
    std::string full(path, n);
    std::string folder = full.substr(0, full.rfind('\\') + 1);
    /* the extension is the file name's own: a dot in a folder name is none */
    std::string stem = full.substr(folder.size());
    stem = stem.substr(0, stem.rfind('.'));
    EXPECT_EQ(stem, app.m_pszExeName);
    EXPECT_EQ(folder + stem + ".HLP", app.m_pszHelpFilePath);
}

/* A top-level window whose object routes its messages and counts WM_USER. */
class CountingWnd : public CWnd {
public:
    int m_nUser = 0;
    BOOL Create()
    {
        return SubclassWindow(
            CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, GetModuleHandleA(NULL), NULL));
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER)
            m_nUser++;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(AppStartTest, FailedInitInstanceEndsTheMainWindowThenGivesExitInstancesCode)
{
    ScriptedApp app;
    CountingWnd wnd;
    HWND hWnd = NULL;
    bool bWindowGoneAtExit = false;
    LPCSTR pszTitleAtInit = NULL;
    app.m_initInstance = [&](ScriptedApp &a) {
        pszTitleAtInit = a.m_pszAppName;
        EXPECT_TRUE(wnd.Create());
        hWnd = wnd.m_hWnd;
        a.m_pMainWnd = &wnd;
        return FALSE;
    };
    app.m_exitInstance = [&](ScriptedApp &) {
        bWindowGoneAtExit = !IsWindow(hWnd);
        return 7;
    };
    EXPECT_EQ(7, AfxWinMain(GetModuleHandleA(NULL)));
    EXPECT_NE(nullptr, pszTitleAtInit) << "the title is set before InitInstance";
    EXPECT_EQ(1, app.m_nExitCalls);
    EXPECT_TRUE(bWindowGoneAtExit);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    WPARAM code = 0xdeadbeef;
    EXPECT_TRUE(guitest::TakeQuitMessage(&code));
    EXPECT_EQ(0u, code);
}

TEST(AppStartTest, ModalDialogAsMainWindowEndsTheProgramWithExitCodeZero)
{
    ScriptedApp app;
    DialogTemplate dialogTemplate(
        false, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 150, 80,
        {{IDCANCEL, guitest::kButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 50, 60, 50, 14, "Cancel"}});
    INT_PTR nModalResult = 0;
    app.m_initInstance = [&](ScriptedApp &a) {
        a.Enable3dControlsStatic();
        CDialog dlg;
        dlg.InitModalIndirect(dialogTemplate.Get());
        a.m_pMainWnd = &dlg;
        Script::Start({Click(IDCANCEL)});
        nModalResult = dlg.DoModal();
        return FALSE;
    };
    EXPECT_EQ(0, AfxWinMain(GetModuleHandleA(NULL)));
    EXPECT_EQ(IDCANCEL, nModalResult);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
    EXPECT_TRUE(Script::Finished());
    WPARAM code;
    EXPECT_TRUE(guitest::TakeQuitMessage(&code));
}

TEST(AppStartTest, SuccessfulInitInstanceRunsTheMessageLoopUntilQuit)
{
    ScriptedApp app;
    CountingWnd wnd;
    app.m_initInstance = [&](ScriptedApp &) {
        EXPECT_TRUE(wnd.Create());
        wnd.PostMessage(WM_USER);
        PostQuitMessage(3);
        return TRUE;
    };
    app.m_exitInstance = [](ScriptedApp &) { return 9; };
    EXPECT_EQ(9, AfxWinMain(GetModuleHandleA(NULL)));
    EXPECT_EQ(1, wnd.m_nUser);
    EXPECT_EQ(1, app.m_nExitCalls);
    wnd.DestroyWindow();
}

TEST(AppStartTest, LoadIconTakesTheProgramsIcon)
{
    const UINT IDR_MAINFRAME = 128;
    ScriptedApp app;
    app.m_hInstance = GetModuleHandleA(NULL);
    HICON hIcon = app.LoadIcon(IDR_MAINFRAME);
    EXPECT_NE(nullptr, hIcon);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MAINFRAME)), hIcon);
    EXPECT_EQ(nullptr, app.LoadIcon(0x7ABC));
}

} // namespace

/* wm_native_test.cpp - what only the native window system has, through the
 * front end seam and lzport.h: a front end's key presses, waits, redraws
 * and views, the lines of statics, the system menu from the keyboard, paint
 * logs, and modal loops that end by themselves when no input can come. */
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "frontend.h"
#include "lzport.h"
#include "wm_support.h"

using wmtest::ControlDef;
using wmtest::Recorder;

namespace {

/* A front end that answers each wait with the next scripted action, and
 * says "no more input" when the script is done. */
class ScriptedFrontEnd : public lzport::FrontEnd {
public:
    std::deque<std::function<void()>> script;
    int waits = 0, invalidations = 0;

    bool WaitForInput() override
    {
        ++waits;
        if (script.empty())
            return false;
        std::function<void()> action = script.front();
        script.pop_front();
        action();
        return true;
    }
    void Invalidate() override { ++invalidations; }
};

class NativeWindowTest : public wmtest::RecorderTest {
protected:
    ScriptedFrontEnd m_frontEnd;

    void SetUp() override { lzport::SetFrontEnd(&m_frontEnd); }
    void TearDown() override
    {
        lzport::SetFrontEnd(nullptr);
        wmtest::Pump();
    }
};

/* A dialog procedure that ends the dialog with IDOK and IDCANCEL, as
 * dialog procedures do, and with 0x0010 from the item it adds to its
 * system menu, and draws an icon while the dialog is minimised. */
INT_PTR CALLBACK Proc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        HMENU menu = GetSystemMenu(hDlg, FALSE);
        AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
        AppendMenuA(menu, MF_STRING, 0x0010, "ﾊﾞｰｼﾞｮﾝ情報(&A)...");
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return EndDialog(hDlg, LOWORD(wParam));
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == 0x0010)
        return EndDialog(hDlg, 0x0010);
    if (message != WM_PAINT || !IsIconic(hDlg))
        return FALSE;
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hDlg, &ps);
    SendMessageA(hDlg, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    DrawIcon(hdc, -15, -15, LoadIconA(NULL, IDI_APPLICATION));
    EndPaint(hDlg, &ps);
    return TRUE;
}

/* Runs a dialog like the uninstall dialog, modal, with Proc. */
INT_PTR RunModal()
{
    std::vector<ControlDef> controls = {
        {IDCANCEL, wmtest::kButtonAtom, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 135, 150, 50,
         14, L"ｷｬﾝｾﾙ"},
        {IDOK, wmtest::kButtonAtom, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 80, 150, 50, 14, L"実行"},
        {1001, wmtest::kButtonAtom, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 65, 125, 57, 10, L"削除"},
        {-1, wmtest::kStaticAtom, WS_CHILD | WS_VISIBLE | SS_ICON, 11, 17, 20, 20, L"", 32516},
    };
    std::vector<WORD> t = wmtest::DialogTemplate(false, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 191,
                                                 169, L"ﾙﾒｵ", controls);
    return DialogBoxIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), NULL, Proc, 0);
}

TEST_F(NativeWindowTest, KeyPressesReachTheFocusAsTheKeyboardGivesThem)
{
    HWND top = Recorder::Create(WS_POPUP | WS_VISIBLE);
    HWND child = Recorder::Create(WS_CHILD | WS_VISIBLE, top, 1);
    SetFocus(child);
    wmtest::Pump();
    Recorder::Log().clear();
    lzport::PostKeyPress('X', true, false);
    lzport::PostKeyPress(VK_RETURN, false, false);
    wmtest::Pump();
    const std::vector<std::tuple<HWND, UINT, WPARAM>> expected = {
        {child, WM_KEYDOWN, 'X'},       {child, WM_CHAR, 'X'},  {child, WM_KEYUP, 'X'},
        {child, WM_KEYDOWN, VK_RETURN}, {child, WM_CHAR, '\r'}, {child, WM_KEYUP, VK_RETURN}};
    EXPECT_EQ(expected, Recorder::Sent()) << "all to the focus; shift gives the capital";

    SetFocus(NULL);
    lzport::PostKeyPress('A', false, false);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE));
    EXPECT_EQ(top, msg.hwnd) << "without a focus, to the active window";
    EXPECT_EQ(static_cast<UINT>(WM_SYSKEYDOWN), msg.message);
    DestroyWindow(top);
}

TEST_F(NativeWindowTest, ModalLoopsWaitForTheFrontEndAsLongAsTimersAllowAndEndAsEscWhenInputRunsOut)
{
    EXPECT_EQ(-1, lzport::NextTimerDelay()) << "no timer: as long as it likes";
    UINT_PTR id = SetTimer(NULL, 0, 5000, NULL);
    int delay = lzport::NextTimerDelay();
    EXPECT_GT(delay, 0);
    EXPECT_LE(delay, 5000);
    KillTimer(NULL, id);
    EXPECT_EQ(-1, lzport::NextTimerDelay());
    std::vector<lzport::WindowView> seen, children;
    m_frontEnd.script = {
        [&] {
            seen = lzport::TopLevelViews();
            if (!seen.empty())
                children = lzport::ChildViews(seen.front().hwnd);
            lzport::PostKeyPress(VK_SPACE, false, false); /* on ｷｬﾝｾﾙ: a click */
        },
    };
    EXPECT_EQ(IDCANCEL, RunModal());
    EXPECT_GT(m_frontEnd.invalidations, 0) << "told of the changes";
    ASSERT_FALSE(seen.empty()) << "the script ran in a wait";
    const lzport::WindowView &dialog = seen.front();
    EXPECT_EQ("#32770 ﾙﾒｵ", dialog.className + " " + dialog.text);
    EXPECT_TRUE(dialog.visible && dialog.active);
    ASSERT_EQ(4u, children.size());
    EXPECT_EQ(IDCANCEL, children[0].id);
    EXPECT_TRUE(children[0].focused && children[0].defaultButton);
    EXPECT_EQ("Button", children[2].className);
    EXPECT_EQ(BST_UNCHECKED, children[2].checkState);
    EXPECT_EQ(LoadIconA(NULL, IDI_ASTERISK), children[3].icon) << "an icon named by its ordinal";
    RECT icon = children[3].rect;
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), icon.right - icon.left) << "an icon static takes the icon's size";
    m_frontEnd.waits = 0;
    EXPECT_EQ(IDCANCEL, RunModal()) << "no input at all: Esc";
    EXPECT_EQ(1, m_frontEnd.waits) << "Esc was enough";

    /* message boxes without Cancel answer Esc as Windows does */
    lzport::SetFrontEnd(nullptr);
    EXPECT_EQ(IDOK, MessageBoxA(NULL, "text", "caption", MB_OK)) << "Esc is OK where OK is all there is";
    m_frontEnd.waits = 0;
    m_frontEnd.script = {[] { lzport::PostKeyPress(VK_ESCAPE, false, false); },
                         [] { lzport::PostKeyPress('N', false, false); }};
    lzport::SetFrontEnd(&m_frontEnd);
    EXPECT_EQ(IDNO, MessageBoxA(NULL, "text", "caption", MB_YESNO)) << "Esc does nothing, N is No";
    EXPECT_EQ(2, m_frontEnd.waits);
    lzport::SetFrontEnd(nullptr);
    EXPECT_EQ(IDCANCEL, MessageBoxA(NULL, "text", "caption", MB_YESNO)) << "without input it is ended by force";
    /* Wine shows an OK box for a type that does not exist */
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, MessageBoxA(NULL, "text", "caption", 0x0F));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_MSGBOX_STYLE), GetLastError());
}

TEST(StaticLines, BreakWhereTheNextCharacterWouldPassTheWidth)
{
    const struct {
        const char *text;
        DWORD style;
        int width; /* pixels: six to a half-width character */
        std::vector<std::string> lines;
    } cases[] = {
        {"あいうえ", SS_LEFT, 30, {"あい", "うえ"}},                              /* never in a character */
        {"LZUninstall Version 1.0", SS_LEFT, 90, {"LZUninstall", "Version 1.0"}}, /* before a Latin word */
        {"Uninstallation", SS_LEFT, 36, {"Uninst", "allati", "on"}},              /* in one that is too long */
        {"あいう」。え", SS_CENTER, 36, {"あいう」。", "え"}}, /* closing marks hang past the width */
        {"ab\r\ncd\n\nef", SS_LEFT, 60, {"ab", "cd", "", "ef"}},
        {"", SS_LEFT, 24, {""}},
        {"あいうえお", 0x0C /* SS_LEFTNOWORDWRAP */, 12, {"あいうえお"}},
        {"はい(&Y) R&&D &", SS_LEFT, 600, {"はい(Y) R&D "}}, /* access marks go */
        {"はい(&Y)", SS_LEFT | SS_NOPREFIX, 600, {"はい(&Y)"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        lzport::WindowView view;
        view.className = "Static";
        view.text = c.text;
        view.style = WS_CHILD | WS_VISIBLE | c.style;
        view.rect = RECT{100, 50, 100 + c.width, 90};
        EXPECT_EQ(c.lines, lzport::StaticLines(view));
    }
}

TEST_F(NativeWindowTest, SystemMenuOpensFromTheKeyboardSendsTheChosenCommandAndClosesOnEsc)
{
    lzport::MenuView opened, afterDown, view;
    bool openBefore = true;
    m_frontEnd.script = {
        [&] {
            openBefore = lzport::OpenMenuView(opened);
            lzport::PostKeyPress(VK_SPACE, false, true); /* Alt+Space */
        },
        [&] {
            lzport::OpenMenuView(opened);
            lzport::PostKeyPress(VK_DOWN, false, false);
            lzport::PostKeyPress(VK_DOWN, false, false);
        },
        [&] {
            lzport::OpenMenuView(afterDown);
            lzport::PostKeyPress(VK_RETURN, false, false);
        },
    };
    EXPECT_EQ(0x0010, RunModal());
    EXPECT_FALSE(openBefore);
    const std::vector<UINT> ids = {SC_MOVE, 0, SC_CLOSE, 0, 0x0010};
    EXPECT_EQ(ids, opened.ids) << "a dialog's system menu: Move and Close";
    ASSERT_EQ(5u, opened.items.size());
    EXPECT_EQ("", opened.items[1]) << "a separator";
    EXPECT_EQ("ﾊﾞｰｼﾞｮﾝ情報(&A)...", opened.items[4]);
    EXPECT_EQ(0, opened.selected);
    EXPECT_EQ(4, afterDown.selected) << "separators are passed over";
    EXPECT_FALSE(lzport::OpenMenuView(view)) << "closed";

    bool open = false, closed = true; /* F10 opens it, Esc closes it */
    m_frontEnd.script = {
        [] { lzport::PostKeyPress(VK_F10, false, false); },
        [&] {
            open = lzport::OpenMenuView(view);
            lzport::PostKeyPress(VK_ESCAPE, false, false);
        },
        [&] {
            closed = !lzport::OpenMenuView(view);
            lzport::PostKeyPress(VK_ESCAPE, false, false);
        },
    };
    EXPECT_EQ(IDCANCEL, RunModal()) << "the second Esc reaches the dialog";
    EXPECT_TRUE(open);
    EXPECT_TRUE(closed);
}

TEST_F(NativeWindowTest, PaintLogRecordsWhatAMinimisedDialogDraws)
{
    std::vector<LZPORT_PAINT_RECORD> log;
    HWND dialog = NULL;
    m_frontEnd.script = {
        [&] {
            dialog = GetActiveWindow();
            LzPortClearPaintLog(dialog);
            ShowWindow(dialog, SW_MINIMIZE);
        },
        [&] {
            LZPORT_PAINT_RECORD records[8];
            int n = LzPortPaintLog(dialog, records, 8);
            log.assign(records, records + (n < 8 ? n : 8));
            lzport::PostKeyPress(VK_ESCAPE, false, false);
        },
    };
    RunModal();
    ASSERT_EQ(3u, log.size());
    const std::vector<UINT> kinds = {log[0].kind, log[1].kind, log[2].kind};
    EXPECT_EQ((std::vector<UINT>{LZPORT_PAINT_BEGIN, LZPORT_PAINT_ICONERASE, LZPORT_PAINT_ICON}), kinds);
    EXPECT_EQ((POINT{-15, -15}), (POINT{log[2].x, log[2].y}));
    EXPECT_EQ(LoadIconA(NULL, IDI_APPLICATION), log[2].icon);
    EXPECT_EQ(-1, LzPortPaintLog(dialog, NULL, 0)) << "gone with its window";
}

} // namespace

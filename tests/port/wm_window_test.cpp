/* wm_window_test.cpp - windows as objects: classes, creation and
 * destruction with their messages, handles that stay invalid, window
 * values (GetWindowLongPtrA) and subclassing, texts, the window tree and
 * FindWindowA; where they are: the styles and frames of each kind of
 * window, moving and sizing with WM_MOVE and WM_SIZE, mapping points,
 * minimising and restoring, and the work area, in the system's default
 * metrics (caption 19, thin border 1, dialog frame 3, sizing frame 4,
 * sunken edge 2); and the keyboard focus and activation: the messages
 * they send, windows that cannot take them, the pop-up last active over
 * an owner, which window takes the activation when the active one goes,
 * and what enabling, hiding and destroying do to them. */
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "wm_support.h"

using wmtest::Recorder;
using wmtest::Rect;

namespace {

using WindowTest = wmtest::RecorderTest;

TEST_F(WindowTest, ClassesAreRegisteredOnceAndFoundWithoutRegardToCaseAndCreationFailsWithTheReason)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "WmTestOnce";
    ATOM atom = RegisterClassA(&wc);
    EXPECT_NE(0, atom);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, RegisterClassA(&wc));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), GetLastError());
    HWND hwnd = CreateWindowExA(0, "wmtestONCE", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
    HWND byAtom = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, wc.hInstance, NULL);
    EXPECT_EQ("WmTestOnce", wmtest::ClassOf(hwnd));
    EXPECT_EQ("WmTestOnce", wmtest::ClassOf(byAtom));
    EXPECT_FALSE(UnregisterClassA("WmTestOnce", wc.hInstance)) << "windows of the class exist";
    DestroyWindow(hwnd);
    DestroyWindow(byAtom);
    EXPECT_TRUE(UnregisterClassA("WmTestOnce", wc.hInstance));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(UnregisterClassA("WmTestOnce", wc.hInstance));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST), GetLastError());

    const struct {
        const char *name, *className;
        DWORD style;
        HWND parent;
        DWORD error;
    } failures[] = {
        {"unknown class", "WmTestNoSuchClass", WS_POPUP, NULL, ERROR_CLASS_DOES_NOT_EXIST},
        {"child without a parent", "Static", WS_CHILD, NULL, ERROR_TLW_WITH_WSCHILD},
        {"parent that is no window", "Static", WS_CHILD, reinterpret_cast<HWND>(0x12345), ERROR_INVALID_WINDOW_HANDLE},
    };
    for (const auto &c : failures) {
        SCOPED_TRACE(c.name);
        SetLastError(0xdeadbeef);
        EXPECT_EQ(nullptr, CreateWindowExA(0, c.className, "", c.style, 0, 0, 10, 10, c.parent, NULL, NULL, NULL));
        EXPECT_EQ(c.error, GetLastError());
    }
}

TEST_F(WindowTest, DestructionSendsItsMessagesInOrderAndCallsOnTheWindowsGoneFailWithAnInvalidHandle)
{
    HWND parent = Recorder::Create(WS_POPUP);
    HWND child = Recorder::Create(WS_CHILD | WS_VISIBLE, parent, 7);
    const std::vector<UINT> lifetime = {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY};
    EXPECT_EQ((std::vector<UINT>{WM_NCCREATE, WM_CREATE}), Recorder::Messages(lifetime, parent));
    const std::vector<wmtest::Seen> &log = Recorder::Log();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [=](const wmtest::Seen &s) {
        return s.hwnd == child && s.message == WM_CREATE && s.lParam != 0;
    })) << "the child's WM_CREATE, with its CREATESTRUCTA";
    Recorder::Log().clear();
    EXPECT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const wmtest::Seen &seen : log) {
        if (seen.message == WM_DESTROY || seen.message == WM_NCDESTROY)
            order.push_back({seen.hwnd, seen.message});
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(expected, order);

    char text[8];
    RECT rect;
    const struct {
        const char *call;
        bool (*run)(HWND, char *, RECT *);
    } calls[] = {
        {"IsWindow", [](HWND h, char *, RECT *) { return IsWindow(h) != FALSE; }},
        {"GetWindowLongA", [](HWND h, char *, RECT *) { return GetWindowLongA(h, GWL_STYLE) != 0; }},
        {"SetWindowTextA", [](HWND h, char *, RECT *) { return SetWindowTextA(h, "x") != FALSE; }},
        {"GetWindowTextA", [](HWND h, char *t, RECT *) { return GetWindowTextA(h, t, 8) != 0; }},
        {"GetWindowRect", [](HWND h, char *, RECT *r) { return GetWindowRect(h, r) != FALSE; }},
        {"ShowWindow", [](HWND h, char *, RECT *) { return ShowWindow(h, SW_SHOW) != FALSE; }},
        {"SendMessageA", [](HWND h, char *, RECT *) { return SendMessageA(h, WM_USER, 0, 0) != 0; }},
        {"PostMessageA", [](HWND h, char *, RECT *) { return PostMessageA(h, WM_USER, 0, 0) != FALSE; }},
        {"GetParent", [](HWND h, char *, RECT *) { return GetParent(h) != NULL; }},
        {"EndDialog", [](HWND h, char *, RECT *) { return EndDialog(h, 1) != FALSE; }},
    };
    for (HWND gone : {parent, child}) {
        for (const auto &c : calls) {
            SCOPED_TRACE(c.call);
            SetLastError(0xdeadbeef);
            EXPECT_FALSE(c.run(gone, text, &rect));
            EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
        }
    }
    HWND next = Recorder::Create(WS_POPUP);
    EXPECT_NE(parent, next) << "handles are not given out again soon";
    EXPECT_NE(child, next);
    DestroyWindow(next);
}

LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_USER)
        return 0x5A + CallWindowProcA(previous, hwnd, message, wParam, lParam);
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

TEST_F(WindowTest, WindowValuesTheirIndexesAndSubclassingThatChainsToTheOldProcedure)
{
    HWND parent = Recorder::Create(WS_POPUP | WS_CAPTION);
    HWND child = Recorder::Create(WS_CHILD | WS_TABSTOP, parent, 1234);
    EXPECT_EQ(1234, GetWindowLongA(child, GWLP_ID));
    EXPECT_EQ(1234, GetDlgCtrlID(child));
    EXPECT_EQ(0, SetWindowLongPtrA(child, GWLP_USERDATA, 77));
    EXPECT_EQ(77, SetWindowLongPtrA(child, GWLP_USERDATA, 78));
    EXPECT_EQ(78, GetWindowLongPtrA(child, GWLP_USERDATA));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(parent), GetWindowLongPtrA(child, GWLP_HWNDPARENT));
    for (int index : {-100, 0}) { /* below the named indexes, past the extra bytes */
        SCOPED_TRACE(index);
        SetLastError(0xdeadbeef);
        EXPECT_EQ(0, GetWindowLongA(child, index));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
        SetLastError(0xdeadbeef);
        EXPECT_EQ(0, SetWindowLongA(child, index, 1));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
    }
    if (sizeof(LONG_PTR) > sizeof(LONG)) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(0, GetWindowLongA(child, GWLP_WNDPROC)) << "a pointer does not fit";
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
    }

    LONG_PTR original = GetWindowLongPtrA(parent, GWLP_WNDPROC);
    ASSERT_NE(0, original);
    SetWindowLongPtrA(parent, GWLP_USERDATA, original);
    EXPECT_EQ(original, SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&Subclass), GetWindowLongPtrA(parent, GWLP_WNDPROC));
    Recorder::Log().clear();
    EXPECT_EQ(0x5A, SendMessageA(parent, WM_USER, 1, 2));
    EXPECT_EQ((std::vector<UINT>{WM_USER}), Recorder::Messages({WM_USER}, parent)) << "the old procedure was reached";
    EXPECT_EQ(0, CallWindowProcA(NULL, parent, WM_USER, 0, 0));
    DestroyWindow(parent);
}

TEST_F(WindowTest, TextsKeepCodePage932AndAreCutToTheBuffer)
{
    HWND hwnd = Recorder::Create(WS_POPUP, NULL, 0, "ﾙﾒｵ 表示");
    EXPECT_EQ("ﾙﾒｵ 表示", wmtest::Text(hwnd));
    EXPECT_EQ(8, GetWindowTextLengthA(hwnd));
    const struct {
        int size, copied;
        const char *text;
    } cases[] = {{9, 8, "ﾙﾒｵ 表示"}, {5, 4, "ﾙﾒｵ "}, {2, 1, "ﾙ"}, {1, 0, ""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size);
        char buffer[16];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(c.copied, GetWindowTextA(hwnd, buffer, c.size));
        EXPECT_STREQ(c.text, buffer);
    }
    char untouched[4] = "abc";
    EXPECT_EQ(0, GetWindowTextA(hwnd, untouched, 0));
    EXPECT_STREQ("abc", untouched);
    EXPECT_TRUE(SetWindowTextA(hwnd, NULL));
    EXPECT_EQ(0, GetWindowTextLengthA(hwnd));
    DestroyWindow(hwnd);
}

TEST_F(WindowTest, TreeOfParentsOwnersAndSiblingsAndFindWindowOverTheTopLevelWindows)
{
    HWND owner = Recorder::Create(WS_POPUP);
    HWND popup = Recorder::Create(WS_POPUP, owner);
    HWND overlapped = Recorder::Create(WS_OVERLAPPED, owner);
    HWND first = Recorder::Create(WS_CHILD, owner, 1);
    HWND second = Recorder::Create(WS_CHILD, owner, 2);
    HWND grandchild = Recorder::Create(WS_CHILD, second, 3);
    HWND ownedByChild = Recorder::Create(WS_POPUP, grandchild);
    EXPECT_EQ(owner, GetParent(popup)) << "a pop-up's parent is its owner";
    EXPECT_EQ(nullptr, GetParent(overlapped)) << "an overlapped window has none";
    EXPECT_EQ(owner, GetWindow(overlapped, GW_OWNER));
    EXPECT_EQ(owner, GetWindow(ownedByChild, GW_OWNER)) << "owners are top-level windows";
    EXPECT_EQ(second, GetParent(grandchild));
    EXPECT_EQ(first, GetWindow(owner, GW_CHILD)) << "children in the order they were made";
    EXPECT_EQ(second, GetWindow(first, GW_HWNDNEXT));
    EXPECT_EQ(nullptr, GetWindow(second, GW_HWNDNEXT));
    EXPECT_EQ(first, GetWindow(second, GW_HWNDPREV));
    EXPECT_EQ(second, GetWindow(first, GW_HWNDLAST));
    EXPECT_TRUE(IsChild(owner, grandchild));
    EXPECT_FALSE(IsChild(owner, popup));
    EXPECT_FALSE(IsChild(owner, owner));
    EXPECT_EQ(owner, GetAncestor(grandchild, GA_ROOT));
    EXPECT_EQ(second, GetDlgItem(owner, 2));
    EXPECT_EQ(nullptr, GetDlgItem(owner, 3)) << "only the direct children";
    std::vector<HWND> found;
    EnumChildWindows(
        owner,
        [](HWND h, LPARAM l) CALLBACK -> BOOL {
            reinterpret_cast<std::vector<HWND> *>(l)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    EXPECT_EQ((std::vector<HWND>{first, second, grandchild}), found);
    DestroyWindow(owner);
    EXPECT_FALSE(IsWindow(popup)) << "owned windows go with their owner";
    EXPECT_FALSE(IsWindow(ownedByChild));

    HWND hidden = Recorder::Create(WS_POPUP, NULL, 0, "Hidden one");
    HWND parent = Recorder::Create(WS_POPUP | WS_VISIBLE, NULL, 0, "Parent");
    HWND child = Recorder::Create(WS_CHILD, parent, 1, "Child");
    EXPECT_EQ(hidden, FindWindowA(Recorder::ClassName(), "Hidden one")) << "hidden windows are found";
    EXPECT_EQ(parent, FindWindowA(NULL, "Parent"));
    EXPECT_EQ(parent, FindWindowA(Recorder::ClassName(), "PARENT")) << "titles without regard to case";
    EXPECT_EQ(nullptr, FindWindowA(NULL, "Child")) << "child windows are not looked at";
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, FindWindowA("WmTestNoSuchClass", NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS), GetLastError());
    DestroyWindow(hidden);
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
}

using GeometryTest = wmtest::RecorderTest;

/* Windows also derives WS_EX_WINDOWEDGE from the frame styles; nothing
 * looks at it, and it is left out of the comparison. */
TEST_F(GeometryTest, EachKindOfWindowKeepsItsStylesAndHasItsFrame)
{
    const DWORD clip = WS_CLIPSIBLINGS; /* top-level windows clip their siblings */
    const DWORD dialog = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const struct {
        const char *name;
        DWORD style, exStyle;
        DWORD kept; /* the style the window is made with */
        RECT frame; /* widths at the left, top, right and bottom */
    } cases[] = {
        {"plain pop-up", WS_POPUP, 0, WS_POPUP | clip, {0, 0, 0, 0}},
        {"caption", WS_POPUP | WS_CAPTION, 0, WS_POPUP | WS_CAPTION | clip, {3, 22, 3, 3}},
        {"dialog", dialog, WS_EX_DLGMODALFRAME, dialog | clip, {3, 22, 3, 3}},
        {"overlapped: always a caption", WS_OVERLAPPED, 0, WS_CAPTION | clip, {3, 22, 3, 3}},
        {"sizing frame and caption", WS_OVERLAPPEDWINDOW, 0, WS_OVERLAPPEDWINDOW | clip, {4, 23, 4, 4}},
        {"sunken edge", WS_POPUP, WS_EX_CLIENTEDGE, WS_POPUP | clip, {2, 2, 2, 2}},
        {"child with a border", WS_CHILD | WS_TABSTOP | WS_BORDER, 0, WS_CHILD | WS_TABSTOP | WS_BORDER, {1, 1, 1, 1}},
        {"child with a sunken edge", WS_CHILD, WS_EX_CLIENTEDGE, WS_CHILD, {2, 2, 2, 2}},
    };
    HWND parent = Recorder::Create(WS_POPUP);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RECT adjusted = {0, 0, 0, 0};
        EXPECT_TRUE(AdjustWindowRectEx(&adjusted, c.kept, FALSE, c.exStyle));
        EXPECT_EQ((RECT{-c.frame.left, -c.frame.top, c.frame.right, c.frame.bottom}), adjusted);
        bool child = (c.style & WS_CHILD) != 0;
        HWND hwnd =
            CreateWindowExA(c.exStyle, Recorder::ClassName(), "", c.style, 20, 30, 200, 100, child ? parent : NULL,
                            child ? reinterpret_cast<HMENU>(1) : NULL, GetModuleHandleA(NULL), NULL);
        EXPECT_EQ(static_cast<LONG>(c.kept), GetWindowLongA(hwnd, GWL_STYLE));
        EXPECT_EQ(static_cast<LONG>(c.exStyle), GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);
        RECT client = {0, 0, 200 - c.frame.left - c.frame.right, 100 - c.frame.top - c.frame.bottom};
        EXPECT_EQ(client, Rect(hwnd, GetClientRect));
        DestroyWindow(hwnd);
    }
    DestroyWindow(parent);
}

TEST_F(GeometryTest, ChildrenArePlacedInTheParentsClientAreaAndMovingAndSizingSendWmMoveAndWmSize)
{
    HWND parent = Recorder::Create(WS_POPUP | WS_CAPTION, NULL, 0, "", 60, 40, 520, 440);
    HWND child = Recorder::Create(WS_CHILD, parent, 5, "", 10, 10, 50, 20);
    /* 60 + frame 3 + 10, 40 + frame 3 + caption 19 + 10 */
    EXPECT_EQ((RECT{73, 72, 123, 92}), Rect(child, GetWindowRect));
    POINT pt = {0, 0}, back = {73, 72};
    EXPECT_EQ(MAKELONG(73, 72), MapWindowPoints(child, NULL, &pt, 1));
    EXPECT_EQ((POINT{73, 72}), pt);
    EXPECT_TRUE(ScreenToClient(parent, &back));
    EXPECT_EQ((POINT{10, 10}), back);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, MapWindowPoints(reinterpret_cast<HWND>(0x12345), NULL, &pt, 1));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
    DestroyWindow(parent);

    HWND hwnd = Recorder::Create(WS_POPUP, NULL, 0, "", 10, 20, 100, 80);
    const struct {
        const char *name;
        int x, y, cx, cy;
        UINT flags;
        RECT expected;
        std::vector<UINT> messages;
    } cases[] = {
        {"move", 30, 40, 0, 0, SWP_NOSIZE, {30, 40, 130, 120}, {WM_MOVE}},
        {"size", 0, 0, 60, 50, SWP_NOMOVE, {30, 40, 90, 90}, {WM_SIZE}},
        {"both", 1, 2, 3, 4, 0, {1, 2, 4, 6}, {WM_MOVE, WM_SIZE}},
        {"negative size", 1, 2, -5, -5, SWP_NOMOVE, {1, 2, 1, 2}, {WM_SIZE}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Recorder::Log().clear();
        EXPECT_TRUE(SetWindowPos(hwnd, NULL, c.x, c.y, c.cx, c.cy, c.flags | SWP_NOZORDER | SWP_NOACTIVATE));
        EXPECT_EQ(c.expected, Rect(hwnd, GetWindowRect));
        EXPECT_EQ(c.messages, Recorder::Messages({WM_MOVE, WM_SIZE}, hwnd));
    }
    EXPECT_TRUE(MoveWindow(hwnd, 5, 6, 7, 8, TRUE));
    EXPECT_EQ((RECT{5, 6, 12, 14}), Rect(hwnd, GetWindowRect));
    DestroyWindow(hwnd);
}

TEST_F(GeometryTest, ShowWindowGivesThePreviousVisibilityAndRestoresAMinimisedWindowWhereItWas)
{
    HWND parent = Recorder::Create(WS_POPUP);
    HWND child = Recorder::Create(WS_CHILD | WS_VISIBLE, parent, 1);
    EXPECT_FALSE(IsWindowVisible(child)) << "its parent is hidden";
    EXPECT_FALSE(ShowWindow(parent, SW_SHOWNA));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(parent, SW_SHOWNA));
    EXPECT_TRUE(ShowWindow(parent, SW_HIDE));
    EXPECT_FALSE(ShowWindow(parent, SW_HIDE));
    DestroyWindow(parent);

    HWND hwnd = Recorder::Create(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, NULL, 0, "", 60, 40, 300, 200);
    RECT before = Rect(hwnd, GetWindowRect);
    EXPECT_TRUE(ShowWindow(hwnd, SW_MINIMIZE)) << "was visible";
    EXPECT_TRUE(IsIconic(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ((RECT{0, 0, 0, 0}), Rect(hwnd, GetClientRect)) << "a minimised window has an empty client area";
    RECT window = Rect(hwnd, GetWindowRect);
    EXPECT_EQ(GetSystemMetrics(SM_CXMINIMIZED), window.right - window.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYMINIMIZED), window.bottom - window.top);
    EXPECT_NE(hwnd, GetFocus()) << "a minimised window has no focus";
    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_EQ(before, Rect(hwnd, GetWindowRect));
    DestroyWindow(hwnd);
}

TEST_F(GeometryTest, WorkAreaLiesOnTheScreen)
{
    RECT area = {-1, -1, -1, -1};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ((POINT{0, 0}), (POINT{area.left, area.top}));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), area.right);
    EXPECT_LE(area.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GT(area.bottom, GetSystemMetrics(SM_CYSCREEN) / 2);
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETWORKAREA, 0, NULL, 0));
    EXPECT_EQ(32, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(32, GetSystemMetrics(SM_CYICON));
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
}

class FocusTest : public wmtest::RecorderTest {
protected:
    HWND m_top = Recorder::Create(WS_POPUP | WS_VISIBLE);
    HWND m_first = Recorder::Create(WS_CHILD | WS_VISIBLE, m_top, 1);
    HWND m_second = Recorder::Create(WS_CHILD | WS_VISIBLE, m_top, 2);

    void SetUp() override
    {
        SetActiveWindow(m_top);
        wmtest::Pump();
    }
    void TearDown() override
    {
        DestroyWindow(m_top);
        wmtest::Pump();
    }
};

typedef std::tuple<HWND, UINT, WPARAM> Sent;

TEST_F(FocusTest, FocusMovesWithKillAndSetFocusToWindowsThatCanTakeItAndEnableWindowGivesThePreviousState)
{
    SetFocus(m_first);
    Recorder::Log().clear();
    EXPECT_EQ(m_first, SetFocus(m_second)) << "gives the window that had it";
    EXPECT_EQ(m_second, GetFocus());
    const std::vector<Sent> moved = {{m_first, WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_second)},
                                     {m_second, WM_SETFOCUS, reinterpret_cast<WPARAM>(m_first)}};
    EXPECT_EQ(moved, Recorder::Sent({WM_KILLFOCUS, WM_SETFOCUS})) << "each naming the other window";
    Recorder::Log().clear();
    EXPECT_EQ(m_second, SetFocus(m_second));
    EXPECT_TRUE(Recorder::Messages({WM_SETFOCUS, WM_KILLFOCUS}).empty()) << "no change, no messages";

    SetFocus(m_first);
    EnableWindow(m_second, FALSE);
    EXPECT_EQ(nullptr, SetFocus(m_second)) << "a disabled window cannot take it";
    EXPECT_EQ(m_first, GetFocus());
    EnableWindow(m_second, TRUE);
    EnableWindow(m_top, FALSE);
    EXPECT_EQ(nullptr, SetFocus(m_second)) << "nor can a control of a disabled window";
    EnableWindow(m_top, TRUE);
    SetFocus(m_top);
    EnableWindow(m_top, FALSE);
    EXPECT_EQ(nullptr, GetFocus()) << "a disabled window loses the focus";
    EnableWindow(m_top, TRUE);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, SetFocus(reinterpret_cast<HWND>(0x12345)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());

    Recorder::Log().clear();
    EXPECT_FALSE(EnableWindow(m_first, FALSE)) << "EnableWindow gives the previous state: was enabled";
    EXPECT_FALSE(IsWindowEnabled(m_first));
    EXPECT_TRUE(EnableWindow(m_first, FALSE)) << "was disabled";
    EXPECT_TRUE(EnableWindow(m_first, TRUE));
    EXPECT_TRUE(IsWindowEnabled(m_first));
    const std::vector<Sent> enables = {{m_first, WM_ENABLE, FALSE}, {m_first, WM_ENABLE, TRUE}};
    EXPECT_EQ(enables, Recorder::Sent({WM_ENABLE}, m_first)) << "WM_ENABLE only for changes";

    SetFocus(m_second);
    ShowWindow(m_second, SW_HIDE);
    EXPECT_EQ(m_top, GetFocus()) << "hiding the focused window gives the focus to its parent";
    SetFocus(m_first);
    DestroyWindow(m_first);
    EXPECT_EQ(m_top, GetFocus()) << "and so does destroying it";
}

TEST_F(FocusTest, ActivationTellsBothWindowsFocusesTheNewOneAndMakesTheLastActivePopup)
{
    HWND other = Recorder::Create(WS_POPUP | WS_VISIBLE);
    SetActiveWindow(m_top);
    wmtest::Pump();
    Recorder::Log().clear();
    EXPECT_EQ(m_top, SetActiveWindow(other));
    EXPECT_EQ(other, GetActiveWindow());
    EXPECT_EQ(other, GetFocus()) << "the default procedure focuses an activated window";
    std::vector<std::tuple<HWND, bool, HWND>> told; /* active, and the other window */
    for (const wmtest::Seen &s : Recorder::Log()) {
        if (s.message == WM_ACTIVATE)
            told.push_back({s.hwnd, LOWORD(s.wParam) != WA_INACTIVE, reinterpret_cast<HWND>(s.lParam)});
    }
    EXPECT_EQ((std::vector<std::tuple<HWND, bool, HWND>>{{m_top, false, other}, {other, true, m_top}}), told);
    EXPECT_EQ(other, SetActiveWindow(m_first)) << "a child cannot be made active";
    EXPECT_EQ(other, GetActiveWindow());
    DestroyWindow(other);

    /* the last active pop-up: the owned window activated last */
    HWND popup = Recorder::Create(WS_POPUP | WS_VISIBLE, m_top);
    HWND hiddenPopup = Recorder::Create(WS_POPUP, m_top);
    SetActiveWindow(popup);
    EXPECT_EQ(popup, GetLastActivePopup(m_top));
    SetActiveWindow(m_top);
    EXPECT_EQ(m_top, GetLastActivePopup(m_top)) << "the owner itself was active last";
    SetActiveWindow(popup);
    DestroyWindow(popup);
    EXPECT_EQ(m_top, GetLastActivePopup(m_top)) << "a destroyed pop-up is not given";
    EXPECT_EQ(hiddenPopup, GetLastActivePopup(hiddenPopup));
}

TEST_F(FocusTest, WhenTheActiveWindowGoesItsOwnerOrTheTopmostWindowThatCanTakeItIsActivated)
{
    const struct {
        const char *name;
        /* top-level windows, made in order, each above those before it: an
         * earlier one's index if it has that owner, then s(hown), h(idden),
         * d(isabled) or m(inimised) */
        std::vector<const char *> windows;
        int leaving;  /* the active window, which is hidden or destroyed */
        bool destroy; /* destroyed rather than hidden */
        int next;     /* the window active afterwards, -1 for none */
    } cases[] = {
        {"the topmost of those below", {"s", "s", "s"}, 2, false, 1},
        {"a window not on top hands on to the topmost", {"s", "s", "s"}, 0, false, 2},
        {"the owner before the window above it", {"s", "s", "0s"}, 2, false, 0},
        {"the owner, on destruction", {"s", "s", "0s"}, 2, true, 0},
        {"the nearest owner", {"s", "0s", "1s"}, 2, false, 1},
        {"a minimised owner", {"m", "s", "0s"}, 2, false, 0},
        {"a disabled owner is passed over", {"d", "s", "0s"}, 2, false, 1},
        {"a hidden owner is passed over", {"h", "s", "0s"}, 2, false, 1},
        {"the leaving window's own pop-ups are passed over", {"s", "s", "1s"}, 1, false, 0},
        {"a pop-up whose owner is hidden", {"h", "0s", "s"}, 2, false, 1},
        {"disabled and hidden windows: none", {"d", "h", "s"}, 2, false, -1},
        {"alone: none", {"s"}, 0, false, -1},
    };
    DestroyWindow(m_top);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<HWND> made;
        for (const char *w : c.windows)
            made.push_back(Recorder::Create(WS_POPUP | WS_VISIBLE, w[1] ? made[w[0] - '0'] : NULL));
        HWND leaving = made[c.leaving];
        for (size_t i = 0; i < made.size(); i++) {
            char state = c.windows[i][c.windows[i][1] ? 1 : 0];
            EnableWindow(made[i], state != 'd');
            if (state == 'h' || state == 'm')
                ShowWindow(made[i], state == 'h' ? SW_HIDE : SW_SHOWMINNOACTIVE);
        }
        SetActiveWindow(leaving);
        ASSERT_EQ(leaving, GetActiveWindow());
        if (c.destroy)
            DestroyWindow(leaving);
        else
            ShowWindow(leaving, SW_HIDE);
        HWND expected = c.next >= 0 ? made[c.next] : NULL;
        EXPECT_EQ(expected, GetActiveWindow());
        EXPECT_EQ(expected, GetFocus()) << "the focus goes with the activation";
        for (HWND hwnd : made)
            DestroyWindow(hwnd);
    }
}

} // namespace

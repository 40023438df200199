/* wm_window_test.cpp - windows as objects: classes, creation and
 * destruction with their messages, handles that stay invalid, window
 * values (GetWindowLongPtrA) and subclassing, texts, the window tree and
 * FindWindowA. */
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "wm_support.h"

using wmtest::Recorder;

namespace {

class WindowTest : public testing::Test {
protected:
    Recorder m_recorder;
};

TEST_F(WindowTest, ClassesAreRegisteredOnceAndFoundWithoutRegardToCase)
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "WmTestOnce";
    ATOM atom = RegisterClassA(&wc);
    EXPECT_NE(0, atom);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, RegisterClassA(&wc));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), GetLastError());

    HWND hwnd = CreateWindowExA(0, "wmtestONCE", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, wc.hInstance, NULL);
    ASSERT_NE(nullptr, hwnd);
    EXPECT_EQ("WmTestOnce", wmtest::ClassOf(hwnd));
    HWND byAtom = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, NULL, NULL, wc.hInstance, NULL);
    EXPECT_EQ("WmTestOnce", wmtest::ClassOf(byAtom));
    EXPECT_FALSE(UnregisterClassA("WmTestOnce", wc.hInstance)) << "windows of the class exist";
    DestroyWindow(hwnd);
    DestroyWindow(byAtom);
    EXPECT_TRUE(UnregisterClassA("WmTestOnce", wc.hInstance));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(UnregisterClassA("WmTestOnce", wc.hInstance));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST), GetLastError());
}

struct CreateFailure {
    const char *name;
    const char *className;
    DWORD style;
    HWND parent;
    DWORD error;
};

TEST_F(WindowTest, CreationFailsWithTheReason)
{
    const CreateFailure cases[] = {
        {"unknown class", "WmTestNoSuchClass", WS_POPUP, NULL, ERROR_CLASS_DOES_NOT_EXIST},
        {"child without a parent", "Static", WS_CHILD, NULL, ERROR_TLW_WITH_WSCHILD},
        {"parent that is no window", "Static", WS_CHILD, reinterpret_cast<HWND>(0x12345), ERROR_INVALID_WINDOW_HANDLE},
    };
    for (const CreateFailure &c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0xdeadbeef);
        EXPECT_EQ(nullptr, CreateWindowExA(0, c.className, "", c.style, 0, 0, 10, 10, c.parent, NULL, NULL, NULL));
        EXPECT_EQ(c.error, GetLastError());
    }
}

TEST_F(WindowTest, CreationAndDestructionSendTheirMessagesInOrder)
{
    HWND parent = Recorder::Create(WS_POPUP);
    HWND child = Recorder::Create(WS_CHILD | WS_VISIBLE, parent, 7);
    ASSERT_NE(nullptr, child);
    const std::vector<UINT> lifetime = {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY};
    EXPECT_EQ((std::vector<UINT>{WM_NCCREATE, WM_CREATE}), Recorder::Messages(lifetime, parent));
    const CREATESTRUCTA *cs = nullptr;
    for (const wmtest::Seen &seen : Recorder::Log()) {
        if (seen.hwnd == child && seen.message == WM_CREATE)
            cs = reinterpret_cast<const CREATESTRUCTA *>(seen.lParam);
    }
    ASSERT_NE(nullptr, cs);
    Recorder::Log().clear();

    EXPECT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> order;
    for (const wmtest::Seen &seen : Recorder::Log()) {
        if (seen.message == WM_DESTROY || seen.message == WM_NCDESTROY)
            order.push_back({seen.hwnd, seen.message});
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(expected, order);
}

TEST_F(WindowTest, CallsOnADestroyedWindowFailWithAnInvalidHandle)
{
    HWND hwnd = Recorder::Create(WS_POPUP);
    HWND child = Recorder::Create(WS_CHILD, hwnd, 3);
    ASSERT_TRUE(DestroyWindow(hwnd));
    for (HWND gone : {hwnd, child}) {
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
        for (const auto &c : calls) {
            SCOPED_TRACE(c.call);
            SetLastError(0xdeadbeef);
            EXPECT_FALSE(c.run(gone, text, &rect));
            EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
        }
    }
    HWND next = Recorder::Create(WS_POPUP);
    EXPECT_NE(hwnd, next) << "handles are not given out again soon";
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

TEST_F(WindowTest, SubclassingReplacesTheProcedureAndChainsToTheOldOne)
{
    HWND hwnd = Recorder::Create(WS_POPUP);
    LONG_PTR original = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    ASSERT_NE(0, original);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, original);
    EXPECT_EQ(original, SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&Subclass), GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    Recorder::Log().clear();
    EXPECT_EQ(0x5A, SendMessageA(hwnd, WM_USER, 1, 2));
    EXPECT_EQ((std::vector<UINT>{WM_USER}), Recorder::Messages({WM_USER}, hwnd)) << "the old procedure was reached";
    EXPECT_EQ(0, CallWindowProcA(NULL, hwnd, WM_USER, 0, 0));
    DestroyWindow(hwnd);
}

TEST_F(WindowTest, WindowValuesAndTheirIndexes)
{
    HWND parent = Recorder::Create(WS_POPUP | WS_CAPTION);
    HWND child = Recorder::Create(WS_CHILD | WS_TABSTOP, parent, 1234);
    EXPECT_EQ(1234, GetWindowLongA(child, GWLP_ID));
    EXPECT_EQ(1234, GetDlgCtrlID(child));
    EXPECT_EQ(0, SetWindowLongPtrA(child, GWLP_USERDATA, 77));
    EXPECT_EQ(77, SetWindowLongPtrA(child, GWLP_USERDATA, 78));
    EXPECT_EQ(78, GetWindowLongPtrA(child, GWLP_USERDATA));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(parent), GetWindowLongPtrA(child, GWLP_HWNDPARENT));

    const struct {
        const char *name;
        int index;
    } invalid[] = {{"below the named indexes", -100}, {"past the extra bytes", 0}};
    for (const auto &c : invalid) {
        SCOPED_TRACE(c.name);
        SetLastError(0xdeadbeef);
        EXPECT_EQ(0, GetWindowLongA(child, c.index));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
        SetLastError(0xdeadbeef);
        EXPECT_EQ(0, SetWindowLongA(child, c.index, 1));
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
    }
    if (sizeof(LONG_PTR) > sizeof(LONG)) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(0, GetWindowLongA(child, GWLP_WNDPROC)) << "a pointer does not fit";
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
    }
    DestroyWindow(parent);
}

TEST_F(WindowTest, TextsKeepCodePage932AndAreCutToTheBuffer)
{
    HWND hwnd = Recorder::Create(WS_POPUP, NULL, 0, "ﾙﾒｵ 表示");
    EXPECT_EQ("ﾙﾒｵ 表示", wmtest::Text(hwnd));
    EXPECT_EQ(8, GetWindowTextLengthA(hwnd));
    const struct {
        int size;
        int copied;
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

TEST_F(WindowTest, TreeOfParentsOwnersAndSiblings)
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
}

TEST_F(WindowTest, FindWindowLooksAtTopLevelWindowsByClassAndTitle)
{
    HWND hidden = Recorder::Create(WS_POPUP, NULL, 0, "Hidden one");
    HWND parent = Recorder::Create(WS_POPUP | WS_VISIBLE, NULL, 0, "Parent");
    HWND child = Recorder::Create(WS_CHILD, parent, 1, "Child");
    EXPECT_EQ(hidden, FindWindowA(Recorder::ClassName(), "Hidden one")) << "hidden windows are found";
    EXPECT_EQ(parent, FindWindowA(NULL, "Parent"));
    EXPECT_EQ(parent, FindWindowA(Recorder::ClassName(), "PARENT")) << "titles without regard to case";
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, FindWindowA(NULL, "Child")) << "child windows are not looked at";
    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, FindWindowA("WmTestNoSuchClass", NULL));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS), GetLastError());
    DestroyWindow(hidden);
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
}

} // namespace

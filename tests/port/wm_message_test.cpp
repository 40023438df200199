/* wm_message_test.cpp - the thread's message queue: posting and reading
 * with filters, WM_QUIT after the posted messages, timers with and without
 * a window, the characters TranslateMessage adds, and dispatching. */
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "wm_support.h"

using wmtest::Recorder;

namespace {

class MessageTest : public testing::Test {
protected:
    Recorder m_recorder;
    HWND m_window = NULL;

    void SetUp() override
    {
        m_window = Recorder::Create(WS_POPUP);
        wmtest::Pump();
    }
    void TearDown() override
    {
        DestroyWindow(m_window);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        }
    }
};

struct FilterCase {
    const char *name;
    bool forWindow; /* filter on the test window */
    UINT first, last;
    UINT expected; /* the message read, 0 for none */
};

TEST_F(MessageTest, PeekTakesTheFirstMessageThatPassesTheFilter)
{
    const FilterCase cases[] = {
        {"any", false, 0, 0, WM_USER + 1},
        {"range", false, WM_USER + 2, WM_USER + 9, WM_USER + 2},
        {"window and range", true, WM_USER + 3, WM_USER + 3, WM_USER + 3},
        {"nothing in range", false, WM_USER + 20, WM_USER + 30, 0},
    };
    for (const FilterCase &c : cases) {
        SCOPED_TRACE(c.name);
        PostMessageA(NULL, WM_USER + 1, 11, 0);
        PostMessageA(m_window, WM_USER + 2, 22, 0);
        PostMessageA(m_window, WM_USER + 3, 33, 0);
        MSG msg = {};
        msg.message = 0xdeadbeef;
        HWND filter = c.forWindow ? m_window : NULL;
        BOOL found = PeekMessageA(&msg, filter, c.first, c.last, PM_NOREMOVE);
        EXPECT_EQ(c.expected != 0, found != FALSE);
        if (found) {
            EXPECT_EQ(c.expected, msg.message);
            MSG again = {};
            EXPECT_TRUE(PeekMessageA(&again, filter, c.first, c.last, PM_REMOVE)) << "still there";
            EXPECT_EQ(msg.message, again.message);
            EXPECT_EQ(msg.wParam, again.wParam);
            EXPECT_FALSE(PeekMessageA(&again, filter, msg.message, msg.message, PM_NOREMOVE)) << "taken";
        }
        while (PeekMessageA(&msg, NULL, WM_USER, WM_USER + 9, PM_REMOVE)) {
        }
    }
}

TEST_F(MessageTest, QuitComesAfterThePostedMessagesAndEndsGetMessage)
{
    PostQuitMessage(5);
    PostMessageA(m_window, WM_USER, 1, 2);
    MSG msg;
    EXPECT_EQ(TRUE, GetMessageA(&msg, NULL, 0, 0));
    EXPECT_EQ(static_cast<UINT>(WM_USER), msg.message);
    EXPECT_EQ(m_window, msg.hwnd);
    EXPECT_EQ(FALSE, GetMessageA(&msg, NULL, 0, 0));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), msg.message);
    EXPECT_EQ(5u, msg.wParam);
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "one quit only";
}

TEST_F(MessageTest, MessagesOfADestroyedWindowAreDropped)
{
    HWND other = Recorder::Create(WS_POPUP);
    PostMessageA(other, WM_USER, 0, 0);
    DestroyWindow(other);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_USER, WM_USER, PM_REMOVE));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(PostMessageA(other, WM_USER, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
}

std::vector<UINT_PTR> g_ticks;

void CALLBACK Tick(HWND hwnd, UINT message, UINT_PTR id, DWORD)
{
    EXPECT_EQ(nullptr, hwnd);
    EXPECT_EQ(static_cast<UINT>(WM_TIMER), message);
    g_ticks.push_back(id);
    if (g_ticks.size() == 3)
        KillTimer(NULL, id);
}

TEST_F(MessageTest, ThreadTimerCallsItsProcedureThroughDispatchMessage)
{
    g_ticks.clear();
    UINT_PTR id = SetTimer(NULL, 0, 10, Tick);
    ASSERT_NE(0u, id);
    UINT_PTR other = SetTimer(NULL, id, 10, Tick);
    EXPECT_EQ(id, other) << "the same thread timer set again";
    MSG msg;
    while (g_ticks.size() < 3 && GetMessageA(&msg, NULL, 0, 0)) {
        if (msg.message == WM_TIMER) {
            EXPECT_EQ(nullptr, msg.hwnd);
            EXPECT_EQ(id, msg.wParam);
            EXPECT_NE(0, msg.lParam) << "the procedure to call (Wine gives a handle of it)";
        }
        DispatchMessageA(&msg);
    }
    EXPECT_EQ((std::vector<UINT_PTR>{id, id, id}), g_ticks);
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(KillTimer(NULL, id)) << "killed by the third tick";
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST_F(MessageTest, WindowTimerKeepsItsIdAndSendsWmTimer)
{
    EXPECT_EQ(77u, SetTimer(m_window, 77, 10, NULL));
    EXPECT_EQ(77u, SetTimer(m_window, 77, 10, NULL)) << "set again";
    Recorder::Log().clear();
    MSG msg;
    while (Recorder::Messages({WM_TIMER}).size() < 2 && GetMessageA(&msg, NULL, 0, 0))
        DispatchMessageA(&msg);
    ASSERT_EQ(2u, Recorder::Messages({WM_TIMER}, m_window).size());
    EXPECT_EQ(77u, Recorder::Log().back().wParam);
    EXPECT_TRUE(KillTimer(m_window, 77));
    EXPECT_FALSE(KillTimer(m_window, 77));
    EXPECT_NE(0u, SetTimer(m_window, 78, 10, NULL));
    DestroyWindow(m_window);
    m_window = Recorder::Create(WS_POPUP);
    EXPECT_FALSE(KillTimer(NULL, 78)) << "a window's timer went with the window";
}

TEST_F(MessageTest, TranslateMessageAddsTheCharacterOfAKey)
{
    const struct {
        UINT vk;
        WPARAM ch; /* 0: none */
    } keys[] = {{'A', 'a'},     {'7', '7'},      {VK_RETURN, '\r'}, {VK_ESCAPE, 0x1B},
                {VK_TAB, '\t'}, {VK_SPACE, ' '}, {VK_F1, 0},        {VK_SHIFT, 0}};
    for (const auto &key : keys) {
        SCOPED_TRACE(key.vk);
        MSG down = {m_window, WM_KEYDOWN, key.vk, 1, 0, {0, 0}};
        EXPECT_TRUE(TranslateMessage(&down));
        MSG msg;
        BOOL found = PeekMessageA(&msg, m_window, WM_CHAR, WM_CHAR, PM_REMOVE);
        EXPECT_EQ(key.ch != 0, found != FALSE);
        if (found) {
            EXPECT_EQ(key.ch, msg.wParam);
        }
    }
    MSG notAKey = {m_window, WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(TranslateMessage(&notAKey));
}

TEST_F(MessageTest, SendingCallsTheProcedureAtOnceAndDispatchingAPostedMessageToo)
{
    Recorder::Log().clear();
    EXPECT_EQ(0, SendMessageA(m_window, WM_USER, 3, 4));
    ASSERT_EQ(1u, Recorder::Log().size());
    EXPECT_EQ(3u, Recorder::Log()[0].wParam);
    PostMessageA(m_window, WM_USER, 5, 6);
    EXPECT_EQ(1u, Recorder::Log().size()) << "posting does not call the procedure";
    wmtest::Pump();
    ASSERT_EQ(2u, Recorder::Log().size());
    EXPECT_EQ(5u, Recorder::Log()[1].wParam);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, SendMessageA(reinterpret_cast<HWND>(0x12345), WM_USER, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
}

TEST_F(MessageTest, PaintComesForAVisibleWindowWithAnUpdateAndEndPaintValidates)
{
    ShowWindow(m_window, SW_SHOWNA);
    wmtest::Pump();
    Recorder::Log().clear();
    RECT part = {1, 2, 10, 20};
    EXPECT_TRUE(InvalidateRect(m_window, &part, FALSE));
    RECT update = {};
    EXPECT_TRUE(GetUpdateRect(m_window, &update, FALSE));
    EXPECT_TRUE(EqualRect(&part, &update));
    wmtest::Pump();
    EXPECT_EQ((std::vector<UINT>{WM_PAINT}), Recorder::Messages({WM_PAINT}, m_window));
    EXPECT_FALSE(GetUpdateRect(m_window, NULL, FALSE));

    ShowWindow(m_window, SW_HIDE);
    InvalidateRect(m_window, NULL, TRUE);
    Recorder::Log().clear();
    wmtest::Pump();
    EXPECT_TRUE(Recorder::Messages({WM_PAINT}).empty()) << "no paint for a hidden window";
    EXPECT_TRUE(ValidateRect(m_window, NULL));
    EXPECT_FALSE(GetUpdateRect(m_window, NULL, FALSE));
}

} // namespace

/* wm_focus_test.cpp - the keyboard focus and activation: the messages a
 * focus change sends, windows that cannot take the focus, the active
 * window and the pop-up last active over an owner, which window takes the
 * activation when the active one goes, and what enabling, hiding and
 * destroying do to them. */
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "wm_support.h"

using wmtest::Recorder;

namespace {

class FocusTest : public testing::Test {
protected:
    Recorder m_recorder;
    HWND m_top = NULL;
    HWND m_first = NULL;
    HWND m_second = NULL;

    void SetUp() override
    {
        m_top = Recorder::Create(WS_POPUP | WS_VISIBLE);
        m_first = Recorder::Create(WS_CHILD | WS_VISIBLE, m_top, 1);
        m_second = Recorder::Create(WS_CHILD | WS_VISIBLE, m_top, 2);
        SetActiveWindow(m_top);
        wmtest::Pump();
    }
    void TearDown() override
    {
        DestroyWindow(m_top);
        wmtest::Pump();
    }
};

TEST_F(FocusTest, FocusMovesWithKillAndSetFocusNamingTheOtherWindow)
{
    SetFocus(m_first);
    Recorder::Log().clear();
    EXPECT_EQ(m_first, SetFocus(m_second)) << "gives the window that had it";
    EXPECT_EQ(m_second, GetFocus());
    std::vector<wmtest::Seen> seen;
    for (const wmtest::Seen &s : Recorder::Log()) {
        if (s.message == WM_KILLFOCUS || s.message == WM_SETFOCUS)
            seen.push_back(s);
    }
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(m_first, seen[0].hwnd);
    EXPECT_EQ(static_cast<UINT>(WM_KILLFOCUS), seen[0].message);
    EXPECT_EQ(reinterpret_cast<WPARAM>(m_second), seen[0].wParam);
    EXPECT_EQ(m_second, seen[1].hwnd);
    EXPECT_EQ(static_cast<UINT>(WM_SETFOCUS), seen[1].message);
    EXPECT_EQ(reinterpret_cast<WPARAM>(m_first), seen[1].wParam);

    Recorder::Log().clear();
    EXPECT_EQ(m_second, SetFocus(m_second));
    EXPECT_TRUE(Recorder::Messages({WM_SETFOCUS, WM_KILLFOCUS}).empty()) << "no change, no messages";
}

TEST_F(FocusTest, DisabledOrMinimisedWindowsCannotTakeTheFocus)
{
    SetFocus(m_first);
    EnableWindow(m_second, FALSE);
    EXPECT_EQ(nullptr, SetFocus(m_second));
    EXPECT_EQ(m_first, GetFocus());
    EnableWindow(m_second, TRUE);

    EnableWindow(m_top, FALSE);
    EXPECT_EQ(nullptr, SetFocus(m_second)) << "nor can a control of a disabled window take it";
    EnableWindow(m_top, TRUE);
    SetFocus(m_top);
    EnableWindow(m_top, FALSE);
    EXPECT_EQ(nullptr, GetFocus()) << "a disabled window loses the focus";
    EnableWindow(m_top, TRUE);

    SetLastError(0xdeadbeef);
    EXPECT_EQ(nullptr, SetFocus(reinterpret_cast<HWND>(0x12345)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
}

TEST_F(FocusTest, HidingOrDestroyingTheFocusedWindowTakesTheFocusAway)
{
    SetFocus(m_second);
    ShowWindow(m_second, SW_HIDE);
    EXPECT_EQ(m_top, GetFocus()) << "to the parent";
    SetFocus(m_first);
    DestroyWindow(m_first);
    EXPECT_EQ(m_top, GetFocus());
}

TEST_F(FocusTest, ActivationTellsBothWindowsAndFocusesTheNewOne)
{
    HWND other = Recorder::Create(WS_POPUP | WS_VISIBLE);
    SetActiveWindow(m_top);
    wmtest::Pump();
    Recorder::Log().clear();
    EXPECT_EQ(m_top, SetActiveWindow(other));
    EXPECT_EQ(other, GetActiveWindow());
    EXPECT_EQ(other, GetFocus()) << "the default procedure focuses an activated window";
    bool deactivated = false, activated = false;
    for (const wmtest::Seen &s : Recorder::Log()) {
        if (s.message != WM_ACTIVATE)
            continue;
        if (s.hwnd == m_top) {
            deactivated = true;
            EXPECT_EQ(static_cast<WPARAM>(WA_INACTIVE), LOWORD(s.wParam));
            EXPECT_EQ(reinterpret_cast<LPARAM>(other), s.lParam);
        } else if (s.hwnd == other) {
            activated = true;
            EXPECT_NE(static_cast<WPARAM>(WA_INACTIVE), LOWORD(s.wParam));
            EXPECT_EQ(reinterpret_cast<LPARAM>(m_top), s.lParam);
        }
    }
    EXPECT_TRUE(deactivated);
    EXPECT_TRUE(activated);
    EXPECT_EQ(other, SetActiveWindow(m_first)) << "a child cannot be made active";
    EXPECT_EQ(other, GetActiveWindow());
    DestroyWindow(other);
}

struct HandOnCase {
    const char *name;
    /* top-level windows, made in order, each above those before it: an
     * earlier one's index if it has that owner, then s(hown), h(idden),
     * d(isabled) or m(inimised) */
    std::vector<const char *> windows;
    int leaving;  /* the active window, which is hidden or destroyed */
    bool destroy; /* destroyed rather than hidden */
    int next;     /* the window active afterwards, -1 for none */
};

TEST_F(FocusTest, WhenTheActiveWindowGoesItsOwnerOrTheTopmostWindowThatCanTakeItIsActivated)
{
    const HandOnCase cases[] = {
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
    for (const HandOnCase &c : cases) {
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

TEST_F(FocusTest, LastActivePopupIsTheOwnedWindowActivatedLast)
{
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
    DestroyWindow(hiddenPopup);
}

TEST_F(FocusTest, EnableWindowGivesThePreviousStateAndSendsWmEnable)
{
    Recorder::Log().clear();
    EXPECT_FALSE(EnableWindow(m_first, FALSE)) << "was enabled";
    EXPECT_FALSE(IsWindowEnabled(m_first));
    EXPECT_TRUE(EnableWindow(m_first, FALSE)) << "was disabled";
    EXPECT_TRUE(EnableWindow(m_first, TRUE));
    EXPECT_TRUE(IsWindowEnabled(m_first));
    std::vector<WPARAM> enables;
    for (const wmtest::Seen &s : Recorder::Log()) {
        if (s.message == WM_ENABLE && s.hwnd == m_first)
            enables.push_back(s.wParam);
    }
    EXPECT_EQ((std::vector<WPARAM>{FALSE, TRUE}), enables) << "only for changes";
}

} // namespace

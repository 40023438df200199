/* wm_button_test.cpp - the Button control as tables: what each kind answers
 * to WM_GETDLGCODE, the check states it keeps, what clicks do to them, and
 * the Space key holding a button down until its release clicks it. */
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "wm_support.h"

using wmtest::Recorder;

namespace {

class ButtonTest : public testing::Test {
protected:
    Recorder m_recorder;
    HWND m_parent = Recorder::Create(WS_POPUP | WS_VISIBLE);
    HWND m_other = Recorder::Create(WS_CHILD | WS_VISIBLE, m_parent, 8);

    HWND Make(DWORD style)
    {
        return CreateWindowExA(0, "Button", "b", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20, m_parent,
                               reinterpret_cast<HMENU>(7), GetModuleHandleA(NULL), NULL);
    }
    /* The notification codes the parent got since the last call. */
    std::vector<WPARAM> Notes()
    {
        std::vector<WPARAM> codes;
        for (const wmtest::Seen &s : Recorder::Log()) {
            if (s.hwnd == m_parent && s.message == WM_COMMAND && LOWORD(s.wParam) == 7)
                codes.push_back(HIWORD(s.wParam));
        }
        Recorder::Log().clear();
        return codes;
    }
    void TearDown() override { DestroyWindow(m_parent); }
};

TEST_F(ButtonTest, EachKindHasItsDialogCodeAndCheckStatesAndTheAutomaticOnesTurnOver)
{
    const struct {
        DWORD style;
        LRESULT code;
        std::vector<LRESULT> afterSet; /* BM_GETCHECK after BM_SETCHECK of 1, 2 and 7 */
        std::vector<LRESULT> afterClicks;
    } kinds[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, {0, 0, 0}, {0, 0, 0}},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON, {0, 0, 0}, {0, 0, 0}},
        {BS_CHECKBOX, DLGC_BUTTON, {1, 1, 1}, {0, 0, 0}},
        {BS_AUTOCHECKBOX, DLGC_BUTTON, {1, 1, 1}, {1, 0, 1}},
        {BS_3STATE, DLGC_BUTTON, {1, 2, 2}, {0, 0, 0}},
        {BS_AUTO3STATE, DLGC_BUTTON, {1, 2, 2}, {1, 2, 0}},
        {BS_GROUPBOX, DLGC_STATIC, {0, 0, 0}, {0, 0, 0}},
    };
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.style);
        HWND button = Make(k.style);
        EXPECT_EQ(k.code, SendMessageA(button, WM_GETDLGCODE, 0, 0));
        std::vector<LRESULT> seen;
        for (WPARAM check : {1, 2, 7}) {
            EXPECT_EQ(0, SendMessageA(button, BM_SETCHECK, check, 0));
            seen.push_back(SendMessageA(button, BM_GETCHECK, 0, 0));
        }
        EXPECT_EQ(k.afterSet, seen);
        SendMessageA(button, BM_SETCHECK, BST_UNCHECKED, 0);
        SetFocus(m_other);
        Notes();
        seen.clear();
        for (int i = 0; i < 3; i++) {
            SendMessageA(button, BM_CLICK, 0, 0);
            seen.push_back(SendMessageA(button, BM_GETCHECK, 0, 0));
        }
        EXPECT_EQ(k.afterClicks, seen);
        EXPECT_EQ(std::vector<WPARAM>(3, BN_CLICKED), Notes());
        EXPECT_EQ(button, GetFocus()) << "a click gives the focus";
        EXPECT_EQ(BST_FOCUS | k.afterClicks.back(), SendMessageA(button, BM_GETSTATE, 0, 0) & 0x0F);
        DestroyWindow(button);
    }
}

TEST_F(ButtonTest, SpaceHoldsTheButtonDownAndOnlyItsOwnReleaseClicks)
{
    HWND button = Make(BS_AUTOCHECKBOX | BS_NOTIFY);
    auto send = [=](UINT message, WPARAM wParam, LPARAM lParam) {
        return [=] { SendMessageA(button, message, wParam, lParam); };
    };
    auto focus = [=](HWND to) { return [=] { SetFocus(to); }; };
    const std::function<void()> down = send(WM_KEYDOWN, VK_SPACE, 1), up = send(WM_KEYUP, VK_SPACE, 0xC0000001);
    const struct {
        std::function<void()> act;
        LRESULT state;
        std::vector<WPARAM> notes;
    } steps[] = {
        {focus(button), BST_FOCUS, {BN_SETFOCUS}},
        {down, BST_FOCUS | BST_PUSHED, {}},
        {send(WM_KEYDOWN, VK_SPACE, 0x40000001), BST_FOCUS | BST_PUSHED, {}},
        {up, BST_FOCUS | BST_CHECKED, {BN_CLICKED}},
        {up, BST_FOCUS | BST_CHECKED, {}},
        {send(BM_SETSTATE, TRUE, 0), BST_FOCUS | BST_CHECKED | BST_PUSHED, {}},
        {up, BST_FOCUS | BST_CHECKED | BST_PUSHED, {}},
        {send(BM_SETSTATE, FALSE, 0), BST_FOCUS | BST_CHECKED, {}},
        {down, BST_FOCUS | BST_CHECKED | BST_PUSHED, {}},
        {focus(m_other), BST_CHECKED, {BN_KILLFOCUS}},
        {up, BST_CHECKED, {}},
    };
    Notes();
    for (const auto &s : steps) {
        SCOPED_TRACE(&s - steps);
        s.act();
        EXPECT_EQ(s.state, SendMessageA(button, BM_GETSTATE, 0, 0) & 0x0F);
        EXPECT_EQ(s.notes, Notes());
    }
    EXPECT_EQ(0, SendMessageA(button, BM_SETSTYLE, BS_PUSHBUTTON | WS_TABSTOP, TRUE));
    EXPECT_EQ(WS_CHILD | WS_VISIBLE | BS_NOTIFY | BS_PUSHBUTTON, GetWindowLongA(button, GWL_STYLE))
        << "only the kind changes";
}

} // namespace

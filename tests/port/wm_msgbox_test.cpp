/* wm_msgbox_test.cpp - message boxes as dialogs: their controls for each
 * type and icon, the default button, Esc, the owner held while the box is
 * up, and the caption of a box without one. The boxes are worked from a
 * thread timer while MessageBoxA runs. */
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "wm_support.h"

using wmtest::Recorder;

namespace {

const int kTextId = 0xFFFF;
const int kIconId = 0x0440;

/* What a box looked like, and what to do with it. */
struct Seen {
    std::string caption = "unseen";
    std::string text;
    HICON icon = reinterpret_cast<HICON>(0xdeadbeef);
    std::vector<int> buttons; /* visible buttons, in order */
    int focusId = -1;
    HWND owner = reinterpret_cast<HWND>(0xdeadbeef);
    bool ownerEnabled = true;
};

Seen g_seen;
std::function<void(HWND)> g_act;

HWND ActiveBox()
{
    HWND active = GetActiveWindow();
    return active != NULL && IsWindowVisible(active) && wmtest::ClassOf(active) == "#32770" ? active : NULL;
}

void CALLBACK Look(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = ActiveBox();
    if (box == NULL)
        return;
    KillTimer(NULL, id);
    g_seen.caption = wmtest::Text(box);
    g_seen.text = wmtest::Text(GetDlgItem(box, kTextId));
    g_seen.icon = reinterpret_cast<HICON>(SendMessageA(GetDlgItem(box, kIconId), STM_GETICON, 0, 0));
    g_seen.buttons.clear();
    for (HWND child = GetWindow(box, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT)) {
        if (wmtest::ClassOf(child) == "Button" && IsWindowVisible(child))
            g_seen.buttons.push_back(GetDlgCtrlID(child));
    }
    g_seen.focusId = GetDlgCtrlID(GetFocus());
    g_seen.owner = GetWindow(box, GW_OWNER);
    g_seen.ownerEnabled = g_seen.owner != NULL && IsWindowEnabled(g_seen.owner);
    g_act(box);
}

/* Shows a box, looks at it once it is up, then does `act` to it. */
int Show(HWND owner, const char *text, const char *caption, UINT type, std::function<void(HWND)> act)
{
    g_seen = Seen();
    g_act = act;
    SetTimer(NULL, 0, 10, Look);
    return MessageBoxA(owner, text, caption, type);
}

void Press(HWND box, int id) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

/* A key press as the keyboard gives it, to the control with the focus. */
void Type(UINT vk)
{
    PostMessageA(GetFocus(), WM_KEYDOWN, vk, 1);
    PostMessageA(GetFocus(), WM_KEYUP, vk, 0xC0000001);
}

class MessageBoxTest : public testing::Test {
protected:
    Recorder m_recorder;
};

struct TypeCase {
    UINT type;
    std::vector<int> buttons;
    LPCSTR icon; /* null: none */
    int focus;
};

TEST_F(MessageBoxTest, EachTypeShowsItsButtonsAndIconWithTheFocusOnTheDefault)
{
    const TypeCase cases[] = {
        {MB_OK | MB_ICONHAND, {IDOK}, IDI_HAND, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, {IDOK, IDCANCEL}, IDI_QUESTION, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, NULL, IDIGNORE},
        {MB_YESNOCANCEL | MB_ICONEXCLAMATION, {IDYES, IDNO, IDCANCEL}, IDI_EXCLAMATION, IDYES},
        {MB_YESNO | MB_ICONASTERISK | MB_DEFBUTTON2, {IDYES, IDNO}, IDI_ASTERISK, IDNO},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, NULL, IDRETRY},
    };
    for (const TypeCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "type 0x" << std::hex << c.type);
        int pressed = c.buttons.back();
        EXPECT_EQ(pressed,
                  Show(NULL, "削除に成功しました。", "ﾙﾒｵ", c.type, [pressed](HWND box) { Press(box, pressed); }));
        EXPECT_EQ("ﾙﾒｵ", g_seen.caption);
        EXPECT_EQ("削除に成功しました。", g_seen.text);
        EXPECT_EQ(c.buttons, g_seen.buttons);
        EXPECT_EQ(c.icon != NULL ? LoadIconA(NULL, c.icon) : NULL, g_seen.icon);
        EXPECT_EQ(c.focus, g_seen.focusId);
        EXPECT_EQ(nullptr, g_seen.owner);
    }
}

TEST_F(MessageBoxTest, EnterPressesTheFocusedButtonAndArrowsMoveIt)
{
    EXPECT_EQ(IDNO, Show(NULL, "text", "caption", MB_YESNO | MB_DEFBUTTON2, [](HWND) { Type(VK_RETURN); }));
    EXPECT_EQ(IDNO, Show(NULL, "text", "caption", MB_YESNO, [](HWND) {
                  Type(VK_RIGHT);
                  Type(VK_RETURN);
              }));
    EXPECT_EQ(IDCANCEL, Show(NULL, "text", "caption", MB_YESNOCANCEL,
                             [](HWND) {
                                 Type(VK_LEFT);
                                 Type(VK_RETURN);
                             }))
        << "round the group";
    EXPECT_EQ(IDRETRY, Show(NULL, "text", "caption", MB_ABORTRETRYIGNORE,
                            [](HWND) { PostMessageA(GetFocus(), WM_CHAR, 'r', 0); }))
        << "access key";
}

/* Where there is no Cancel button Windows ignores Esc (a Yes/No box) or
 * answers OK (an OK box), and Wine answers IDCANCEL: the native layer's
 * own tests look at those. */
TEST_F(MessageBoxTest, EscGivesCancelWhereThereIsACancelButton)
{
    EXPECT_EQ(IDCANCEL, Show(NULL, "text", "caption", MB_OKCANCEL, [](HWND) { Type(VK_ESCAPE); }));
    EXPECT_EQ(IDCANCEL, Show(NULL, "text", "caption", MB_YESNOCANCEL, [](HWND) { Type(VK_ESCAPE); }));
}

TEST_F(MessageBoxTest, OwnerIsDisabledWhileTheBoxIsUp)
{
    HWND owner = Recorder::Create(WS_POPUP | WS_VISIBLE);
    HWND child = Recorder::Create(WS_CHILD | WS_VISIBLE, owner, 5);
    EXPECT_EQ(IDOK, Show(child, "text", "caption", MB_OK, [](HWND box) { Press(box, IDOK); }));
    EXPECT_EQ(owner, g_seen.owner) << "a child's top-level window owns the box";
    EXPECT_FALSE(g_seen.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(owner, GetActiveWindow()) << "active again";
    DestroyWindow(owner);
}

TEST_F(MessageBoxTest, BoxWithoutACaptionSaysError)
{
    EXPECT_EQ(IDOK, Show(NULL, "", NULL, MB_OK, [](HWND box) { Press(box, IDOK); }));
    EXPECT_EQ("エラー", g_seen.caption);
    EXPECT_EQ("", g_seen.text);
}

} // namespace

/* wm_msgbox_test.cpp - message boxes as dialogs: their controls for each
 * type and icon, the default button, the caption, the owner held while
 * the box is up, the layout (icon, text and one row of buttons in a box
 * centred in the work area, long texts wrapped), and the keys. The boxes
 * are worked from a thread timer while MessageBoxA runs. */
#include <gtest/gtest.h>
#include <windows.h>

#include <stdlib.h>

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
    std::string caption = "unseen", text;
    HICON icon = reinterpret_cast<HICON>(0xdeadbeef);
    std::vector<int> buttons; /* visible buttons, in order */
    int focusId = -1;
    HWND owner = reinterpret_cast<HWND>(0xdeadbeef);
    bool ownerEnabled = true;
    RECT box = {}, client = {}, area = {}; /* on the screen */
    /* in the box's client area; the icon's empty when there is none */
    RECT textRect = {}, iconRect = {};
    std::vector<RECT> buttonRects;
};

/* A child's rectangle in its parent's client area. */
RECT Placed(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(NULL, GetParent(child), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

Seen g_seen;
std::function<void(HWND)> g_act;

void CALLBACK Look(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = GetActiveWindow();
    if (box == NULL || !IsWindowVisible(box) || wmtest::ClassOf(box) != "#32770")
        return;
    KillTimer(NULL, id);
    g_seen.caption = wmtest::Text(box);
    char text[1024] = "";
    GetDlgItemTextA(box, kTextId, text, sizeof text);
    g_seen.text = text;
    g_seen.icon = reinterpret_cast<HICON>(SendMessageA(GetDlgItem(box, kIconId), STM_GETICON, 0, 0));
    for (HWND child = GetWindow(box, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT)) {
        if (wmtest::ClassOf(child) == "Button" && IsWindowVisible(child)) {
            g_seen.buttons.push_back(GetDlgCtrlID(child));
            g_seen.buttonRects.push_back(Placed(child));
        }
    }
    GetWindowRect(box, &g_seen.box);
    GetClientRect(box, &g_seen.client);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &g_seen.area, 0);
    g_seen.textRect = Placed(GetDlgItem(box, kTextId));
    if (g_seen.icon != NULL)
        g_seen.iconRect = Placed(GetDlgItem(box, kIconId));
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

const char kLongest[] = "ルメオ ゼルコアバージョンが起動しています。終了させてから実行してください。";

const int kOwned = 1;     /* by a child of a pop-up */
const int kNoCaption = 2; /* the system's caption */
/* answered with Esc, which gives Cancel where there is a Cancel button;
 * elsewhere Windows ignores it (a Yes/No box) or answers OK (an OK box),
 * and Wine answers IDCANCEL: the native layer's own tests look at those */
const int kEsc = 4;

struct BoxCase {
    std::string text;
    UINT type;
    std::vector<int> buttons;
    LPCSTR icon; /* null: none */
    int focus;
    int lines; /* of text; 0: wrapped into two or more */
    int flags;
};

int Width(const RECT &r) { return r.right - r.left; }
int Height(const RECT &r) { return r.bottom - r.top; }

TEST_F(MessageBoxTest, EachTypeShowsItsIconTextAndButtonsCentredInTheWorkArea)
{
    const std::string done = "削除に成功しました。", ask = "ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？";
    const BoxCase cases[] = {
        {done, MB_OK | MB_ICONHAND, {IDOK}, IDI_HAND, IDOK, 1, 0},
        {ask, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {IDYES, IDNO}, IDI_QUESTION, IDNO, 1, 0},
        {done, MB_OKCANCEL | MB_ICONQUESTION, {IDOK, IDCANCEL}, IDI_QUESTION, IDOK, 1, kOwned | kEsc},
        {"a", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {IDABORT, IDRETRY, IDIGNORE}, NULL, IDIGNORE, 1, 0},
        {done, MB_YESNOCANCEL | MB_ICONEXCLAMATION, {IDYES, IDNO, IDCANCEL}, IDI_EXCLAMATION, IDYES, 1, kEsc},
        {"a", MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, NULL, IDRETRY, 1, kNoCaption},
        {"1\n2", MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, NULL, IDCONTINUE, 2, 0},
        {"1\r\n2\n\n4", MB_YESNO | MB_ICONASTERISK, {IDYES, IDNO}, IDI_ASTERISK, IDYES, 4, 0},
        {kLongest, MB_ICONHAND, {IDOK}, IDI_HAND, IDOK, 0, 0},
    };
    HWND owner = Recorder::Create(WS_POPUP | WS_VISIBLE, NULL, 0, "", 10, 10, 200, 100);
    HWND child = Recorder::Create(WS_CHILD | WS_VISIBLE, owner, 5);
    int lineHeight = 0;
    for (const BoxCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "type 0x" << std::hex << c.type << ": " << c.text);
        const char *caption = (c.flags & kNoCaption) ? NULL : "ﾙﾒｵ";
        bool owned = (c.flags & kOwned) != 0;
        int pressed = c.buttons.back();
        bool esc = (c.flags & kEsc) != 0;
        EXPECT_EQ(esc ? IDCANCEL : pressed, Show(owned ? child : NULL, c.text.c_str(), caption, c.type,
                                                 [=](HWND box) { esc ? Type(VK_ESCAPE) : Press(box, pressed); }));
        const Seen &s = g_seen;
        EXPECT_EQ(caption != NULL ? caption : "エラー", s.caption);
        EXPECT_EQ(c.text, s.text);
        EXPECT_EQ(c.buttons, s.buttons);
        EXPECT_EQ(c.icon != NULL ? LoadIconA(NULL, c.icon) : NULL, s.icon);
        EXPECT_EQ(c.focus, s.focusId);
        EXPECT_EQ(owned ? owner : NULL, s.owner) << "a child's top-level window owns the box";
        EXPECT_FALSE(s.ownerEnabled) << "held while the box is up";
        if (owned) {
            EXPECT_TRUE(IsWindowEnabled(owner));
            EXPECT_EQ(owner, GetActiveWindow()) << "active again";
        }
        /* the box on the work area, in its middle, whatever its owner */
        RECT inside;
        EXPECT_TRUE(IntersectRect(&inside, &s.box, &s.area) && EqualRect(&inside, &s.box));
        EXPECT_LE(abs(s.box.left + s.box.right - s.area.left - s.area.right), 2);
        EXPECT_LE(abs(s.box.top + s.box.bottom - s.area.top - s.area.bottom), 2);
        /* the text right of the icon, or where the icon would be */
        EXPECT_GE(s.textRect.left, c.icon != NULL ? s.iconRect.right : 0);
        EXPECT_LT(s.textRect.left, c.icon != NULL ? Width(s.client) : GetSystemMetrics(SM_CXICON));
        EXPECT_LE(s.textRect.right, Width(s.client));
        /* one row of buttons of one size below both, in order, centred */
        const RECT &first = s.buttonRects.front(), &last = s.buttonRects.back();
        for (size_t i = 0; i < s.buttonRects.size(); i++) {
            const RECT &b = s.buttonRects[i];
            EXPECT_GE(b.top, std::max(s.textRect.bottom, s.iconRect.bottom));
            EXPECT_TRUE(b.top == first.top && Width(b) == Width(first) && Height(b) == Height(first));
            EXPECT_GE(b.left, i > 0 ? s.buttonRects[i - 1].right : 1);
        }
        EXPECT_LE(last.bottom, Height(s.client));
        EXPECT_LE(abs(first.left - (Width(s.client) - last.right)), 8);
        /* as high as its lines */
        lineHeight = lineHeight != 0 ? lineHeight : Height(s.textRect);
        ASSERT_GT(lineHeight, 0);
        EXPECT_EQ(0, Height(s.textRect) % lineHeight);
        if (c.lines > 0) {
            EXPECT_EQ(c.lines * lineHeight, Height(s.textRect));
            continue;
        }
        EXPECT_LE(Width(s.box), Width(s.area) / 2) << "wrapped well inside the screen";
        EXPECT_GT(Height(s.textRect), lineHeight);
    }
    DestroyWindow(owner);
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

} // namespace

/* wm_dialog_test.cpp - the dialog manager, the Button control and message
 * boxes as tables of inputs and what Windows makes of them: dialogs from
 * templates (styles, dialog units, placement, first focus, default button),
 * the default look following the focus, the keyboard, the focus given back
 * on activation, the default dialog procedure's results, modal loops and
 * EndDialog; the buttons' codes, check states and clicks; the message
 * boxes' controls, caption, owner, layout and keys for each type. */
#include <gtest/gtest.h>
#include <windows.h>

#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "wm_support.h"

using wmtest::ControlDef;
using wmtest::kButtonAtom;
using wmtest::Placed;
using wmtest::Recorder;
using wmtest::Rect;
using wmtest::Type;

namespace {

const int IDC_CHECK = 1001, IDC_TEXT = 1003, IDC_PUSH = 1004;
const DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
const DWORD kShown = WS_CHILD | WS_VISIBLE;

/* The uninstall dialog's first group (Cancel, the default, then OK and a
 * check box), then a text and a push button; access keys on the last three,
 * and a literal ampersand. */
std::vector<ControlDef> Controls()
{
    return {
        {IDCANCEL, kButtonAtom, kShown | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 135, 150, 50, 14, L"ｷｬﾝｾﾙ"},
        {IDOK, kButtonAtom, kShown | WS_TABSTOP | BS_NOTIFY, 80, 150, 50, 14, L"実行"},
        {IDC_CHECK, kButtonAtom, kShown | WS_TABSTOP | BS_AUTOCHECKBOX, 65, 125, 57, 10, L"ｽﾄｯｸﾌﾞｯｸ削除(&S)"},
        {IDC_TEXT, wmtest::kStaticAtom, kShown | WS_GROUP, 20, 10, 155, 8, L"「C:\\表示」(&F)"},
        {IDC_PUSH, kButtonAtom, kShown | WS_TABSTOP, 20, 100, 50, 14, L"A&&B(&P)"},
    };
}

/* A WM_COMMAND: wParam and the id of the control in lParam (0 for none). */
typedef std::pair<WPARAM, int> Command;

/* What the dialog procedure saw, and how it answers. */
struct Probe {
    INT_PTR initResult = TRUE;
    WPARAM initFocus = 0xdeadbeef;
    bool visibleAtInit = true, shown = false, ownerEnabledAtDestroy = false, endOnClick = false;
    std::vector<Command> commands;
    std::function<void(HWND)> onInit, onTimer;
    std::function<INT_PTR(HWND, UINT)> answer; /* any other message */
};

INT_PTR CALLBACK ProbeProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
    Probe *p = reinterpret_cast<Probe *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    if (p == nullptr)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        p->initFocus = wParam;
        p->visibleAtInit = IsWindowVisible(hDlg) != FALSE;
        if (p->onInit)
            p->onInit(hDlg);
        return p->initResult;
    case WM_SHOWWINDOW:
        p->shown = p->shown || wParam;
        return FALSE;
    case WM_TIMER: /* once the modal loop has run out of messages */
        KillTimer(hDlg, wParam);
        p->onTimer(hDlg);
        return TRUE;
    case WM_DESTROY:
        p->ownerEnabledAtDestroy = IsWindowEnabled(GetWindow(hDlg, GW_OWNER)) != FALSE;
        return FALSE;
    case WM_COMMAND:
        p->commands.push_back({wParam, lParam != 0 ? GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) : 0});
        if (p->endOnClick && HIWORD(wParam) == BN_CLICKED)
            EndDialog(hDlg, LOWORD(wParam));
        return p->endOnClick;
    default:
        return p->answer ? p->answer(hDlg, message) : FALSE;
    }
}

int FocusId() { return GetFocus() != NULL ? GetDlgCtrlID(GetFocus()) : 0; }

/* The button that wears the default push button's style: 0 for none, -1
 * for more than one. */
int Wearer(HWND hDlg)
{
    int found = 0;
    for (HWND c = GetWindow(hDlg, GW_CHILD); c != NULL; c = GetWindow(c, GW_HWNDNEXT)) {
        if ((GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON && wmtest::ClassOf(c) == "Button")
            found = found == 0 ? GetDlgCtrlID(c) : -1;
    }
    return found;
}

void Focus(HWND hDlg, int id) { SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, id)), 1); }

std::vector<WORD> Template(DWORD style = kDialogStyle | WS_VISIBLE,
                           const std::vector<ControlDef> &controls = Controls(), bool extended = true)
{
    return wmtest::DialogTemplate(extended, style, 0, 0, 191, 169, L"ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ", controls);
}

class DialogTest : public wmtest::RecorderTest {
protected:
    Probe m_probe;

    HWND Create(const std::vector<WORD> &t, HWND owner = NULL)
    {
        return CreateDialogIndirectParamA(GetModuleHandleA(NULL), reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), owner,
                                          ProbeProc, reinterpret_cast<LPARAM>(&m_probe));
    }
    void TearDown() override { wmtest::Pump(); }
};

TEST_F(DialogTest, TemplateMakesTheControlsOffersTheFirstTabStopAndNamesTheLastDefaultButton)
{
    const struct {
        bool extended;
        DWORD cancelType, okType;
        INT_PTR initResult; /* TRUE with WS_VISIBLE */
        int defId, wearer;
    } cases[] = {{false, BS_DEFPUSHBUTTON, 0, TRUE, IDCANCEL, IDCANCEL},
                 {true, BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON, FALSE, IDOK, IDOK},
                 {true, 0, 0, TRUE, IDOK, 0}};
    HWND owner = Recorder::Create(WS_POPUP | WS_CAPTION | WS_VISIBLE, NULL, 0, "", 100, 80, 400, 300);
    RECT area, control;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.extended << c.cancelType << c.okType);
        std::vector<ControlDef> controls = Controls();
        controls[0].style = (controls[0].style & ~BS_TYPEMASK) | c.cancelType;
        controls[1].style |= c.okType;
        m_probe.initResult = c.initResult;
        HWND hDlg = Create(Template(kDialogStyle | (c.initResult ? WS_VISIBLE : 0), controls, c.extended),
                           c.extended ? owner : NULL);
        ASSERT_NE(nullptr, hDlg);
        /* the template's position 0, 0: the owner's client area, or the work area's corner */
        POINT client = {0, 0}, expected = {0, 0};
        ClientToScreen(hDlg, &client);
        ClientToScreen(c.extended ? owner : hDlg, &expected);
        GetWindowRect(hDlg, &control);
        EXPECT_TRUE(client.x == expected.x && client.y == expected.y);
        EXPECT_TRUE(c.extended || (control.left == area.left && control.top == area.top));
        EXPECT_EQ("#32770 ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ", wmtest::ClassOf(hDlg) + " " + wmtest::Text(hDlg));
        const LONG ex = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        EXPECT_EQ(ex, GetWindowLongA(hDlg, GWL_EXSTYLE) & ex);
        EXPECT_EQ(reinterpret_cast<WPARAM>(GetDlgItem(hDlg, IDCANCEL)), m_probe.initFocus);
        EXPECT_FALSE(m_probe.visibleAtInit) << "WS_VISIBLE takes effect after initialisation";
        EXPECT_EQ(c.initResult, IsWindowVisible(hDlg));
        EXPECT_EQ(c.initResult ? IDCANCEL : 0, FocusId()) << "its style untouched";
        EXPECT_EQ(MAKELONG(c.defId, DC_HASDEFID), SendMessageA(hDlg, DM_GETDEFID, 0, 0));
        EXPECT_EQ(c.wearer, Wearer(hDlg));
        RECT units = {0, 0, 4, 8};
        ASSERT_TRUE(MapDialogRect(hDlg, &units));
        GetClientRect(hDlg, &control);
        EXPECT_TRUE(control.right == MulDiv(191, units.right, 4) && control.bottom == MulDiv(169, units.bottom, 8));
        HWND child = GetWindow(hDlg, GW_CHILD);
        for (const ControlDef &d : controls) {
            ASSERT_EQ(d.id, GetDlgCtrlID(child)) << "in template order";
            EXPECT_EQ(d.classAtom == kButtonAtom ? "Button" : "Static", wmtest::ClassOf(child));
            EXPECT_EQ(WS_EX_NOPARENTNOTIFY, GetWindowLongA(child, GWL_EXSTYLE));
            control = wmtest::Placed(child);
            EXPECT_TRUE(control.left == MulDiv(d.x, units.right, 4) &&
                        control.bottom - control.top == MulDiv(d.cy, units.bottom, 8));
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(nullptr, child);
        EXPECT_EQ("「C:\\表示」(&F)", wmtest::Text(GetDlgItem(hDlg, IDC_TEXT)));
        Focus(hDlg, IDC_CHECK);
        EXPECT_EQ(c.defId, Wearer(hDlg)) << "with the focus off push buttons";
        DestroyWindow(hDlg);
    }
    EXPECT_EQ(nullptr, Create(Template(kDialogStyle, {{7, 0x0099, kShown, 0, 0, 9, 9, L"?"}}))) << "no such class";
    EXPECT_EQ(nullptr, FindWindowA("#32770", "ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ")) << "takes its dialog with it";
    DestroyWindow(owner);
}

TEST_F(DialogTest, FocusDefaultLookKeysActivationAndResultsInOneSession)
{
    HWND other = Recorder::Create(WS_POPUP | WS_VISIBLE), hDlg = Create(Template());
    auto item = [=](int id) { return GetDlgItem(hDlg, id); };
    auto key = [=](UINT message, WPARAM key) {
        return [=] {
            PostMessageA(message == WM_CLOSE ? hDlg : GetFocus(), message, key, 1);
            if (message == WM_KEYDOWN)
                PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
        };
    };
    auto send = [=](UINT message, WPARAM wParam) { return [=] { SendMessageA(hDlg, message, wParam, 0); }; };
    auto tab = [=](int id) { return [=] { Focus(hDlg, id); }; };
    auto away = [=] { SetActiveWindow(other); };
    auto pushThenAway = [=] { Focus(hDlg, IDC_PUSH), away(), SendMessageA(hDlg, WM_SETFOCUS, 0, 0); };
    auto pushOffThenBack = [=] { away(), EnableWindow(item(IDC_PUSH), FALSE), SetActiveWindow(hDlg); };
    const WPARAM kSetFocus = BN_SETFOCUS << 16, kKillFocus = BN_KILLFOCUS << 16; /* BN_CLICKED is 0 */
    const struct {
        std::function<void()> act;
        std::vector<Command> commands;
        int focus, wearer, defId;
        bool checked;
    } steps[] = {
        {key(WM_KEYDOWN, VK_RETURN), {{IDCANCEL, IDCANCEL}}, IDCANCEL, IDCANCEL, IDCANCEL, false},
        {key(WM_KEYDOWN, VK_UP), {}, IDC_CHECK, IDCANCEL, IDCANCEL, false}, /* round the group */
        {key(WM_KEYDOWN, VK_RETURN), {{IDCANCEL, IDCANCEL}}, IDC_CHECK, IDCANCEL, IDCANCEL, false},
        {key(WM_KEYDOWN, VK_SPACE), {{IDC_CHECK, IDC_CHECK}}, IDC_CHECK, IDCANCEL, IDCANCEL, true},
        {key(WM_KEYDOWN, VK_DOWN), {}, IDCANCEL, IDCANCEL, IDCANCEL, true},
        {key(WM_KEYDOWN, VK_DOWN), {{IDOK | kSetFocus, IDOK}}, IDOK, IDOK, IDCANCEL, true},
        {key(WM_KEYDOWN, VK_RETURN), {{IDOK, IDOK}}, IDOK, IDOK, IDCANCEL, true},
        {key(WM_KEYDOWN, VK_TAB), {{IDOK | kKillFocus, IDOK}}, IDC_CHECK, IDCANCEL, IDCANCEL, true},
        {key(WM_KEYDOWN, VK_TAB), {}, IDC_PUSH, IDC_PUSH, IDCANCEL, true},
        /* access keys: a click leaves the default look where it was */
        {key(WM_KEYDOWN, 'S'), {{IDC_CHECK, IDC_CHECK}}, IDC_CHECK, IDC_PUSH, IDCANCEL, false},
        {key(WM_KEYDOWN, VK_RETURN), {{IDCANCEL, IDCANCEL}}, IDC_CHECK, IDC_PUSH, IDCANCEL, false},
        {key(WM_SYSCHAR, 'P'), {{IDC_PUSH, IDC_PUSH}}, IDC_PUSH, IDC_PUSH, IDCANCEL, false},
        {key(WM_CHAR, 'b'), {}, IDC_PUSH, IDC_PUSH, IDCANCEL, false},
        {[=] { SetFocus(item(IDOK)); }, {{IDOK | kSetFocus, IDOK}}, IDOK, IDC_PUSH, IDCANCEL, false},
        {key(WM_KEYDOWN, VK_RETURN), {{IDCANCEL, IDCANCEL}}, IDOK, IDC_PUSH, IDCANCEL, false},
        {key(WM_CHAR, 'f'), {{IDOK | kKillFocus, IDOK}}, IDC_PUSH, IDC_PUSH, IDCANCEL, false}, /* a text's */
        /* the default id */
        {send(DM_SETDEFID, IDC_PUSH), {}, IDC_PUSH, IDC_PUSH, IDC_PUSH, false},
        {tab(IDC_TEXT), {}, IDC_TEXT, IDC_PUSH, IDC_PUSH, false},
        {tab(IDCANCEL), {}, IDCANCEL, IDCANCEL, IDC_PUSH, false},
        {send(DM_SETDEFID, IDC_CHECK), {}, IDCANCEL, 0, IDC_CHECK, false},
        {send(DM_SETDEFID, 4242), {}, IDCANCEL, 0, 4242, false},
        {key(WM_KEYDOWN, VK_RETURN), {{4242, 0}}, IDCANCEL, 0, 4242, false},
        {send(DM_SETDEFID, 0), {}, IDCANCEL, 0, 0, false},
        {send(DM_SETDEFID, IDCANCEL), {}, IDCANCEL, IDCANCEL, IDCANCEL, false},
        {[=] { EnableWindow(item(IDCANCEL), FALSE); }, {}, 0, IDCANCEL, IDCANCEL, false},
        {tab(IDC_CHECK), {}, IDC_CHECK, IDCANCEL, IDCANCEL, false},
        {key(WM_KEYDOWN, VK_RETURN), {}, IDC_CHECK, IDCANCEL, IDCANCEL, false}, /* a disabled default */
        {key(WM_KEYDOWN, VK_ESCAPE), {{IDCANCEL, IDCANCEL}}, IDC_CHECK, IDCANCEL, IDCANCEL, false},
        {key(WM_CLOSE, 0), {{IDCANCEL, IDCANCEL}}, IDC_CHECK, IDCANCEL, IDCANCEL, false},
        /* activation gives the focus back once, else the first tab stop */
        {away, {}, 0, IDCANCEL, IDCANCEL, false},
        {[=] { SetActiveWindow(hDlg); }, {}, IDC_CHECK, IDCANCEL, IDCANCEL, false},
        {[=] { SetFocus(hDlg); }, {{IDOK | kSetFocus, IDOK}}, IDOK, IDCANCEL, IDCANCEL, false},
        {pushThenAway, {{IDOK | kKillFocus, IDOK}}, IDC_PUSH, IDC_PUSH, IDCANCEL, false},
        {pushOffThenBack, {{IDOK | kSetFocus, IDOK}}, IDOK, IDC_PUSH, IDCANCEL, false},
        {[=] { DestroyWindow(item(IDCANCEL)); }, {}, IDOK, IDC_PUSH, IDCANCEL, false},
        {key(WM_KEYDOWN, VK_ESCAPE), {{IDCANCEL, 0}}, IDOK, IDC_PUSH, IDCANCEL, false},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(&s - steps);
        m_probe.commands.clear();
        s.act();
        wmtest::Pump(hDlg);
        EXPECT_EQ(s.commands, m_probe.commands);
        EXPECT_EQ(s.focus, FocusId());
        EXPECT_EQ(s.wearer, Wearer(hDlg));
        EXPECT_EQ(s.defId != 0 ? MAKELONG(s.defId, DC_HASDEFID) : 0, SendMessageA(hDlg, DM_GETDEFID, 0, 0));
        EXPECT_EQ(s.checked, IsDlgButtonChecked(hDlg, IDC_CHECK) == BST_CHECKED);
    }
    MSG own = {item(IDOK), WM_USER, 0, 0, 0, {0, 0}}, another = own;
    another.hwnd = other;
    EXPECT_TRUE(IsDialogMessageA(hDlg, &own)) << "dispatched";
    EXPECT_FALSE(IsDialogMessageA(hDlg, &another));
    /* the result of a message: the procedure's DWLP_MSGRESULT, save for messages answered directly */
    const struct {
        UINT message;
        INT_PTR returned;
        LONG_PTR msgResult; /* set by the procedure, -1 for not; 0x1234 before the call */
        LRESULT expected;
    } results[] = {{WM_USER + 20, TRUE, 55, 55},
                   {WM_USER + 20, TRUE, -1, 0},
                   {WM_USER + 20, FALSE, 55, 0},
                   {WM_QUERYDRAGICON, 7, 55, 7},
                   {WM_CTLCOLORSTATIC, 8, 55, 8}};
    for (const auto &c : results) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.returned << " " << c.msgResult);
        m_probe.answer = [&c](HWND h, UINT message) -> INT_PTR {
            if (message == c.message && c.msgResult != -1)
                SetWindowLongPtrA(h, DWLP_MSGRESULT, c.msgResult);
            return message == c.message ? c.returned : FALSE;
        };
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0x1234);
        EXPECT_EQ(c.expected, SendMessageA(hDlg, c.message, 0, 0));
    }
    DestroyWindow(other);
    DestroyWindow(hDlg);
}

TEST_F(DialogTest, ModalLoopHoldsTheOwnerUntilEndDialogGivesItsResult)
{
    HWND top = Recorder::Create(WS_POPUP | WS_VISIBLE);
    HWND child = Recorder::Create(kShown, top, 5);
    auto end = [&](HWND h) {
        EXPECT_TRUE(IsWindowVisible(h)) << "shown when the queue ran empty";
        EXPECT_TRUE(top == GetWindow(h, GW_OWNER) && !IsWindowEnabled(top)) << "the owner's top-level window, held";
        EXPECT_TRUE(EndDialog(h, 5) && EndDialog(h, 6));
        EXPECT_FALSE(IsWindowVisible(h)) << "hidden at once";
        EXPECT_TRUE(IsWindowEnabled(top) && GetActiveWindow() == top);
    };
    const struct {
        HWND owner;
        std::function<void(HWND)> onInit;
        INT_PTR result;
        bool shown;
    } cases[] = {
        {top, [](HWND h) { EndDialog(h, 42); }, 42, false},
        {top, [](HWND h) { PostMessageA(GetDlgItem(h, IDOK), BM_CLICK, 0, 0); }, IDOK, false},
        {child, [](HWND h) { SetTimer(h, 1, 10, NULL); }, 6, true},
    };
    std::vector<WORD> hidden = Template(kDialogStyle, {Controls()[1]}, false);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.result);
        Probe probe;
        probe.endOnClick = true;
        probe.onInit = c.onInit;
        probe.onTimer = end;
        EXPECT_EQ(c.result, DialogBoxIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(hidden.data()), c.owner,
                                                    ProbeProc, reinterpret_cast<LPARAM>(&probe)));
        EXPECT_TRUE(probe.ownerEnabledAtDestroy) << "enabled before the dialog goes";
        EXPECT_TRUE(IsWindowEnabled(top));
        EXPECT_EQ(c.shown, probe.shown);
    }
    EXPECT_EQ(-1, DialogBoxIndirectParamA(NULL, NULL, top, ProbeProc, 0)) << "no template";
    HWND modeless = Create(Template());
    EXPECT_TRUE(EndDialog(modeless, 3));
    EXPECT_TRUE(IsWindow(modeless) && !IsWindowVisible(modeless)) << "a modeless dialog is only hidden";
    EXPECT_FALSE(EndDialog(top, 3)) << "not a dialog";
    EXPECT_TRUE(IsWindowVisible(top) && IsWindowEnabled(top));
    SetLastError(0xdeadbeef);
    EXPECT_FALSE(EndDialog(NULL, 3));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
    DestroyWindow(modeless);
    DestroyWindow(top);
}

TEST_F(DialogTest, EachKindOfButtonHasItsCodeCheckStatesAndClicksAndSpaceHoldsAButtonDown)
{
    const struct {
        DWORD type;
        LRESULT code;
        std::vector<LRESULT> afterSet, afterClicks; /* BM_GETCHECK after BM_SETCHECK of 1, 2, 7; after each click */
    } kinds[] = {
        {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, {0, 0, 0}, {0, 0, 0}},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON, {0, 0, 0}, {0, 0, 0}},
        {BS_CHECKBOX, DLGC_BUTTON, {1, 1, 1}, {0, 0, 0}},
        {BS_AUTOCHECKBOX, DLGC_BUTTON, {1, 1, 1}, {1, 0, 1}},
        {BS_3STATE, DLGC_BUTTON, {1, 2, 2}, {0, 0, 0}},
        {BS_AUTO3STATE, DLGC_BUTTON, {1, 2, 2}, {1, 2, 0}},
        {BS_GROUPBOX, DLGC_STATIC, {0, 0, 0}, {0, 0, 0}},
    };
    HWND hDlg = Create(Template());
    for (const auto &k : kinds) {
        SCOPED_TRACE(k.type);
        HWND button = CreateWindowExA(0, "Button", "b", kShown | k.type, 0, 0, 50, 20, hDlg, (HMENU)7, NULL, NULL);
        EXPECT_EQ(k.code, SendMessageA(button, WM_GETDLGCODE, 0, 0));
        std::vector<LRESULT> seen;
        for (WPARAM check : {1, 2, 7}) {
            EXPECT_EQ(0, SendMessageA(button, BM_SETCHECK, check, 0));
            seen.push_back(SendMessageA(button, BM_GETCHECK, 0, 0));
        }
        EXPECT_EQ(k.afterSet, seen);
        SendMessageA(button, BM_SETCHECK, BST_UNCHECKED, 0);
        m_probe.commands.clear();
        seen.clear();
        for (int i = 0; i < 3; i++) {
            SendMessageA(button, BM_CLICK, 0, 0);
            seen.push_back(SendMessageA(button, BM_GETCHECK, 0, 0));
        }
        EXPECT_EQ(k.afterClicks, seen);
        EXPECT_EQ(std::vector<Command>(3, {7, 7}), m_probe.commands) << "BN_CLICKED";
        EXPECT_EQ(button, GetFocus()) << "a click gives the focus";
        EXPECT_EQ(BST_FOCUS | k.afterClicks.back(), SendMessageA(button, BM_GETSTATE, 0, 0) & 0x0F);
        DestroyWindow(button);
    }
    /* Space holds a button down, and only its own release clicks */
    HWND button = GetDlgItem(hDlg, IDOK), check = GetDlgItem(hDlg, IDC_CHECK);
    auto send = [=](UINT message, WPARAM wParam, LPARAM lParam) {
        return [=] { SendMessageA(button, message, wParam, lParam); };
    };
    auto focus = [=](HWND to) { return [=] { SetFocus(to); }; };
    const std::function<void()> down = send(WM_KEYDOWN, VK_SPACE, 1), up = send(WM_KEYUP, VK_SPACE, 0xC0000001);
    const struct {
        std::function<void()> act;
        LRESULT state;
        std::vector<Command> notes;
    } steps[] = {
        {focus(button), BST_FOCUS, {{MAKEWPARAM(IDOK, BN_SETFOCUS), IDOK}}},
        {down, BST_FOCUS | BST_PUSHED, {}},
        {send(WM_KEYDOWN, VK_SPACE, 0x40000001), BST_FOCUS | BST_PUSHED, {}},
        {up, BST_FOCUS, {{IDOK, IDOK}}},
        {up, BST_FOCUS, {}},
        {send(BM_SETSTATE, TRUE, 0), BST_FOCUS | BST_PUSHED, {}},
        {up, BST_FOCUS | BST_PUSHED, {}},
        {send(BM_SETSTATE, FALSE, 0), BST_FOCUS, {}},
        {down, BST_FOCUS | BST_PUSHED, {}},
        {focus(check), 0, {{MAKEWPARAM(IDOK, BN_KILLFOCUS), IDOK}}},
        {up, 0, {}},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(&s - steps);
        m_probe.commands.clear();
        s.act();
        EXPECT_EQ(s.state, SendMessageA(button, BM_GETSTATE, 0, 0) & 0x0F);
        EXPECT_EQ(s.notes, m_probe.commands);
    }
    EXPECT_EQ(0, SendMessageA(button, BM_SETSTYLE, BS_DEFPUSHBUTTON | WS_GROUP, TRUE));
    EXPECT_EQ(static_cast<LONG>(Controls()[1].style | BS_DEFPUSHBUTTON), GetWindowLongA(button, GWL_STYLE))
        << "only the kind changes";
    DestroyWindow(hDlg);
}

const int kTextId = 0xFFFF, kIconId = 0x0440;

std::function<void(HWND)> g_look;

void CALLBACK Look(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = GetActiveWindow();
    if (box == NULL || !IsWindowVisible(box) || wmtest::ClassOf(box) != "#32770")
        return;
    KillTimer(NULL, id);
    g_look(box);
}

/* Shows a box and, once it is up, hands it to `look`, which answers it. */
int Show(HWND owner, const char *text, const char *caption, UINT type, std::function<void(HWND)> look)
{
    g_look = look;
    SetTimer(NULL, 0, 10, Look);
    return MessageBoxA(owner, text, caption, type);
}

void Press(HWND box, int id) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

using MessageBoxTest = wmtest::RecorderTest;

const char kLongest[] = "ルメオ ゼルコアバージョンが起動しています。終了させてから実行してください。";

/* Flags of the cases: owned by a child of a pop-up; the system's caption;
 * answered with Esc, which gives Cancel where there is a Cancel button
 * (elsewhere Windows ignores it, in a Yes/No box, or answers OK, in an OK
 * box, and Wine answers IDCANCEL: the native layer's own tests look at those). */
const int kOwned = 1, kNoCaption = 2, kEsc = 4;

int Width(const RECT &r) { return r.right - r.left; }
int Height(const RECT &r) { return r.bottom - r.top; }

TEST_F(MessageBoxTest, EachTypeShowsItsIconTextAndButtonsCentredInTheWorkArea)
{
    const std::string done = "削除に成功しました。", ask = "ｱﾝｲﾝｽﾄｰﾙを実行します。よろしいですか？";
    const struct {
        std::string text;
        UINT type;
        std::vector<int> buttons;
        LPCSTR icon; /* null: none */
        int focus;
        int lines; /* of text; 0: wrapped into two or more */
        int flags;
    } cases[] = {
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
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "type 0x" << std::hex << c.type << ": " << c.text);
        const char *caption = (c.flags & kNoCaption) ? NULL : "ﾙﾒｵ";
        bool owned = (c.flags & kOwned) != 0, esc = (c.flags & kEsc) != 0;
        int pressed = c.buttons.back();
        auto look = [&](HWND box) {
            esc ? Type(VK_ESCAPE) : Press(box, pressed); /* taken once this look is over */
            EXPECT_EQ(caption != NULL ? caption : "エラー", wmtest::Text(box));
            char text[1024] = "";
            GetDlgItemTextA(box, kTextId, text, sizeof text);
            EXPECT_EQ(c.text, text);
            HICON icon = reinterpret_cast<HICON>(SendMessageA(GetDlgItem(box, kIconId), STM_GETICON, 0, 0));
            EXPECT_EQ(c.icon != NULL ? LoadIconA(NULL, c.icon) : NULL, icon);
            EXPECT_EQ(c.focus, GetDlgCtrlID(GetFocus()));
            HWND boxOwner = GetWindow(box, GW_OWNER);
            EXPECT_EQ(owned ? owner : NULL, boxOwner) << "a child's top-level window owns the box";
            EXPECT_FALSE(boxOwner != NULL && IsWindowEnabled(boxOwner)) << "held while the box is up";
            /* the box on the work area, in its middle, whatever its owner */
            RECT area, inside, whole = Rect(box, GetWindowRect), client = Rect(box, GetClientRect);
            SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
            EXPECT_TRUE(IntersectRect(&inside, &whole, &area) && EqualRect(&inside, &whole));
            EXPECT_LE(abs(whole.left + whole.right - area.left - area.right), 2);
            EXPECT_LE(abs(whole.top + whole.bottom - area.top - area.bottom), 2);
            /* the text right of the icon, or where the icon would be */
            RECT textRect = Placed(GetDlgItem(box, kTextId)), iconRect = {};
            if (icon != NULL)
                iconRect = Placed(GetDlgItem(box, kIconId));
            EXPECT_GE(textRect.left, c.icon != NULL ? iconRect.right : 0);
            EXPECT_LT(textRect.left, c.icon != NULL ? Width(client) : GetSystemMetrics(SM_CXICON));
            EXPECT_LE(textRect.right, Width(client));
            /* one row of visible buttons of one size below both, in order, centred */
            std::vector<int> buttons;
            std::vector<RECT> rects;
            for (HWND b = GetWindow(box, GW_CHILD); b != NULL; b = GetWindow(b, GW_HWNDNEXT)) {
                if (wmtest::ClassOf(b) == "Button" && IsWindowVisible(b)) {
                    buttons.push_back(GetDlgCtrlID(b));
                    rects.push_back(Placed(b));
                }
            }
            EXPECT_EQ(c.buttons, buttons);
            for (size_t i = 0; i < rects.size(); i++) {
                const RECT &b = rects[i];
                EXPECT_GE(b.top, std::max(textRect.bottom, iconRect.bottom));
                EXPECT_TRUE(b.top == rects[0].top && Width(b) == Width(rects[0]) && Height(b) == Height(rects[0]));
                EXPECT_GE(b.left, i > 0 ? rects[i - 1].right : 1);
            }
            EXPECT_LE(rects.back().bottom, Height(client));
            EXPECT_LE(abs(rects[0].left - (Width(client) - rects.back().right)), 8);
            /* as high as its lines */
            lineHeight = lineHeight != 0 ? lineHeight : Height(textRect);
            ASSERT_GT(lineHeight, 0);
            EXPECT_EQ(0, Height(textRect) % lineHeight);
            if (c.lines > 0) {
                EXPECT_EQ(c.lines * lineHeight, Height(textRect));
                return;
            }
            EXPECT_LE(Width(whole), Width(area) / 2) << "wrapped well inside the screen";
            EXPECT_GT(Height(textRect), lineHeight);
        };
        EXPECT_EQ(esc ? IDCANCEL : pressed, Show(owned ? child : NULL, c.text.c_str(), caption, c.type, look));
        if (owned) {
            EXPECT_TRUE(IsWindowEnabled(owner));
            EXPECT_EQ(owner, GetActiveWindow()) << "active again";
        }
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

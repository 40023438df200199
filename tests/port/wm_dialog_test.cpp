/* wm_dialog_test.cpp - the dialog manager and the Button control as tables
 * of inputs and what Windows makes of them: dialogs from templates (styles,
 * dialog units, placement, first focus, default button), the default look
 * following the focus, the keyboard through IsDialogMessageA, the focus
 * given back on activation, the default dialog procedure's results, modal
 * loops and EndDialog, and the buttons' codes, check states and clicks. */
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "wm_support.h"

using wmtest::ControlDef;
using wmtest::kButtonAtom;
using wmtest::Recorder;

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
                           const std::vector<ControlDef> &controls = Controls(), bool extended = true, short x = 0,
                           short y = 0)
{
    return wmtest::DialogTemplate(extended, style, x, y, 191, 169, L"ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ", controls);
}

class DialogTest : public testing::Test {
protected:
    Recorder m_recorder;
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
            GetWindowRect(child, &control);
            MapWindowPoints(NULL, hDlg, reinterpret_cast<POINT *>(&control), 2);
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

TEST_F(DialogTest, FocusDefaultLookKeysAndActivationInOneSession)
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
        {[=] { Focus(hDlg, IDC_PUSH), away(), SendMessageA(hDlg, WM_SETFOCUS, 0, 0); },
         {{IDOK | kKillFocus, IDOK}},
         IDC_PUSH,
         IDC_PUSH,
         IDCANCEL,
         false},
        {[=] { away(), EnableWindow(item(IDC_PUSH), FALSE), SetActiveWindow(hDlg); },
         {{IDOK | kSetFocus, IDOK}},
         IDOK,
         IDC_PUSH,
         IDCANCEL,
         false},
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
    DestroyWindow(other);
    DestroyWindow(hDlg);
}

TEST_F(DialogTest, ResultIsTheProceduresMsgresultSaveForMessagesAnsweredDirectly)
{
    const struct {
        UINT message;
        INT_PTR returned;
        LONG_PTR msgResult; /* set by the procedure, -1 for not; 0x1234 before the call */
        LRESULT expected;
    } cases[] = {{WM_USER + 20, TRUE, 55, 55},
                 {WM_USER + 20, TRUE, -1, 0},
                 {WM_USER + 20, FALSE, 55, 0},
                 {WM_QUERYDRAGICON, 7, 55, 7},
                 {WM_CTLCOLORSTATIC, 8, 55, 8}};
    HWND hDlg = Create(Template());
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.returned << " " << c.msgResult);
        m_probe.answer = [&c](HWND h, UINT message) -> INT_PTR {
            if (message == c.message && c.msgResult != -1)
                SetWindowLongPtrA(h, DWLP_MSGRESULT, c.msgResult);
            return message == c.message ? c.returned : FALSE;
        };
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0x1234);
        EXPECT_EQ(c.expected, SendMessageA(hDlg, c.message, 0, 0));
    }
    DestroyWindow(hDlg);
}

TEST_F(DialogTest, ModalLoopHoldsTheOwnerUntilEndDialogGivesItsResult)
{
    HWND top = Recorder::Create(WS_POPUP | WS_VISIBLE);
    HWND child = Recorder::Create(kShown, top, 5);
    auto post = [](UINT message, int id) { return [=](HWND h) { PostMessageA(GetDlgItem(h, id), message, 0, 0); }; };
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
        {top, post(BM_CLICK, IDOK), IDOK, false},
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

TEST_F(DialogTest, EachKindOfButtonHasItsDialogCodeAndCheckStatesAndTheAutomaticOnesTurnOver)
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
    DestroyWindow(hDlg);
}

TEST_F(DialogTest, SpaceHoldsAButtonDownAndOnlyItsOwnReleaseClicks)
{
    HWND hDlg = Create(Template());
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

} // namespace

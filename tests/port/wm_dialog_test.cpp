/* wm_dialog_test.cpp - the dialog manager as tables of inputs and what
 * Windows makes of them: windows from templates (styles, dialog units,
 * placement, first focus), the default push button, the keyboard through
 * IsDialogMessageA, the focus given back on activation, the results of the
 * default dialog procedure, and modal loops with EndDialog. */
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
    HWND owner = GetWindow(hDlg, GW_OWNER);
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
        p->ownerEnabledAtDestroy = owner != NULL && IsWindowEnabled(owner);
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

TEST_F(DialogTest, TemplateMakesTheControlsInDialogUnitsAndOffersTheFirstTabStop)
{
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "extended, focused on request" : "plain");
        m_probe.initResult = extended;
        HWND hDlg = Create(Template(kDialogStyle | (extended ? WS_VISIBLE : 0), Controls(), extended));
        ASSERT_NE(nullptr, hDlg);
        EXPECT_EQ("#32770", wmtest::ClassOf(hDlg));
        EXPECT_EQ("ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ", wmtest::Text(hDlg));
        const LONG ex = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
        EXPECT_EQ(ex, GetWindowLongA(hDlg, GWL_EXSTYLE) & ex);
        EXPECT_EQ(reinterpret_cast<WPARAM>(GetDlgItem(hDlg, IDCANCEL)), m_probe.initFocus);
        EXPECT_FALSE(m_probe.visibleAtInit) << "WS_VISIBLE takes effect after initialisation";
        EXPECT_EQ(extended, IsWindowVisible(hDlg) != FALSE);
        EXPECT_EQ(extended ? IDCANCEL : 0, FocusId());
        RECT units = {0, 0, 4, 8}, client, control;
        ASSERT_TRUE(MapDialogRect(hDlg, &units));
        GetClientRect(hDlg, &client);
        EXPECT_EQ(MulDiv(191, units.right, 4), client.right);
        EXPECT_EQ(MulDiv(169, units.bottom, 8), client.bottom);
        HWND child = GetWindow(hDlg, GW_CHILD);
        for (const ControlDef &c : Controls()) {
            ASSERT_NE(nullptr, child);
            EXPECT_EQ(c.id, GetDlgCtrlID(child));
            EXPECT_EQ(c.classAtom == kButtonAtom ? "Button" : "Static", wmtest::ClassOf(child));
            EXPECT_EQ(static_cast<LONG>(c.style), GetWindowLongA(child, GWL_STYLE));
            EXPECT_EQ(WS_EX_NOPARENTNOTIFY, GetWindowLongA(child, GWL_EXSTYLE));
            GetWindowRect(child, &control);
            MapWindowPoints(NULL, hDlg, reinterpret_cast<POINT *>(&control), 2);
            EXPECT_EQ(MulDiv(c.x, units.right, 4), control.left);
            EXPECT_EQ(MulDiv(c.cy, units.bottom, 8), control.bottom - control.top);
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(nullptr, child);
        EXPECT_EQ("「C:\\表示」(&F)", wmtest::Text(GetDlgItem(hDlg, IDC_TEXT)));
        DestroyWindow(hDlg);
    }
    EXPECT_EQ(nullptr, Create(Template(kDialogStyle, {{7, 0x0099, kShown, 0, 0, 9, 9, L"?"}}))) << "no such class";
    EXPECT_EQ(nullptr, FindWindowA("#32770", "ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ")) << "takes its dialog with it";
}

TEST_F(DialogTest, TemplatePositionCountsFromTheOwnersClientAreaAndStaysOnTheWorkArea)
{
    HWND owner = Recorder::Create(WS_POPUP | WS_CAPTION | WS_VISIBLE, NULL, 0, "", 100, 80, 400, 300);
    POINT ownerClient = {0, 0}, none = {0, 0};
    ClientToScreen(owner, &ownerClient);
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const struct {
        short x, y;
        bool owned;
        DWORD style;
        const POINT *from; /* the client area's origin is there plus the position; null: the window on the corner */
    } cases[] = {{20, 40, false, 0, &none},          {20, 40, true, 0, &ownerClient}, {0, 0, true, 0, &ownerClient},
                 {20, 40, true, DS_ABSALIGN, &none}, {0, 0, false, 0, nullptr},       {-50, -50, false, 0, nullptr}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << (c.owned ? " owned, style " : ", style ") << c.style);
        HWND hDlg = Create(Template(kDialogStyle | c.style, {}, false, c.x, c.y), c.owned ? owner : NULL);
        RECT units = {c.x, c.y, 0, 0}, window;
        MapDialogRect(hDlg, &units);
        POINT client = {0, 0};
        ClientToScreen(hDlg, &client);
        GetWindowRect(hDlg, &window);
        EXPECT_EQ(c.from ? c.from->x + units.left : area.left, c.from ? client.x : window.left);
        EXPECT_EQ(c.from ? c.from->y + units.top : area.top, c.from ? client.y : window.top);
        DestroyWindow(hDlg);
    }
    DestroyWindow(owner);
}

TEST_F(DialogTest, DefaultButtonIsTheTemplatesLastOneOrElseIdok)
{
    const struct {
        DWORD cancelStyle, okStyle;
        int defId, wearer, wearerOffButtons;
    } cases[] = {{BS_DEFPUSHBUTTON, 0, IDCANCEL, IDCANCEL, IDCANCEL},
                 {BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON, IDOK, IDOK, IDOK},
                 {0, 0, IDOK, 0, IDOK}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.defId);
        std::vector<ControlDef> controls = Controls();
        controls[0].style = (controls[0].style & ~BS_TYPEMASK) | c.cancelStyle;
        controls[1].style |= c.okStyle;
        HWND hDlg = Create(Template(kDialogStyle, controls));
        EXPECT_EQ(MAKELONG(c.defId, DC_HASDEFID), SendMessageA(hDlg, DM_GETDEFID, 0, 0));
        EXPECT_EQ(IDCANCEL, FocusId()) << "the first tab stop, its style untouched";
        EXPECT_EQ(c.wearer, Wearer(hDlg));
        Focus(hDlg, IDC_CHECK);
        EXPECT_EQ(c.wearerOffButtons, Wearer(hDlg)) << "with the focus off push buttons";
        DestroyWindow(hDlg);
    }
}

TEST_F(DialogTest, DefaultStyleFollowsTheFocusOverPushButtonsAndDmSetdefid)
{
    const LPARAM kById = 2; /* WM_NEXTDLGCTL to the control of that id */
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int defId, wearer, focus;
    } steps[] = {
        {0, 0, 0, IDCANCEL, IDCANCEL, IDCANCEL},
        {WM_NEXTDLGCTL, 0, FALSE, IDCANCEL, IDOK, IDOK},
        {WM_NEXTDLGCTL, 0, FALSE, IDCANCEL, IDCANCEL, IDC_CHECK},
        {WM_NEXTDLGCTL, 1, FALSE, IDCANCEL, IDOK, IDOK},
        {DM_SETDEFID, IDC_PUSH, 0, IDC_PUSH, IDC_PUSH, IDOK},
        {WM_NEXTDLGCTL, IDC_CHECK, kById, IDC_PUSH, IDC_PUSH, IDC_CHECK},
        {WM_NEXTDLGCTL, IDC_TEXT, kById, IDC_PUSH, IDC_PUSH, IDC_TEXT},
        {WM_NEXTDLGCTL, IDCANCEL, kById, IDC_PUSH, IDCANCEL, IDCANCEL},
        {DM_SETDEFID, IDC_CHECK, 0, IDC_CHECK, 0, IDCANCEL},
        {DM_SETDEFID, 4242, 0, 4242, 0, IDCANCEL},
        {DM_SETDEFID, 0, 0, 0, 0, IDCANCEL},
    };
    HWND hDlg = Create(Template());
    for (const auto &s : steps) {
        SCOPED_TRACE(testing::Message() << std::hex << s.message << " " << std::dec << s.wParam << " " << s.lParam);
        WPARAM wParam = s.lParam == kById ? (WPARAM)GetDlgItem(hDlg, (int)s.wParam) : s.wParam;
        LRESULT result = s.message != 0 ? SendMessageA(hDlg, s.message, wParam, s.lParam != 0) : 0;
        EXPECT_EQ(s.message == DM_SETDEFID, result);
        EXPECT_EQ(s.defId != 0 ? MAKELONG(s.defId, DC_HASDEFID) : 0, SendMessageA(hDlg, DM_GETDEFID, 0, 0));
        EXPECT_EQ(s.wearer, Wearer(hDlg));
        EXPECT_EQ(s.focus, FocusId());
    }
    DestroyWindow(hDlg);
}

TEST_F(DialogTest, KeysAndClosingGoThroughTheDialogManager)
{
    /* the focus on `id` as Tab puts it, then `other` enabled (1), disabled (0) or destroyed (-1) */
    auto at = [](int id, int other = 0, int enable = 1) {
        return [=](HWND h) {
            Focus(h, id);
            if (other != 0 && enable >= 0)
                EnableWindow(GetDlgItem(h, other), enable);
            else if (other != 0)
                DestroyWindow(GetDlgItem(h, other));
        };
    };
    const WPARAM kSetFocus = BN_SETFOCUS << 16; /* BN_CLICKED is 0 */
    const struct {
        const char *name;
        std::function<void(HWND)> setup;
        UINT message; /* to the focus; WM_CLOSE and WM_SYSCOMMAND to the dialog */
        WPARAM key;
        std::vector<Command> commands;
        int focus, wearer;
        bool checked = false;
    } cases[] = {
        {"Enter: the default", nullptr, WM_KEYDOWN, VK_RETURN, {{IDCANCEL, IDCANCEL}}, IDCANCEL, IDCANCEL},
        {"Enter on a push button", at(IDOK), WM_KEYDOWN, VK_RETURN, {{IDOK, IDOK}}, IDOK, IDOK},
        {"Enter elsewhere", at(IDC_CHECK), WM_KEYDOWN, VK_RETURN, {{IDCANCEL, IDCANCEL}}, IDC_CHECK, IDCANCEL},
        {"Enter, focus set directly",
         [](HWND h) { SetFocus(GetDlgItem(h, IDC_PUSH)); },
         WM_KEYDOWN,
         VK_RETURN,
         {{IDCANCEL, IDCANCEL}},
         IDC_PUSH,
         IDCANCEL},
        {"Enter, default disabled", at(IDC_CHECK, IDCANCEL, 0), WM_KEYDOWN, VK_RETURN, {}, IDC_CHECK, IDCANCEL},
        {"Enter, default missing",
         [](HWND h) { SendMessageA(h, DM_SETDEFID, 4242, 0); },
         WM_KEYDOWN,
         VK_RETURN,
         {{4242, 0}},
         IDCANCEL,
         0},
        {"Esc", at(IDC_CHECK), WM_KEYDOWN, VK_ESCAPE, {{IDCANCEL, IDCANCEL}}, IDC_CHECK, IDCANCEL},
        {"Esc, Cancel disabled",
         at(IDC_CHECK, IDCANCEL, 0),
         WM_KEYDOWN,
         VK_ESCAPE,
         {{IDCANCEL, IDCANCEL}},
         IDC_CHECK,
         IDCANCEL},
        {"Esc, no Cancel", at(IDC_CHECK, IDCANCEL, -1), WM_KEYDOWN, VK_ESCAPE, {{IDCANCEL, 0}}, IDC_CHECK, 0},
        {"WM_CLOSE", nullptr, WM_CLOSE, 0, {{IDCANCEL, IDCANCEL}}, IDCANCEL, IDCANCEL},
        {"close box", nullptr, WM_SYSCOMMAND, SC_CLOSE, {{IDCANCEL, IDCANCEL}}, IDCANCEL, IDCANCEL},
        {"Tab", at(IDC_CHECK), WM_KEYDOWN, VK_TAB, {}, IDC_PUSH, IDC_PUSH},
        {"down in the group", nullptr, WM_KEYDOWN, VK_DOWN, {{IDOK | kSetFocus, IDOK}}, IDOK, IDOK},
        {"up wraps in the group", nullptr, WM_KEYDOWN, VK_UP, {}, IDC_CHECK, IDCANCEL},
        {"Space", at(IDC_CHECK), WM_KEYDOWN, VK_SPACE, {{IDC_CHECK, IDC_CHECK}}, IDC_CHECK, IDCANCEL, true},
        {"access key", nullptr, WM_CHAR, 's', {{IDC_CHECK, IDC_CHECK}}, IDC_CHECK, IDCANCEL, true},
        {"access key, capital", nullptr, WM_CHAR, 'P', {{IDC_PUSH, IDC_PUSH}}, IDC_PUSH, IDCANCEL},
        {"access key with Alt", nullptr, WM_SYSCHAR, 'p', {{IDC_PUSH, IDC_PUSH}}, IDC_PUSH, IDCANCEL},
        {"access key as a key", nullptr, WM_KEYDOWN, 'S', {{IDC_CHECK, IDC_CHECK}}, IDC_CHECK, IDCANCEL, true},
        {"access key of a text", nullptr, WM_CHAR, 'f', {}, IDC_PUSH, IDC_PUSH},
        {"a doubled ampersand", nullptr, WM_CHAR, 'b', {}, IDCANCEL, IDCANCEL},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        m_probe = Probe();
        HWND hDlg = Create(Template());
        if (c.setup)
            c.setup(hDlg);
        wmtest::Pump(hDlg);
        m_probe.commands.clear();
        bool toDialog = c.message == WM_CLOSE || c.message == WM_SYSCOMMAND;
        PostMessageA(toDialog ? hDlg : GetFocus(), c.message, c.key, 1);
        if (c.message == WM_KEYDOWN)
            PostMessageA(GetFocus(), WM_KEYUP, c.key, 0xC0000001);
        wmtest::Pump(hDlg);
        EXPECT_EQ(c.commands, m_probe.commands);
        EXPECT_EQ(c.focus, FocusId());
        EXPECT_EQ(c.wearer, Wearer(hDlg));
        EXPECT_EQ(c.checked, IsDlgButtonChecked(hDlg, IDC_CHECK) == BST_CHECKED);
        DestroyWindow(hDlg);
    }
    HWND hDlg = Create(Template());
    MSG other = {Recorder::Create(WS_POPUP), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_FALSE(IsDialogMessageA(hDlg, &other)) << "another window's message";
    MSG own = {GetDlgItem(hDlg, IDOK), WM_USER, 0, 0, 0, {0, 0}};
    EXPECT_TRUE(IsDialogMessageA(hDlg, &own)) << "dispatched";
    DestroyWindow(other.hwnd);
    DestroyWindow(hDlg);
}

TEST_F(DialogTest, ActivationGivesTheFocusBackToTheControlThatHadIt)
{
    HWND hDlg = Create(Template());
    HWND other = Recorder::Create(WS_POPUP | WS_VISIBLE);
    auto away = [&](int id) {
        Focus(hDlg, id);
        SetActiveWindow(other);
    };
    away(IDC_CHECK);
    EXPECT_EQ(other, GetFocus());
    SetActiveWindow(hDlg);
    EXPECT_EQ(IDC_CHECK, FocusId()) << "given back";
    SetFocus(hDlg);
    EXPECT_EQ(IDCANCEL, FocusId()) << "nothing kept once given back: the first tab stop";
    away(IDC_PUSH);
    SendMessageA(hDlg, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(IDC_PUSH, FocusId()) << "the focus sent to the dialog goes to the control it kept";
    away(IDC_PUSH);
    EnableWindow(GetDlgItem(hDlg, IDC_PUSH), FALSE);
    SetActiveWindow(hDlg);
    EXPECT_EQ(IDCANCEL, FocusId()) << "a control that can no longer take it";
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
    } cases[] = {
        {WM_USER + 20, TRUE, 55, 55},   {WM_USER + 20, TRUE, -1, 0},     {WM_USER + 20, FALSE, 55, 0},
        {WM_QUERYDRAGICON, 77, 55, 77}, {WM_CTLCOLORSTATIC, 78, 55, 78}, {WM_INITDIALOG, 2, 55, 2},
    };
    HWND hDlg = Create(Template());
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " " << c.returned << " " << c.msgResult);
        m_probe.initResult = c.returned;
        m_probe.answer = [&c](HWND h, UINT message) -> INT_PTR {
            if (message == c.message && c.msgResult != -1)
                SetWindowLongPtrA(h, DWLP_MSGRESULT, c.msgResult);
            return message == c.message ? c.returned : FALSE;
        };
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0x1234);
        LPARAM lParam = c.message == WM_INITDIALOG ? reinterpret_cast<LPARAM>(&m_probe) : 0;
        EXPECT_EQ(c.expected, SendMessageA(hDlg, c.message, 0, lParam));
    }
    DestroyWindow(hDlg);
}

TEST_F(DialogTest, ModalLoopHoldsTheOwnerUntilEndDialogGivesItsResult)
{
    HWND top = Recorder::Create(WS_POPUP | WS_VISIBLE);
    HWND child = Recorder::Create(kShown, top, 5);
    auto post = [](UINT message, int id) {
        return [=](HWND h) { PostMessageA(id != 0 ? GetDlgItem(h, id) : h, message, 0, 0); };
    };
    auto end = [&](HWND h) {
        EXPECT_TRUE(IsWindowVisible(h)) << "shown when the queue ran empty";
        EXPECT_EQ(top, GetWindow(h, GW_OWNER)) << "the owner's top-level window";
        EXPECT_FALSE(IsWindowEnabled(top));
        EndDialog(h, 5);
        EndDialog(h, 6);
        EXPECT_FALSE(IsWindowVisible(h)) << "hidden at once";
        EXPECT_TRUE(IsWindowEnabled(top));
        EXPECT_EQ(top, GetActiveWindow());
    };
    const struct {
        HWND owner;
        std::function<void(HWND)> onInit;
        INT_PTR result;
        bool shown;
    } cases[] = {
        {top, [](HWND h) { EndDialog(h, 42); }, 42, false}, {top, post(BM_CLICK, IDOK), IDOK, false},
        {top, post(WM_CLOSE, 0), IDCANCEL, false},          {child, [](HWND h) { SetTimer(h, 1, 10, NULL); }, 6, true},
        {NULL, [](HWND h) { EndDialog(h, 0); }, 0, false},
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
        EXPECT_EQ(c.owner != NULL, probe.ownerEnabledAtDestroy) << "enabled before the dialog goes";
        EXPECT_TRUE(IsWindowEnabled(top));
        EXPECT_EQ(c.shown, probe.shown);
    }
    EXPECT_EQ(-1, DialogBoxIndirectParamA(NULL, NULL, top, ProbeProc, 0)) << "no template";
    HWND modeless = Create(Template());
    const HWND ends[] = {modeless, top, NULL, reinterpret_cast<HWND>(0x12345)};
    for (HWND hwnd : ends) {
        SetLastError(0xdeadbeef);
        EXPECT_EQ(hwnd == modeless, EndDialog(hwnd, 3));
        EXPECT_TRUE(hwnd == modeless || hwnd == top || GetLastError() == ERROR_INVALID_WINDOW_HANDLE);
    }
    EXPECT_TRUE(IsWindow(modeless) && !IsWindowVisible(modeless)) << "a modeless dialog is only hidden";
    EXPECT_TRUE(IsWindowVisible(top) && IsWindowEnabled(top));
    DestroyWindow(modeless);
    DestroyWindow(top);
}

} // namespace

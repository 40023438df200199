/* wm_dialog_test.cpp - the dialog manager: windows built from plain and
 * extended templates in dialog units, the template's WS_VISIBLE taking
 * effect after WM_INITDIALOG, the first focus, the default push button,
 * the keyboard (Tab, arrows, Enter, Esc, Space, access keys), and modal
 * loops with their owners, nested, ended during initialisation or by a
 * closing window. */
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "wm_support.h"

using wmtest::ControlDef;
using wmtest::kButtonAtom;
using wmtest::kStaticAtom;
using wmtest::Recorder;

namespace {

const int IDC_CHECK = 1001;
const int IDC_TEXT = 1003;
const DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

/* The uninstall dialog's layout: Cancel first and default, then OK, a
 * check box and a text. */
std::vector<ControlDef> Controls()
{
    return {
        {IDCANCEL, kButtonAtom, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 135, 150, 50, 14,
         L"ｷｬﾝｾﾙ"},
        {IDOK, kButtonAtom, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | BS_PUSHBUTTON, 80, 150, 50, 14, L"実行"},
        {IDC_CHECK, kButtonAtom, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 65, 125, 57, 10,
         L"ｽﾄｯｸﾌﾞｯｸ削除(&S)"},
        {IDC_TEXT, kStaticAtom, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, 20, 10, 155, 8, L"「C:\\表示」"},
    };
}

/* What a dialog procedure saw, and how it answers WM_INITDIALOG. */
struct Probe {
    INT_PTR initResult = TRUE;
    HWND focusAtInit = reinterpret_cast<HWND>(0xdeadbeef);
    WPARAM initFocusParam = 0xdeadbeef;
    bool visibleAtInit = true;
    bool shown = false;
    bool endOnCommand = true;
    std::vector<WPARAM> commands;
    std::function<void(HWND)> onInit;
};

INT_PTR CALLBACK ProbeProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    Probe *probe = reinterpret_cast<Probe *>(GetWindowLongPtrA(hDlg, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        probe = reinterpret_cast<Probe *>(lParam);
        SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
        probe->focusAtInit = GetFocus();
        probe->initFocusParam = wParam;
        probe->visibleAtInit = IsWindowVisible(hDlg) != FALSE;
        if (probe->onInit)
            probe->onInit(hDlg);
        return probe->initResult;
    case WM_SHOWWINDOW:
        if (probe != nullptr && wParam)
            probe->shown = true;
        return FALSE;
    case WM_COMMAND:
        if (probe == nullptr)
            return FALSE;
        probe->commands.push_back(wParam);
        if (probe->endOnCommand && HIWORD(wParam) == BN_CLICKED &&
            (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

class DialogTest : public testing::Test {
protected:
    Recorder m_recorder;
    std::vector<WORD> m_template =
        wmtest::DialogTemplate(true, kDialogStyle | WS_VISIBLE, 0, 0, 191, 169, L"ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ", Controls());
    Probe m_probe;

    HWND Create(HWND owner = NULL)
    {
        return CreateDialogIndirectParamA(GetModuleHandleA(NULL), reinterpret_cast<LPCDLGTEMPLATEA>(m_template.data()),
                                          owner, ProbeProc, reinterpret_cast<LPARAM>(&m_probe));
    }
    void TearDown() override { wmtest::Pump(); }
};

TEST_F(DialogTest, TemplateBuildsTheDialogAndItsControls)
{
    for (bool extended : {false, true}) {
        SCOPED_TRACE(extended ? "extended" : "plain");
        m_template = wmtest::DialogTemplate(extended, kDialogStyle, 0, 0, 191, 169, L"ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ", Controls());
        HWND hDlg = Create();
        ASSERT_NE(nullptr, hDlg);
        EXPECT_EQ("#32770", wmtest::ClassOf(hDlg));
        EXPECT_EQ("ﾙﾒｵ ｱﾝｲﾝｽﾄｰﾗｰ", wmtest::Text(hDlg));
        EXPECT_TRUE(GetWindowLongA(hDlg, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) << "from DS_MODALFRAME";
        HWND child = GetWindow(hDlg, GW_CHILD);
        for (const ControlDef &c : Controls()) {
            ASSERT_NE(nullptr, child);
            EXPECT_EQ(c.id, GetDlgCtrlID(child));
            EXPECT_EQ(c.classAtom == kButtonAtom ? "Button" : "Static", wmtest::ClassOf(child));
            EXPECT_EQ(static_cast<LONG>(c.style), GetWindowLongA(child, GWL_STYLE));
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(nullptr, child);
        EXPECT_EQ("ｽﾄｯｸﾌﾞｯｸ削除(&S)", wmtest::Text(GetDlgItem(hDlg, IDC_CHECK)));
        EXPECT_EQ("「C:\\表示」", wmtest::Text(GetDlgItem(hDlg, IDC_TEXT)));
        char text[32] = "x";
        EXPECT_EQ(0u, GetDlgItemTextA(hDlg, 4242, text, sizeof text)) << "no such control";
        EXPECT_STREQ("", text);
        DestroyWindow(hDlg);
    }
}

TEST_F(DialogTest, DialogUnitsBecomePixelsThroughTheFontsBaseUnits)
{
    HWND hDlg = Create();
    RECT units = {0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(hDlg, &units));
    RECT client, button;
    GetClientRect(hDlg, &client);
    EXPECT_EQ(MulDiv(191, units.right, 4), client.right);
    EXPECT_EQ(MulDiv(169, units.bottom, 8), client.bottom);
    GetWindowRect(GetDlgItem(hDlg, IDCANCEL), &button);
    EXPECT_EQ(MulDiv(50, units.right, 4), button.right - button.left);
    EXPECT_EQ(MulDiv(14, units.bottom, 8), button.bottom - button.top);
    POINT origin = {0, 0};
    MapWindowPoints(GetDlgItem(hDlg, IDCANCEL), hDlg, &origin, 1);
    EXPECT_EQ(MulDiv(135, units.right, 4), origin.x);
    EXPECT_EQ(MulDiv(150, units.bottom, 8), origin.y);
    RECT window, area;
    GetWindowRect(hDlg, &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(area.left, window.left) << "position 0, 0 keeps the frame on the work area";
    EXPECT_EQ(area.top, window.top);
    SetLastError(0xdeadbeef);
    HWND plain = Recorder::Create(WS_POPUP);
    EXPECT_FALSE(MapDialogRect(plain, &units)) << "not a dialog";
    DestroyWindow(plain);
    DestroyWindow(hDlg);
}

TEST_F(DialogTest, FirstTabStopGetsTheFocusWhenInitialisationAsksAndTheDialogShowsAfter)
{
    const struct {
        INT_PTR initResult;
        bool visible; /* WS_VISIBLE in the template */
    } cases[] = {{TRUE, true}, {FALSE, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.initResult);
        m_template = wmtest::DialogTemplate(true, kDialogStyle | (c.visible ? WS_VISIBLE : 0), 0, 0, 191, 169, L"first",
                                            Controls());
        m_probe = Probe();
        m_probe.initResult = c.initResult;
        HWND hDlg = Create();
        HWND cancel = GetDlgItem(hDlg, IDCANCEL);
        EXPECT_EQ(reinterpret_cast<WPARAM>(cancel), m_probe.initFocusParam) << "WM_INITDIALOG names the first tab stop";
        EXPECT_FALSE(m_probe.visibleAtInit) << "WS_VISIBLE takes effect after initialisation";
        EXPECT_EQ(c.visible, IsWindowVisible(hDlg) != FALSE);
        EXPECT_EQ(c.initResult != FALSE, GetFocus() == cancel);
        DestroyWindow(hDlg);
    }
}

TEST_F(DialogTest, DefaultButtonIsTheTemplatesAndMovesWithTheFocusAmongPushButtons)
{
    HWND hDlg = Create();
    HWND cancel = GetDlgItem(hDlg, IDCANCEL), ok = GetDlgItem(hDlg, IDOK), check = GetDlgItem(hDlg, IDC_CHECK);
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), SendMessageA(hDlg, DM_GETDEFID, 0, 0));
    auto isDefault = [](HWND h) { return (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };

    SendMessageA(hDlg, WM_NEXTDLGCTL, 0, FALSE); /* Tab */
    EXPECT_EQ(ok, GetFocus());
    EXPECT_TRUE(isDefault(ok)) << "the focused push button shows as the default";
    EXPECT_FALSE(isDefault(cancel));
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), SendMessageA(hDlg, DM_GETDEFID, 0, 0)) << "the dialog's stays";

    SendMessageA(hDlg, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(check, GetFocus());
    EXPECT_TRUE(isDefault(cancel)) << "back with the dialog's default away from push buttons";
    EXPECT_FALSE(isDefault(ok));

    SendMessageA(hDlg, WM_NEXTDLGCTL, TRUE, FALSE); /* Shift+Tab */
    EXPECT_EQ(ok, GetFocus());
    SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel), TRUE);
    EXPECT_EQ(cancel, GetFocus());

    SendMessageA(hDlg, DM_SETDEFID, IDOK, 0);
    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), SendMessageA(hDlg, DM_GETDEFID, 0, 0));
    EXPECT_TRUE(isDefault(ok));
    EXPECT_FALSE(isDefault(cancel));
    DestroyWindow(hDlg);
}

struct KeyCase {
    const char *name;
    int focusId; /* 0: the dialog keeps its first focus; else moved there as Tab would */
    UINT vk;
    std::vector<WPARAM> commands;
    int focusAfter;
};

TEST_F(DialogTest, KeysGoThroughTheDialogManager)
{
    const KeyCase cases[] = {
        {"Enter on the default button", 0, VK_RETURN, {MAKEWPARAM(IDCANCEL, BN_CLICKED)}, IDCANCEL},
        {"Enter on another push button", IDOK, VK_RETURN, {MAKEWPARAM(IDOK, BN_CLICKED)}, IDOK},
        {"Enter on the check box: the default", IDC_CHECK, VK_RETURN, {MAKEWPARAM(IDCANCEL, BN_CLICKED)}, IDC_CHECK},
        {"Esc", IDC_CHECK, VK_ESCAPE, {IDCANCEL}, IDC_CHECK},
        {"Tab", 0, VK_TAB, {MAKEWPARAM(IDOK, BN_SETFOCUS)}, IDOK},
        {"Space clicks", IDC_CHECK, VK_SPACE, {MAKEWPARAM(IDC_CHECK, BN_CLICKED)}, IDC_CHECK},
        {"arrow within the group", 0, VK_DOWN, {MAKEWPARAM(IDOK, BN_SETFOCUS)}, IDOK},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        m_probe = Probe();
        m_probe.endOnCommand = false;
        HWND hDlg = Create();
        if (c.focusId != 0)
            SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, c.focusId)), TRUE);
        wmtest::Pump(hDlg);
        m_probe.commands.clear();
        wmtest::Key(hDlg, GetFocus(), c.vk);
        EXPECT_EQ(c.commands, m_probe.commands);
        EXPECT_EQ(GetDlgItem(hDlg, c.focusAfter), GetFocus());
        DestroyWindow(hDlg);
    }
}

TEST_F(DialogTest, CheckBoxTurnsOverOnEachClickAndAccessKey)
{
    HWND hDlg = Create();
    HWND check = GetDlgItem(hDlg, IDC_CHECK);
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(check, BM_GETCHECK, 0, 0));
    SendMessageA(check, BM_CLICK, 0, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageA(check, BM_GETCHECK, 0, 0));
    EXPECT_EQ(check, GetFocus()) << "a click gives the focus";
    EXPECT_EQ(BST_CHECKED | BST_FOCUS, SendMessageA(check, BM_GETSTATE, 0, 0));
    SetFocus(GetDlgItem(hDlg, IDCANCEL));
    PostMessageA(GetFocus(), WM_CHAR, 's', 0);
    wmtest::Pump(hDlg);
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(check, BM_GETCHECK, 0, 0)) << "its access key clicks it";
    SendMessageA(check, BM_SETCHECK, 7, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageA(check, BM_GETCHECK, 0, 0)) << "no state beyond checked";
    EXPECT_TRUE(CheckDlgButton(hDlg, IDC_CHECK, BST_UNCHECKED));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(hDlg, IDC_CHECK));
    DestroyWindow(hDlg);
}

/* Steps run from a thread timer while a modal loop holds the thread. */
std::vector<std::function<bool()>> g_steps;

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD)
{
    if (g_steps.empty()) {
        KillTimer(NULL, id);
        return;
    }
    std::function<bool()> step = g_steps.front();
    g_steps.erase(g_steps.begin());
    if (!step())
        g_steps.insert(g_steps.begin(), step);
}

HWND ActiveDialog()
{
    HWND active = GetActiveWindow();
    return active != NULL && IsWindowVisible(active) && wmtest::ClassOf(active) == "#32770" ? active : NULL;
}

TEST_F(DialogTest, ModalLoopDisablesTheOwnerUntilEndDialogAndNests)
{
    HWND owner = Recorder::Create(WS_POPUP | WS_VISIBLE);
    m_template = wmtest::DialogTemplate(false, kDialogStyle, 0, 0, 191, 169, L"outer", Controls());
    std::vector<WORD> inner =
        wmtest::DialogTemplate(false, kDialogStyle, 0, 0, 100, 50, L"inner",
                               {{IDOK, kButtonAtom, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 40, 14, L"OK"}});
    bool ownerEnabledDuring = true, outerEnabledDuringInner = true;
    INT_PTR innerResult = 0;
    HWND outer = NULL;
    g_steps = {
        [&] {
            outer = ActiveDialog();
            if (outer == NULL)
                return false;
            ownerEnabledDuring = IsWindowEnabled(owner) != FALSE;
            EXPECT_EQ(owner, GetWindow(outer, GW_OWNER));
            Probe innerProbe;
            innerResult = DialogBoxIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(inner.data()), outer,
                                                  ProbeProc, reinterpret_cast<LPARAM>(&innerProbe));
            EXPECT_TRUE(IsWindowEnabled(outer)) << "enabled again when the inner dialog ended";
            return true;
        },
        [&] {
            HWND active = ActiveDialog();
            if (active == NULL || wmtest::Text(active) != "inner")
                return false;
            outerEnabledDuringInner = IsWindowEnabled(outer) != FALSE;
            SendMessageA(GetDlgItem(active, IDOK), BM_CLICK, 0, 0);
            return true;
        },
        [&] {
            if (ActiveDialog() != outer)
                return false;
            PostMessageA(outer, WM_CLOSE, 0, 0);
            return true;
        },
    };
    UINT_PTR timer = SetTimer(NULL, 0, 10, RunStep);
    INT_PTR result = DialogBoxIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(m_template.data()), owner,
                                             ProbeProc, reinterpret_cast<LPARAM>(&m_probe));
    KillTimer(NULL, timer);
    EXPECT_EQ(IDCANCEL, result) << "WM_CLOSE is a click on Cancel";
    EXPECT_EQ(IDOK, innerResult);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(outer)) << "destroyed when its loop ends";
    EXPECT_TRUE(g_steps.empty());
    DestroyWindow(owner);
}

TEST_F(DialogTest, DialogEndedDuringInitialisationIsNeverShown)
{
    m_template = wmtest::DialogTemplate(true, kDialogStyle, 0, 0, 191, 169, L"ended", Controls());
    m_probe.onInit = [](HWND hDlg) { EndDialog(hDlg, 42); };
    m_probe.initResult = FALSE;
    INT_PTR result = DialogBoxIndirectParamA(NULL, reinterpret_cast<LPCDLGTEMPLATEA>(m_template.data()), NULL,
                                             ProbeProc, reinterpret_cast<LPARAM>(&m_probe));
    EXPECT_EQ(42, result);
    EXPECT_FALSE(m_probe.shown);
    EXPECT_EQ(-1, DialogBoxIndirectParamA(NULL, NULL, NULL, ProbeProc, 0)) << "no template";
}

} // namespace

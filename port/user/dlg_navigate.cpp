/* dlg_navigate.cpp - the keyboard in a dialog. Tab and Shift+Tab walk the
 * WS_TABSTOP controls, the arrow keys the controls of the focus's group (a
 * WS_GROUP control and those after it up to the next); both move the focus
 * as WM_NEXTDLGCTL does. Enter clicks the focused push button if it wears
 * the default look, else the dialog's default button; Esc is IDCANCEL. A
 * character, with Alt or without, is the access key ("&X") of a button,
 * which it clicks, or of a text, which sends the focus on to the next tab
 * stop. Controls inside a visible, enabled control parent
 * (WS_EX_CONTROLPARENT) take part as if they were the dialog's own. */
#include <ctype.h>

#include <algorithm>
#include <string>
#include <vector>

#include "wm_core.h"
#include "wm_text.h"

namespace lzport {

namespace {

bool VisibleEnabled(HWND hWnd) { return (GetWindowLongA(hWnd, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE; }

bool OpensUp(HWND hWnd)
{
    return (GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && VisibleEnabled(hWnd) &&
           GetWindow(hWnd, GW_CHILD) != nullptr;
}

/* The dialog's controls in order, control parents opened up. */
void Controls(HWND hWnd, std::vector<HWND> &out)
{
    for (HWND child = GetWindow(hWnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (OpensUp(child))
            Controls(child, out);
        else
            out.push_back(child);
    }
}

bool IsTabStop(HWND hWnd) { return (GetWindowLongA(hWnd, GWL_STYLE) & WS_TABSTOP) && VisibleEnabled(hWnd); }

/* The control after (or before) `from` in the cyclic order that passes
 * `wanted`; null when none does. */
template <class Wanted> HWND Step(const std::vector<HWND> &order, size_t from, bool previous, Wanted wanted)
{
    size_t n = order.size();
    for (size_t i = 1; i < n; ++i) {
        size_t at = previous ? (from + n - i) % n : (from + i) % n;
        if (wanted(order[at]))
            return order[at];
    }
    return nullptr;
}

void FocusOn(HWND hDlg, HWND hCtl)
{
    if (hCtl != nullptr)
        SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hCtl), TRUE);
}

/* Enter: a command from the focused push button when it wears the
 * default look, else from the dialog's default id, unless that one's
 * button is disabled. */
void PressDefault(HWND hDlg, HWND focus)
{
    int id;
    if (focus != nullptr && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
        id = GetDlgCtrlID(focus);
    } else {
        LRESULT defId = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
        if (HIWORD(defId) != DC_HASDEFID)
            return;
        id = LOWORD(defId);
    }
    HWND button = GetDlgItem(hDlg, id);
    if (button == nullptr || IsWindowEnabled(button))
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

std::string WindowText(HWND hWnd)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hWnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

/* The access key of a button or a text (in capitals), 0 for none; a text
 * with SS_NOPREFIX shows its ampersands. */
int AccessKeyOf(HWND hCtl, LRESULT dialogCode)
{
    if (!(dialogCode & (DLGC_BUTTON | DLGC_STATIC)))
        return 0;
    if ((dialogCode & DLGC_STATIC) && (GetWindowLongA(hCtl, GWL_STYLE) & SS_NOPREFIX))
        return 0;
    return AccessKey(WindowText(hCtl));
}

/* A character as an access key: the first control, from the focus on and
 * all round, that has it. A button is clicked, a text sends the focus on
 * to the next tab stop. False when no control has that key. */
bool UseAccessKey(HWND hDlg, HWND focus, WPARAM ch)
{
    if (ch == 0 || ch > 0xFF)
        return false;
    std::vector<HWND> order;
    Controls(hDlg, order);
    auto at = std::find(order.begin(), order.end(), focus);
    size_t start = at != order.end() ? static_cast<size_t>(at - order.begin()) : 0;
    for (size_t i = 0; i < order.size(); ++i) {
        HWND hCtl = order[(start + i) % order.size()];
        LRESULT code = SendMessageA(hCtl, WM_GETDLGCODE, 0, 0);
        if (!VisibleEnabled(hCtl) || AccessKeyOf(hCtl, code) != toupper(static_cast<int>(ch)))
            continue;
        if (code & DLGC_STATIC)
            FocusOn(hDlg, GetNextDlgTabItem(hDlg, hCtl, FALSE));
        else
            SendMessageA(hCtl, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

/* The dialog's own part of a message; false for what goes on to the
 * window it is for. */
bool DialogKey(HWND hDlg, const MSG &msg)
{
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(hDlg, focus))
        focus = msg.hwnd;
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
        return UseAccessKey(hDlg, focus, msg.wParam);
    if (msg.message != WM_KEYDOWN)
        return false;
    switch (msg.wParam) {
    case VK_TAB:
        SendMessageA(hDlg, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, FALSE);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        FocusOn(hDlg, GetNextDlgGroupItem(hDlg, focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP));
        return true;
    case VK_RETURN:
        PressDefault(hDlg, IsChild(hDlg, focus) ? focus : nullptr);
        return true;
    case VK_ESCAPE:
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        return true;
    default:
        return false;
    }
}

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    if (CheckWnd(hDlg) == nullptr)
        return nullptr;
    if (hCtl == hDlg)
        hCtl = nullptr;
    if (hCtl == nullptr && bPrevious)
        return nullptr;
    std::vector<HWND> order;
    Controls(hDlg, order);
    if (hCtl == nullptr) {
        auto first = std::find_if(order.begin(), order.end(), IsTabStop);
        return first != order.end() ? *first : nullptr;
    }
    auto at = std::find(order.begin(), order.end(), hCtl);
    if (at == order.end())
        return hCtl;
    HWND next = Step(order, static_cast<size_t>(at - order.begin()), bPrevious != FALSE, IsTabStop);
    return next != nullptr ? next : hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    if (CheckWnd(hDlg) == nullptr)
        return nullptr;
    if (hCtl == hDlg)
        hCtl = nullptr;
    if (hCtl == nullptr && bPrevious)
        return nullptr;
    std::vector<HWND> order;
    Controls(hDlg, order);
    if (order.empty())
        return nullptr;
    if (hCtl == nullptr) {
        hCtl = order.front();
        if (VisibleEnabled(hCtl))
            return hCtl;
    }
    auto at = std::find(order.begin(), order.end(), hCtl);
    if (at == order.end())
        return nullptr;
    size_t n = order.size(), from = static_cast<size_t>(at - order.begin());
    auto startsGroup = [](HWND h) { return (GetWindowLongA(h, GWL_STYLE) & WS_GROUP) != 0; };
    /* the group: back to its WS_GROUP control, forward to the next one */
    size_t first = from;
    for (size_t i = 0; i < n && !startsGroup(order[first]); ++i)
        first = (first + n - 1) % n;
    std::vector<HWND> group = {order[first]};
    for (size_t i = 1; i < n && !startsGroup(order[(first + i) % n]); ++i)
        group.push_back(order[(first + i) % n]);
    auto inGroup = std::find(group.begin(), group.end(), hCtl);
    if (inGroup == group.end())
        return hCtl;
    HWND next = Step(group, static_cast<size_t>(inGroup - group.begin()), bPrevious != FALSE, VisibleEnabled);
    return next != nullptr ? next : hCtl;
}

/* Every message for the dialog or its controls is the dialog manager's:
 * what is not a dialog key is translated and dispatched here. */
BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg)
{
    if (hDlg == nullptr || lpMsg == nullptr || lpMsg->hwnd == nullptr || FindWnd(hDlg) == nullptr)
        return FALSE;
    if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd))
        return FALSE;
    if (!DialogKey(hDlg, *lpMsg)) {
        TranslateMessage(lpMsg);
        DispatchMessageA(lpMsg);
    }
    return TRUE;
}

} // extern "C"

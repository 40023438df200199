/* dlg_navigate.cpp - the keyboard in a dialog: Tab and Shift+Tab over the
 * WS_TABSTOP controls, the arrow keys within a group (a WS_GROUP control
 * and the ones after it up to the next), Enter for the focused push button
 * or else the default one, Esc for IDCANCEL, and access keys ("&X") of
 * buttons and statics. Controls inside a visible, enabled control parent
 * (WS_EX_CONTROLPARENT) take part as if they were the dialog's own. */
#include <ctype.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dlg_core.h"
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

std::string TextOf(HWND hWnd)
{
    char text[256] = "";
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

/* A character that is a control's access key: a button is clicked, a
 * static or group box hands the focus to the control after it. */
bool HandleAccessKey(HWND hDlg, HWND from, WPARAM ch)
{
    std::vector<HWND> order;
    Controls(hDlg, order);
    if (order.empty())
        return false;
    auto at = std::find(order.begin(), order.end(), from);
    size_t start = at != order.end() ? static_cast<size_t>(at - order.begin()) : order.size() - 1;
    for (size_t i = 1; i <= order.size(); ++i) {
        HWND hCtl = order[(start + i) % order.size()];
        if (!VisibleEnabled(hCtl))
            continue;
        LRESULT code = SendMessageA(hCtl, WM_GETDLGCODE, 0, 0);
        if (!(code & (DLGC_BUTTON | DLGC_STATIC)) || AccessKey(TextOf(hCtl)) != toupper(static_cast<int>(ch)))
            continue;
        if ((code & DLGC_STATIC) || (GetWindowLongA(hCtl, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) {
            SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hCtl), TRUE);
            SendMessageA(hDlg, WM_NEXTDLGCTL, 0, 0);
        } else {
            SendMessageA(hCtl, BM_CLICK, 0, 0);
        }
        return true;
    }
    return false;
}

void Enter(HWND hDlg)
{
    HWND focus = GetFocus();
    if (IsChild(hDlg, focus) && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        return;
    }
    LRESULT defId = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
    if (HIWORD(defId) == DC_HASDEFID) {
        HWND hDefault = GetDlgItem(hDlg, LOWORD(defId));
        if (hDefault == nullptr || IsWindowEnabled(hDefault))
            SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(LOWORD(defId), BN_CLICKED), reinterpret_cast<LPARAM>(hDefault));
        return;
    }
    SendMessageA(hDlg, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDOK)));
}

void Arrow(HWND hDlg, HWND from, WPARAM key)
{
    bool previous = key == VK_LEFT || key == VK_UP;
    HWND next = GetNextDlgGroupItem(hDlg, from, previous);
    if (next != nullptr && SendMessageA(next, WM_GETDLGCODE, key, 0) == (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
        SetFocus(next);
        if ((GetWindowLongA(next, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
            SendMessageA(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
            SendMessageA(next, BM_CLICK, 1, 0);
        return;
    }
    SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

/* Key-down handling; false when the control wants the key itself. */
bool KeyDown(HWND hDlg, const MSG &msg)
{
    LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTMESSAGE)
        return false;
    switch (msg.wParam) {
    case VK_TAB:
        if (code & DLGC_WANTTAB)
            return false;
        SendMessageA(hDlg, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, 0);
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (code & DLGC_WANTARROWS)
            return false;
        Arrow(hDlg, msg.hwnd, msg.wParam);
        return true;
    case VK_CANCEL:
    case VK_ESCAPE:
        SendMessageA(hDlg, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        return true;
    case VK_EXECUTE:
    case VK_RETURN:
        Enter(hDlg);
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

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg)
{
    if (lpMsg == nullptr || !IsWindow(hDlg))
        return FALSE;
    if (hDlg != lpMsg->hwnd && !IsChild(hDlg, lpMsg->hwnd))
        return FALSE;
    /* a dialog inside a dialog (DS_CONTROL) passes the keys up */
    while (GetWindowLongA(hDlg, GWL_STYLE) & DS_CONTROL) {
        HWND parent = GetParent(hDlg);
        if (parent == nullptr || DialogOf(parent, false) == nullptr)
            break;
        hDlg = parent;
    }
    switch (lpMsg->message) {
    case WM_KEYDOWN:
        if (KeyDown(hDlg, *lpMsg))
            return TRUE;
        break;
    case WM_CHAR: {
        LRESULT code = SendMessageA(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
        if ((code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)) || (lpMsg->wParam == '\t' && (code & DLGC_WANTTAB)))
            break;
        if (HandleAccessKey(hDlg, lpMsg->hwnd, lpMsg->wParam))
            return TRUE;
        break;
    }
    case WM_SYSCHAR:
        if (HandleAccessKey(hDlg, lpMsg->hwnd, lpMsg->wParam))
            return TRUE;
        break;
    default:
        break;
    }
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return TRUE;
}

} // extern "C"

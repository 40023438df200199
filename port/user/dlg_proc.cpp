/* dlg_proc.cpp - the default dialog procedure: it calls the dialog's
 * procedure (DWLP_DLGPROC) first and does the dialog's own part for what
 * that leaves: keeping and restoring the focused control across
 * deactivation, the default push button (DM_GETDEFID, DM_SETDEFID, and
 * the BS_DEFPUSHBUTTON style following the focus over push buttons with
 * WM_NEXTDLGCTL), and WM_CLOSE as a click on Cancel. The result of a
 * message the dialog procedure handled is its DWLP_MSGRESULT. */
#include <memory>

#include "dlg_core.h"
#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

LRESULT DlgCode(HWND hWnd) { return hWnd != nullptr ? SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) : 0; }

/* Gives a control the focus, selecting an edit control's text. */
void FocusControl(HWND hCtl)
{
    const UINT kSetSel = 0x00B1; /* EM_SETSEL */
    if (DlgCode(hCtl) & DLGC_HASSETSEL)
        SendMessageA(hCtl, kSetSel, 0, -1);
    SetFocus(hCtl);
}

void RestoreFocus(HWND hDlg, DialogInfo &info, bool justActivated)
{
    if (IsIconic(hDlg) || info.ended)
        return;
    if (!IsWindow(info.savedFocus) || info.savedFocus == hDlg) {
        if (justActivated)
            return;
        /* the first tab stop, or the first control that can take it */
        info.savedFocus = GetNextDlgTabItem(hDlg, nullptr, FALSE);
        if (info.savedFocus == nullptr)
            info.savedFocus = GetNextDlgGroupItem(hDlg, nullptr, FALSE);
        if (!IsWindow(info.savedFocus))
            return;
    }
    HWND focus = info.savedFocus;
    info.savedFocus = nullptr;
    if (justActivated)
        SetFocus(focus);
    else
        FocusControl(focus);
}

/* The push button that carries BS_DEFPUSHBUTTON, looking into visible,
 * enabled control parents too. */
HWND FindDefaultButton(HWND hWnd)
{
    for (HWND child = GetWindow(hWnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (DlgCode(child) & DLGC_DEFPUSHBUTTON)
            return child;
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
            (style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) {
            if (HWND inner = FindDefaultButton(child))
                return inner;
        }
    }
    return nullptr;
}

/* The old default button gives up the style and hNew (a push button)
 * takes it. */
void MoveDefaultStyle(HWND hDlg, HWND hOld, HWND hNew, LRESULT newCode)
{
    if (hOld == nullptr || !(DlgCode(hOld) & DLGC_DEFPUSHBUTTON))
        hOld = FindDefaultButton(hDlg);
    if (hOld != nullptr && hOld != hNew)
        SendMessageA(hOld, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (hNew != nullptr && (newCode & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(hNew, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void SetDefaultId(HWND hDlg, DialogInfo &info, int id)
{
    HWND hOld = GetDlgItem(hDlg, info.defId);
    info.defId = id;
    HWND hNew = GetDlgItem(hDlg, id);
    LRESULT code = DlgCode(hNew);
    if (hNew != nullptr && !(code & (DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON)))
        return; /* not a push button */
    MoveDefaultStyle(hDlg, hOld, hNew, code);
}

/* The focus moved to hNew: a push button there shows as the default, any
 * other control leaves the style with the dialog's default button. */
void FollowFocus(HWND hDlg, DialogInfo &info, HWND hNew)
{
    HWND hOld = GetDlgItem(hDlg, info.defId);
    LRESULT code = DlgCode(hNew);
    if (hNew != nullptr && !(code & (DLGC_UNDEFPUSHBUTTON | DLGC_DEFPUSHBUTTON))) {
        hNew = hOld;
        code = DlgCode(hNew);
    }
    MoveDefaultStyle(hDlg, hOld, hNew, code);
}

LRESULT DialogDefault(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam, DialogInfo &info)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SHOWWINDOW:
        if (!wParam)
            DialogSaveFocus(hDlg);
        return DefWindowProcA(hDlg, msg, wParam, lParam);
    case WM_ACTIVATE:
        if (wParam)
            RestoreFocus(hDlg, info, true);
        else
            DialogSaveFocus(hDlg);
        return 0;
    case WM_SETFOCUS:
        RestoreFocus(hDlg, info, false);
        return 0;
    case DM_SETDEFID:
        if (!info.ended)
            SetDefaultId(hDlg, info, static_cast<int>(wParam));
        return 1;
    case DM_GETDEFID:
        if (info.ended)
            return 0;
        if (info.defId != 0)
            return MAKELONG(info.defId, DC_HASDEFID);
        if (HWND hDefault = FindDefaultButton(hDlg))
            return MAKELONG(GetDlgCtrlID(hDefault), DC_HASDEFID);
        return 0;
    case WM_NEXTDLGCTL: {
        HWND hDest = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hDlg, GetFocus(), wParam != 0);
        if (hDest != nullptr)
            FocusControl(hDest);
        FollowFocus(hDlg, info, hDest);
        return 0;
    }
    case WM_GETFONT:
        return 0;
    case WM_CLOSE:
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        return 0;
    default:
        return DefWindowProcA(hDlg, msg, wParam, lParam);
    }
}

} // namespace

DialogInfo *DialogOf(HWND hWnd, bool create)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr)
        return nullptr;
    if (window->dialog == nullptr && create)
        window->dialog = std::make_shared<DialogInfo>();
    return window->dialog.get();
}

void DialogSaveFocus(HWND hWnd)
{
    HWND focus = GetFocus();
    DialogInfo *info = DialogOf(hWnd, false);
    if (info != nullptr && focus != nullptr && IsChild(hWnd, focus))
        info->savedFocus = focus;
}

} // namespace lzport

using namespace lzport;

extern "C" {

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (DialogOf(hDlg, true) == nullptr)
        return 0;
    /* the dialog record lives while this message is handled, even when the
     * window goes */
    std::shared_ptr<DialogInfo> info = FindWnd(hDlg)->dialog;
    bool hasMsgResult = FindWnd(hDlg)->extra.size() >= DWLP_DLGPROC + sizeof(LONG_PTR);
    if (hasMsgResult)
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
    DLGPROC proc = hasMsgResult ? reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC)) : nullptr;
    INT_PTR result = proc != nullptr ? proc(hDlg, Msg, wParam, lParam) : 0;
    if (!result && IsWindow(hDlg)) {
        switch (Msg) {
        case WM_INITDIALOG:
        case WM_VKEYTOITEM:
        case WM_COMPAREITEM:
        case WM_CHARTOITEM:
            break;
        default:
            return DialogDefault(hDlg, Msg, wParam, lParam, *info);
        }
    }
    if ((Msg >= WM_CTLCOLORMSGBOX && Msg <= WM_CTLCOLORSTATIC) || Msg == WM_COMPAREITEM || Msg == WM_VKEYTOITEM ||
        Msg == WM_CHARTOITEM || Msg == WM_QUERYDRAGICON || Msg == WM_INITDIALOG)
        return result;
    return IsWindow(hDlg) && hasMsgResult ? GetWindowLongPtrA(hDlg, DWLP_MSGRESULT) : 0;
}

} // extern "C"

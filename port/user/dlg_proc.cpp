/* dlg_proc.cpp - DefDlgProcA, the window procedure of the dialog class.
 * A message goes to the dialog's own procedure (DWLP_DLGPROC) first. When
 * that one takes it, the result is its DWLP_MSGRESULT, which is cleared
 * before the call, or for the few messages answered with a value (an icon,
 * a brush, WM_INITDIALOG's focus choice) what it returned. What it leaves
 * goes to the handler that the table below names for the message, or
 * else to DefWindowProcA.
 *
 * The default push button: the dialog records an id (DM_GETDEFID and
 * DM_SETDEFID), and one push button at most wears BS_DEFPUSHBUTTON: the one
 * with the focus when the focus is on a push button, else the one of that
 * id. The focus: a dialog that loses the activation keeps the control that
 * had it, to give it back when it is activated again. */
#include <memory>

#include "dlg_core.h"
#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

LRESULT DialogCode(HWND hCtl) { return hCtl != nullptr ? SendMessageA(hCtl, WM_GETDLGCODE, 0, 0) : 0; }

bool IsPushButton(HWND hCtl) { return (DialogCode(hCtl) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

/* Dresses `wearer` (a push button or null) as the default push button and
 * undresses every other push button of the dialog. */
void DressDefault(HWND hDlg, HWND wearer)
{
    for (HWND hCtl = GetWindow(hDlg, GW_CHILD); hCtl != nullptr; hCtl = GetWindow(hCtl, GW_HWNDNEXT)) {
        LRESULT code = DialogCode(hCtl);
        if (hCtl == wearer && (code & DLGC_UNDEFPUSHBUTTON))
            SendMessageA(hCtl, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        else if (hCtl != wearer && (code & DLGC_DEFPUSHBUTTON))
            SendMessageA(hCtl, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
}

HWND DefaultButton(HWND hDlg, const DialogInfo &info)
{
    HWND hCtl = info.defId != 0 ? GetDlgItem(hDlg, info.defId) : nullptr;
    return IsPushButton(hCtl) ? hCtl : nullptr;
}

bool CanTakeFocus(HWND hDlg, HWND hCtl)
{
    return hCtl != nullptr && IsChild(hDlg, hCtl) && IsWindowVisible(hCtl) && IsWindowEnabled(hCtl);
}

/* The control to give the focus to: the kept one, or the first tab stop. */
HWND FocusTarget(HWND hDlg, const DialogInfo &info)
{
    return CanTakeFocus(hDlg, info.keptFocus) ? info.keptFocus : GetNextDlgTabItem(hDlg, nullptr, FALSE);
}

void KeepFocus(HWND hDlg, DialogInfo &info)
{
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hDlg, focus))
        info.keptFocus = focus;
}

/* ---- the handlers of the default processing ---- */

typedef LRESULT (*Handler)(HWND hDlg, DialogInfo &info, WPARAM wParam, LPARAM lParam);

LRESULT OnGetDefId(HWND, DialogInfo &info, WPARAM, LPARAM)
{
    return info.defId != 0 ? MAKELONG(info.defId, DC_HASDEFID) : 0;
}

LRESULT OnSetDefId(HWND hDlg, DialogInfo &, WPARAM wParam, LPARAM)
{
    SetDefaultButton(hDlg, static_cast<int>(wParam));
    return TRUE;
}

/* The focus to a control, as Tab and the arrow keys move it: lParam
 * non-zero names the control in wParam; else it is the next tab stop
 * after the focus, or the one before it when wParam is non-zero. The
 * default look goes with the focus. */
LRESULT OnNextDlgCtl(HWND hDlg, DialogInfo &info, WPARAM wParam, LPARAM lParam)
{
    HWND target = lParam != 0 ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hDlg, GetFocus(), wParam != 0);
    if (target == nullptr)
        return 0;
    SetFocus(target);
    if (GetFocus() == target)
        DressDefault(hDlg, IsPushButton(target) ? target : DefaultButton(hDlg, info));
    return 0;
}

/* The close box and Alt+F4 act as a click on Cancel, whether or not the
 * dialog has such a button. */
LRESULT OnClose(HWND hDlg, DialogInfo &, WPARAM, LPARAM)
{
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
    return 0;
}

/* Gaining the activation gives the focus back once; without a control to
 * give it to, the dialog takes it (and so hands it on by WM_SETFOCUS). */
LRESULT OnActivate(HWND hDlg, DialogInfo &info, WPARAM wParam, LPARAM)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        KeepFocus(hDlg, info);
        return 0;
    }
    if (IsIconic(hDlg))
        return 0;
    HWND kept = CanTakeFocus(hDlg, info.keptFocus) ? info.keptFocus : nullptr;
    info.keptFocus = nullptr;
    if (kept != nullptr)
        SetFocus(kept);
    else if (!IsChild(hDlg, GetFocus()))
        SetFocus(hDlg);
    return 0;
}

LRESULT OnSetFocus(HWND hDlg, DialogInfo &info, WPARAM, LPARAM)
{
    if (HWND target = FocusTarget(hDlg, info))
        SetFocus(target);
    return 0;
}

const struct {
    UINT message;
    Handler handler;
} kDefaults[] = {
    {DM_GETDEFID, OnGetDefId}, {DM_SETDEFID, OnSetDefId}, {WM_NEXTDLGCTL, OnNextDlgCtl},
    {WM_CLOSE, OnClose},       {WM_ACTIVATE, OnActivate}, {WM_SETFOCUS, OnSetFocus},
};

/* Messages whose result is what the dialog procedure returns. */
bool AnsweredByValue(UINT msg)
{
    return msg == WM_INITDIALOG || msg == WM_QUERYDRAGICON || (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}

} // namespace

DialogInfo *FindDialog(HWND hDlg)
{
    Window *window = FindWnd(hDlg);
    return window != nullptr ? window->dialog.get() : nullptr;
}

DialogInfo *DialogRecord(HWND hDlg)
{
    Window *window = FindWnd(hDlg);
    if (window == nullptr)
        return nullptr;
    if (!window->dialog) {
        window->dialog = std::make_shared<DialogInfo>();
        DialogBaseUnits(0, window->dialog->xBase, window->dialog->yBase);
    }
    return window->dialog.get();
}

void SetDefaultButton(HWND hDlg, int id)
{
    if (DialogInfo *info = FindDialog(hDlg)) {
        info->defId = id;
        DressDefault(hDlg, DefaultButton(hDlg, *info));
    }
}

void DialogSaveFocus(HWND hWnd)
{
    if (DialogInfo *info = FindDialog(hWnd))
        KeepFocus(hWnd, *info);
}

} // namespace lzport

using namespace lzport;

extern "C" {

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (DialogRecord(hDlg) == nullptr)
        return 0;
    if (DLGPROC proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC))) {
        SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
        INT_PTR answer = proc(hDlg, Msg, wParam, lParam);
        if (answer != 0)
            return AnsweredByValue(Msg) ? answer : GetWindowLongPtrA(hDlg, DWLP_MSGRESULT);
    }
    /* the dialog procedure may have destroyed the window */
    DialogInfo *info = FindDialog(hDlg);
    if (info == nullptr)
        return 0;
    for (const auto &entry : kDefaults) {
        if (entry.message == Msg)
            return entry.handler(hDlg, *info, wParam, lParam);
    }
    return DefWindowProcA(hDlg, Msg, wParam, lParam);
}

} // extern "C"

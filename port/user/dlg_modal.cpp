/* dlg_modal.cpp - the modal loop and EndDialog. The loop shows the dialog
 * the first time the queue runs empty (or a timer fires), hands each
 * message to IsDialogMessageA and the rest to the dialog's windows, and
 * ends when EndDialog has been called, the window is gone, or WM_QUIT
 * arrives (which it leaves in the queue for the outer loop). EndDialog
 * enables the owner again before the dialog is hidden and destroyed. */
#include <memory>

#include "dlg_core.h"
#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

INT_PTR RunModalDialog(HWND hDlg, HWND hWndOwner)
{
    Window *window = FindWnd(hDlg);
    if (window == nullptr || window->dialog == nullptr)
        return -1;
    std::shared_ptr<DialogInfo> info = window->dialog;
    PushModal(hDlg, ModalKind::Dialog);
    bool firstEmpty = true;
    while (!info->ended) {
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (firstEmpty) {
                ShowWindow(hDlg, SW_SHOWNORMAL);
                firstEmpty = false;
            }
            if (hWndOwner != nullptr && !(GetWindowLongA(hDlg, GWL_STYLE) & DS_NOIDLEMSG))
                SendMessageA(hWndOwner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(hDlg));
            if (GetMessageA(&msg, nullptr, 0, 0) == -1)
                break;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsWindow(hDlg))
            break;
        if (!info->ended && !IsDialogMessageA(hDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!IsWindow(hDlg))
            break;
        if (firstEmpty && msg.message == WM_TIMER) {
            ShowWindow(hDlg, SW_SHOWNORMAL);
            firstEmpty = false;
        }
    }
    PopModal(hDlg);
    if (!IsWindow(hDlg))
        return 0;
    INT_PTR result = info->ended ? info->result : 0;
    DestroyWindow(hDlg);
    return result;
}

} // namespace lzport

using namespace lzport;

extern "C" {

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    Window *window = CheckWnd(hDlg);
    if (window == nullptr || window->dialog == nullptr)
        return FALSE;
    window->dialog->result = nResult;
    window->dialog->ended = true;
    HWND owner = window->parent != nullptr ? window->parent : window->owner;
    if (owner != nullptr)
        EnableWindow(owner, TRUE);
    /* the focus goes back to the dialog itself */
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hDlg, focus))
        SetFocus(hDlg);
    SetWindowPos(hDlg, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (hDlg == GetActiveWindow()) {
        if (owner != nullptr)
            SetForegroundWindow(owner);
        else
            ActivateOtherWindow(hDlg);
    }
    /* wakes the modal loop */
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

} // extern "C"

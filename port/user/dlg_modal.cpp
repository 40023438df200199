/* dlg_modal.cpp - modal dialogs. DialogBoxIndirectParamA disables the
 * owner's top-level window, makes the dialog and runs its message loop on
 * the calling thread until EndDialog marks it ended. The loop shows a
 * dialog that is still hidden once its queue has run dry, and lets
 * IsDialogMessageA see every message first. EndDialog enables the owner
 * before it hides the dialog, so that the activation can go back to the
 * owner; the loop then destroys the dialog. */
#include <memory>

#include "dlg_core.h"
#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

void ReleaseOwner(DialogInfo &info)
{
    HWND owner = info.heldOwner;
    info.heldOwner = nullptr;
    if (owner != nullptr)
        EnableWindow(owner, TRUE);
}

/* Takes the next message for the loop; false when WM_QUIT came, which is
 * put back for the loop outside. `showFirst` shows the dialog when there
 * is nothing to take yet. */
bool NextMessage(HWND hDlg, MSG &msg, bool &showFirst)
{
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (showFirst) {
            showFirst = false;
            ShowWindow(hDlg, SW_SHOWNORMAL);
            return NextMessage(hDlg, msg, showFirst);
        }
        GetMessageA(&msg, nullptr, 0, 0);
    }
    if (msg.message != WM_QUIT)
        return true;
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
}

/* Runs the loop until the dialog has ended or is gone, then destroys it;
 * gives EndDialog's result. */
INT_PTR RunModalLoop(HWND hDlg)
{
    std::shared_ptr<DialogInfo> info = FindWnd(hDlg)->dialog;
    PushModal(hDlg, ModalKind::Dialog);
    bool showFirst = !IsWindowVisible(hDlg);
    MSG msg;
    while (!info->ended && IsWindow(hDlg) && NextMessage(hDlg, msg, showFirst)) {
        if (!IsDialogMessageA(hDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    PopModal(hDlg);
    ReleaseOwner(*info);
    DestroyWindow(hDlg);
    return info->result;
}

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    if (hWndParent != nullptr && CheckWnd(hWndParent) == nullptr)
        return 0;
    if (hDialogTemplate == nullptr)
        return -1;
    HWND owner = hWndParent != nullptr ? RootWindow(hWndParent) : nullptr;
    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    HWND hDlg = MakeDialog(hInstance, hDialogTemplate, owner, lpDialogFunc, dwInitParam, owner);
    if (hDlg == nullptr) {
        if (owner != nullptr)
            EnableWindow(owner, TRUE);
        return -1;
    }
    return RunModalLoop(hDlg);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    if (CheckWnd(hDlg) == nullptr)
        return FALSE;
    DialogInfo *info = FindDialog(hDlg);
    if (info == nullptr)
        return FALSE;
    info->ended = true;
    info->result = nResult;
    ReleaseOwner(*info);
    ShowWindow(hDlg, SW_HIDE);
    /* wakes a modal loop that waits for a message (the thread ran out of
     * input and ends the dialog from inside GetMessageA) */
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

} // extern "C"

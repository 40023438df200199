/* dlg_items.cpp - a dialog's controls by id: finding them, their texts
 * and the check state of buttons. */
#include "wm_core.h"

using namespace lzport;

extern "C" {

/* Windows answers ERROR_CONTROL_ID_NOT_FOUND for an id that no control
 * has; Wine leaves the last error alone. */
HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    Window *dialog = CheckWnd(hDlg);
    if (dialog == nullptr)
        return nullptr;
    for (HWND child : dialog->children) {
        if (FindWnd(child)->id == static_cast<LONG_PTR>(nIDDlgItem))
            return child;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd)
{
    Window *window = CheckWnd(hWnd);
    return window != nullptr ? static_cast<int>(window->id) : 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND hCtl = GetDlgItem(hDlg, nIDDlgItem);
    return hCtl != nullptr ? SendMessageA(hCtl, Msg, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString)
{
    return SendDlgItemMessageA(hDlg, nIDDlgItem, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax)
{
    if (lpString != nullptr && cchMax > 0)
        lpString[0] = '\0';
    return static_cast<UINT>(SendDlgItemMessageA(hDlg, nIDDlgItem, WM_GETTEXT,
                                                 static_cast<WPARAM>(cchMax > 0 ? cchMax : 0),
                                                 reinterpret_cast<LPARAM>(lpString)));
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    SendDlgItemMessageA(hDlg, nIDButton, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    return static_cast<UINT>(SendDlgItemMessageA(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

} // extern "C"

/* dlg_core.h - what the dialog manager's files share: the record a dialog
 * window carries beside its window record, the steps of making and running
 * a dialog, and the window procedures of the built-in control classes. */
#ifndef LZPORT_DLG_CORE_H
#define LZPORT_DLG_CORE_H

#include "windows.h"

namespace lzport {

struct DialogInfo {
    /* pixels of 4 dialog units across and of 8 down */
    int xBase = 0;
    int yBase = 0;
    /* what DM_GETDEFID names: IDOK until the template or DM_SETDEFID says
     * otherwise; 0 when DM_SETDEFID took the default away */
    int defId = IDOK;
    /* the control that had the focus when the dialog lost the activation */
    HWND keptFocus = nullptr;
    /* set by EndDialog; the modal loop then ends with `result` */
    bool ended = false;
    INT_PTR result = 0;
    /* the window a modal dialog disabled, until it is enabled again */
    HWND heldOwner = nullptr;
};

/* The record of a dialog window; null for any other window. */
DialogInfo *FindDialog(HWND hDlg);
/* The record of a window of a dialog class, made when it has none. */
DialogInfo *DialogRecord(HWND hDlg);

/* dlg_proc.cpp: makes `id` the dialog's default id, and dresses its
 * control as the default push button, undressing any other. */
void SetDefaultButton(HWND hDlg, int id);

/* dlg_create.cpp: a dialog made from a template: the window and its
 * controls, WM_INITDIALOG, then the first focus and the showing that the
 * template and the dialog procedure ask for. `heldOwner` is the window a
 * modal dialog has disabled. Null when the dialog could not be made. */
HWND MakeDialog(HINSTANCE hInstance, const void *dialogTemplate, HWND hWndParent, DLGPROC proc, LPARAM param,
                HWND heldOwner);
/* The pixels of 4 dialog units across and 8 down in a font of `pointSize`
 * points (0: a template without a font). */
void DialogBaseUnits(int pointSize, int &xBase, int &yBase);

/* The built-in classes: "#32770" (the atom 32770), "Button", "Static". */
const char kDialogClassName[] = "#32770";
const ATOM kDialogClassAtom = 32770;
LRESULT CALLBACK ButtonWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* extra window bytes of the buttons and statics */
const int kButtonExtra = 2 * sizeof(LONG_PTR);
const int kStaticExtra = 2 * sizeof(LONG_PTR);

} // namespace lzport

#endif

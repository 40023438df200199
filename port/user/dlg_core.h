/* dlg_core.h - the dialog manager's own records and the system's control
 * classes: what a dialog window keeps beside its window (the control to
 * give the focus back to, its base units, the default button and how it
 * ended), and the window procedures of the built-in classes. */
#ifndef LZPORT_DLG_CORE_H
#define LZPORT_DLG_CORE_H

#include "windows.h"

namespace lzport {

struct DialogInfo {
    HWND savedFocus = nullptr;
    int xBase = 0; /* pixels per 4 horizontal dialog units */
    int yBase = 0; /* pixels per 8 vertical dialog units */
    /* the default push button's id; a dialog without one answers IDOK to
     * DM_GETDEFID, as Windows does */
    int defId = IDOK;
    INT_PTR result = 0;
    bool ended = false;
};

/* The dialog record of a window; `create` makes one for a window that
 * calls the default dialog procedure for the first time. Null for no window. */
DialogInfo *DialogOf(HWND hWnd, bool create);

/* The built-in classes: "#32770" (the atom 32770), "Button", "Static". */
const char kDialogClassName[] = "#32770";
const ATOM kDialogClassAtom = 32770;
LRESULT CALLBACK ButtonWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* extra window bytes of the buttons and statics */
const int kButtonExtra = 2 * sizeof(LONG_PTR);
const int kStaticExtra = 2 * sizeof(LONG_PTR);

/* dlg_create.cpp: makes a dialog and its controls from a template and
 * sends WM_INITDIALOG. A modal dialog (modalOwner not null) disables its
 * owner first and gives back in *modalOwner the top-level owner that its
 * modal loop hands to EndDialog's care. Null when it fails. */
HWND CreateDialogFromTemplate(HINSTANCE hInstance, const void *dialogTemplate, HWND hWndOwner, DLGPROC proc,
                              LPARAM param, HWND *modalOwner);
/* dlg_modal.cpp: runs a dialog's modal loop until EndDialog, destroys it
 * and gives its result. */
INT_PTR RunModalDialog(HWND hDlg, HWND hWndOwner);

/* Base units of a dialog font of `pointSize` points (0 without a font):
 * the pixels of 4 dialog units across and 8 down. */
void DialogBaseUnits(int pointSize, int &xBase, int &yBase);

} // namespace lzport

#endif

/* dlg_create.cpp - dialogs made from templates. Sizes and positions in
 * the template are dialog units, which become pixels through the base
 * units of the template's font; the table below holds what Wine measures
 * for the Japanese dialog fonts ("ＭＳ Ｐゴシック", "MS UI Gothic", "MS Shell
 * Dlg", all drawn with one Gothic face) at 96 dots per inch. The template's
 * position counts from the owner's client area (from the screen with
 * DS_ABSALIGN or without an owner), and the dialog is kept on the work
 * area. The controls are made in template order, which is also their tab
 * order; a dialog one of whose controls cannot be made is not made. */
#include <string>

#include "dlg_core.h"
#include "dlg_template.h"
#include "wm_core.h"

namespace lzport {

namespace {

/* Base units by point size, 6 to 14 points. */
const int kFirstPointSize = 6;
const int kXBase[] = {5, 5, 7, 7, 8, 9, 10, 10, 11};
const int kYBase[] = {9, 10, 12, 13, 14, 16, 17, 18, 21};
const int kPointSizes = static_cast<int>(sizeof kXBase / sizeof kXBase[0]);
/* without a font of its own: the system font's */
const int kSystemXBase = 8;
const int kSystemYBase = 18;
/* the message box font's size, for templates that ask for it (0x7FFF) */
const int kMessageFontPoints = 9;

LPCSTR DialogClass(const DialogTemplate &t)
{
    if (!t.className.empty())
        return t.className.c_str();
    return t.classAtom != 0 ? MAKEINTRESOURCEA(t.classAtom) : kDialogClassName;
}

DWORD DialogExStyle(const DialogTemplate &t)
{
    DWORD exStyle = t.exStyle;
    if (t.style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;
    if (!(t.style & WS_CHILD))
        exStyle |= WS_EX_CONTROLPARENT;
    return exStyle;
}

/* Shifts a span to lie within [low, high], its start first. */
void KeepWithin(LONG &start, LONG &end, LONG low, LONG high)
{
    LONG shift = end > high ? high - end : 0;
    if (start + shift < low)
        shift = low - start;
    start += shift;
    end += shift;
}

/* The dialog's window rectangle on the screen. */
RECT DialogRect(const DialogTemplate &t, DWORD style, DWORD exStyle, HWND owner, int xBase, int yBase)
{
    RECT rect = {0, 0, MulDiv(t.cx, xBase, 4), MulDiv(t.cy, yBase, 8)};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    POINT client = {MulDiv(t.x, xBase, 4), MulDiv(t.y, yBase, 8)};
    if (owner != nullptr && !(t.style & DS_ABSALIGN))
        ClientToScreen(owner, &client);
    OffsetRect(&rect, client.x, client.y);
    RECT area = WorkArea();
    KeepWithin(rect.left, rect.right, area.left, area.right);
    KeepWithin(rect.top, rect.bottom, area.top, area.bottom);
    return rect;
}

/* A control's window text: a resource ordinal is "\xFF" and its two bytes. */
std::string ControlText(const ControlTemplate &c)
{
    if (!c.textOrdinal)
        return c.text;
    return std::string{'\xFF', static_cast<char>(LOBYTE(c.ordinal)), static_cast<char>(HIBYTE(c.ordinal))};
}

HWND MakeControl(HWND hDlg, const ControlTemplate &c, HINSTANCE hInstance, int xBase, int yBase)
{
    std::string text = ControlText(c);
    return CreateWindowExA(c.exStyle | WS_EX_NOPARENTNOTIFY, c.className.c_str(), text.c_str(), c.style | WS_CHILD,
                           MulDiv(c.x, xBase, 4), MulDiv(c.y, yBase, 8), MulDiv(c.cx, xBase, 4), MulDiv(c.cy, yBase, 8),
                           hDlg, reinterpret_cast<HMENU>(c.id), hInstance, const_cast<void *>(c.data));
}

/* Makes the controls; the last one that is a default push button gives
 * the dialog its default id. False when one cannot be made. */
bool MakeControls(HWND hDlg, const DialogTemplate &t, HINSTANCE hInstance, int xBase, int yBase)
{
    int defaultId = 0;
    for (const ControlTemplate &c : t.controls) {
        HWND hCtl = MakeControl(hDlg, c, hInstance, xBase, yBase);
        if (hCtl == nullptr)
            return false;
        if (SendMessageA(hCtl, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            defaultId = GetDlgCtrlID(hCtl);
    }
    if (defaultId != 0)
        SetDefaultButton(hDlg, defaultId);
    return true;
}

} // namespace

void DialogBaseUnits(int pointSize, int &xBase, int &yBase)
{
    if (pointSize == 0) {
        xBase = kSystemXBase;
        yBase = kSystemYBase;
        return;
    }
    if (pointSize == 0x7FFF)
        pointSize = kMessageFontPoints;
    int index = pointSize - kFirstPointSize;
    if (index < 0)
        index = 0;
    if (index < kPointSizes) {
        xBase = kXBase[index];
        yBase = kYBase[index];
        return;
    }
    /* larger fonts grow with the pixel height */
    int pixels = MulDiv(pointSize, 96, 72);
    xBase = MulDiv(pixels, 7, 12);
    yBase = MulDiv(pixels, 13, 12) + 1;
}

HWND MakeDialog(HINSTANCE hInstance, const void *dialogTemplate, HWND hWndParent, DLGPROC proc, LPARAM param,
                HWND heldOwner)
{
    DialogTemplate t = ParseDialogTemplate(dialogTemplate);
    int xBase, yBase;
    DialogBaseUnits((t.style & DS_SETFONT) ? t.pointSize : 0, xBase, yBase);
    HWND owner = hWndParent != nullptr ? RootWindow(hWndParent) : nullptr;
    DWORD style = t.style & ~WS_VISIBLE, exStyle = DialogExStyle(t);
    RECT rect = DialogRect(t, style, exStyle, owner, xBase, yBase);
    HWND hDlg = CreateWindowExA(exStyle, DialogClass(t), t.caption.c_str(), style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, hInstance, nullptr);
    DialogInfo *info = DialogRecord(hDlg);
    if (info == nullptr)
        return nullptr;
    info->xBase = xBase;
    info->yBase = yBase;
    info->heldOwner = heldOwner;
    SetWindowLongPtrA(hDlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (!MakeControls(hDlg, t, hInstance, xBase, yBase)) {
        DestroyWindow(hDlg);
        return nullptr;
    }
    HWND first = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    bool focusFirst = SendMessageA(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) != 0;
    info = FindDialog(hDlg);
    if (info == nullptr)
        return nullptr;
    /* Wine shows a WS_VISIBLE dialog that ended during WM_INITDIALOG; Windows
     * destroys such a dialog before it is shown or focused. */
    if (info->ended)
        return hDlg;
    if (focusFirst && first != nullptr)
        SetFocus(first);
    if (t.style & WS_VISIBLE)
        ShowWindow(hDlg, SW_SHOWNORMAL);
    return hDlg;
}

} // namespace lzport

using namespace lzport;

extern "C" {

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    if (lpTemplate == nullptr || (hWndParent != nullptr && CheckWnd(hWndParent) == nullptr))
        return nullptr;
    return MakeDialog(hInstance, lpTemplate, hWndParent, lpDialogFunc, dwInitParam, nullptr);
}

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    HRSRC resource = FindResourceA(hInstance, lpTemplateName, RT_DIALOG);
    HGLOBAL data = resource != nullptr ? LoadResource(hInstance, resource) : nullptr;
    if (data == nullptr)
        return nullptr;
    return CreateDialogIndirectParamA(hInstance, static_cast<LPCDLGTEMPLATEA>(LockResource(data)), hWndParent,
                                      lpDialogFunc, dwInitParam);
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    DialogInfo *info = FindDialog(hDlg);
    if (info == nullptr || lpRect == nullptr)
        return FALSE;
    lpRect->left = MulDiv(lpRect->left, info->xBase, 4);
    lpRect->right = MulDiv(lpRect->right, info->xBase, 4);
    lpRect->top = MulDiv(lpRect->top, info->yBase, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, info->yBase, 8);
    return TRUE;
}

} // extern "C"

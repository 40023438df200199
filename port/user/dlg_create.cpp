/* dlg_create.cpp - dialogs made from templates. Dialog units become
 * pixels through the base units of the template's font: fixed here to what
 * Wine measures for the Japanese dialog fonts ("ＭＳ Ｐゴシック", "MS UI
 * Gothic", "MS Shell Dlg", all drawn with one Gothic face) at 96 dots per
 * inch, 7 by 13 pixels at 9 points. A dialog at template position (0, 0)
 * is kept inside the work area; the controls are made in template order,
 * which is also their tab order. */
#include "dlg_core.h"
#include "dlg_template.h"
#include "wm_core.h"
#include "wm_state.h"

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

POINT Position(const DialogTemplate &t, const RECT &frame, int xBase, int yBase, HWND hWndOwner)
{
    SIZE size = {frame.right - frame.left, frame.bottom - frame.top};
    RECT area = WorkArea();
    POINT pos = {frame.left, frame.top};
    if (t.x == static_cast<short>(0x8000))
        return POINT{CW_USEDEFAULT, CW_USEDEFAULT};
    if (t.style & (DS_CENTER | DS_CENTERMOUSE)) {
        /* there is no mouse: centred on the work area either way */
        pos.x = (area.left + area.right - size.cx) / 2;
        pos.y = (area.top + area.bottom - size.cy) / 2;
    } else {
        pos.x += MulDiv(t.x, xBase, 4);
        pos.y += MulDiv(t.y, yBase, 8);
        if (!(t.style & (WS_CHILD | DS_ABSALIGN)) && hWndOwner != nullptr)
            ClientToScreen(hWndOwner, &pos);
    }
    if (!(t.style & WS_CHILD)) {
        int dlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
        if (pos.x + size.cx + dlgFrame > area.right)
            pos.x = area.right - size.cx - dlgFrame;
        if (pos.y + size.cy + dlgFrame > area.bottom)
            pos.y = area.bottom - size.cy - dlgFrame;
        if (pos.x < area.left)
            pos.x = area.left;
        if (pos.y < area.top)
            pos.y = area.top;
    }
    return pos;
}

/* The owner a modal dialog disables: the top-level window above a child. */
HWND TopLevelOwner(HWND hWndOwner)
{
    while ((GetWindowLongA(hWndOwner, GWL_STYLE) & (WS_POPUP | WS_CHILD)) == WS_CHILD) {
        HWND parent = GetParent(hWndOwner);
        if (parent == nullptr)
            break;
        hWndOwner = parent;
    }
    return hWndOwner;
}

/* "\xFF" and the ordinal: how the "A" calls pass a resource name as a
 * window's text. */
std::string OrdinalText(WORD ordinal)
{
    std::string text(3, '\xFF');
    text[1] = static_cast<char>(LOBYTE(ordinal));
    text[2] = static_cast<char>(HIBYTE(ordinal));
    return text;
}

bool CreateControls(HWND hDlg, const DialogTemplate &t, HINSTANCE hInstance, DialogInfo &info)
{
    HWND defaultButton = nullptr;
    for (const ControlTemplate &c : t.controls) {
        DWORD style = (c.style & ~WS_POPUP) | WS_CHILD;
        DWORD exStyle = c.exStyle | WS_EX_NOPARENTNOTIFY;
        if (style & WS_BORDER) {
            style &= ~WS_BORDER;
            exStyle |= WS_EX_CLIENTEDGE;
        }
        std::string text = c.textOrdinal ? OrdinalText(c.ordinal) : c.text;
        HWND hCtl =
            CreateWindowExA(exStyle, c.className.c_str(), text.c_str(), style, MulDiv(c.x, info.xBase, 4),
                            MulDiv(c.y, info.yBase, 8), MulDiv(c.cx, info.xBase, 4), MulDiv(c.cy, info.yBase, 8), hDlg,
                            reinterpret_cast<HMENU>(c.id), hInstance, const_cast<void *>(c.data));
        if (hCtl == nullptr) {
            if (t.style & DS_NOFAILCREATE)
                continue;
            return false;
        }
        if (SendMessageA(hCtl, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
            /* the last default push button of the template wins */
            if (defaultButton != nullptr)
                SendMessageA(defaultButton, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
            defaultButton = hCtl;
            info.defId = static_cast<int>(GetWindowLongPtrA(hCtl, GWLP_ID));
        }
    }
    return true;
}

HWND FirstFocus(HWND hDlg)
{
    HWND focus = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    return focus != nullptr ? focus : GetNextDlgGroupItem(hDlg, nullptr, FALSE);
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

HWND CreateDialogFromTemplate(HINSTANCE hInstance, const void *dialogTemplate, HWND hWndOwner, DLGPROC proc,
                              LPARAM param, HWND *modalOwner)
{
    if (dialogTemplate == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    DialogTemplate t = ParseDialogTemplate(dialogTemplate);
    int xBase, yBase;
    DialogBaseUnits((t.style & DS_SETFONT) ? t.pointSize : 0, xBase, yBase);

    if (t.style & DS_CONTROL)
        t.style &= ~(WS_CAPTION | WS_SYSMENU);
    t.style |= DS_3DLOOK;
    if (t.style & DS_MODALFRAME)
        t.exStyle |= WS_EX_DLGMODALFRAME;
    if ((t.style & DS_CONTROL) || !(t.style & WS_CHILD))
        t.exStyle |= WS_EX_CONTROLPARENT;
    RECT frame = {0, 0, MulDiv(t.cx, xBase, 4), MulDiv(t.cy, yBase, 8)};
    AdjustWindowRectEx(&frame, t.style, FALSE, t.exStyle);
    if (hWndOwner != nullptr && !IsWindow(hWndOwner))
        return nullptr;
    POINT pos = Position(t, frame, xBase, yBase, hWndOwner);

    HWND disabledOwner = nullptr;
    if (modalOwner != nullptr && hWndOwner != nullptr) {
        hWndOwner = TopLevelOwner(hWndOwner);
        *modalOwner = hWndOwner;
        if (IsWindowEnabled(hWndOwner)) {
            disabledOwner = hWndOwner;
            EnableWindow(disabledOwner, FALSE);
        }
    }
    LPCSTR className = t.classAtom != 0       ? MAKEINTATOM(t.classAtom)
                       : !t.className.empty() ? t.className.c_str()
                                              : MAKEINTATOM(kDialogClassAtom);
    HWND hDlg =
        CreateWindowExA(t.exStyle, className, t.caption.c_str(), t.style & ~WS_VISIBLE, pos.x, pos.y,
                        frame.right - frame.left, frame.bottom - frame.top, hWndOwner, nullptr, hInstance, nullptr);
    if (hDlg == nullptr) {
        if (disabledOwner != nullptr)
            EnableWindow(disabledOwner, TRUE);
        return nullptr;
    }
    DialogInfo *info = DialogOf(hDlg, true);
    info->xBase = xBase;
    info->yBase = yBase;
    SetWindowLongPtrA(hDlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));

    if (!CreateControls(hDlg, t, hInstance, *info)) {
        if (disabledOwner != nullptr)
            EnableWindow(disabledOwner, TRUE);
        DestroyWindow(hDlg);
        return nullptr;
    }
    if (proc != nullptr) {
        HWND focus = FirstFocus(hDlg);
        if (SendMessageA(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param) && IsWindow(hDlg) &&
            (!(t.style & DS_CONTROL) || (t.style & WS_VISIBLE))) {
            /* initialisation may have changed the tab order */
            focus = FirstFocus(hDlg);
            if (focus != nullptr)
                SetFocus(focus);
            else if (!(t.style & WS_CHILD))
                SetFocus(hDlg);
        }
    }
    if (!IsWindow(hDlg))
        return nullptr;
    /* A template's WS_VISIBLE takes effect now. A dialog already ended
     * stays hidden (Wine shows it for the moment before its modal loop
     * destroys it). */
    info = DialogOf(hDlg, false);
    if ((t.style & WS_VISIBLE) && !(GetWindowLongA(hDlg, GWL_STYLE) & WS_VISIBLE) && !(info != nullptr && info->ended))
        ShowWindow(hDlg, SW_SHOWNORMAL);
    return hDlg;
}

} // namespace lzport

using namespace lzport;

extern "C" {

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    return CreateDialogFromTemplate(hInstance, lpTemplate, hWndParent, lpDialogFunc, dwInitParam, nullptr);
}

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    HRSRC resource = FindResourceA(hInstance, lpTemplateName, RT_DIALOG);
    HGLOBAL loaded = resource != nullptr ? LoadResource(hInstance, resource) : nullptr;
    if (loaded == nullptr)
        return nullptr;
    return CreateDialogFromTemplate(hInstance, LockResource(loaded), hWndParent, lpDialogFunc, dwInitParam, nullptr);
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA hDialogTemplate, HWND hWndParent,
                                       DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    HWND owner = hWndParent;
    HWND hDlg = CreateDialogFromTemplate(hInstance, hDialogTemplate, hWndParent, lpDialogFunc, dwInitParam, &owner);
    return hDlg != nullptr ? RunModalDialog(hDlg, owner) : -1;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    DialogInfo *info = FindWnd(hDlg) != nullptr ? DialogOf(hDlg, false) : nullptr;
    if (info == nullptr || lpRect == nullptr)
        return FALSE;
    lpRect->left = MulDiv(lpRect->left, info->xBase, 4);
    lpRect->right = MulDiv(lpRect->right, info->xBase, 4);
    lpRect->top = MulDiv(lpRect->top, info->yBase, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, info->yBase, 8);
    return TRUE;
}

} // extern "C"

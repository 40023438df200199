/* dlg_button.cpp - the Button class: push buttons (default or not), check
 * boxes, radio buttons and group boxes. A click (BM_CLICK, the Space key,
 * a mouse press and release) gives the button the focus, turns an
 * automatic box over and sends BN_CLICKED to the parent; BS_NOTIFY buttons
 * also report gaining and losing the focus. The state (check, pushed,
 * focus) lives in the first extra window bytes. */
#include "dlg_core.h"
#include "wm_core.h"
#include "wm_state.h"

namespace lzport {

namespace {

/* Beside the BST_ bits: pressed and waiting for the release. */
const LONG_PTR kPressed = 0x40;
const LONG_PTR kStateBits = 0x0F;
const int kStateOffset = 0;
const int kFontOffset = sizeof(LONG_PTR);

LONG_PTR State(HWND hWnd) { return GetWindowLongPtrA(hWnd, kStateOffset); }
void SetState(HWND hWnd, LONG_PTR state) { SetWindowLongPtrA(hWnd, kStateOffset, state); }

UINT TypeOf(HWND hWnd) { return static_cast<UINT>(GetWindowLongA(hWnd, GWL_STYLE)) & BS_TYPEMASK; }

/* The highest check state each type takes. */
WPARAM MaxCheck(UINT type)
{
    switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE:
        return BST_INDETERMINATE;
    default:
        return BST_UNCHECKED;
    }
}

void Notify(HWND hWnd, WORD code)
{
    HWND parent = GetParent(hWnd);
    if (parent != nullptr)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), code), reinterpret_cast<LPARAM>(hWnd));
}

void Redraw(HWND hWnd)
{
    InvalidateRect(hWnd, nullptr, TRUE);
    WindowsChanged();
}

/* An automatic radio button that is clicked unchecks the others of its
 * group. */
void CheckInGroup(HWND hWnd)
{
    HWND parent = GetParent(hWnd);
    if (parent == nullptr)
        return;
    for (HWND other = GetNextDlgGroupItem(parent, hWnd, FALSE); other != nullptr && other != hWnd;
         other = GetNextDlgGroupItem(parent, other, FALSE)) {
        if (TypeOf(other) == BS_AUTORADIOBUTTON)
            SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageA(hWnd, BM_SETCHECK, BST_CHECKED, 0);
}

void Press(HWND hWnd)
{
    SetState(hWnd, State(hWnd) | kPressed);
    SendMessageA(hWnd, BM_SETSTATE, TRUE, 0);
}

/* The release that completes a click. */
void Release(HWND hWnd)
{
    LONG_PTR state = State(hWnd);
    if (!(state & kPressed))
        return;
    SetState(hWnd, state & ~kPressed);
    if (!(state & BST_PUSHED))
        return;
    SendMessageA(hWnd, BM_SETSTATE, FALSE, 0);
    LONG_PTR check = State(hWnd) & (BST_CHECKED | BST_INDETERMINATE);
    switch (TypeOf(hWnd)) {
    case BS_AUTOCHECKBOX:
        SendMessageA(hWnd, BM_SETCHECK, check ? BST_UNCHECKED : BST_CHECKED, 0);
        break;
    case BS_AUTORADIOBUTTON:
        CheckInGroup(hWnd);
        break;
    case BS_AUTO3STATE:
        SendMessageA(hWnd, BM_SETCHECK, (check & BST_INDETERMINATE) ? BST_UNCHECKED : check + 1, 0);
        break;
    default:
        break;
    }
    Notify(hWnd, BN_CLICKED);
}

LRESULT DlgCode(UINT type)
{
    switch (type) {
    case BS_PUSHBUTTON:
    case BS_USERBUTTON:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

} // namespace

LRESULT CALLBACK ButtonWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindow(hWnd))
        return 0;
    DWORD style = static_cast<DWORD>(GetWindowLongA(hWnd, GWL_STYLE));
    UINT type = style & BS_TYPEMASK;
    switch (msg) {
    case WM_GETDLGCODE:
        return DlgCode(type);
    case WM_CREATE:
        if (type > BS_OWNERDRAW)
            return -1;
        if (type == BS_USERBUTTON)
            SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | BS_PUSHBUTTON));
        SetState(hWnd, BST_UNCHECKED);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE)
            Press(hWnd);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            Release(hWnd);
        return 0;
    case WM_LBUTTONDBLCLK:
        if ((style & BS_NOTIFY) || type == BS_RADIOBUTTON || type == BS_USERBUTTON || type == BS_OWNERDRAW) {
            Notify(hWnd, BN_DOUBLECLICKED);
            return 0;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        SetFocus(hWnd);
        Press(hWnd);
        return 0;
    case WM_LBUTTONUP:
        Release(hWnd);
        return 0;
    case BM_CLICK:
        SendMessageA(hWnd, WM_LBUTTONDOWN, 0, 0);
        SendMessageA(hWnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case WM_SETTEXT:
    case WM_ENABLE:
        DefWindowProcA(hWnd, msg, wParam, lParam);
        Redraw(hWnd);
        return msg == WM_SETTEXT;
    case WM_SETFONT:
        SetWindowLongPtrA(hWnd, kFontOffset, static_cast<LONG_PTR>(wParam));
        if (lParam)
            Redraw(hWnd);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(hWnd, kFontOffset);
    case WM_SETFOCUS:
        SetState(hWnd, State(hWnd) | BST_FOCUS);
        Redraw(hWnd);
        if (style & BS_NOTIFY)
            Notify(hWnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS: {
        LONG_PTR state = State(hWnd);
        SetState(hWnd, state & ~(BST_FOCUS | kPressed));
        if (state & BST_PUSHED)
            SendMessageA(hWnd, BM_SETSTATE, FALSE, 0);
        if (style & BS_NOTIFY)
            Notify(hWnd, BN_KILLFOCUS);
        Redraw(hWnd);
        return 0;
    }
    case BM_SETSTYLE:
        SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>((style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK)));
        if (lParam)
            Redraw(hWnd);
        return 0;
    case BM_GETCHECK:
        return State(hWnd) & (BST_CHECKED | BST_INDETERMINATE);
    case BM_SETCHECK: {
        WPARAM check = wParam > MaxCheck(type) ? MaxCheck(type) : wParam;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
            /* the checked radio button of a group is its tab stop */
            DWORD tabStop = check ? WS_TABSTOP : 0;
            SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>((style & ~WS_TABSTOP) | tabStop));
        }
        LONG_PTR state = State(hWnd);
        if ((state & (BST_CHECKED | BST_INDETERMINATE)) != static_cast<LONG_PTR>(check)) {
            SetState(hWnd, (state & ~(BST_CHECKED | BST_INDETERMINATE)) | static_cast<LONG_PTR>(check));
            Redraw(hWnd);
        }
        return 0;
    }
    case BM_GETSTATE:
        return State(hWnd) & kStateBits;
    case BM_SETSTATE: {
        LONG_PTR state = State(hWnd);
        SetState(hWnd, wParam ? (state | BST_PUSHED) : (state & ~BST_PUSHED));
        Redraw(hWnd);
        return 0;
    }
    default:
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

} // namespace lzport

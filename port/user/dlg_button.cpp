/* dlg_button.cpp - the Button class: push buttons, check boxes (two-state
 * and three-state, by hand or automatic) and group boxes; any other kind
 * behaves as a plain button that can only be clicked. A click (BM_CLICK, or
 * the Space key going down and up on the button) gives the button the
 * focus, moves an automatic box on to its next state and tells the parent
 * BN_CLICKED. BS_NOTIFY buttons also tell it when they gain and lose the
 * focus. Painting is the default window procedure's. */
#include <string.h>

#include "dlg_core.h"
#include "wm_core.h"

namespace lzport {

namespace {

struct Kind {
    UINT type;
    LRESULT dialogCode;
    int lastState;  /* the highest check state: 0 none, 1 checked, 2 indeterminate */
    bool automatic; /* a click moves the state on */
};

const Kind kKinds[] = {
    {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, 0, false},
    {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON, 0, false},
    {BS_CHECKBOX, DLGC_BUTTON, 1, false},
    {BS_AUTOCHECKBOX, DLGC_BUTTON, 1, true},
    {BS_3STATE, DLGC_BUTTON, 2, false},
    {BS_AUTO3STATE, DLGC_BUTTON, 2, true},
    {BS_GROUPBOX, DLGC_STATIC, 0, false},
};
const Kind kPlainButton = {0, DLGC_BUTTON, 0, false};

const Kind &KindOf(HWND hWnd)
{
    UINT type = static_cast<UINT>(GetWindowLongA(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    for (const Kind &kind : kKinds) {
        if (kind.type == type)
            return kind;
    }
    return kPlainButton;
}

/* What a button keeps in its extra window bytes. */
struct ButtonState {
    int check;      /* BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE */
    bool pushed;    /* drawn pushed in: BM_SETSTATE, or Space held on it */
    bool spaceHeld; /* the Space key went down on it and has not come up */
};
static_assert(sizeof(ButtonState) <= kButtonExtra, "the class's extra bytes hold the state");

ButtonState Load(HWND hWnd)
{
    ButtonState state = {BST_UNCHECKED, false, false};
    Window *window = FindWnd(hWnd);
    if (window != nullptr && window->extra.size() >= sizeof state)
        memcpy(&state, window->extra.data(), sizeof state);
    return state;
}

void Repaint(HWND hWnd)
{
    InvalidateRect(hWnd, nullptr, TRUE);
    WindowsChanged();
}

void Store(HWND hWnd, const ButtonState &state)
{
    Window *window = FindWnd(hWnd);
    if (window != nullptr && window->extra.size() >= sizeof state)
        memcpy(window->extra.data(), &state, sizeof state);
    Repaint(hWnd);
}

void TellParent(HWND hWnd, WORD code)
{
    SendMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), code), reinterpret_cast<LPARAM>(hWnd));
}

void TellFocusChange(HWND hWnd, WORD code)
{
    if (GetWindowLongA(hWnd, GWL_STYLE) & BS_NOTIFY)
        TellParent(hWnd, code);
}

void Click(HWND hWnd)
{
    const Kind &kind = KindOf(hWnd);
    if (kind.automatic) {
        ButtonState state = Load(hWnd);
        state.check = (state.check + 1) % (kind.lastState + 1);
        Store(hWnd, state);
    }
    TellParent(hWnd, BN_CLICKED);
}

/* The Space key: down holds the button pushed in, up releases and clicks
 * it; losing the focus releases it without a click. */
void HoldSpace(HWND hWnd, bool held, bool click)
{
    ButtonState state = Load(hWnd);
    if (state.spaceHeld == held)
        return;
    state.spaceHeld = state.pushed = held;
    Store(hWnd, state);
    if (click)
        Click(hWnd);
}

LRESULT GetState(HWND hWnd)
{
    ButtonState state = Load(hWnd);
    return state.check | (state.pushed ? BST_PUSHED : 0) | (GetFocus() == hWnd ? BST_FOCUS : 0);
}

} // namespace

LRESULT CALLBACK ButtonWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_GETDLGCODE:
        return KindOf(hWnd).dialogCode;
    case BM_GETCHECK:
        return Load(hWnd).check;
    case BM_SETCHECK: {
        ButtonState state = Load(hWnd);
        int most = KindOf(hWnd).lastState;
        state.check = wParam < static_cast<WPARAM>(most) ? static_cast<int>(wParam) : most;
        Store(hWnd, state);
        return 0;
    }
    case BM_GETSTATE:
        return GetState(hWnd);
    case BM_SETSTATE: {
        ButtonState state = Load(hWnd);
        state.pushed = wParam != 0;
        Store(hWnd, state);
        return 0;
    }
    case BM_SETSTYLE: {
        LONG style = GetWindowLongA(hWnd, GWL_STYLE);
        SetWindowLongA(hWnd, GWL_STYLE, (style & ~BS_TYPEMASK) | (static_cast<LONG>(wParam) & BS_TYPEMASK));
        if (lParam)
            Repaint(hWnd);
        return 0;
    }
    case BM_CLICK:
        SetFocus(hWnd);
        Click(hWnd);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam != VK_SPACE)
            return DefWindowProcA(hWnd, msg, wParam, lParam);
        HoldSpace(hWnd, msg == WM_KEYDOWN, msg == WM_KEYUP);
        return 0;
    case WM_SETFOCUS:
        TellFocusChange(hWnd, BN_SETFOCUS);
        Repaint(hWnd);
        return 0;
    case WM_KILLFOCUS:
        HoldSpace(hWnd, false, false);
        TellFocusChange(hWnd, BN_KILLFOCUS);
        Repaint(hWnd);
        return 0;
    case WM_ENABLE:
        Repaint(hWnd);
        return 0;
    default:
        return DefWindowProcA(hWnd, msg, wParam, lParam);
    }
}

} // namespace lzport

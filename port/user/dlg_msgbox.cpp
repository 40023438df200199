/* dlg_msgbox.cpp - MessageBoxA as a modal dialog of the dialog class made
 * from a template in memory: an icon static (id 0x0440) with the system
 * icon the type names, the buttons of the type in their usual order with
 * the texts of a Japanese system, and the text in a static with id 0xFFFF.
 * The box is centred in the work area; its owner is disabled while it runs;
 * the default button (MB_DEFBUTTON1 to 3) has the focus. Esc gives IDCANCEL
 * where there is a Cancel button; an MB_OK box gives IDOK, as Windows
 * does (Wine gives IDCANCEL); others ignore it. */
#include <algorithm>
#include <string>
#include <vector>

#include "dlg_core.h"
#include "wm_core.h"
#include "wm_icon.h"
#include "wm_text.h"

namespace lzport {

namespace {

const int kIconId = 0x0440;
const int kTextId = 0xFFFF;

struct ButtonDef {
    int id;
    const char *label; /* UTF-8 */
};

const ButtonDef kOk = {IDOK, "OK"};
const ButtonDef kCancel = {IDCANCEL, "キャンセル"};
const ButtonDef kAbort = {IDABORT, "中止(&A)"};
const ButtonDef kRetry = {IDRETRY, "再試行(&R)"};
const ButtonDef kIgnore = {IDIGNORE, "無視(&I)"};
const ButtonDef kYes = {IDYES, "はい(&Y)"};
const ButtonDef kNo = {IDNO, "いいえ(&N)"};
const ButtonDef kTryAgain = {IDTRYAGAIN, "再実行(&T)"};
const ButtonDef kContinue = {IDCONTINUE, "続行(&C)"};

/* the buttons of each type, MB_OK to MB_CANCELTRYCONTINUE */
const std::vector<std::vector<ButtonDef>> kButtons = {
    {kOk},       {kOk, kCancel},    {kAbort, kRetry, kIgnore},       {kYes, kNo, kCancel},
    {kYes, kNo}, {kRetry, kCancel}, {kCancel, kTryAgain, kContinue},
};

/* Layout in pixels. */
const int kMargin = 14;
const int kIconSize = 32;
const int kLineHeight = 13;
const int kCharWidth = 6; /* per byte: a double-byte character is twice as wide */
const int kButtonHeight = 26;
const int kMinButtonWidth = 52;

struct Box {
    LPCSTR text;
    LPCSTR caption;
    UINT type;
    const std::vector<ButtonDef> *buttons;
};

LPCSTR IconName(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_HAND;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
        return IDI_ASTERISK;
    default:
        return nullptr;
    }
}

/* Width and height of a text of lines, in pixels. */
SIZE TextSize(const std::string &text)
{
    SIZE size = {0, 0};
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size.cx = std::max<LONG>(size.cx, static_cast<LONG>(end - start) * kCharWidth);
        size.cy += kLineHeight;
        start = end + 1;
    }
    return size;
}

/* A template with the controls and no texts: the box fills them in. */
std::vector<WORD> MakeTemplate(const Box &box)
{
    std::vector<WORD> words;
    auto word = [&words](DWORD w) { words.push_back(static_cast<WORD>(w)); };
    auto dword = [&word](DWORD d) {
        word(LOWORD(d));
        word(HIWORD(d));
    };
    auto align = [&words] {
        if (words.size() % 2)
            words.push_back(0);
    };
    DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_NOIDLEMSG | DS_SETFONT;
    dword(style);
    dword((box.type & (MB_SYSTEMMODAL | MB_TOPMOST)) ? WS_EX_TOPMOST : 0);
    word(static_cast<WORD>(box.buttons->size() + 2));
    for (int i = 0; i < 4; ++i)
        word(0); /* position and size: laid out when it opens */
    word(0);     /* no menu */
    word(0);     /* the dialog class */
    word(0);     /* caption */
    word(9);     /* font: 9 points, no face */
    word(0);
    auto control = [&](DWORD controlStyle, WORD id, WORD classAtom) {
        align();
        dword(WS_CHILD | WS_VISIBLE | controlStyle);
        dword(0);
        for (int i = 0; i < 4; ++i)
            word(0);
        word(id);
        word(0xFFFF);
        word(classAtom);
        word(0); /* no text */
        word(0); /* no creation data */
    };
    const WORD kButtonClass = 0x0080, kStaticClass = 0x0082;
    control(SS_ICON, kIconId, kStaticClass);
    bool first = true;
    for (const ButtonDef &button : *box.buttons) {
        control(WS_TABSTOP | BS_PUSHBUTTON | (first ? WS_GROUP : 0), static_cast<WORD>(button.id), kButtonClass);
        first = false;
    }
    control(WS_GROUP | SS_NOPREFIX, kTextId, kStaticClass);
    align();
    return words;
}

void Layout(HWND hBox, const Box &box, const std::string &text)
{
    bool icon = IconName(box.type) != nullptr;
    int buttonWidth = kMinButtonWidth;
    for (const ButtonDef &button : *box.buttons)
        buttonWidth = std::max(buttonWidth, static_cast<int>(TextFromUtf8(button.label).size()) * kCharWidth * 2);
    int gap = buttonWidth / 3;
    int count = static_cast<int>(box.buttons->size());
    int buttonsWidth = count * (buttonWidth + gap) + gap;

    SIZE textSize = TextSize(text);
    int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
    int textWidth = std::max<int>(textSize.cx, buttonsWidth - textLeft - kMargin);
    int top = kMargin + std::max<int>(icon ? kIconSize : 0, textSize.cy);
    int clientWidth = textLeft + textWidth + kMargin;
    int clientHeight = top + kMargin + kButtonHeight + kMargin / 2;

    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(hBox, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(hBox, GWL_EXSTYLE)));
    RECT area = WorkArea();
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(hBox, nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(hBox, kIconId), nullptr, kMargin, kMargin, kIconSize, kIconSize,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(GetDlgItem(hBox, kTextId), nullptr, textLeft, kMargin + (top - kMargin - textSize.cy) / 2, textWidth,
                 textSize.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    int x = (clientWidth - buttonsWidth) / 2 + gap;
    for (const ButtonDef &button : *box.buttons) {
        SetWindowPos(GetDlgItem(hBox, button.id), nullptr, x, top + kMargin / 2, buttonWidth, kButtonHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        x += buttonWidth + gap;
    }
}

void Initialise(HWND hBox, const Box &box)
{
    SetWindowTextA(hBox, box.caption != nullptr ? box.caption : TextFromUtf8("エラー").c_str());
    std::string text = box.text != nullptr ? box.text : "";
    SetDlgItemTextA(hBox, kTextId, text.c_str());
    if (LPCSTR icon = IconName(box.type))
        SendDlgItemMessageA(hBox, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadSystemIcon(icon)), 0);
    for (const ButtonDef &button : *box.buttons)
        SetDlgItemTextA(hBox, button.id, TextFromUtf8(button.label).c_str());
    Layout(hBox, box, text);
    size_t def = (box.type & MB_DEFMASK) >> 8;
    if (def >= box.buttons->size())
        def = 0;
    int defId = (*box.buttons)[def].id;
    SendMessageA(hBox, DM_SETDEFID, static_cast<WPARAM>(defId), 0);
    SetFocus(GetDlgItem(hBox, defId));
}

/* The answer to a command, 0 when it does not end the box. */
int Answer(const Box &box, int id)
{
    for (const ButtonDef &button : *box.buttons) {
        if (button.id == id)
            return id;
    }
    if (id == IDCANCEL && (box.type & MB_TYPEMASK) == MB_OK)
        return IDOK;
    return 0;
}

INT_PTR CALLBACK BoxProc(HWND hBox, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hBox, DWLP_USER, lParam);
        Initialise(hBox, *reinterpret_cast<const Box *>(lParam));
        return FALSE;
    case WM_COMMAND: {
        const Box *box = reinterpret_cast<const Box *>(GetWindowLongPtrA(hBox, DWLP_USER));
        if (box != nullptr && HIWORD(wParam) == BN_CLICKED) {
            if (int answer = Answer(*box, LOWORD(wParam)))
                EndDialog(hBox, answer);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CALLBACK DisableEnabled(HWND hWnd, LPARAM lParam)
{
    if (IsWindowEnabled(hWnd)) {
        EnableWindow(hWnd, FALSE);
        reinterpret_cast<std::vector<HWND> *>(lParam)->push_back(hWnd);
    }
    return TRUE;
}

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    size_t kind = uType & MB_TYPEMASK;
    if (kind >= kButtons.size()) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    Box box = {lpText, lpCaption, uType, &kButtons[kind]};
    std::vector<WORD> words = MakeTemplate(box);
    /* a task-modal box without an owner holds every window of the thread */
    std::vector<HWND> disabled;
    if ((uType & MB_MODEMASK) == MB_TASKMODAL && hWnd == nullptr)
        EnumThreadWindows(GetCurrentThreadId(), DisableEnabled, reinterpret_cast<LPARAM>(&disabled));
    INT_PTR result = DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(words.data()), hWnd, BoxProc,
                                             reinterpret_cast<LPARAM>(&box));
    for (HWND other : disabled)
        EnableWindow(other, TRUE);
    return result > 0 ? static_cast<int>(result) : 0;
}

} // extern "C"

/* dlg_msgbox.cpp - MessageBoxA: a modal dialog of the dialog class whose
 * controls are made in pixels when it opens: the system icon the type
 * names (a static, id 0x0440), the type's buttons in one row with the
 * texts of a Japanese system, and the text (a static, id 0xFFFF). Long
 * texts wrap so that the box stays on the work area, in whose middle it
 * sits; when the screen changes size the box is laid out again. The
 * default button (MB_DEFBUTTON1 to 3) has the focus. Esc gives IDCANCEL
 * where there is a Cancel button and IDOK in an MB_OK box, as Windows
 * does (Wine gives IDCANCEL there too); other boxes ignore it. */
#include <algorithm>
#include <string>
#include <vector>

#include "frontend.h"
#include "wm_core.h"
#include "wm_lines.h"
#include "wm_text.h"

namespace lzport {

namespace {

const int kIconId = 0x0440;
const int kTextId = 0xFFFF;

struct Choice {
    int id;
    const char *label; /* UTF-8 */
};

const Choice kOk = {IDOK, "OK"};
const Choice kCancel = {IDCANCEL, "キャンセル"};
const Choice kAbort = {IDABORT, "中止(&A)"};
const Choice kRetry = {IDRETRY, "再試行(&R)"};
const Choice kIgnore = {IDIGNORE, "無視(&I)"};
const Choice kYes = {IDYES, "はい(&Y)"};
const Choice kNo = {IDNO, "いいえ(&N)"};
const Choice kTryAgain = {IDTRYAGAIN, "再実行(&T)"};
const Choice kContinue = {IDCONTINUE, "続行(&C)"};

/* The row of buttons of each type, MB_OK (0) to MB_CANCELTRYCONTINUE (6). */
const std::vector<Choice> kRows[] = {
    {kOk},       {kOk, kCancel},    {kAbort, kRetry, kIgnore},       {kYes, kNo, kCancel},
    {kYes, kNo}, {kRetry, kCancel}, {kCancel, kTryAgain, kContinue},
};

struct IconChoice {
    UINT type; /* the MB_ICONMASK field */
    LPCSTR icon;
};
const IconChoice kIcons[] = {
    {MB_ICONHAND, IDI_HAND},
    {MB_ICONQUESTION, IDI_QUESTION},
    {MB_ICONEXCLAMATION, IDI_EXCLAMATION},
    {MB_ICONASTERISK, IDI_ASTERISK},
};

/* Measures of the layout, in pixels. */
const int kSpace = 2 * kTextCharWidth;        /* around and between the parts */
const int kLongestLine = 50 * kTextCharWidth; /* where text wraps on a wide screen */
const int kButtonHeight = 2 * kTextLineHeight;
const int kButtonMinWidth = 12 * kTextCharWidth;
const int kButtonPadding = 4 * kTextCharWidth;

const DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_NOIDLEMSG;

/* What a box shows, for as long as it is up. */
struct Contents {
    std::string text, caption;
    const std::vector<Choice> *row;
    HICON icon;
    int defaultId;
    bool okOnly;
};

/* Where the parts go, in the box's client area. */
struct Placement {
    RECT icon = {}, text = {};
    std::vector<RECT> buttons;
    SIZE client = {};
};

/* The text's rectangle and the width its lines take (hanging punctuation
 * may pass the rectangle's edge). Text that fits `room` keeps its own
 * line breaks; longer text wraps at `room`, and its rectangle is then
 * exactly that wide, so that whoever breaks it again at the rectangle's
 * width gets the same lines. */
SIZE TextBlock(const std::string &text, int room, int &inked)
{
    std::vector<std::string> lines = BreakLines(text, kUnlimitedWidth);
    int natural = 0;
    for (const std::string &line : lines)
        natural = std::max(natural, TextWidth(line));
    int width = natural;
    if (natural > room) {
        lines = BreakLines(text, room);
        width = room;
        natural = 0;
        for (const std::string &line : lines)
            natural = std::max(natural, TextWidth(line));
    }
    inked = std::max(width, natural);
    return SIZE{width, static_cast<LONG>(lines.size()) * kTextLineHeight};
}

/* `room`: the widest client area the box may have. */
Placement Arrange(const Contents &box, int room)
{
    Placement at;
    int iconSide = GetSystemMetrics(SM_CXICON);
    int textLeft = kSpace + (box.icon != nullptr ? iconSide + kSpace : 0);
    int inked = 0;
    int lineRoom = std::min(kLongestLine, room - textLeft - kSpace);
    SIZE text = TextBlock(box.text, std::max(lineRoom, 2 * kTextCharWidth), inked);
    /* a short text stands level with the middle of the icon */
    int textTop = kSpace;
    if (box.icon != nullptr) {
        at.icon = RECT{kSpace, kSpace, kSpace + iconSide, kSpace + iconSide};
        textTop += std::max<int>((iconSide - text.cy) / 2, 0);
    }
    at.text = RECT{textLeft, textTop, textLeft + text.cx, textTop + text.cy};

    int buttonWidth = kButtonMinWidth;
    for (const Choice &choice : *box.row)
        buttonWidth = std::max(buttonWidth, TextWidth(WithoutAccessMarks(TextFromUtf8(choice.label))) + kButtonPadding);
    int count = static_cast<int>(box.row->size());
    int rowWidth = count * buttonWidth + (count - 1) * kSpace;
    at.client.cx = std::max(textLeft + inked + kSpace, rowWidth + 2 * kSpace);
    int rowTop = std::max(at.text.bottom, at.icon.bottom) + kSpace;
    for (int i = 0, left = (at.client.cx - rowWidth) / 2; i < count; i++, left += buttonWidth + kSpace)
        at.buttons.push_back(RECT{left, rowTop, left + buttonWidth, rowTop + kButtonHeight});
    at.client.cy = rowTop + kButtonHeight + kSpace;
    return at;
}

void Place(HWND hBox, int id, const RECT &rect)
{
    MoveWindow(GetDlgItem(hBox, id), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

/* Sizes the box for the work area as it is now, in its middle, and puts
 * the controls in their places. */
void LayOut(HWND hBox, const Contents &box)
{
    RECT area = WorkArea();
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(hBox, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(hBox, GWL_EXSTYLE)));
    int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    Placement at = Arrange(box, area.right - area.left - frameWidth);
    if (box.icon != nullptr)
        Place(hBox, kIconId, at.icon);
    Place(hBox, kTextId, at.text);
    for (size_t i = 0; i < at.buttons.size(); i++)
        Place(hBox, (*box.row)[i].id, at.buttons[i]);
    int width = at.client.cx + frameWidth, height = at.client.cy + frameHeight;
    int x = area.left + std::max<int>((area.right - area.left - width) / 2, 0);
    int y = area.top + std::max<int>((area.bottom - area.top - height) / 2, 0);
    SetWindowPos(hBox, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND MakeControl(HWND hBox, LPCSTR className, const std::string &text, DWORD style, int id)
{
    return CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hBox,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

/* The controls in tab order: the icon, the buttons as one group, then
 * the text, which starts a group of its own so that the arrow keys go
 * round the buttons only. */
void MakeControls(HWND hBox, const Contents &box)
{
    if (box.icon != nullptr) {
        HWND icon = MakeControl(hBox, "Static", "", SS_ICON, kIconId);
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(box.icon), 0);
    }
    DWORD group = WS_GROUP;
    for (const Choice &choice : *box.row) {
        DWORD kind = choice.id == box.defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        MakeControl(hBox, "Button", TextFromUtf8(choice.label), WS_TABSTOP | group | kind, choice.id);
        group = 0;
    }
    MakeControl(hBox, "Static", box.text, WS_GROUP | SS_NOPREFIX, kTextId);
}

/* The answer a command gives, 0 for none: a button's own id, and for Esc
 * (IDCANCEL) OK where OK is all there is. */
int Answer(const Contents &box, int id)
{
    for (const Choice &choice : *box.row) {
        if (choice.id == id)
            return id;
    }
    return id == IDCANCEL && box.okOnly ? IDOK : 0;
}

INT_PTR CALLBACK BoxProc(HWND hBox, UINT message, WPARAM wParam, LPARAM lParam)
{
    const Contents *box = reinterpret_cast<const Contents *>(GetWindowLongPtrA(hBox, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hBox, DWLP_USER, lParam);
        box = reinterpret_cast<const Contents *>(lParam);
        SetWindowTextA(hBox, box->caption.c_str());
        MakeControls(hBox, *box);
        LayOut(hBox, *box);
        SendMessageA(hBox, DM_SETDEFID, static_cast<WPARAM>(box->defaultId), 0);
        SetFocus(GetDlgItem(hBox, box->defaultId));
        return FALSE;
    case WM_DISPLAYCHANGE:
        if (box != nullptr)
            LayOut(hBox, *box);
        return TRUE;
    case WM_COMMAND:
        if (box != nullptr && HIWORD(wParam) == BN_CLICKED) {
            if (int answer = Answer(*box, LOWORD(wParam)))
                EndDialog(hBox, answer);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

HICON IconOf(UINT type)
{
    for (const IconChoice &choice : kIcons) {
        if ((type & MB_ICONMASK) == choice.type)
            return LoadIconA(nullptr, choice.icon);
    }
    return nullptr;
}

/* A template for a box without controls (they are made when it opens),
 * menu, class or title. */
struct EmptyTemplate {
    DLGTEMPLATE head;
    WORD menu, windowClass, title;
};
static_assert(sizeof(EmptyTemplate) == 24, "a dialog template is packed");

} // namespace

} // namespace lzport

using namespace lzport;

extern "C" {

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    UINT kind = uType & MB_TYPEMASK;
    if (kind >= sizeof kRows / sizeof kRows[0]) {
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    const std::vector<Choice> &row = kRows[kind];
    size_t defaultIndex = (uType & MB_DEFMASK) >> 8;
    Contents box = {lpText != nullptr ? lpText : "",
                    lpCaption != nullptr ? lpCaption : TextFromUtf8("エラー"),
                    &row,
                    IconOf(uType),
                    row[defaultIndex < row.size() ? defaultIndex : 0].id,
                    kind == MB_OK};
    alignas(DWORD) const EmptyTemplate empty = {{kBoxStyle, 0, 0, 0, 0, 0, 0}, 0, 0, 0};
    INT_PTR result = DialogBoxIndirectParamA(nullptr, &empty.head, hWnd, BoxProc, reinterpret_cast<LPARAM>(&box));
    return result > 0 ? static_cast<int>(result) : 0;
}

} // extern "C"

/* wm_support.cpp - the recording window class, dialog templates in memory
 * and small helpers of the window system tests. */
#include "wm_support.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace wmtest {

const UINT kInteresting[] = {WM_NCCREATE,  WM_CREATE,   WM_DESTROY, WM_NCDESTROY,  WM_SETFOCUS,
                             WM_KILLFOCUS, WM_ACTIVATE, WM_ENABLE,  WM_SHOWWINDOW, WM_SIZE,
                             WM_MOVE,      WM_KEYDOWN,  WM_KEYUP,   WM_CHAR,       WM_TIMER,
                             WM_PAINT,     WM_USER,     WM_CLOSE,   WM_SYSCOMMAND, WM_COMMAND};

Recorder::Recorder()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Recorder::Proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = ClassName();
    RegisterClassA(&wc);
    Log().clear();
}

Recorder::~Recorder()
{
    UnregisterClassA(ClassName(), GetModuleHandleA(NULL));
    Log().clear();
}

std::vector<Seen> &Recorder::Log()
{
    static std::vector<Seen> log;
    return log;
}

std::vector<std::tuple<HWND, UINT, WPARAM>> Recorder::Sent(const std::vector<UINT> &wanted, HWND only)
{
    std::vector<std::tuple<HWND, UINT, WPARAM>> out;
    for (const Seen &seen : Log()) {
        if ((only == NULL || seen.hwnd == only) &&
            (wanted.empty() || std::find(wanted.begin(), wanted.end(), seen.message) != wanted.end()))
            out.push_back({seen.hwnd, seen.message, seen.wParam});
    }
    return out;
}

std::vector<UINT> Recorder::Messages(const std::vector<UINT> &wanted, HWND only)
{
    std::vector<UINT> out;
    for (const auto &sent : Sent(wanted, only))
        out.push_back(std::get<1>(sent));
    return out;
}

HWND Recorder::Create(DWORD style, HWND parent, int id, const char *text, int x, int y, int cx, int cy)
{
    return CreateWindowExA(0, ClassName(), text, style, x, y, cx, cy, parent,
                           (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : NULL,
                           GetModuleHandleA(NULL), NULL);
}

LRESULT CALLBACK Recorder::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (std::find(std::begin(kInteresting), std::end(kInteresting), message) != std::end(kInteresting))
        Log().push_back(Seen{hwnd, message, wParam, lParam});
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<WORD> DialogTemplate(bool extended, DWORD style, short x, short y, short cx, short cy,
                                 const std::wstring &caption, const std::vector<ControlDef> &controls, WORD points,
                                 const std::wstring &face)
{
    std::vector<WORD> w;
    auto words = [&w](std::initializer_list<int> values) { w.insert(w.end(), values.begin(), values.end()); };
    auto text = [&w](const std::wstring &s) {
        w.insert(w.end(), s.begin(), s.end());
        w.push_back(0);
    };
    /* an extended template's help id and extended style come first */
    auto styles = [&](DWORD s) {
        if (extended)
            words({0, 0, 0, 0, LOWORD(s), HIWORD(s)});
        else
            words({LOWORD(s), HIWORD(s), 0, 0});
    };
    if (points != 0)
        style |= DS_SETFONT;
    if (extended)
        words({1, 0xFFFF});
    styles(style);
    words({static_cast<int>(controls.size()), x, y, cx, cy, 0, 0});
    text(caption);
    if (points != 0) {
        words({points});
        if (extended)
            words({FW_NORMAL, DEFAULT_CHARSET << 8});
        text(face);
    }
    for (const ControlDef &c : controls) {
        w.resize((w.size() + 1) / 2 * 2); /* DWORD aligned */
        styles(c.style);
        words({c.x, c.y, c.cx, c.cy, LOWORD(c.id)});
        if (extended)
            words({HIWORD(c.id)});
        words({0xFFFF, c.classAtom});
        if (c.ordinal != 0)
            words({0xFFFF, c.ordinal});
        else
            text(c.text);
        words({0});
    }
    w.resize((w.size() + 1) / 2 * 2);
    return w;
}

void Pump(HWND hDlg)
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (hDlg != NULL && IsDialogMessageA(hDlg, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Type(UINT vk)
{
    PostMessageA(GetFocus(), WM_KEYDOWN, vk, 1);
    PostMessageA(GetFocus(), WM_KEYUP, vk, 0xC0000001);
}

std::string Text(HWND hwnd)
{
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string ClassOf(HWND hwnd)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

RECT Rect(HWND hwnd, BOOL(WINAPI *get)(HWND, LPRECT))
{
    RECT rect = {-1, -1, -1, -1};
    get(hwnd, &rect);
    return rect;
}

RECT Placed(HWND child)
{
    RECT rect = Rect(child, GetWindowRect);
    MapWindowPoints(NULL, GetParent(child), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

} // namespace wmtest

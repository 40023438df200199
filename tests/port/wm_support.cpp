/* wm_support.cpp - the recording window class, dialog templates in memory
 * and small helpers of the window system tests. */
#include "wm_support.h"

#include <algorithm>

namespace wmtest {

namespace {

bool Interesting(UINT message)
{
    switch (message) {
    case WM_NCCREATE:
    case WM_CREATE:
    case WM_DESTROY:
    case WM_NCDESTROY:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ACTIVATE:
    case WM_ENABLE:
    case WM_SHOWWINDOW:
    case WM_SIZE:
    case WM_MOVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_TIMER:
    case WM_PAINT:
    case WM_USER:
    case WM_CLOSE:
    case WM_SYSCOMMAND:
    case WM_COMMAND:
        return true;
    default:
        return false;
    }
}

} // namespace

Recorder::Recorder()
{
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
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

std::vector<UINT> Recorder::Messages(const std::vector<UINT> &wanted, HWND only)
{
    std::vector<UINT> out;
    for (const Seen &seen : Log()) {
        if ((only == NULL || seen.hwnd == only) &&
            std::find(wanted.begin(), wanted.end(), seen.message) != wanted.end())
            out.push_back(seen.message);
    }
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
    if (Interesting(message))
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
    auto word = [&w](DWORD v) { w.push_back(static_cast<WORD>(v)); };
    auto dword = [&word](DWORD v) {
        word(LOWORD(v));
        word(HIWORD(v));
    };
    auto text = [&word](const std::wstring &s) {
        for (wchar_t c : s)
            word(static_cast<WORD>(c));
        word(0);
    };
    auto align = [&w] {
        if (w.size() % 2)
            w.push_back(0);
    };
    if (points != 0)
        style |= DS_SETFONT;
    if (extended) {
        word(1);
        word(0xFFFF);
        dword(0);
        dword(0);
        dword(style);
    } else {
        dword(style);
        dword(0);
    }
    word(static_cast<WORD>(controls.size()));
    word(static_cast<WORD>(x));
    word(static_cast<WORD>(y));
    word(static_cast<WORD>(cx));
    word(static_cast<WORD>(cy));
    word(0);
    word(0);
    text(caption);
    if (points != 0) {
        word(points);
        if (extended) {
            word(FW_NORMAL);
            word(DEFAULT_CHARSET << 8);
        }
        text(face);
    }
    for (const ControlDef &c : controls) {
        align();
        if (extended) {
            dword(0);
            dword(0);
            dword(c.style);
        } else {
            dword(c.style);
            dword(0);
        }
        word(static_cast<WORD>(c.x));
        word(static_cast<WORD>(c.y));
        word(static_cast<WORD>(c.cx));
        word(static_cast<WORD>(c.cy));
        if (extended)
            dword(static_cast<DWORD>(c.id));
        else
            word(static_cast<WORD>(c.id));
        word(0xFFFF);
        word(c.classAtom);
        if (c.ordinal != 0) {
            word(0xFFFF);
            word(c.ordinal);
        } else {
            text(c.text);
        }
        word(0);
    }
    align();
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

} // namespace wmtest

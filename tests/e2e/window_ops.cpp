/* window_ops.cpp - reading and working the windows of another process. */
#include "window_ops.h"

namespace e2e {

namespace {

const DWORD kPollMs = 20;

void HandleOwnMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

bool WaitUntil(const std::function<bool()> &done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HandleOwnMessages();
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return done();
        Sleep(kPollMs);
    }
}

std::string ClassOf(HWND hwnd)
{
    char name[256];
    int n = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, n > 0 ? n : 0);
}

std::string TextOf(HWND hwnd)
{
    char text[4096];
    int n = GetWindowTextA(hwnd, text, sizeof text);
    return std::string(text, n > 0 ? n : 0);
}

LRESULT Ask(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &result))
        return 0;
    return (LRESULT)result;
}

std::vector<HWND> ChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != NULL; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

bool Click(HWND button) { return button != NULL && PostMessageA(button, BM_CLICK, 0, 0); }

bool PressKey(HWND hwnd, WORD virtualKey)
{
    LPARAM scan = (LPARAM)MapVirtualKeyA(virtualKey, 0 /* MAPVK_VK_TO_VSC */) << 16;
    if (!PostMessageA(hwnd, WM_KEYDOWN, virtualKey, scan | 1))
        return false;
    /* the key going down may already have closed the window (Enter on a
     * dialog's button), leaving no window for the key going up */
    return PostMessageA(hwnd, WM_KEYUP, virtualKey, scan | 1 | 0xC0000000) || !IsWindow(hwnd);
}

HWND FocusOfThreadOf(HWND hwnd)
{
    GUITHREADINFO info;
    info.cbSize = sizeof info;
    info.hwndFocus = (HWND)(ULONG_PTR)0xdeadbeef;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, NULL), &info))
        return NULL;
    return info.hwndFocus;
}

bool PressAndWaitGone(HWND dialog, int id)
{
    return Click(GetDlgItem(dialog, id)) && WaitUntil([dialog] { return !IsWindow(dialog); });
}

} // namespace e2e

/* wm_menuloop.cpp - the system menu opened from the keyboard (Alt+Space,
 * F10, SC_KEYMENU). While it is open it takes every key: Up and Down move
 * over the items that can be chosen, Enter or an item's access key
 * chooses, Esc, Alt or F10 closes it. The chosen command reaches the
 * window as a posted WM_SYSCOMMAND, after the menu has closed. */
#include <ctype.h>

#include "frontend.h"
#include "wm_core.h"
#include "wm_menu.h"
#include "wm_state.h"
#include "wm_text.h"

namespace lzport {

namespace {

struct OpenMenu {
    bool open = false;
    HWND owner = nullptr;
    HMENU menu = nullptr;
    int selected = -1;
    UINT chosen = 0;
};

OpenMenu g_open;

void UpdateGrayed(Menu &menu, HWND hWnd)
{
    DWORD style = static_cast<DWORD>(GetWindowLongA(hWnd, GWL_STYLE));
    bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
    for (MenuItem &item : menu.items) {
        bool grayed = (item.id == SC_RESTORE && !minimized && !maximized) ||
                      ((item.id == SC_MOVE || item.id == SC_SIZE) && maximized) ||
                      (item.id == SC_MINIMIZE && minimized) || (item.id == SC_MAXIMIZE && maximized);
        if (item.flags & MF_SEPARATOR)
            continue;
        if (item.id == SC_RESTORE || item.id == SC_MOVE || item.id == SC_SIZE || item.id == SC_MINIMIZE ||
            item.id == SC_MAXIMIZE)
            item.flags = grayed ? (item.flags | MF_GRAYED) : (item.flags & ~MF_GRAYED);
    }
}

/* The next item that can be chosen from `from` in direction `step`,
 * going round; -1 when none can. */
int NextSelectable(const Menu &menu, int from, int step)
{
    int count = static_cast<int>(menu.items.size());
    for (int i = 1; i <= count; ++i) {
        int at = ((from + step * i) % count + count) % count;
        if (Selectable(menu.items[static_cast<size_t>(at)]))
            return at;
    }
    return -1;
}

/* The item whose access key ("&X") is ch; -1 when none can be chosen. */
int ItemWithAccessKey(const Menu &menu, int ch)
{
    for (size_t i = 0; i < menu.items.size(); ++i) {
        if (AccessKey(menu.items[i].text) == toupper(ch))
            return Selectable(menu.items[i]) ? static_cast<int>(i) : -1;
    }
    return -1;
}

void Choose(const Menu &menu, int index)
{
    if (index >= 0 && Selectable(menu.items[static_cast<size_t>(index)]))
        g_open.chosen = static_cast<UINT>(menu.items[static_cast<size_t>(index)].id);
    g_open.open = false;
}

void HandleKey(const MSG &msg)
{
    Menu *menu = FindMenu(g_open.menu);
    if (menu == nullptr) {
        g_open.open = false;
        return;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        switch (msg.wParam) {
        case VK_UP:
        case VK_DOWN:
            if (int next = NextSelectable(*menu, g_open.selected, msg.wParam == VK_DOWN ? 1 : -1); next >= 0)
                g_open.selected = next;
            break;
        case VK_RETURN:
            Choose(*menu, g_open.selected);
            break;
        case VK_ESCAPE:
        case VK_MENU:
        case VK_F10:
            g_open.open = false;
            break;
        default:
            break;
        }
    } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
        int index = ItemWithAccessKey(*menu, static_cast<int>(msg.wParam));
        if (index >= 0)
            Choose(*menu, index);
    }
    WindowsChanged();
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP ||
           message == WM_CHAR || message == WM_SYSCHAR;
}

} // namespace

void TrackSystemMenu(HWND hWnd)
{
    HWND root = RootWindow(hWnd);
    HMENU hMenu = root != nullptr ? GetSystemMenu(root, FALSE) : nullptr;
    Menu *menu = FindMenu(hMenu);
    if (menu == nullptr || g_open.open)
        return;
    UpdateGrayed(*menu, root);
    g_open = OpenMenu{true, root, hMenu, NextSelectable(*menu, -1, 1), 0};
    SendMessageA(root, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(root, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(0, TRUE));
    PushModal(root, ModalKind::Menu);
    WindowsChanged();
    while (g_open.open && IsWindow(root)) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsKeyMessage(msg.message)) {
            TranslateMessage(&msg);
            HandleKey(msg);
            continue;
        }
        DispatchMessageA(&msg);
    }
    PopModal(root);
    UINT chosen = g_open.chosen;
    g_open = OpenMenu{};
    WindowsChanged();
    if (!IsWindow(root))
        return;
    SendMessageA(root, WM_EXITMENULOOP, FALSE, 0);
    if (chosen != 0)
        PostMessageA(root, WM_SYSCOMMAND, chosen, 0);
}

bool OpenMenuView(MenuView &view)
{
    Menu *menu = g_open.open ? FindMenu(g_open.menu) : nullptr;
    if (menu == nullptr)
        return false;
    view = MenuView{};
    view.owner = g_open.owner;
    for (const MenuItem &item : menu->items) {
        view.items.push_back((item.flags & MF_SEPARATOR) ? std::string() : item.text);
        view.ids.push_back(static_cast<UINT>(item.id));
    }
    view.selected = g_open.selected;
    return true;
}

} // namespace lzport

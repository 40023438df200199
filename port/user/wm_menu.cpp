/* wm_menu.cpp - system menus and the menu calls. A window with WS_SYSMENU
 * gets its system menu on first request: the commands its styles allow,
 * as Windows lists them (a dialog without minimise and maximise boxes or a
 * sizing frame: Move and Close), with the texts of a Japanese system. */
#include <algorithm>
#include <memory>

#include "wm_core.h"
#include "wm_menu.h"
#include "wm_state.h"
#include "wm_text.h"

namespace lzport {

namespace {

std::vector<std::unique_ptr<Menu>> g_menus;
uintptr_t g_nextMenu = 0x30020;

void AddItem(Menu &menu, UINT flags, UINT_PTR id, const char *utf8)
{
    MenuItem item;
    item.flags = flags;
    item.id = id;
    item.text = utf8 != nullptr ? TextFromUtf8(utf8) : std::string();
    menu.items.push_back(item);
}

HMENU MakeSystemMenu(Window *window)
{
    auto menu = std::make_unique<Menu>();
    menu->handle = reinterpret_cast<HMENU>(g_nextMenu);
    g_nextMenu += 4;
    menu->owner = window->handle;
    DWORD style = window->style;
    bool minBox = (style & WS_MINIMIZEBOX) != 0, maxBox = (style & WS_MAXIMIZEBOX) != 0;
    if (minBox || maxBox)
        AddItem(*menu, MF_STRING | MF_GRAYED, SC_RESTORE, "元のサイズに戻す(&R)");
    AddItem(*menu, MF_STRING, SC_MOVE, "移動(&M)");
    if (style & WS_THICKFRAME)
        AddItem(*menu, MF_STRING, SC_SIZE, "サイズ変更(&S)");
    if (minBox)
        AddItem(*menu, MF_STRING, SC_MINIMIZE, "最小化(&N)");
    if (maxBox)
        AddItem(*menu, MF_STRING, SC_MAXIMIZE, "最大化(&X)");
    AddItem(*menu, MF_SEPARATOR, 0, nullptr);
    AddItem(*menu, MF_STRING, SC_CLOSE, "閉じる(&C)\tAlt+F4");
    HMENU handle = menu->handle;
    g_menus.push_back(std::move(menu));
    window->systemMenu = handle;
    return handle;
}

/* The item at a position (MF_BYPOSITION) or with a command id; -1 when
 * there is none. */
int ItemIndex(const Menu &menu, UINT item, UINT flags)
{
    if (flags & MF_BYPOSITION)
        return item < menu.items.size() ? static_cast<int>(item) : -1;
    for (size_t i = 0; i < menu.items.size(); ++i) {
        if (!(menu.items[i].flags & (MF_SEPARATOR | MF_POPUP)) && menu.items[i].id == item)
            return static_cast<int>(i);
    }
    return -1;
}

const UINT kTypeFlags = MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK;
const UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

} // namespace

Menu *FindMenu(HMENU hMenu)
{
    for (const auto &menu : g_menus) {
        if (menu->handle == hMenu)
            return menu.get();
    }
    return nullptr;
}

Menu *CheckMenu(HMENU hMenu)
{
    Menu *menu = FindMenu(hMenu);
    if (menu == nullptr)
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

bool Selectable(const MenuItem &item) { return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)); }

void DropSystemMenu(HWND hWnd)
{
    Window *window = FindWnd(hWnd);
    if (window == nullptr || window->systemMenu == nullptr)
        return;
    HMENU handle = window->systemMenu;
    window->systemMenu = nullptr;
    g_menus.erase(std::remove_if(g_menus.begin(), g_menus.end(),
                                 [handle](const std::unique_ptr<Menu> &m) { return m->handle == handle; }),
                  g_menus.end());
}

} // namespace lzport

using namespace lzport;

extern "C" {

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    Window *window = CheckWnd(hWnd);
    if (window == nullptr)
        return nullptr;
    if (bRevert) {
        DropSystemMenu(hWnd);
        return nullptr;
    }
    if (!(window->style & WS_SYSMENU))
        return nullptr;
    return window->systemMenu != nullptr ? window->systemMenu : MakeSystemMenu(window);
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    Menu *menu = CheckMenu(hMenu);
    if (menu == nullptr)
        return FALSE;
    MenuItem item;
    item.flags = uFlags & ~MF_BYPOSITION;
    item.id = uIDNewItem;
    bool hasText = !(uFlags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW));
    if (hasText && lpNewItem != nullptr)
        item.text = lpNewItem;
    menu->items.push_back(item);
    WindowsChanged();
    return TRUE;
}

int WINAPI GetMenuItemCount(HMENU hMenu)
{
    Menu *menu = CheckMenu(hMenu);
    return menu != nullptr ? static_cast<int>(menu->items.size()) : -1;
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags)
{
    Menu *menu = CheckMenu(hMenu);
    if (menu == nullptr)
        return 0;
    int index = ItemIndex(*menu, uIDItem, flags);
    if (index < 0)
        return 0;
    const std::string &text = menu->items[static_cast<size_t>(index)].text;
    if (lpString == nullptr || cchMax <= 0)
        return static_cast<int>(text.size());
    return CopyText(text, lpString, static_cast<size_t>(cchMax));
}

BOOL WINAPI GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii)
{
    Menu *menu = CheckMenu(hmenu);
    if (menu == nullptr)
        return FALSE;
    /* the structure as it was before hbmpItem came also serves */
    const UINT kOldSize = static_cast<UINT>(offsetof(MENUITEMINFOA, hbmpItem));
    if (lpmii == nullptr || (lpmii->cbSize != sizeof(MENUITEMINFOA) && lpmii->cbSize != kOldSize)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int index = ItemIndex(*menu, item, fByPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (index < 0) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    const MenuItem &entry = menu->items[static_cast<size_t>(index)];
    if (lpmii->fMask & (MIIM_FTYPE | MIIM_TYPE))
        lpmii->fType = entry.flags & kTypeFlags;
    if (lpmii->fMask & MIIM_STATE)
        lpmii->fState = entry.flags & kStateFlags;
    if (lpmii->fMask & MIIM_ID)
        lpmii->wID = static_cast<UINT>(entry.id);
    if (lpmii->fMask & MIIM_SUBMENU)
        lpmii->hSubMenu = (entry.flags & MF_POPUP) ? reinterpret_cast<HMENU>(entry.id) : nullptr;
    if (lpmii->fMask & MIIM_DATA)
        lpmii->dwItemData = 0;
    if ((lpmii->fMask & (MIIM_STRING | MIIM_TYPE)) && !(entry.flags & MF_SEPARATOR)) {
        if (lpmii->dwTypeData != nullptr && lpmii->cch > 0)
            lpmii->cch = static_cast<UINT>(CopyText(entry.text, lpmii->dwTypeData, lpmii->cch));
        else
            lpmii->cch = static_cast<UINT>(entry.text.size());
    }
    return TRUE;
}

} // extern "C"

/* wm_menu.h - menus as the window system keeps them: items with their
 * flags, ids and texts. Only system menus exist; a program changes them
 * with AppendMenuA. */
#ifndef LZPORT_WM_MENU_H
#define LZPORT_WM_MENU_H

#include <string>
#include <vector>

#include "windows.h"

namespace lzport {

struct MenuItem {
    UINT flags = 0; /* MF_SEPARATOR, MF_GRAYED, MF_CHECKED, MF_POPUP, ... */
    UINT_PTR id = 0;
    std::string text;
};

struct Menu {
    HMENU handle = nullptr;
    HWND owner = nullptr; /* the window whose system menu this is */
    std::vector<MenuItem> items;
};

/* The menu behind a handle; null (ERROR_INVALID_MENU_HANDLE) for none. */
Menu *FindMenu(HMENU hMenu);
Menu *CheckMenu(HMENU hMenu);

/* Whether an item can be chosen: not a separator, not grayed. */
bool Selectable(const MenuItem &item);

} // namespace lzport

#endif

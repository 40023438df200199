/* wm_icon.h - the system's own icons (LoadIconA with no module): fixed
 * handles that every call gives alike, shared and never destroyed. */
#ifndef LZPORT_WM_ICON_H
#define LZPORT_WM_ICON_H

#include "windows.h"

namespace lzport {

/* The icon IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION,
 * IDI_ASTERISK or IDI_WINLOGO; null with ERROR_RESOURCE_TYPE_NOT_FOUND
 * (as Wine answers for the system module) for any other name. */
HICON LoadSystemIcon(LPCSTR name);
bool IsSystemIcon(HICON icon);

} // namespace lzport

#endif

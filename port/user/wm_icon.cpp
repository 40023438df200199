/* wm_icon.cpp - the system's icons as fixed handles, and DestroyIcon:
 * icons that LoadIconA gives are shared, so destroying one succeeds and
 * leaves it usable. */
#include "wm_icon.h"

namespace lzport {

namespace {

const WORD kFirstSystemIcon = 32512; /* IDI_APPLICATION */
const WORD kLastSystemIcon = 32517;  /* IDI_WINLOGO */
const uintptr_t kSystemIconBase = 0x20040;

} // namespace

HICON LoadSystemIcon(LPCSTR name)
{
    if (IS_INTRESOURCE(name)) {
        WORD id = LOWORD(reinterpret_cast<ULONG_PTR>(name));
        if (id >= kFirstSystemIcon && id <= kLastSystemIcon)
            return reinterpret_cast<HICON>(kSystemIconBase + 2 * (id - kFirstSystemIcon));
    }
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

bool IsSystemIcon(HICON icon)
{
    uintptr_t value = reinterpret_cast<uintptr_t>(icon);
    return value >= kSystemIconBase && value <= kSystemIconBase + 2 * (kLastSystemIcon - kFirstSystemIcon) &&
           (value - kSystemIconBase) % 2 == 0;
}

} // namespace lzport

extern "C" {

/* Wine leaves the last error alone for a null handle. */
BOOL WINAPI DestroyIcon(HICON hIcon) { return hIcon != nullptr; }

} // extern "C"

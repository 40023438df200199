/* res_icon.h - the program's icons: an icon group (RT_GROUP_ICON) lists
 * the images of one icon (RT_ICON), and LoadIconA picks the one that suits
 * the system's icon size. The window system draws an HICON through
 * IconFromHandle. */
#ifndef LZPORT_RES_ICON_H
#define LZPORT_RES_ICON_H

#include "windows.h"

namespace lzport {

/* One image of an icon resource. */
struct IconImage {
    WORD resourceId = 0; /* its RT_ICON ordinal */
    int width = 0;
    int height = 0;
    int bitCount = 0;
    /* the RT_ICON data: a BITMAPINFOHEADER (of twice the height), the
     * colour table, the colour bits and the mask bits */
    const BYTE *bits = nullptr;
    DWORD size = 0;
};

/* The size LoadIconA loads: the system's large icon, SM_CXICON by SM_CYICON. */
const int kSystemIconSize = 32;

/* Finds the icon group `name` (as the "A" functions take names) of a module
 * and picks the image closest to cx by cy, then the one closest to the
 * screen's colour depth, as the system does. On failure, `error` is what
 * LoadIconA leaves as the last error: ERROR_RESOURCE_DATA_NOT_FOUND,
 * _TYPE_NOT_FOUND (no such group: the last type tried is the animated
 * icon's), _NAME_NOT_FOUND (an image the group lists is missing),
 * ERROR_INVALID_PARAMETER, or 0 (a group without images: the system sets
 * no error). */
bool FindIconGroup(HMODULE module, LPCSTR name, int cx, int cy, IconImage &image, DWORD &error);

/* The image an icon handle of LoadIconA shows; null for any other handle. */
const IconImage *IconFromHandle(HICON icon);

/* Forgets the icons whose images lie in `size` bytes at `image`: those of a
 * resource image that a test gave the program (LzPortUseResourceImage),
 * before the image goes. Their handles no longer name icons. */
void ForgetIconsIn(const BYTE *image, size_t size);

} // namespace lzport

#endif

/* wm_text.h - texts of windows and menus: copying into callers' buffers. */
#ifndef LZPORT_WM_TEXT_H
#define LZPORT_WM_TEXT_H

#include <string>

#include "windows.h"

namespace lzport {

/* Copies as much of text as fits in size bytes with its terminator,
 * never half a double-byte character; gives the bytes copied. */
int CopyText(const std::string &text, LPSTR buffer, size_t size);

/* The text a window is created with: a resource name ("\xFF" and an
 * ordinal) gives none. */
std::string ResourceNameText(LPCSTR name);

} // namespace lzport

#endif

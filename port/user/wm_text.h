/* wm_text.h - texts of windows and menus: copying into callers' buffers. */
#ifndef LZPORT_WM_TEXT_H
#define LZPORT_WM_TEXT_H

#include <string>

#include "windows.h"

namespace lzport {

/* Copies as much of text as fits in size bytes with its terminator,
 * never half a double-byte character; gives the bytes copied. */
int CopyText(const std::string &text, LPSTR buffer, size_t size);

/* A text of the window system's own (menus, message boxes), written in
 * UTF-8 in the sources, in code page 932. */
std::string TextFromUtf8(const char *utf8);

/* The access key of a text: the character after a single '&' (an "&&" is
 * a plain ampersand), in capitals; 0 for none. */
int AccessKey(const std::string &text);

/* The text a window is created with: a resource name ("\xFF" and an
 * ordinal) gives none. */
std::string ResourceNameText(LPCSTR name);

} // namespace lzport

#endif

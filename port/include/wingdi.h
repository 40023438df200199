/* wingdi.h - the gdi32 subset of the native platform layer. The program
 * draws nothing through gdi32 itself (its icon is drawn by user32's
 * DrawIcon into a paint context); what it needs from here are the font
 * constants of its dialog templates. */
#ifndef LZPORT_WINGDI_H
#define LZPORT_WINGDI_H

#include "windef.h"

/* character sets of a font */
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define SHIFTJIS_CHARSET 128

/* font weights */
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700

#endif

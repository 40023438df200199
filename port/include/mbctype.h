/* mbctype.h - selection of the C runtime's multibyte code page. */
#ifndef LZPORT_MBCTYPE_H
#define LZPORT_MBCTYPE_H

#ifdef __cplusplus
extern "C" {
#endif

#define _MB_CP_SBCS 0
#define _MB_CP_OEM -2
#define _MB_CP_ANSI -3
#define _MB_CP_LOCALE -4

int _setmbcp(int codepage);
int _getmbcp(void);

#ifdef __cplusplus
}
#endif

#endif

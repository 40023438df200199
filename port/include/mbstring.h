/* mbstring.h - the C runtime's multibyte-string functions for the current
 * multibyte code page (code page 932 after _setmbcp). */
#ifndef LZPORT_MBSTRING_H
#define LZPORT_MBSTRING_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

int _mbscmp(const unsigned char *s1, const unsigned char *s2);
int _mbsicmp(const unsigned char *s1, const unsigned char *s2);
unsigned char *_mbslwr(unsigned char *s);
unsigned char *_mbsupr(unsigned char *s);
unsigned char *_mbsrchr(const unsigned char *s, unsigned int c);
unsigned char *_mbschr(const unsigned char *s, unsigned int c);
unsigned char *_mbsstr(const unsigned char *s, const unsigned char *sub);
unsigned char *_mbsinc(const unsigned char *s);
size_t _mbslen(const unsigned char *s);
int _ismbblead(unsigned int c);
int _ismbbtrail(unsigned int c);

#ifdef __cplusplus
}
#endif

#endif

/* mbcs.cpp - the C runtime's multibyte-string functions and the kernel32
 * lead-byte helpers. Until _setmbcp selects code page 932 the runtime works
 * in single-byte mode, as the real runtime does at start. */
#include <mbctype.h>
#include <mbstring.h>
#include <string.h>

#include "cp932.h"
#include "windows.h"

using namespace lzport;

namespace {

int g_mbcp = _MB_CP_SBCS;

bool IsLead(unsigned char c) { return g_mbcp == 932 && Cp932IsLead(c); }

/* Reads one character at p: its code and its length in bytes. A lead byte
 * followed by the terminating NUL counts as a single byte. */
unsigned NextChar(const unsigned char *p, size_t *len)
{
    if (IsLead(p[0]) && p[1] != 0) {
        *len = 2;
        return (unsigned)p[0] << 8 | p[1];
    }
    *len = 1;
    return p[0];
}

unsigned Lower(unsigned ch) { return g_mbcp == 932 ? Cp932ToLower(ch) : ((ch >= 'A' && ch <= 'Z') ? ch + 32 : ch); }
unsigned Upper(unsigned ch) { return g_mbcp == 932 ? Cp932ToUpper(ch) : ((ch >= 'a' && ch <= 'z') ? ch - 32 : ch); }

unsigned char *MapCase(unsigned char *s, unsigned (*map)(unsigned))
{
    if (!s)
        return nullptr;
    for (unsigned char *p = s; *p;) {
        size_t len;
        unsigned ch = map(NextChar(p, &len));
        if (len == 2) {
            p[0] = (unsigned char)(ch >> 8);
            p[1] = (unsigned char)ch;
        } else {
            p[0] = (unsigned char)ch;
        }
        p += len;
    }
    return s;
}

int Compare(const unsigned char *a, const unsigned char *b, bool noCase)
{
    for (;;) {
        size_t la, lb;
        unsigned ca = NextChar(a, &la), cb = NextChar(b, &lb);
        if (noCase) {
            ca = Lower(ca);
            cb = Lower(cb);
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        a += la;
        b += lb;
    }
}

} // namespace

extern "C" {

int _setmbcp(int codepage)
{
    switch (codepage) {
    case _MB_CP_ANSI:
    case _MB_CP_OEM:
    case _MB_CP_LOCALE:
    case 932:
        g_mbcp = 932;
        return 0;
    case _MB_CP_SBCS:
    case 1252:
        g_mbcp = codepage;
        return 0;
    default:
        return -1;
    }
}

int _getmbcp(void) { return g_mbcp; }

int _ismbblead(unsigned int c) { return IsLead((unsigned char)c) ? 4 : 0; }

int _ismbbtrail(unsigned int c) { return g_mbcp == 932 && Cp932IsTrail((unsigned char)c) ? 8 : 0; }

int _mbscmp(const unsigned char *s1, const unsigned char *s2)
{
    if (!s1 || !s2)
        return 0x7fffffff; /* _NLSCMPERROR */
    return Compare(s1, s2, false);
}

int _mbsicmp(const unsigned char *s1, const unsigned char *s2)
{
    if (!s1 || !s2)
        return 0x7fffffff;
    return Compare(s1, s2, true);
}

unsigned char *_mbslwr(unsigned char *s) { return MapCase(s, Lower); }

unsigned char *_mbsupr(unsigned char *s) { return MapCase(s, Upper); }

unsigned char *_mbsrchr(const unsigned char *s, unsigned int c)
{
    if (!s)
        return nullptr;
    const unsigned char *found = nullptr;
    for (const unsigned char *p = s;;) {
        size_t len;
        unsigned ch = NextChar(p, &len);
        if (ch == c)
            found = p;
        if (ch == 0)
            break;
        p += len;
    }
    return const_cast<unsigned char *>(found);
}

unsigned char *_mbschr(const unsigned char *s, unsigned int c)
{
    if (!s)
        return nullptr;
    for (const unsigned char *p = s;;) {
        size_t len;
        unsigned ch = NextChar(p, &len);
        if (ch == c)
            return const_cast<unsigned char *>(p);
        if (ch == 0)
            return nullptr;
        p += len;
    }
}

unsigned char *_mbsstr(const unsigned char *s, const unsigned char *sub)
{
    if (!s || !sub)
        return nullptr;
    size_t n = strlen((const char *)sub);
    for (const unsigned char *p = s;;) {
        if (strncmp((const char *)p, (const char *)sub, n) == 0)
            return const_cast<unsigned char *>(p);
        if (*p == 0)
            return nullptr;
        size_t len;
        NextChar(p, &len);
        p += len;
    }
}

unsigned char *_mbsinc(const unsigned char *s)
{
    if (!s)
        return nullptr;
    size_t len;
    NextChar(s, &len);
    return const_cast<unsigned char *>(s + len);
}

size_t _mbslen(const unsigned char *s)
{
    size_t count = 0;
    for (const unsigned char *p = s; *p; ++count) {
        size_t len;
        NextChar(p, &len);
        p += len;
    }
    return count;
}

BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE c)
{
    if (codePage != 932 && codePage != CP_ACP)
        return FALSE;
    return Cp932IsLead(c) ? TRUE : FALSE;
}

BOOL WINAPI IsDBCSLeadByte(BYTE c) { return IsDBCSLeadByteEx(CP_ACP, c); }

} /* extern "C" */

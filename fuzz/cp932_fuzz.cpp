/* cp932_fuzz.cpp - arbitrary bytes through the code page 932 string
 * functions: the runtime's _mbs* family and CString's searches and case
 * mapping. Checks the invariants that callers rely on. */
#include <mbctype.h>
#include <mbstring.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "afx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool once = (_setmbcp(_MB_CP_ANSI), true);
    (void)once;
    std::string text(reinterpret_cast<const char *>(data), size);
    text = text.c_str(); /* up to the first NUL, as the runtime sees it */
    const unsigned char *s = reinterpret_cast<const unsigned char *>(text.c_str());

    std::string lower = text;
    _mbslwr(reinterpret_cast<unsigned char *>(&lower[0]));
    if (lower.size() != text.size() || strlen(lower.c_str()) != text.size())
        abort(); /* case mapping keeps every byte length */
    if (_mbscmp(s, s) != 0)
        abort();

    CString str(text.c_str());
    int p = str.ReverseFind('\\');
    const unsigned char *found = _mbsrchr(s, '\\');
    if ((found == NULL) != (p < 0) || (found && found - s != p))
        abort();
    if (p >= 0) {
        CString leaf = str.Right(str.GetLength() - p - 1);
        CString parent = str.Left(p) + "\\";
        if (leaf.GetLength() + parent.GetLength() != str.GetLength())
            abort();
    }
    CString lowered = str;
    lowered.MakeLower();
    if (lowered.GetLength() != str.GetLength() || strcmp(lowered, lower.c_str()) != 0)
        abort();
    CString again = lowered;
    again.MakeLower();
    if (again != lowered)
        abort(); /* lower-casing is idempotent */
    return 0;
}

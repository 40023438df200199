/* res_text.h - UTF-16, the form in which resources hold their texts, and
 * code page 932, the form in which the program reads them: one character
 * at a time, as the system's conversion tables do it. */
#ifndef LZPORT_RES_TEXT_H
#define LZPORT_RES_TEXT_H

#include <stddef.h>

#include <string>
#include <string_view>

#include "windef.h"

namespace lzport {

/* Code page 932's replacement characters: what a UTF-16 character without
 * a form in code page 932 becomes, and what a byte sequence that forms no
 * character becomes in UTF-16. */
const char kCp932DefaultChar = '?';
const WCHAR kCp932DefaultUnicode = 0x30FB;

/* The code page 932 form of one UTF-16 unit: 1 or 2 bytes written to out,
 * or 0 when it has none. */
size_t Utf16UnitToCp932(WCHAR c, char out[2]);

/* The UTF-16 form of the code page 932 character at s (at most `length`
 * bytes): stores it and returns the bytes it takes (1 or 2). *valid is set
 * to false when the bytes form no character; the result is then
 * kCp932DefaultUnicode. */
size_t Cp932CharToUtf16(const char *s, size_t length, WCHAR *out, bool *valid);

/* Whole strings, with the replacement characters above. */
std::u16string Cp932ToUtf16(std::string_view s);
std::string Utf16ToCp932(std::u16string_view s);

} // namespace lzport

#endif

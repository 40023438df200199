/* cp932.h - code page 932 (Shift-JIS) text inside the platform layer:
 * character boundaries, case mapping as the system's LCMAP_LOWERCASE does it,
 * case-blind comparison, and conversion to and from UTF-8 for the host. */
#ifndef LZPORT_CP932_H
#define LZPORT_CP932_H

#include <stddef.h>
#include <string>
#include <string_view>

namespace lzport {

inline bool Cp932IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool Cp932IsTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

/* Length in bytes of the character at s (1 or 2; 1 for a lead byte that
 * ends the string). */
inline size_t Cp932CharLen(const unsigned char *s) { return (Cp932IsLead(s[0]) && s[1] != 0) ? 2 : 1; }

/* Characters in `text`, a double-byte character counting one (a lead byte
 * that ends the text counts alone), as the system counts them when it
 * widens a name. */
size_t Cp932CharCount(std::string_view text);

/* Lower-cases one character: a single byte (< 0x100) or a double-byte
 * character (lead << 8 | trail). Characters without a lower-case form come
 * back unchanged. */
unsigned Cp932ToLower(unsigned ch);
unsigned Cp932ToUpper(unsigned ch);

/* Lower-cases a NUL-terminated string in place, double-byte characters as
 * units. */
void Cp932LowerInPlace(char *s);
std::string Cp932Lower(std::string_view s);

/* Compares without regard to case, double-byte aware: <0, 0, >0. */
int Cp932CompareNoCase(std::string_view a, std::string_view b);
inline bool Cp932EqualNoCase(std::string_view a, std::string_view b) { return Cp932CompareNoCase(a, b) == 0; }

/* Conversion for names and text stored on the host. Both fail (false) on a
 * sequence that the other side cannot represent. */
bool Cp932ToUtf8(std::string_view in, std::string &out);
bool Utf8ToCp932(std::string_view in, std::string &out);

} // namespace lzport

#endif
